// The connect command and the simulator: the connection dialog, then real
// time (a played file closed, the settings reloaded, the link and the GPS
// started) or, declined, a recording to play. With --simulate the simulator
// runs beside the program and every address the link uses is its own.
#pragma once

#include <QObject>

#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "core/Notifier.h"

namespace hx {

class SimulatorProcess;
struct AppContext;

class ConnectionController final : public QObject {
    Q_OBJECT
public:
    ConnectionController(const AppContext& app, const AppOptions& options, INotifier& notifier);
    ~ConnectionController() override;

    void connectCommand();
    // Starts the simulator; the connect command follows once it listens.
    void startSimulator();
    void stopSimulator();

private:
    void useSimulatorEndpoints(std::string& systemAddress);
    void offerPlayback();

    const AppContext& app_;
    const AppOptions& options_;
    INotifier& notifier_;
    std::unique_ptr<SimulatorProcess> simulator_;
};

}  // namespace hx
