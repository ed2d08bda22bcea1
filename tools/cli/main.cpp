// hx642-cli: unattended acquisition and file tools, without a display.
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include "tools/cli/Subcommands.h"

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: hx642-cli SUBCOMMAND [ARGS...]\n\nsubcommands:\n");
    for (int i = 0; i < hx::cli::kSubcommandCount; ++i)
        std::fprintf(out, "  hx642-cli %s\n", hx::cli::kSubcommands[i].usage);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("HX642"));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        printUsage(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    for (int i = 0; i < hx::cli::kSubcommandCount; ++i) {
        if (args[0] == QLatin1String(hx::cli::kSubcommands[i].name))
            return hx::cli::kSubcommands[i].run(args.mid(1));
    }
    std::fprintf(stderr, "hx642-cli: unknown subcommand '%s'\n", qPrintable(args[0]));
    printUsage(stderr);
    return 2;
}
