// The modal "Speed Info" dialog: the speed source (GPS, manual, or the
// program's 3.0 knots), the manual speed in tenths of a knot, and the speed
// correction switch. It edits a SpeedDialogModel and writes the settings
// only on OK; the line count reads them from the next ping on.
#pragma once

#include <QDialog>

#include "nav/SpeedSource.h"

class QCheckBox;
class QDoubleSpinBox;
class QRadioButton;

namespace hx {

class CShipSpeedDlg : public QDialog {
    Q_OBJECT
public:
    // settings stay the caller's; OK writes into them.
    explicit CShipSpeedDlg(SpeedSettings& settings, QWidget* parent = nullptr);

    const SpeedDialogModel& model() const { return model_; }

    void accept() override;

private:
    void syncFromModel();

    SpeedSettings& settings_;
    SpeedDialogModel model_;
    QRadioButton* gps_;
    QRadioButton* manual_;
    QRadioButton* none_;
    QDoubleSpinBox* speed_;
    QCheckBox* correction_;
};

}  // namespace hx
