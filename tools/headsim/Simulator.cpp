#include "tools/headsim/Simulator.h"

#include "tools/headsim/GpsOutput.h"
#include "tools/headsim/HeadServer.h"
#include "platform/SignalWatcher.h"
#include "tools/headsim/model/ReplyBuilder.h"
#include "tools/headsim/model/SystemSetup.h"

#include <QCoreApplication>
#include <QHostAddress>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hx::sim {

namespace {

constexpr const char* kHeadLetters[kHeadCount] = {"L", "M", "H", "E"};

void printLine(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

Simulator::Simulator(const SimOptions& options, QObject* parent)
    : QObject(parent), context_(std::make_unique<SimContext>(options, frequencyLimits(options))) {
    buildSystemInfo(context_->systemInfo, systemDescription(options));
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { stop("time limit reached"); });
}

Simulator::~Simulator() = default;

void Simulator::replayFrom(std::shared_ptr<XtfReplay> replay) { context_->world.replayFrom(std::move(replay)); }

bool Simulator::start(QString* error) {
    const SimOptions& o = context_->options;
    context_->start = std::chrono::steady_clock::now();
    signals_ = new SignalWatcher(this);
    if (!signals_->install(error)) return false;
    connect(signals_, &SignalWatcher::stopRequested, this, [this](int) { stop("signal"); });

    for (int head = 0; head < kHeadCount; ++head) {
        if (!o.present[static_cast<std::size_t>(head)]) continue;
        const QHostAddress address(QString::fromStdString(o.addresses[static_cast<std::size_t>(head)]));
        auto* server = new HeadServer(head, *context_, this);
        if (!server->listen(address, static_cast<quint16>(o.port), error)) return false;
        connect(server, &HeadServer::pingLimitReached, this, [this] { stop("ping limit reached"); });
        servers_.push_back(server);
        printLine(QStringLiteral("listening %1 %2:%3")
                      .arg(QLatin1String(kHeadLetters[head]), address.toString())
                      .arg(server->port()));
    }

    if (o.gpsPty || o.gpsUdpPort > 0) {
        gps_ = new GpsOutput(*context_, this);
        if (o.gpsPty) {
            if (!gps_->openPty(error)) return false;
            printLine(QStringLiteral("gps %1").arg(gps_->ptyPath()));
        }
        if (o.gpsUdpPort > 0) gps_->openUdp(static_cast<quint16>(o.gpsUdpPort));
        gps_->start();
    }

    if (o.seconds > 0.0) deadline_.start(static_cast<int>(std::lround(std::min(o.seconds, 2.0e6) * 1000.0)));
    printLine(QStringLiteral("ready"));
    return true;
}

void Simulator::stop(const char* reason) {
    if (stopping_) return;
    stopping_ = true;
    deadline_.stop();
    for (HeadServer* server : servers_) server->shutdown();
    std::fprintf(stderr, "hx642-headsim: stopping (%s) after %u pings, %ld data replies, %ld system information replies\n",
                 reason, context_->world.pingNumber(), context_->dataReplies, context_->systemInfoReplies);
    // Let the sockets hand their last bytes to the system before leaving.
    QTimer::singleShot(20, qApp, [] { QCoreApplication::exit(0); });
}

}  // namespace hx::sim
