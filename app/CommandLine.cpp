#include "app/CommandLine.h"

namespace hx {

std::optional<AppOptions> parseAppOptions(const QStringList& args, QString& error) {
    AppOptions opt;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const char* name) -> std::optional<QString> {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(QLatin1String(name));
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == QLatin1String("--simulate")) {
            opt.simulate = true;
        } else if (a == QLatin1String("--settings")) {
            auto v = value("--settings");
            if (!v) return std::nullopt;
            opt.settingsPath = *v;
        } else if (a == QLatin1String("--screenshot")) {
            auto v = value("--screenshot");
            if (!v) return std::nullopt;
            opt.screenshotPath = *v;
        } else if (a == QLatin1String("--quit-after")) {
            auto v = value("--quit-after");
            if (!v) return std::nullopt;
            bool ok = false;
            opt.quitAfterSeconds = v->toInt(&ok);
            if (!ok || opt.quitAfterSeconds < 0) {
                error = QStringLiteral("--quit-after takes a whole number of seconds");
                return std::nullopt;
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(a);
            return std::nullopt;
        } else if (opt.playbackFile.isEmpty()) {
            opt.playbackFile = a;
        } else {
            error = QStringLiteral("only one file can be played back");
            return std::nullopt;
        }
    }
    return opt;
}

}  // namespace hx
