#include "app/CommandRouter.h"

#include <QAction>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>

#include "app/CommandTable.h"

namespace hx {

CommandRouter::CommandRouter(QObject* parent) : QObject(parent) {}

CommandRouter::Entry& CommandRouter::entry(CommandId id) {
    Entry& e = entries_[id];
    if (!e.action) {
        const CommandInfo* info = findCommand(id);
        e.action = new QAction(this);
        e.action->setData(static_cast<int>(id));
        if (info) {
            e.action->setText(QString::fromLatin1(info->text));
            e.action->setStatusTip(QString::fromLatin1(info->prompt));
            e.action->setToolTip(QString::fromLatin1(info->prompt));
        }
        e.action->setEnabled(false);
        connect(e.action, &QAction::triggered, this, [this, id] { trigger(id); });
    }
    return e;
}

QAction* CommandRouter::action(CommandId id) { return entry(id).action; }

void CommandRouter::setHandler(CommandId id, std::function<void()> handler) {
    Entry& e = entry(id);
    e.handler = std::move(handler);
    apply(e);
}

void CommandRouter::setUpdater(CommandId id, std::function<void(CommandState&)> updater, bool checkable) {
    Entry& e = entry(id);
    e.updater = std::move(updater);
    e.action->setCheckable(checkable);
    apply(e);
}

void CommandRouter::apply(Entry& e) {
    CommandState state;
    state.enabled = static_cast<bool>(e.handler);
    state.checked = e.action->isChecked();
    if (e.updater) e.updater(state);
    if (!e.handler) state.enabled = false;
    e.action->setEnabled(state.enabled);
    if (e.action->isCheckable()) e.action->setChecked(state.checked);
    // An update handler whose text varies sets it every time; others keep
    // whatever text the action has (the table's, or the recent-file name).
    if (!state.text.isEmpty() && e.action->text() != state.text) e.action->setText(state.text);
}

void CommandRouter::updateAll() {
    for (auto& kv : entries_) apply(kv.second);
}

void CommandRouter::installAccelerators(QWidget* window) {
    for (const Accelerator& acc : acceleratorTable()) {
        QAction* a = action(acc.id);
        QList<QKeySequence> keys = a->shortcuts();
        const QKeySequence seq(QString::fromLatin1(acc.keys));
        if (!keys.contains(seq)) keys.append(seq);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
}

void CommandRouter::startIdleUpdates(int intervalMs) {
    if (!idle_) {
        idle_ = new QTimer(this);
        connect(idle_, &QTimer::timeout, this, &CommandRouter::updateAll);
    }
    idle_->start(intervalMs);
}

void CommandRouter::trigger(CommandId id) {
    Entry& e = entry(id);
    apply(e);
    if (e.handler && e.action->isEnabled()) e.handler();
    updateAll();
}

}  // namespace hx
