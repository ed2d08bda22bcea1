// The transmit dialog: port and starboard transmitters of the two shown
// sidescan heads and the echo sounder's transmitter.
#pragma once

#include <QDialog>

#include "link/DiagnosticsText.h"

class QCheckBox;

namespace hx {

class CXmitDlg : public QDialog {
    Q_OBJECT
public:
    explicit CXmitDlg(const TransmitBoxes& boxes, QWidget* parent = nullptr);
    TransmitBoxes boxes() const;

private:
    QCheckBox* aPort_;
    QCheckBox* aStbd_;
    QCheckBox* bPort_;
    QCheckBox* bStbd_;
    QCheckBox* es_;
};

class COrientFilterDlg : public QDialog {
    Q_OBJECT
public:
    struct Switches {
        bool pitch = false, roll = false, heading = false, depth = false, temp = false;
    };
    explicit COrientFilterDlg(const Switches& s, QWidget* parent = nullptr);
    Switches switches() const;

private:
    QCheckBox* pitch_;
    QCheckBox* roll_;
    QCheckBox* heading_;
    QCheckBox* depth_;
    QCheckBox* temp_;
};

}  // namespace hx
