#include "tools/cli/Subcommands.h"

#include <cstdio>

namespace hx::cli {

// Declared here, defined in one file each (<Name>Command.cpp).
// int runRecord(const QStringList& args);

const Subcommand kSubcommands[] = {
    {"version", "version", [](const QStringList&) {
         std::printf("hx642-cli 0.1.0\n");
         return 0;
     }},
};

const int kSubcommandCount = static_cast<int>(sizeof kSubcommands / sizeof kSubcommands[0]);

}  // namespace hx::cli
