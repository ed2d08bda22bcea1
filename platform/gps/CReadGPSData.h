// The GPS reader thread's worker: owns the GPS source (serial port, gpsd or
// UDP) and the reader logic, and does one read per read request. Lives on
// the reader thread; the user-interface thread talks to it only through
// queued calls and receives one immutable snapshot per read.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <optional>

#include "nav/GpsReader.h"
#include "platform/gps/GpsByteSource.h"
#include "platform/gps/GpsMetaTypes.h"

namespace hx {

class CReadGPSData final : public QObject {
    Q_OBJECT
public:
    explicit CReadGPSData(QObject* parent = nullptr);
    ~CReadGPSData() override;

public slots:
    // Read request: takes what arrived (at most 64 KiB), frames and parses
    // it, EndOfRead and PublishFix, then reports readDone, also when no
    // source is open. A serial device that went away (an unplugged USB
    // adapter) is tried again every few seconds and read on when it is back.
    void ReadGpsData();
    // Closes the old source, opens the configured one (for a serial port the
    // first that opens, FindGpsPort), resets the GPS data and reports
    // portReopened.
    void ReopenGpsPort(const hx::GpsSettings& settings);
    void CloseGpsPorts();
    // ResetGpsData of the reader logic; reports dataReset.
    void ResetGpsData();
    void setSentenceSelection(int gpsType);
    // Before the thread ends: closes the source on its own thread.
    void shutdown();

signals:
    void readDone(const hx::GpsSnapshot& snapshot);
    void dataReset(const hx::GpsSnapshot& snapshot);
    void portReopened(const hx::GpsPortState& state);
    void message(const QString& text);

private:
    void adoptSource(std::unique_ptr<GpsByteSource> source);
    void retakeLostDevice();

    GpsReader reader_;
    std::unique_ptr<GpsByteSource> source_;
    // The serial device and line last opened, while it is wanted.
    std::optional<std::pair<QString, GpsSettings>> serialWanted_;
    QElapsedTimer sinceRetake_;
};

}  // namespace hx
