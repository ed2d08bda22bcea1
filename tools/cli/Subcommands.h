// The subcommands of hx642-cli. Each lives in its own file and receives the
// arguments that follow its name; it returns the process exit status.
#pragma once

#include <QStringList>

namespace hx::cli {

struct Subcommand {
    const char* name;
    const char* usage;  // one line: "NAME ARGS..."
    int (*run)(const QStringList& args);
};

// The table in Subcommands.cpp; add a line there for a new subcommand.
extern const Subcommand kSubcommands[];
extern const int kSubcommandCount;

}  // namespace hx::cli
