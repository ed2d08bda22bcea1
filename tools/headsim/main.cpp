// hx642-headsim: simulated sonar heads on loopback TCP servers, for running
// and testing the surface program without hardware. See --help.
#include "tools/headsim/Simulator.h"
#include "tools/headsim/model/SimOptions.h"
#include "tools/headsim/model/XtfReplay.h"

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#ifndef HX642_VERSION
#error "HX642_VERSION comes from the project version (cmake/HX642Install.cmake)"
#endif

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);

    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    const hx::sim::ParsedOptions parsed = hx::sim::parseSimOptions(args);
    if (parsed.help) {
        std::fputs(hx::sim::simUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.version) {
        std::printf("hx642-headsim %s\n", HX642_VERSION);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "hx642-headsim: %s\nTry 'hx642-headsim --help' for more information.\n",
                     parsed.error.c_str());
        return 2;
    }

    // A recording to replay is read before any server listens: a file that
    // cannot be replayed is a usage error like a bad option.
    std::shared_ptr<hx::sim::XtfReplay> replay;
    if (!parsed.options.replayXtfPath.empty()) {
        std::string error;
        replay = hx::sim::XtfReplay::open(parsed.options.replayXtfPath, error);
        if (!replay) {
            std::fprintf(stderr, "hx642-headsim: %s\n", error.c_str());
            return 2;
        }
        std::fprintf(stderr, "hx642-headsim: %s\n", replay->summary().c_str());
    }

    hx::sim::Simulator simulator(parsed.options);
    if (replay) simulator.replayFrom(std::move(replay));
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "hx642-headsim: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return QCoreApplication::exec();
}
