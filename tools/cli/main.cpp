// hx642-cli: unattended acquisition and file tools, without a display.
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include "tools/cli/Subcommands.h"

#ifndef HX642_VERSION
#error "HX642_VERSION comes from the project version (cmake/HX642Install.cmake)"
#endif

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: hx642-cli SUBCOMMAND [ARGS...]\n"
                      "       hx642-cli --help | --version\n\nsubcommands:\n");
    for (int i = 0; i < hx::cli::kSubcommandCount; ++i)
        std::fprintf(out, "  hx642-cli %s\n", hx::cli::kSubcommands[i].usage);
    std::fprintf(out, "\n'hx642-cli SUBCOMMAND --help' shows one subcommand's usage. See hx642-cli(1).\n");
}

// Wrong usage: what was wrong, the synopsis with the subcommands' names, and
// where the rest is.
void printShortHint(const char* problem, const QString& what) {
    std::fprintf(stderr, "hx642-cli: %s '%s'\nusage: hx642-cli SUBCOMMAND [ARGS...]  (", problem, qPrintable(what));
    for (int i = 0; i < hx::cli::kSubcommandCount; ++i)
        std::fprintf(stderr, "%s%s", i == 0 ? "" : ", ", hx::cli::kSubcommands[i].name);
    std::fprintf(stderr, ")\nTry 'hx642-cli --help' for more information.\n");
}

bool isHelp(const QString& a) { return a == QLatin1String("--help") || a == QLatin1String("-h"); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("HX642"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HX642_VERSION));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return 2;
    }
    if (isHelp(args[0])) {
        printUsage(stdout);
        return 0;
    }
    if (args[0] == QLatin1String("--version")) {
        std::printf("hx642-cli %s\n", HX642_VERSION);
        return 0;
    }
    for (int i = 0; i < hx::cli::kSubcommandCount; ++i) {
        const hx::cli::Subcommand& sub = hx::cli::kSubcommands[i];
        if (args[0] != QLatin1String(sub.name)) continue;
        // Asking for help never starts the work (a recording, a render).
        for (const QString& a : args.mid(1)) {
            if (isHelp(a)) {
                std::printf("usage: hx642-cli %s\n", sub.usage);
                return 0;
            }
        }
        return sub.run(args.mid(1));
    }
    printShortHint(args[0].startsWith(QLatin1Char('-')) ? "unknown option" : "unknown subcommand", args[0]);
    return 2;
}
