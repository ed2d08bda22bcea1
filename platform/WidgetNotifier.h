// INotifier shown as message boxes over a parent window, without ever
// re-entering the program: a message (an OK box) is queued and shown from
// the event loop after the handler that raised it has returned, as a
// window-modal box that does not block the loop. Boxes show one at a time;
// a text already waiting or showing is not queued again, so a fault that
// repeats while the operator reads does not stack boxes. Questions (Yes/No,
// OK/Cancel) need their answer at once: they are asked only from commands,
// never from a socket, timer or serial handler.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>

#include "core/Notifier.h"


namespace hx {

class WidgetNotifier final : public QObject, public INotifier {
    Q_OBJECT
public:
    explicit WidgetNotifier(QWidget* parent);
    ~WidgetNotifier() override;

    Answer message(const std::string& text, MessageIcon icon, Buttons buttons,
                   const std::string& caption) override;

    // For tests: the box on screen (null when none) and the ones waiting.
    QMessageBox* visibleBox() const { return shown_.data(); }
    int waitingCount() const { return static_cast<int>(waiting_.size()); }
    int shownCount() const { return shownCount_; }

private:
    struct Pending {
        QString text;
        QString caption;
        MessageIcon icon;
    };
    void showNext();
    bool alreadyQueued(const QString& text) const;

    QPointer<QWidget> parent_;
    std::deque<Pending> waiting_;
    QPointer<QMessageBox> shown_;
    int shownCount_ = 0;
    bool showScheduled_ = false;
};

}  // namespace hx
