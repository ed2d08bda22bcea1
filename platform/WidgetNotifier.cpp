#include "platform/WidgetNotifier.h"

#include <QMessageBox>
#include <QTimer>

namespace hx {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

WidgetNotifier::WidgetNotifier(QWidget* parent) : parent_(parent) {}

WidgetNotifier::~WidgetNotifier() {
    if (shown_) delete shown_.data();
}

bool WidgetNotifier::alreadyQueued(const QString& text) const {
    if (shown_ && shown_->text() == text) return true;
    for (const Pending& p : waiting_)
        if (p.text == text) return true;
    return false;
}

Answer WidgetNotifier::message(const std::string& text, MessageIcon icon, Buttons buttons,
                               const std::string& caption) {
    const QString qtext = QString::fromStdString(text);
    const QString qcaption = QString::fromStdString(caption);
    if (buttons != Buttons::Ok) {
        QMessageBox box(boxIcon(icon), qcaption, qtext,
                        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                  : QMessageBox::Ok | QMessageBox::Cancel,
                        parent_);
        switch (box.exec()) {
            case QMessageBox::Yes: return Answer::Yes;
            case QMessageBox::No: return Answer::No;
            case QMessageBox::Cancel: return Answer::Cancel;
            default: return Answer::Ok;
        }
    }
    if (alreadyQueued(qtext)) return Answer::Ok;
    waiting_.push_back({qtext, qcaption, icon});
    if (!showScheduled_) {
        showScheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            showScheduled_ = false;
            showNext();
        });
    }
    return Answer::Ok;
}

void WidgetNotifier::showNext() {
    if (shown_ || waiting_.empty()) return;
    const Pending next = waiting_.front();
    waiting_.pop_front();
    auto* box = new QMessageBox(boxIcon(next.icon), next.caption, next.text, QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    shown_ = box;
    ++shownCount_;
    connect(box, &QDialog::finished, this, [this] {
        shown_.clear();
        QTimer::singleShot(0, this, &WidgetNotifier::showNext);
    });
    // Window-modal and asynchronous: the event loop, the link and the
    // recorder keep running underneath.
    box->open();
}

}  // namespace hx
