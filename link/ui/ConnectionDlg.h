// The first thing the operator sees: confirm the system address for real
// time ("YES"), or go to file playback ("NO").
#pragma once

#include <QDialog>

class QLineEdit;

namespace hx {

class CConnectionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CConnectionDlg(const QString& address, QWidget* parent = nullptr);
    // The edited address after "YES"; not validated.
    QString address() const;
    QLineEdit* addressEdit() const { return edit_; }

private:
    QLineEdit* edit_ = nullptr;
};

}  // namespace hx
