// The main window: a multiple-document area holding the display windows.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace hx {

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }

private:
    QMdiArea* mdi_ = nullptr;
};

}  // namespace hx
