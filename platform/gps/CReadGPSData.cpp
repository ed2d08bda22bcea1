#include "platform/gps/CReadGPSData.h"

#include <QLoggingCategory>

#include "nav/GpsPortList.h"
#include "nav/GpsReadFraming.h"
#include "platform/gps/NetworkGpsSources.h"
#include "platform/gps/SerialGpsSource.h"

namespace hx {

namespace {
Q_LOGGING_CATEGORY(lcReader, "hx642.gps.reader")

// How often a lost serial device is looked for again.
constexpr qint64 kRetakeIntervalMs = 2000;
}  // namespace

CReadGPSData::CReadGPSData(QObject* parent) : QObject(parent) {}

CReadGPSData::~CReadGPSData() = default;

void CReadGPSData::adoptSource(std::unique_ptr<GpsByteSource> source) {
    source_ = std::move(source);
    if (source_) connect(source_.get(), &GpsByteSource::problem, this, &CReadGPSData::message);
}

void CReadGPSData::retakeLostDevice() {
    if (!serialWanted_ || (sinceRetake_.isValid() && sinceRetake_.elapsed() < kRetakeIntervalMs)) return;
    sinceRetake_.start();
    auto serial = std::make_unique<SerialGpsSource>();
    // Quietly: the operator heard of the loss; a device still missing is
    // no news.
    if (!serial->OpenGpsPort(serialWanted_->first, serialWanted_->second).opened) return;
    qCInfo(lcReader) << serialWanted_->first << "is back";
    adoptSource(std::move(serial));
}

void CReadGPSData::ReadGpsData() {
    if (!source_ || !source_->isOpen()) retakeLostDevice();
    if (!source_ || !source_->isOpen()) {
        // Lets a gpsd source try to reconnect; there is nothing to parse.
        if (source_) source_->readAvailable(0);
        emit readDone(reader_.readWithoutSource());
        return;
    }
    const QByteArray bytes = source_->readAvailable(static_cast<qint64>(kGpsReceiveBufferBytes));
    emit readDone(reader_.read(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void CReadGPSData::ReopenGpsPort(const GpsSettings& settings) {
    CloseGpsPorts();
    reader_.setSentenceSelection(settings.gpsType);
    GpsPortState state;
    state.kind = settings.gpsSource;
    switch (settings.gpsSource) {
        case GpsSourceKind::Serial: {
            const std::vector<std::string> discovered = discoverGpsDevices();
            const auto found = FindGpsPort(settings, discovered);
            state.portNumber = settings.gpsPort;
            if (!found) {
                qCInfo(lcReader) << "no serial port opens";
                break;
            }
            auto serial = std::make_unique<SerialGpsSource>();
            const QString device = QString::fromStdString(*found);
            const SerialOpenOutcome outcome = serial->OpenGpsPort(device, settings);
            if (!outcome.message.isEmpty()) emit message(outcome.message);
            state.device = device;
            state.portNumber = gpsPortNumberFor(*found, discovered, settings.gpsPort);
            state.open = outcome.opened;
            if (outcome.opened) {
                adoptSource(std::move(serial));
                serialWanted_.emplace(device, settings);
            }
            break;
        }
        case GpsSourceKind::Gpsd: {
            auto gpsd = std::make_unique<GpsdGpsSource>();
            auto* raw = gpsd.get();
            adoptSource(std::move(gpsd));
            raw->open(QString::fromStdString(settings.gpsdHost), settings.gpsdPort);
            state.open = true;  // connecting; reads report sourceOpen once it is up
            break;
        }
        case GpsSourceKind::Udp: {
            auto udp = std::make_unique<UdpGpsSource>();
            auto* raw = udp.get();
            adoptSource(std::move(udp));
            state.open = raw->open(QString::fromStdString(settings.udpAddress), settings.udpPort);
            state.boundPort = raw->boundPort();
            if (!state.open) CloseGpsPorts();
            break;
        }
    }
    emit dataReset(reader_.reset());
    emit portReopened(state);
}

void CReadGPSData::CloseGpsPorts() {
    serialWanted_.reset();
    sinceRetake_.invalidate();
    if (!source_) return;
    source_->disconnect(this);
    source_->close();
    source_.reset();
}

void CReadGPSData::ResetGpsData() { emit dataReset(reader_.reset()); }

void CReadGPSData::setSentenceSelection(int gpsType) { reader_.setSentenceSelection(gpsType); }

void CReadGPSData::shutdown() { CloseGpsPorts(); }

}  // namespace hx
