#include "app/ConnectionController.h"

#include <QDialog>
#include <QHostAddress>
#include <QTimer>

#include "app/AppContext.h"
#include "app/GpsLink.h"
#include "app/HeadSetLayout.h"
#include "app/MainFrame.h"
#include "app/SettingsSession.h"
#include "app/StatusPresenter.h"
#include "link/ui/ConnectionDlg.h"
#include "platform/QtTimerPort.h"
#include "platform/SimulatorProcess.h"
#include "record/RecorderTexts.h"
#include "session/SkerrySession.h"

namespace hx {

ConnectionController::ConnectionController(const AppContext& app, const AppOptions& options, INotifier& notifier)
    : app_(app), options_(options), notifier_(notifier) {}

ConnectionController::~ConnectionController() = default;

void ConnectionController::startSimulator() {
    simulator_ = std::make_unique<SimulatorProcess>();
    connect(simulator_.get(), &SimulatorProcess::ready, this, [this] {
        const SimulatorEndpoints& e = simulator_->endpoints();
        AcquisitionCycle& link = app_.session->link();
        std::uint16_t systemPort = 0;
        for (int h = kHeadCount - 1; h >= 0; --h) {
            const std::uint16_t port = e.port[static_cast<std::size_t>(h)];
            if (port == 0) continue;
            link.setHeadPort(h, port);
            systemPort = port;
        }
        // The system information is asked over head L's connection at the
        // system address: without an L head that is the first head served.
        if (e.port[kHeadL] == 0 && systemPort != 0) link.setHeadPort(kHeadL, systemPort);
        connectCommand();
    });
    connect(simulator_.get(), &SimulatorProcess::failed, this,
            [this](const QString& text) { notifier_.message(text.toStdString(), MessageIcon::Error); });
    // Free ports on the simulator's own loopback addresses, so that a second
    // program or a test run beside this one never collides.
    simulator_->start(QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--gps-pty")} +
                      options_.simulatorArguments);
}

void ConnectionController::stopSimulator() { simulator_.reset(); }

void ConnectionController::connectCommand() {
    app_.timers->stop(TimerId::PlaybackStep);
    const bool simulated = simulator_ && simulator_->isReady();
    const QString shownAddress = simulated ? simulator_->systemAddress()
                                           : QString::fromStdString(app_.doc->heads.headIpAddress[kHeadL]);
    CConnectionDlg dialog(shownAddress, app_.frame);
    // Without an operator (offscreen) the dialog confirms itself.
    if (options_.unattended) QTimer::singleShot(0, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted) {
        offerPlayback();
        return;
    }
    std::string address = dialog.address().toStdString();
    // Enter real time: a played file is closed, the settings come back from
    // the file, the link starts.
    if (app_.doc->link.playbackMode != 0) app_.session->playback().returnToRealTime();
    app_.frame->setWindowTitle(QString::fromLatin1(kRealTimeCaption));
    app_.settings->load();
    if (simulator_) {
        if (!simulator_->isReady()) return;
        useSimulatorEndpoints(address);
    }
    app_.session->link().enterRealTimeMode();
    app_.gps->openForRealTime();
    app_.layout->rebuild();
    app_.session->link().requestSystemInformation(address);
    app_.status->refreshControlBars();
}

void ConnectionController::useSimulatorEndpoints(std::string& systemAddress) {
    // The simulator's heads and GPS are where it says, whatever the settings
    // file holds, and a simulated session talks to loopback only.
    const SimulatorEndpoints& e = simulator_->endpoints();
    CSkerryDoc& doc = *app_.doc;
    for (int h = 0; h < kHeadCount; ++h) {
        const auto i = static_cast<std::size_t>(h);
        doc.heads.headIpAddress[i] = e.address[i].isEmpty() ? std::string("127.0.0.1") : e.address[i].toStdString();
    }
    if (!QHostAddress(QString::fromStdString(systemAddress)).isLoopback())
        systemAddress = simulator_->systemAddress().toStdString();
    if (!e.gpsDevice.isEmpty()) {
        doc.gps.gpsSource = GpsSourceKind::Serial;
        doc.gps.gpsDevice = e.gpsDevice.toStdString();
        doc.gps.gpsEnabled = 1;
    }
}

void ConnectionController::offerPlayback() {
    // Declining real time offers a recording to play; without an operator
    // there is nobody to choose one.
    if (!options_.unattended) app_.session->playback().openWithDialog();
    app_.layout->rebuild();
}

}  // namespace hx
