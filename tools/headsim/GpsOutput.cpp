#include "tools/headsim/GpsOutput.h"

#include "tools/headsim/SimContext.h"
#include "tools/headsim/model/FaultPlan.h"
#include "tools/headsim/model/Nmea.h"

#include <QDateTime>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QUdpSocket>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace hx::sim {

namespace {

// A reader that has not opened the terminal yet should not get minutes of
// stale sentences when it does: keep at most a few seconds queued.
constexpr int kMaxQueuedBytes = 1024;

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

GpsOutput::GpsOutput(const SimContext& context, QObject* parent) : QObject(parent), context_(context) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &GpsOutput::tick);
}

GpsOutput::~GpsOutput() {
    if (slaveFd_ >= 0) ::close(slaveFd_);
    if (masterFd_ >= 0) ::close(masterFd_);
}

bool GpsOutput::openPty(QString* error) {
    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd_ < 0 || ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(errnoText());
        return false;
    }
    const char* name = ::ptsname(masterFd_);
    if (name == nullptr) {
        *error = QStringLiteral("cannot name the pseudo-terminal: %1").arg(errnoText());
        return false;
    }
    ptyPath_ = QString::fromLocal8Bit(name);
    // Holding the slave open keeps the terminal up between readers; raw mode
    // so CR LF reach the reader unchanged.
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(ptyPath_, errnoText());
        return false;
    }
    termios tio{};
    if (::tcgetattr(slaveFd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B4800);
        ::cfsetospeed(&tio, B4800);
        ::tcsetattr(slaveFd_, TCSANOW, &tio);
    }
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    masterNotifier_ = new QSocketNotifier(masterFd_, QSocketNotifier::Read, this);
    connect(masterNotifier_, &QSocketNotifier::activated, this, &GpsOutput::drainMaster);
    return true;
}

void GpsOutput::openUdp(quint16 port) {
    udp_ = new QUdpSocket(this);
    udpPort_ = port;
}

void GpsOutput::start() {
    tick();
}

void GpsOutput::scheduleNext() {
    const qint64 ms = QDateTime::currentMSecsSinceEpoch() % 1000;
    timer_.start(static_cast<int>(1000 - ms));
}

void GpsOutput::tick() {
    const VehicleState v = context_.world.track().at(context_.elapsedS());
    GpsState fix = geoFromLocal(v.eastM, v.northM);
    fix.speedKn = v.speedMps * 3600.0 / 1852.0;
    fix.courseDeg = v.courseDeg;
    fix.headingDeg = v.headingDeg;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = now.date();
    const QTime t = now.time();
    const UtcTime utc{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};

    if (slaveFd_ >= 0) {
        int queued = 0;
        if (::ioctl(slaveFd_, FIONREAD, &queued) == 0 && queued > kMaxQueuedBytes) ::tcflush(slaveFd_, TCIFLUSH);
    }
    for (const std::string& s : nmeaSentences(utc, fix)) {
        // A noisy serial line: bytes of no sentence, '$' and '*' among them.
        const int every = context_.options.faults.gpsGarbageEvery;
        if (every > 0 && ++sentencesWritten_ % every == 0) {
            std::string noise(1 + sentencesWritten_ % 40, '\0');
            fillGarbage(static_cast<std::uint64_t>(sentencesWritten_), reinterpret_cast<std::uint8_t*>(noise.data()),
                        noise.size());
            writeSentence(noise);
        }
        writeSentence(s);
    }
    scheduleNext();
}

void GpsOutput::writeSentence(const std::string& sentence) {
    if (masterFd_ >= 0) {
        // Non-blocking: when the terminal's buffer is full the sentence is lost,
        // as it would be on a serial line nobody reads.
        [[maybe_unused]] const auto n = ::write(masterFd_, sentence.data(), sentence.size());
    }
    if (udp_ != nullptr) udp_->writeDatagram(sentence.data(), static_cast<qint64>(sentence.size()), QHostAddress::LocalHost, udpPort_);
}

void GpsOutput::drainMaster() {
    // Whatever the reader writes to the terminal (or echoes) is read and dropped.
    char buf[512];
    for (;;) {
        const auto n = ::read(masterFd_, buf, sizeof buf);
        if (n > 0) continue;
        if (n < 0 && errno == EAGAIN) return;
        // EIO: no reader has the slave open; stop listening until we write again.
        masterNotifier_->setEnabled(false);
        QTimer::singleShot(1000, this, [this] { if (masterNotifier_) masterNotifier_->setEnabled(true); });
        return;
    }
}

}  // namespace hx::sim
