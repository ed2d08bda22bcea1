// A procedural seabed: smooth bathymetry, patches of mud, sand and gravel,
// sand ripples, boulders, a pipeline and a wreck in a debris field. Every
// query is a pure function of east/north position, so the seabed is the same
// on every ping; nothing changes it after construction.
#pragma once

#include <cstdint>
#include <vector>

namespace hx::sim {

struct SeabedPoint {
    double reliefM = 0.0;         // height above the smooth bottom (ripples, rocks, wreck)
    double backscatterDb = -30.0; // material backscatter strength at normal roughness
    double tailM = 0.3;           // length of the echo sounder's bottom tail (penetration)
};

class Seabed {
public:
    explicit Seabed(std::uint64_t seed = 642);

    // Depth of the smooth bottom below the sea surface.
    double waterDepthM(double eastM, double northM) const;
    SeabedPoint sample(double eastM, double northM) const;

private:
    struct Debris {
        double xM, yM;          // in the wreck's frame
        double halfLengthM, halfWidthM, heightM;
        double cosA, sinA;
    };

    double wreckRelief(double xM, double yM) const;
    double debrisRelief(double xM, double yM) const;
    double boulderRelief(double eastM, double northM, double density) const;
    double pipelineRelief(double eastM, double northM) const;

    std::uint64_t seed_;
    double wreckEastM_ = 0, wreckNorthM_ = 0, wreckCos_ = 1, wreckSin_ = 0;
    double pipeEastM_ = 0, pipeNorthM_ = 0, pipeCos_ = 1, pipeSin_ = 0;
    std::vector<Debris> debris_;
};

}  // namespace hx::sim
