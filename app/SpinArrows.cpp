#include "app/SpinArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace hx {

QWidget* makeSpinArrows(QWidget* parent, std::function<void(int)> onStep) {
    auto* box = new QWidget(parent);
    auto* col = new QVBoxLayout(box);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    auto* up = new QToolButton(box);
    auto* down = new QToolButton(box);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setFixedSize(18, 11);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        col->addWidget(b);
    }
    QObject::connect(up, &QToolButton::clicked, box, [onStep] { onStep(+1); });
    QObject::connect(down, &QToolButton::clicked, box, [onStep] { onStep(-1); });
    return box;
}

}  // namespace hx
