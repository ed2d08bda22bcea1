#include "nav/GpsConfigModel.h"

#include <algorithm>

#include "nav/NmeaSentence.h"

namespace hx {

SentenceArea sentenceArea(int w, int h) { return {30, h / 2 + 20, w - 30, h - 25}; }

bool isSelectedSentence(int gpsType, std::string_view sentence) {
    const NmeaType t = nmeaTypeOf(sentence);
    switch (gpsType) {
        case 0: return t == NmeaType::GLL || t == NmeaType::VTG;
        case 1: return t == NmeaType::GGA || t == NmeaType::VTG;
        case 2: return t == NmeaType::RMC;
        case 3: return t == NmeaType::VTG;
        default: return false;
    }
}

bool isDrawnHistoryEntry(std::string_view sentence) { return sentence.size() > 9; }

void GpsConfigModel::load(const GpsSettings& s, const GpsPortListModel& ports) {
    working_ = s;
    ports_ = ports;
    if (ports_.selected >= 0) working_.gpsDevice = ports_.devices[static_cast<std::size_t>(ports_.selected)];
    applyPending_ = false;
    applyEnabled_ = false;
}

int GpsConfigModel::baudIndex() const {
    for (std::size_t i = 0; i < kBaudRateEntries.size(); ++i)
        if (kBaudRateEntries[i].value == working_.gpsBaudRate) return static_cast<int>(i);
    return 0;
}

int GpsConfigModel::parityIndex() const { return working_.gpsParity <= 4 ? working_.gpsParity : 0; }

int GpsConfigModel::dataBitsIndex() const {
    return (working_.gpsDataBits >= 5 && working_.gpsDataBits <= 7) ? working_.gpsDataBits - 5 : 3;
}

int GpsConfigModel::stopBitsIndex() const { return (working_.gpsStopBits == 1 || working_.gpsStopBits == 2) ? working_.gpsStopBits : 0; }

int GpsConfigModel::sentenceIndex() const { return (working_.gpsType >= 1 && working_.gpsType <= 3) ? working_.gpsType : 0; }

void GpsConfigModel::selectPort(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= ports_.devices.size()) return;
    ports_.selected = index;
    working_.gpsDevice = ports_.devices[static_cast<std::size_t>(index)];
    applyEnabled_ = true;
}

void GpsConfigModel::typePort(const std::string& device) {
    if (device.empty()) return;
    working_.gpsDevice = device;
    applyEnabled_ = true;
}

void GpsConfigModel::selectBaud(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kBaudRateEntries.size()) return;
    working_.gpsBaudRate = kBaudRateEntries[static_cast<std::size_t>(index)].value;
    applyEnabled_ = true;
}

void GpsConfigModel::selectParity(int index) {
    if (index < 0 || index > 4) return;
    working_.gpsParity = static_cast<std::uint8_t>(index);
    applyEnabled_ = true;
}

void GpsConfigModel::selectDataBits(int index) {
    if (index < 0 || index > 3) return;
    working_.gpsDataBits = static_cast<std::uint8_t>(5 + index);
    applyEnabled_ = true;
}

void GpsConfigModel::selectStopBits(int index) {
    if (index < 0 || index > 2) return;
    working_.gpsStopBits = static_cast<std::uint8_t>(index);
    applyEnabled_ = true;
}

void GpsConfigModel::selectSentence(int index) {
    working_.gpsType = (index == 0 || index == 1 || index == 3) ? index : 2;
    applyEnabled_ = true;
}

void GpsConfigModel::selectSource(GpsSourceKind kind) {
    working_.gpsSource = kind;
    applyEnabled_ = true;
}

bool GpsConfigModel::setGpsdServer(const std::string& host, int port) {
    if (host.empty() || port < 1 || port > 65535) return false;
    if (working_.gpsdHost == host && working_.gpsdPort == port) return true;
    working_.gpsdHost = host;
    working_.gpsdPort = static_cast<std::uint16_t>(port);
    applyEnabled_ = true;
    return true;
}

bool GpsConfigModel::setUdpListen(const std::string& address, int port) {
    if (address.empty() || port < 1 || port > 65535) return false;
    if (working_.udpAddress == address && working_.udpPort == port) return true;
    working_.udpAddress = address;
    working_.udpPort = static_cast<std::uint16_t>(port);
    applyEnabled_ = true;
    return true;
}

int GpsConfigModel::stepReadInterval(GpsSettings& s, int step) {
    const int p = spinPosition(s) + step;
    s.gpsReadInterval = p <= 2 ? 200 : p > 20 ? 2000 : p * 100;
    return s.gpsReadInterval;
}

bool GpsConfigModel::typeReadInterval(GpsSettings& s, int intervalMs) {
    if (intervalMs < 100 || intervalMs > 2000) return false;
    s.gpsReadInterval = intervalMs;
    return true;
}

GpsApplyOutcome GpsConfigModel::accept(GpsSettings& s, bool apply) {
    if (apply) applyPending_ = true;
    GpsApplyOutcome out;
    auto copy = [&out](auto& into, const auto& from) {
        if (into != from) {
            into = from;
            out.changed = true;
        }
    };
    copy(s.gpsDevice, working_.gpsDevice);
    copy(s.gpsBaudRate, working_.gpsBaudRate);
    copy(s.gpsDataBits, working_.gpsDataBits);
    copy(s.gpsStopBits, working_.gpsStopBits);
    copy(s.gpsParity, working_.gpsParity);
    copy(s.gpsType, working_.gpsType);
    copy(s.gpsSource, working_.gpsSource);
    copy(s.gpsdHost, working_.gpsdHost);
    copy(s.gpsdPort, working_.gpsdPort);
    copy(s.udpAddress, working_.udpAddress);
    copy(s.udpPort, working_.udpPort);
    // Flow control is not the dialog's; the port number follows the device
    // that ReopenGpsPort opens.
    if (applyPending_) {
        applyEnabled_ = false;
        applyPending_ = false;
        out.closeDialog = false;
    }
    return out;
}

void GpsConfigModel::defaults() {
    working_.gpsDevice = ports_.devices.empty() ? std::string() : ports_.devices.front();
    if (!ports_.devices.empty()) ports_.selected = 0;
    working_.gpsBaudRate = 4800;
    working_.gpsDataBits = 8;
    working_.gpsStopBits = 0;
    working_.gpsParity = 0;
    working_.gpsType = 2;
    applyPending_ = true;
    applyEnabled_ = true;
}

void GpsConfigModel::cancel(const GpsSettings& s) {
    working_ = s;
    const auto it = std::find(ports_.devices.begin(), ports_.devices.end(), s.gpsDevice);
    ports_.selected = ports_.devices.empty() ? -1 : it == ports_.devices.end() ? 0 : static_cast<int>(it - ports_.devices.begin());
    applyPending_ = false;
    applyEnabled_ = false;
}

}  // namespace hx
