// One QAction per command id, shared by menus, toolbar and accelerators.
// Handlers run the command; update handlers set its enabled, checked and
// text state and run before a menu shows and on idle. A command nobody
// handles is shown disabled and does nothing.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

#include "app/CommandIds.h"

class QAction;
class QTimer;
class QWidget;

namespace hx {

struct CommandState {
    bool enabled = true;
    bool checked = false;
    QString text;  // empty: keep the current text
};

class CommandRouter : public QObject {
    Q_OBJECT
public:
    explicit CommandRouter(QObject* parent = nullptr);

    QAction* action(CommandId id);
    void setHandler(CommandId id, std::function<void()> handler);
    // A checkable command is one with an update handler that sets checked.
    void setUpdater(CommandId id, std::function<void(CommandState&)> updater, bool checkable = false);

    // Runs every update handler now.
    void updateAll();
    // Adds every accelerator of the table to window, so the keys work while
    // it (or any child without its own use of the key) has focus.
    void installAccelerators(QWidget* window);
    // Update handlers also run on this idle period.
    void startIdleUpdates(int intervalMs);

    void trigger(CommandId id);

private:
    struct Entry {
        QAction* action = nullptr;
        std::function<void()> handler;
        std::function<void(CommandState&)> updater;
    };
    Entry& entry(CommandId id);
    void apply(Entry& e);

    std::map<CommandId, Entry> entries_;
    QTimer* idle_ = nullptr;
};

}  // namespace hx
