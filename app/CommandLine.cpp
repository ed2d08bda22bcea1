#include "app/CommandLine.h"

#include <QFileInfo>

namespace hx {

namespace {
constexpr int kQuitAfterMaxSeconds = 2147483;
}  // namespace

QString appUsage() {
    return QStringLiteral(
        "usage: hx642 [options] [FILE.642]\n"
        "\n"
        "Surface program of the HX642 multi-frequency sidescan sonar.\n"
        "\n"
        "options:\n"
        "  --simulate            start the head simulator on loopback and connect to it\n"
        "  --replay-xtf FILE     with --simulate: the simulator replays the sonar returns\n"
        "                        of this XTF recording\n"
        "  --settings FILE       use this settings file instead of ~/.config/hx642/HX642.ini\n"
        "  --screenshot FILE     with --quit-after: save what the screen shows of the main\n"
        "                        window to FILE before exiting\n"
        "  --record FILE.642     record to FILE.642 from the moment the heads run\n"
        "  --quit-after SECONDS  exit cleanly after that many seconds\n"
        "  --help, -h            print this help and exit\n"
        "  --version             print the version and exit\n"
        "  FILE.642              open a recording for playback\n"
        "\n"
        "Without a display the program draws offscreen. See hx642(1).\n");
}

std::optional<AppOptions> parseAppOptions(const QStringList& args, QString& error) {
    AppOptions opt;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const char* name) -> std::optional<QString> {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(QLatin1String(name));
                return std::nullopt;
            }
            return args[++i];
        };
        const bool isOption = !optionsEnded && a.size() > 1 && a.startsWith(QLatin1Char('-'));
        if (!isOption) {
            if (!opt.playbackFile.isEmpty()) {
                error = QStringLiteral("only one file can be played back");
                return std::nullopt;
            }
            opt.playbackFile = a;
        } else if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            opt.showHelp = true;
        } else if (a == QLatin1String("--version")) {
            opt.showVersion = true;
        } else if (a == QLatin1String("--simulate")) {
            opt.simulate = true;
        } else if (a == QLatin1String("--settings")) {
            auto v = value("--settings");
            if (!v) return std::nullopt;
            opt.settingsPath = *v;
        } else if (a == QLatin1String("--screenshot")) {
            auto v = value("--screenshot");
            if (!v) return std::nullopt;
            opt.screenshotPath = *v;
        } else if (a == QLatin1String("--record")) {
            auto v = value("--record");
            if (!v) return std::nullopt;
            if (v->isEmpty()) {
                error = QStringLiteral("--record needs a file name");
                return std::nullopt;
            }
            opt.recordPath = *v;
        } else if (a == QLatin1String("--replay-xtf")) {
            auto v = value("--replay-xtf");
            if (!v) return std::nullopt;
            const QFileInfo file(*v);
            if (!file.isFile() || !file.isReadable()) {
                error = QStringLiteral("--replay-xtf: cannot read %1").arg(*v);
                return std::nullopt;
            }
            // The simulator runs in its own folder: it gets the whole path.
            opt.simulatorArguments << QStringLiteral("--replay-xtf") << file.absoluteFilePath();
        } else if (a == QLatin1String("--quit-after")) {
            auto v = value("--quit-after");
            if (!v) return std::nullopt;
            bool ok = false;
            opt.quitAfterSeconds = v->toInt(&ok);
            // The timer counts milliseconds in an int: about 24 days at most.
            if (!ok || opt.quitAfterSeconds < 0 || opt.quitAfterSeconds > kQuitAfterMaxSeconds) {
                error = QStringLiteral("--quit-after takes a whole number of seconds from 0 to %1").arg(kQuitAfterMaxSeconds);
                return std::nullopt;
            }
        } else {
            error = QStringLiteral("unknown option %1").arg(a);
            return std::nullopt;
        }
    }
    // The picture is taken by the --quit-after timer; without it the file
    // would silently never be written.
    const bool onlyAsking = opt.showHelp || opt.showVersion;
    if (!onlyAsking && !opt.screenshotPath.isEmpty() && opt.quitAfterSeconds < 0) {
        error = QStringLiteral("--screenshot needs --quit-after");
        return std::nullopt;
    }
    if (!onlyAsking && !opt.simulatorArguments.isEmpty() && !opt.simulate) {
        error = QStringLiteral("--replay-xtf needs --simulate");
        return std::nullopt;
    }
    if (!onlyAsking && !opt.recordPath.isEmpty() && !opt.playbackFile.isEmpty()) {
        error = QStringLiteral("--record records the heads: it cannot be used with a file to play back");
        return std::nullopt;
    }
    return opt;
}

}  // namespace hx
