// hx642-cli record: unattended acquisition to a sonar data file.
#include <QCoreApplication>
#include <QHostAddress>
#include <QStringList>

#include <cstdio>

#include "platform/SignalWatcher.h"
#include "tools/cli/HeadlessRecorder.h"

namespace hx::cli {

namespace {

constexpr const char* kUsage =
    "usage: hx642-cli record --address A.B.C.D [--port N] --out FILE.642 [--seconds S] [--pings N]\n"
    "                        [--split-mb N] [--split-minutes N]\n";

bool parse(const QStringList& args, RecordOptions& o, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        const QString v = args[++i];
        bool ok = true;
        if (a == QLatin1String("--address")) {
            // Only the plain dotted form: the short and numeric forms the
            // resolver also takes ("127.1", "3232235522") hide where we connect.
            QHostAddress address;
            if (!address.setAddress(v) || address.protocol() != QAbstractSocket::IPv4Protocol ||
                address.toString() != v) {
                error = QStringLiteral("--address takes a dotted IPv4 address, not '%1'").arg(v);
                return false;
            }
            o.address = v.toStdString();
        } else if (a == QLatin1String("--port")) {
            const uint port = v.toUInt(&ok);
            if (!ok || port == 0 || port > 65535) {
                error = QStringLiteral("--port takes a port number from 1 to 65535");
                return false;
            }
            o.port = static_cast<std::uint16_t>(port);
        } else if (a == QLatin1String("--out")) {
            o.outPath = v.toStdString();
        } else if (a == QLatin1String("--seconds")) {
            o.seconds = v.toInt(&ok);
            if (!ok || o.seconds <= 0) {
                error = QStringLiteral("--seconds takes a positive whole number");
                return false;
            }
        } else if (a == QLatin1String("--pings")) {
            o.pings = v.toLongLong(&ok);
            if (!ok || o.pings <= 0) {
                error = QStringLiteral("--pings takes a positive whole number");
                return false;
            }
        } else if (a == QLatin1String("--split-mb")) {
            const qulonglong mb = v.toULongLong(&ok);
            if (!ok || mb == 0 || mb > 1000000) {
                error = QStringLiteral("--split-mb takes a whole number of megabytes from 1 to 1000000");
                return false;
            }
            o.split.maxBytes = mb * 1000000ULL;
        } else if (a == QLatin1String("--split-minutes")) {
            const uint minutes = v.toUInt(&ok);
            if (!ok || minutes == 0 || minutes > 60 * 24 * 7) {
                error = QStringLiteral("--split-minutes takes a whole number of minutes from 1 to 10080");
                return false;
            }
            o.split.maxMinutes = minutes;
        } else {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (o.address.empty() || o.outPath.empty()) {
        error = QStringLiteral("--address and --out are required");
        return false;
    }
    return true;
}

}  // namespace

int runRecord(const QStringList& args) {
    RecordOptions options;
    QString error;
    if (!parse(args, options, error)) {
        std::fprintf(stderr, "hx642-cli record: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }

    HeadlessRecorder recorder(options);
    SignalWatcher stopSignals;
    QString signalError;
    if (!stopSignals.install(&signalError)) {
        std::fprintf(stderr, "hx642-cli record: %s\n", qPrintable(signalError));
        return 1;
    }
    QObject::connect(&stopSignals, &SignalWatcher::stopRequested, &recorder,
                     [&recorder](int) { recorder.stop(QStringLiteral("signal")); });
    QObject::connect(&recorder, &HeadlessRecorder::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!recorder.start()) return 1;
    QCoreApplication::exec();

    const RecordCounters& c = recorder.counters();
    if (recorder.failed()) return 1;
    if (c.pingsWritten == 0) {
        std::fprintf(stderr, "hx642-cli record: no ping was recorded: %s\n",
                     qPrintable(recorder.nothingRecordedReason()));
        return 1;
    }
    return 0;
}

}  // namespace hx::cli
