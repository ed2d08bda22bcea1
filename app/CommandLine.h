// The desktop program's command-line options.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace hx {

struct AppOptions {
    bool simulate = false;          // start the head simulator on loopback and connect to it
    QString settingsPath;           // --settings FILE; empty: the per-user default
    QString screenshotPath;         // --screenshot FILE: save the main window, then exit
    int quitAfterSeconds = -1;      // --quit-after SECONDS
    QString playbackFile;           // a .642 file to open for playback
    QString recordPath;             // --record FILE.642: record from the first cycle of the heads
    QStringList simulatorArguments; // extra hx642-headsim options (tests: "--no-delay", "--heads", ...)
    bool unattended = false;        // no operator (offscreen): dialogs confirm themselves, messages go to stderr
    bool showHelp = false;          // --help, -h: print appUsage() and exit
    bool showVersion = false;       // --version: print the version and exit
};

// Parses the arguments (without the program name and without the options Qt
// itself takes, such as -platform). On failure returns nullopt and sets error
// to a message for the operator. "--" ends the options: what follows is a file.
std::optional<AppOptions> parseAppOptions(const QStringList& args, QString& error);

// The --help text: the synopsis and one line per option.
QString appUsage();

}  // namespace hx
