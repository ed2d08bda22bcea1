#include "nav/ui/ShipSpeedDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace hx {

CShipSpeedDlg::CShipSpeedDlg(SpeedSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), model_(settings) {
    setWindowTitle(QStringLiteral("Speed Info"));
    setModal(true);

    auto* group = new QGroupBox(QStringLiteral("Choose a Speed Source:"), this);
    none_ = new QRadioButton(QStringLiteral("No Speed / Program Default"), group);
    none_->setObjectName(QStringLiteral("radio1291"));
    gps_ = new QRadioButton(QStringLiteral("GPS Speed"), group);
    gps_->setObjectName(QStringLiteral("radio1288"));
    manual_ = new QRadioButton(QStringLiteral("Manual Speed"), group);
    manual_->setObjectName(QStringLiteral("radio1289"));
    auto* buttons = new QButtonGroup(this);
    for (QRadioButton* b : {none_, gps_, manual_}) buttons->addButton(b);
    auto* groupLayout = new QVBoxLayout(group);
    for (QRadioButton* b : {none_, gps_, manual_}) groupLayout->addWidget(b);

    auto* hint = new QLabel(QStringLiteral("If you choose \"Manual Speed\", please provide:"), this);
    auto* speedLabel = new QLabel(QStringLiteral("Manual Ship Speed:"), this);
    // Box and spin in one: the arrows step 0.1 knot (spin 0..100), typing
    // takes 0.0 to 10.0.
    speed_ = new QDoubleSpinBox(this);
    speed_->setObjectName(QStringLiteral("edit1292"));
    speed_->setRange(0.0, 10.0);
    speed_->setDecimals(1);
    speed_->setSingleStep(0.1);
    speed_->setKeyboardTracking(false);
    speedLabel->setBuddy(speed_);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(speedLabel);
    speedRow->addWidget(speed_);
    speedRow->addWidget(new QLabel(QStringLiteral("Knots"), this));

    correction_ = new QCheckBox(QStringLiteral("Speed Correction"), this);
    correction_->setObjectName(QStringLiteral("check1294"));

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(hint);
    layout->addLayout(speedRow);
    layout->addWidget(correction_);
    layout->addWidget(box);

    syncFromModel();

    connect(none_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) model_.chooseSource(SpeedSourceChoice::ProgramDefault);
    });
    connect(gps_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) model_.chooseSource(SpeedSourceChoice::GpsSpeed);
    });
    connect(manual_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) model_.chooseSource(SpeedSourceChoice::ManualSpeed);
    });
    connect(correction_, &QCheckBox::toggled, this, [this](bool on) { model_.setSpeedCorrection(on); });
    connect(speed_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        // An arrow step moves the spin position by one; anything else was typed.
        const int position = static_cast<int>(std::lround(v * 10.0));
        const int step = position - model_.spinPosition();
        if (step == 1 || step == -1)
            model_.stepSpin(step);
        else
            model_.setTypedSpeed(QString::number(v, 'f', 1).toStdString());
        syncFromModel();
    });
}

void CShipSpeedDlg::syncFromModel() {
    const QSignalBlocker b1(none_), b2(gps_), b3(manual_), b4(speed_), b5(correction_);
    none_->setChecked(model_.source() == SpeedSourceChoice::ProgramDefault);
    gps_->setChecked(model_.source() == SpeedSourceChoice::GpsSpeed);
    manual_->setChecked(model_.source() == SpeedSourceChoice::ManualSpeed);
    speed_->setValue(model_.workingSpeedKnots());
    correction_->setChecked(model_.speedCorrection());
}

void CShipSpeedDlg::accept() {
    // A value still being typed counts.
    speed_->interpretText();
    model_.accept(settings_);
    QDialog::accept();
}

}  // namespace hx
