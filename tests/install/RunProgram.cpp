#include "install/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace hx::installtest {

QProcessEnvironment childEnvironment(const QString& homeDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HX642_LOOPBACK_ONLY"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), homeDir);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), homeDir + QStringLiteral("/.config"));
    // Qt warns on stderr about a missing or open runtime folder.
    const QString runtime = homeDir + QStringLiteral("/.run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("HX642_HEADSIM"));
    return env;
}

ProgramResult runProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                         int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    ProgramResult r;
    if (!process.waitForStarted(timeoutMs)) {
        r.err = process.errorString();
        return r;
    }
    r.finished = process.waitForFinished(timeoutMs);
    if (!r.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    r.crashed = process.exitStatus() != QProcess::NormalExit;
    r.exitCode = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

bool onPath(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace hx::installtest
