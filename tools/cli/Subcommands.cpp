#include "tools/cli/Subcommands.h"

#include <cstdio>

namespace hx::cli {

// Declared here, defined in one file each (<Name>Command.cpp).
int runRecord(const QStringList& args);
int runInfo(const QStringList& args);
int runRender(const QStringList& args);
int runExport(const QStringList& args);
int runNmea(const QStringList& args);
int runUtm(const QStringList& args);

const Subcommand kSubcommands[] = {
    {"version", "version", [](const QStringList&) {
         std::printf("hx642-cli %s\n", HX642_VERSION);
         return 0;
     }},
    {"record",
     "record --address A.B.C.D [--port N] --out FILE.642 [--seconds S] [--pings N] [--split-mb N] [--split-minutes N]",
     runRecord},
    {"info", "info FILE.642", runInfo},
    {"render",
     "render FILE.642 --out IMAGE.png [--width W] [--table N] [--side port|stbd|both] [--no-speed-correction] [--full [--tile-rows N]]",
     runRender},
    {"export",
     "export FILE.642 [--xtf OUT.xtf] [--track OUT.gpx|.kml|.csv] [--events OUT.gpx|.kml|.csv] [--first-ping N] "
     "[--last-ping M]",
     runExport},
    {"nmea", "nmea FILE [--chunk N]", runNmea},
    {"utm", "utm LAT LON", runUtm},
};

const int kSubcommandCount = static_cast<int>(sizeof kSubcommands / sizeof kSubcommands[0]);

}  // namespace hx::cli
