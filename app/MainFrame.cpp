#include "app/MainFrame.h"

#include <QMdiArea>

namespace hx {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("HX642 -- Real Time"));
    mdi_ = new QMdiArea(this);
    setCentralWidget(mdi_);
    resize(1280, 800);
}

}  // namespace hx
