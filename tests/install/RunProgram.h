// Runs a program to its end as a child process, bounded in time, and keeps
// what it printed. Every child gets HX642_LOOPBACK_ONLY=1 and its own
// configuration folders, so nothing it does reaches the network or the
// user's settings.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <ostream>

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace hx::installtest {

struct ProgramResult {
    bool finished = false;  // false: killed at the time limit
    bool crashed = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// The environment for a child: this process's, with the loopback switch on,
// the offscreen platform, HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR in
// homeDir, and without
// HX642_HEADSIM (the programs must find their siblings themselves).
QProcessEnvironment childEnvironment(const QString& homeDir);

ProgramResult runProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                         int timeoutMs = 20000);

// Whether a program of that name is on PATH.
bool onPath(const QString& name);

// The whole text of a file, or an empty string.
QString readText(const QString& path);

}  // namespace hx::installtest
