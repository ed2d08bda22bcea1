#include "link/ui/XmitDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace hx {

namespace {

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QCheckBox* box(const QString& name, bool checked, QWidget* parent, const QString& text = QString()) {
    auto* b = new QCheckBox(text, parent);
    b->setObjectName(name);
    b->setChecked(checked);
    return b;
}

}  // namespace

CXmitDlg::CXmitDlg(const TransmitBoxes& boxes, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Transmit"));
    auto* group = new QGroupBox(QStringLiteral("Enable:"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Port"), group), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Stbd"), group), 0, 2, Qt::AlignHCenter);
    // The row captions are fixed texts; rows stand for the two shown heads.
    grid->addWidget(new QLabel(QStringLiteral("260 kHz"), group), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("540 kHz"), group), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("ES"), group), 3, 0);
    aPort_ = box(QStringLiteral("box1406"), boxes.aPort, group);
    aStbd_ = box(QStringLiteral("box1407"), boxes.aStbd, group);
    bPort_ = box(QStringLiteral("box1408"), boxes.bPort, group);
    bStbd_ = box(QStringLiteral("box1409"), boxes.bStbd, group);
    es_ = box(QStringLiteral("box1410"), boxes.echoSounder, group);
    grid->addWidget(aPort_, 1, 1, Qt::AlignHCenter);
    grid->addWidget(aStbd_, 1, 2, Qt::AlignHCenter);
    grid->addWidget(bPort_, 2, 1, Qt::AlignHCenter);
    grid->addWidget(bStbd_, 2, 2, Qt::AlignHCenter);
    grid->addWidget(es_, 3, 1, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(okCancel(this));
}

TransmitBoxes CXmitDlg::boxes() const {
    TransmitBoxes b;
    b.aPort = aPort_->isChecked();
    b.aStbd = aStbd_->isChecked();
    b.bPort = bPort_->isChecked();
    b.bStbd = bStbd_->isChecked();
    b.echoSounder = es_->isChecked();
    return b;
}

COrientFilterDlg::COrientFilterDlg(const Switches& s, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Orientation Filters"));
    auto* group = new QGroupBox(QStringLiteral("Enable:"), this);
    auto* col = new QVBoxLayout(group);
    pitch_ = box(QStringLiteral("box1407"), s.pitch, group, QStringLiteral("Pitch"));
    roll_ = box(QStringLiteral("box1408"), s.roll, group, QStringLiteral("Roll"));
    heading_ = box(QStringLiteral("box1409"), s.heading, group, QStringLiteral("Heading"));
    depth_ = box(QStringLiteral("box1411"), s.depth, group, QStringLiteral("Depth"));
    temp_ = box(QStringLiteral("box1412"), s.temp, group, QStringLiteral("Temp"));
    for (QCheckBox* b : {pitch_, roll_, heading_, depth_, temp_}) col->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(okCancel(this));
}

COrientFilterDlg::Switches COrientFilterDlg::switches() const {
    Switches s;
    s.pitch = pitch_->isChecked();
    s.roll = roll_->isChecked();
    s.heading = heading_->isChecked();
    s.depth = depth_->isChecked();
    s.temp = temp_->isChecked();
    return s;
}

}  // namespace hx
