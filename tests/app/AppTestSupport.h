// What the program-level tests share.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include "app/CommandLine.h"
#include "settings/IniFile.h"

namespace hx::apptest {

// Runs the event loop until done() or the time is up.
inline bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The options of a program on its simulator (answering at once, for at most
// simulatorSeconds), with its settings in config and, when given, the
// settings file's text written there first.
inline AppOptions simulatedAppOptions(const QTemporaryDir& config, const QStringList& simulatorArgs,
                                      const QString& iniText, int simulatorSeconds) {
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    AppOptions options;
    options.simulate = true;
    options.unattended = true;
    options.settingsPath = config.path() + QStringLiteral("/HX642.ini");
    options.simulatorArguments = QStringList{QStringLiteral("--no-delay"), QStringLiteral("--seconds"),
                                             QString::number(simulatorSeconds)} +
                                 simulatorArgs;
    if (!iniText.isEmpty()) IniFile::fromText(iniText.toStdString()).save(options.settingsPath.toStdString());
    return options;
}

}  // namespace hx::apptest
