#include "link/ui/DiagnosticsDlg.h"

#include <QAction>
#include <QFormLayout>
#include <QLineEdit>

namespace hx {

namespace {

// The last four are the link's health, per head.
constexpr const char* kLabels[kDiagnosticsFields] = {
    "Header:",    "Serial Stat:",   "Frequency:", "RealTime PRF:", "Gain:",     "Range:",    "Connection:",
    "Loop Time:", "Disp Time:",     "Run Mode:",  "Serial Number:", "Pings/s:", "Refused:", "Ping Age:",
    "Rebuilds:"};

}  // namespace

CDiagnosticsDlg::CDiagnosticsDlg(const QList<QAction*>& accelerators, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Diagnostics"));
    setModal(false);
    auto* form = new QFormLayout(this);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLineEdit(QStringLiteral("n/a"), this);
        fields_[i]->setReadOnly(true);
        fields_[i]->setMinimumWidth(260);
        fields_[i]->setFocusPolicy(Qt::NoFocus);
        form->addRow(QString::fromLatin1(kLabels[i]), fields_[i]);
    }
    // The frame's shortcuts are window-wide; added here they also fire while
    // this separate window is active.
    for (QAction* a : accelerators) addAction(a);
}

void CDiagnosticsDlg::refresh(const DiagnosticsTexts& t) {
    texts_ = t;
    const std::string* values[kDiagnosticsFields] = {
        &t.header,   &t.serialStat, &t.frequency,    &t.realTimePrf, &t.gain,    &t.range,   &t.connection, &t.loopTime,
        &t.dispTime, &t.runMode,    &t.serialNumber, &t.pingRate,    &t.rejected, &t.pingAge, &t.rebuilds};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString text = QString::fromStdString(*values[i]);
        if (fields_[i]->text() != text) fields_[i]->setText(text);
    }
}

QString CDiagnosticsDlg::fieldText(const QString& label) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (label == QLatin1String(kLabels[i])) return fields_[i]->text();
    return {};
}

}  // namespace hx
