// The hot keys list: three columns, the description filling the width.
#pragma once

#include <QDialog>

class QTableWidget;

namespace hx {

class CHelpListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHelpListDlg(QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_ = nullptr;
};

}  // namespace hx
