#include "platform/SimulatorProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

namespace hx {

namespace {

int headFromLetter(const QString& letter) {
    if (letter == QLatin1String("L")) return 0;
    if (letter == QLatin1String("M")) return 1;
    if (letter == QLatin1String("H")) return 2;
    if (letter == QLatin1String("E") || letter == QLatin1String("ES")) return 3;
    return -1;
}

}  // namespace

SimulatorProcess::SimulatorProcess(QObject* parent) : QObject(parent) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Should this program die without stopping it, the simulator stops too.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(&process_, &QProcess::readyReadStandardOutput, this, &SimulatorProcess::readOutput);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError) {
        fail(QStringLiteral("The head simulator could not be started: %1").arg(process_.errorString()));
    });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus) {
        if (!ready_) fail(QStringLiteral("The head simulator stopped before it was ready (exit status %1).").arg(code));
    });
}

SimulatorProcess::~SimulatorProcess() { stop(); }

QString SimulatorProcess::locateBinary() {
    const QString fromEnv = qEnvironmentVariable("HX642_HEADSIM");
    if (!fromEnv.isEmpty() && QFileInfo(fromEnv).isExecutable()) return fromEnv;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + QStringLiteral("/hx642-headsim"),
                                     dir + QStringLiteral("/../tools/headsim/hx642-headsim"),
                                     dir + QStringLiteral("/../../tools/headsim/hx642-headsim"),
                                     dir + QStringLiteral("/../../../tools/headsim/hx642-headsim")}) {
        if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

void SimulatorProcess::start(const QStringList& arguments) {
    const QString binary = locateBinary();
    if (binary.isEmpty()) {
        // Reported from the event loop, like every other outcome.
        QTimer::singleShot(0, this, [this] { fail(QStringLiteral("The head simulator hx642-headsim was not found.")); });
        return;
    }
    ready_ = false;
    error_.clear();
    pending_.clear();
    endpoints_ = {};
    process_.start(binary, arguments);
}

bool SimulatorProcess::waitUntilReady(int timeoutMs) {
    if (ready_) return true;
    if (!error_.isEmpty()) return false;
    QEventLoop loop;
    connect(this, &SimulatorProcess::ready, &loop, &QEventLoop::quit);
    connect(this, &SimulatorProcess::failed, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (!ready_ && error_.isEmpty()) fail(QStringLiteral("The head simulator did not get ready in time."));
    return ready_;
}

void SimulatorProcess::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(2000)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

QString SimulatorProcess::systemAddress() const {
    for (const QString& a : endpoints_.address)
        if (!a.isEmpty()) return a;
    return {};
}

void SimulatorProcess::readOutput() {
    pending_ += process_.readAllStandardOutput();
    int nl;
    while ((nl = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(nl)).trimmed();
        pending_.remove(0, nl + 1);
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 3 && words[0] == QLatin1String("listening")) {
            const int head = headFromLetter(words[1]);
            const int colon = words[2].lastIndexOf(QLatin1Char(':'));
            if (head >= 0 && colon > 0) {
                endpoints_.address[static_cast<std::size_t>(head)] = words[2].left(colon);
                endpoints_.port[static_cast<std::size_t>(head)] =
                    static_cast<std::uint16_t>(words[2].mid(colon + 1).toUInt());
            }
        } else if (words.size() == 2 && words[0] == QLatin1String("gps")) {
            endpoints_.gpsDevice = words[1];
        } else if (line == QLatin1String("ready") && !ready_) {
            ready_ = true;
            emit ready();
        }
    }
}

void SimulatorProcess::fail(const QString& text) {
    if (!error_.isEmpty() || ready_) return;
    error_ = text;
    emit failed(text);
}

}  // namespace hx
