// The command vocabulary as data: menu texts, status-bar prompts, the
// accelerator table, the menu bar and the toolbar. Windows are built from
// these tables; nothing else spells a command's text.
#pragma once

#include <span>
#include <vector>

#include "app/CommandIds.h"

namespace hx {

struct CommandInfo {
    CommandId id;
    const char* text;    // menu text, "&" marks the mnemonic, "\t" the shown shortcut
    const char* prompt;  // status-bar prompt while highlighted
};

struct Accelerator {
    const char* keys;    // a key sequence in portable text form, e.g. "Ctrl+N"
    CommandId id;
};

// One row of a menu: a command, a separator, a submenu or the recent files.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    CommandId id{};
    const char* title = nullptr;           // submenus
    std::vector<MenuItem> children;        // submenus
};

struct MenuSpec {
    const char* title;
    std::vector<MenuItem> items;
};

// A toolbar slot: a command or a separator (id absent).
struct ToolbarSlot {
    bool separator;
    CommandId id;
};

std::span<const CommandInfo> allCommands();
const CommandInfo* findCommand(CommandId id);
std::span<const Accelerator> acceleratorTable();
const std::vector<MenuSpec>& menuBarLayout();
std::span<const ToolbarSlot> toolbarLayout();

// The ten colour table commands in table order (table number 0..9).
std::span<const CommandId> colorTableCommands();

}  // namespace hx
