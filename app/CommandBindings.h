// Which program command runs which subsystem command: the one place where
// the command ids meet the link's and the sidescan view's own commands.
#pragma once

#include <optional>
#include <span>

#include "app/CommandIds.h"
#include "imaging/ui/ViewCommands.h"
#include "link/LinkCommands.h"

namespace hx {

struct LinkBinding {
    CommandId id;
    LinkCommand command;
    bool checkable;  // the toolbar's range and gain buttons carry no check mark
};

struct ViewBinding {
    CommandId id;
    ViewCommand command;
    bool checkable;
};

std::span<const LinkBinding> linkBindings();
std::span<const ViewBinding> viewBindings();

std::optional<LinkCommand> linkCommandFor(CommandId id);
std::optional<ViewCommand> viewCommandFor(CommandId id);

}  // namespace hx
