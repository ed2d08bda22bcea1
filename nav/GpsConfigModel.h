// The working state of the "GPS Serial Port Configuration and Diagnostics"
// dialog: list contents and selections, the working copies of the settings,
// the read-interval spin, and OK / Apply / Default / Cancel. The window shows
// this state and forwards the operator's actions; reopening the port after
// a change is the caller's (ReopenGpsPort).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "nav/GpsPortList.h"
#include "nav/GpsSettings.h"

namespace hx {

struct GpsListEntry {
    const char* text;
    int value;
};

inline constexpr std::array<GpsListEntry, 6> kBaudRateEntries = {
    {{"4,800", 4800}, {"9,600", 9600}, {"19,200", 19200}, {"38,400", 38400}, {"57,600", 57600}, {"115,200", 115200}}};
inline constexpr std::array<const char*, 5> kParityEntries = {"None", "Even", "Odd", "Mark", "Space"};
inline constexpr std::array<const char*, 4> kDataBitsEntries = {"5", "6", "7", "8"};
inline constexpr std::array<const char*, 3> kStopBitsEntries = {"1", "1.5", "2"};
inline constexpr std::array<const char*, 1> kFlowControlEntries = {"None"};
inline constexpr std::array<const char*, 4> kSentenceEntries = {"GLL + VTG", "GGA + VTG", "RMC", "VTG"};

// The sentence history area: left 30, right width - 30, top height / 2 + 20,
// bottom height - 25; one line each 16 pixels, texts over 9 characters.
struct SentenceArea {
    int left, top, right, bottom;
};
SentenceArea sentenceArea(int clientWidth, int clientHeight);
inline constexpr int kSentenceLineHeightPx = 16;
// Drawn in blue when gpsType selects the sentence's type (0: GLL or VTG,
// 1: GGA or VTG, 2: RMC, 3: VTG), in black otherwise.
bool isSelectedSentence(int gpsType, std::string_view sentence);
bool isDrawnHistoryEntry(std::string_view sentence);

struct GpsApplyOutcome {
    bool changed = false;     // the caller reopens the port (real time only)
    bool closeDialog = true;  // OK hides the dialog; Apply and OK after Default keep it
};

class GpsConfigModel {
public:
    // Dialog opening and every refill: working copies from the settings,
    // list selections, Apply disabled.
    void load(const GpsSettings& s, const GpsPortListModel& ports);

    const GpsPortListModel& ports() const { return ports_; }
    const GpsSettings& working() const { return working_; }
    bool applyEnabled() const { return applyEnabled_; }

    int baudIndex() const;      // a rate not in the list shows "4,800"
    int parityIndex() const;    // values other than 1..4 show "None"
    int dataBitsIndex() const;  // 5, 6, 7 their entries, anything else "8"
    int stopBitsIndex() const;  // 1 and 2 their entries, anything else "1"
    int sentenceIndex() const;  // 1..3 their entries, anything else "GLL + VTG"

    void selectPort(int index);
    // A device path typed into the list (a pseudo-terminal, a by-id link).
    void typePort(const std::string& device);
    void selectBaud(int index);
    void selectParity(int index);
    void selectDataBits(int index);
    void selectStopBits(int index);
    void selectSentence(int index);  // entries 0, 1, 3 give 0, 1, 3; anything else 2
    void selectSource(GpsSourceKind kind);
    // The network sources' endpoints: a gpsd server to connect to, and the
    // address and port NMEA datagrams arrive on. Empty hosts and port 0 are
    // refused (false) and leave the working copy as it was.
    bool setGpsdServer(const std::string& host, int port);
    bool setUdpListen(const std::string& address, int port);

    // Read interval spin, range 2..20 of hundreds of ms; the document
    // changes at once. Returns the new interval.
    static int spinPosition(const GpsSettings& s) { return s.gpsReadInterval / 100; }
    static int stepReadInterval(GpsSettings& s, int step);
    // A value typed into the "GPS Output Time" box: 100..2000 applies at once.
    static bool typeReadInterval(GpsSettings& s, int intervalMs);

    // OK (apply = false) and Apply (apply = true).
    GpsApplyOutcome accept(GpsSettings& s, bool apply);
    // Default: first port, 4800 baud, 8 data bits, one stop bit, no parity,
    // "RMC"; the next OK applies and keeps the dialog open.
    void defaults();
    // Cancel: back to the settings; the dialog hides.
    void cancel(const GpsSettings& s);

private:
    GpsSettings working_;
    GpsPortListModel ports_;
    bool applyPending_ = false;
    bool applyEnabled_ = false;
};

}  // namespace hx
