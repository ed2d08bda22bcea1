// The modeless dialog "GPS Serial Port Configuration and Diagnostics": the
// GPS source (a serial device by path, a gpsd server or NMEA over UDP), the
// line settings, the sentence selection and the read interval, and the
// reader's diagnostics (quality, satellites, the latest sentences). It edits
// a GpsConfigModel; OK and Apply write the document's GpsSettings, and when
// something changed in real time ask for the port to be reopened. The read
// interval spin and box change the settings at once.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "nav/GpsConfigModel.h"
#include "nav/GpsSnapshot.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace hx {

class GpsSentenceView;

struct GpsConfigContext {
    GpsSettings& settings;
    // The serial devices the system lists, each with whether it opens now.
    std::function<std::vector<ProbedPort>()> probePorts;
    // The configured device is held open by this program (so it does not
    // open for the probe but belongs in the list).
    std::function<bool()> portInUse;
    std::function<bool()> playbackMode;
};

inline constexpr const char* kGpsConfigTitle = "GPS Serial Port Configuration and Diagnostics";

class CGPSConfigDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGPSConfigDlg(GpsConfigContext context, QWidget* parent = nullptr);

    const GpsConfigModel& model() const { return model_; }

    // Dialog opening and after every port reopen: working copies from the
    // settings, the port list probed again, Apply disabled.
    void refill();
    // After each read while the dialog is visible: "GPS Quality / Status",
    // "Number of Satellites in Use" and the sentence area.
    void showReadDiagnostics(const GpsSnapshot& snapshot);

    void reject() override;  // Cancel and the close box

signals:
    // Settings changed in real time: reopen the source (ReopenGpsPort with
    // the previous port), then reset the GPS data.
    void reopenRequested();
    void readIntervalChanged(int intervalMs);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void syncFromModel();
    void finish(bool apply);
    void portTextEntered();

    GpsConfigContext ctx_;
    GpsConfigModel model_;
    int lastSpin_ = 10;

    QComboBox* source_ = nullptr;
    QComboBox* port_ = nullptr;
    QComboBox* baud_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QComboBox* flow_ = nullptr;
    QComboBox* sentences_ = nullptr;
    QLineEdit* interval_ = nullptr;
    QSpinBox* intervalSpin_ = nullptr;
    QLineEdit* gpsdHost_ = nullptr;
    QSpinBox* gpsdPort_ = nullptr;
    QLineEdit* udpAddress_ = nullptr;
    QSpinBox* udpPort_ = nullptr;
    QLineEdit* quality_ = nullptr;
    QLineEdit* satellites_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* apply_ = nullptr;
    GpsSentenceView* sentenceView_ = nullptr;
};

}  // namespace hx
