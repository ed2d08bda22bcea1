#include "link/ui/ConnectionDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hx {

CConnectionDlg::CConnectionDlg(const QString& address, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Connection"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Click \"YES\" for real-time data acquisition and click \"NO\" for file playback"), this));
    layout->addWidget(new QLabel(QStringLiteral("Try to connect ?"), this));
    auto* form = new QFormLayout;
    edit_ = new QLineEdit(address, this);
    edit_->setObjectName(QStringLiteral("ipAddress"));
    form->addRow(QStringLiteral("IP address:"), edit_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* yes = buttons->addButton(QStringLiteral("YES"), QDialogButtonBox::AcceptRole);
    QPushButton* no = buttons->addButton(QStringLiteral("NO"), QDialogButtonBox::RejectRole);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    yes->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString CConnectionDlg::address() const { return edit_->text().trimmed(); }

}  // namespace hx
