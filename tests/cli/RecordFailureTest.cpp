// hx642-cli when things go wrong: no system at the address, an output file
// that cannot be created, wrong usage, "info" on files that are no sonar
// data. Each ends with a clear message and a non-zero exit status.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CliTestSupport.h"

namespace hx::clitest {
namespace {

class CliFailures : public FolderTest {};

// Nobody listens at the address: the link retries every 3 s until the time
// is up, and the program ends saying that nothing came from there. A name
// without "642" at its end is given the ".642" extension.
TEST_F(CliFailures, UnreachableSystemEndsWithNothingRecorded) {
    const QString address = loopback(70, 2);
    const std::uint16_t port = freePort(address);
    ASSERT_NE(port, 0);
    const CliResult r = runCli({"record", "--address", address, "--port", QString::number(port), "--out",
                                path(QStringLiteral("track")), "--seconds", "4"});
    ASSERT_TRUE(r.finished);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("recording to %1").arg(path(QStringLiteral("track.642")))))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("no ping was recorded: no system information came from %1 port %2").arg(address).arg(port)))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QLatin1String("time limit reached")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("track.642"))).size(), 0);
}

TEST_F(CliFailures, OutputThatCannotBeCreatedIsRefusedBeforeAnyConnection) {
    const QString address = loopback(71, 2);
    const std::uint16_t port = freePort(address);
    struct Case {
        QString out;
        QString why;
    };
    const Case cases[] = {
        {path(QStringLiteral("no/such/folder/x.642")), QStringLiteral("does not exist")},
        {QStringLiteral("/proc/hx642-cli-test.642"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out.toStdString());
        const CliResult r =
            runCli({"record", "--address", address, "--port", QString::number(port), "--out", c.out, "--seconds", "30"});
        ASSERT_TRUE(r.finished) << "must not wait for the link";
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("cannot create %1").arg(c.out))) << r.err.toStdString();
        if (!c.why.isEmpty()) {
            EXPECT_TRUE(r.err.contains(c.why)) << r.err.toStdString();
        }
        EXPECT_FALSE(r.err.contains(QLatin1String("recording to")));
        EXPECT_FALSE(QFileInfo::exists(c.out));
    }
}

TEST_F(CliFailures, WrongUsageExitsWithStatusTwoAndTheUsage) {
    const QString out = path(QStringLiteral("u.642"));
    const QString a = loopback(72, 2);
    const QStringList cases[] = {
        {"record"},
        {"record", "--address", a},
        {"record", "--out", out},
        {"record", "--address", "localhost", "--out", out},
        {"record", "--address", "127.0.72", "--out", out},
        {"record", "--address", a, "--out", out, "--pings", "0"},
        {"record", "--address", a, "--out", out, "--pings", "-3"},
        {"record", "--address", a, "--out", out, "--seconds", "abc"},
        {"record", "--address", a, "--out", out, "--port", "70000"},
        {"record", "--address", a, "--out", out, "--port", "0"},
        {"record", "--address", a, "--out", out, "--bogus", "1"},
        {"record", "--address", a, "--out", out, "--seconds"},
        {"info"},
        {"info", out, out},
        {"no-such-subcommand"},
        {},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult r = runCli(args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QLatin1String("usage:"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out)) << "nothing is created on wrong usage";
}

TEST_F(CliFailures, InfoRefusesWhatIsNoSonarDataFile) {
    QFile text(path(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(20000, 'x'));
    text.close();
    QFile junk(path(QStringLiteral("junk.642")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
    junk.write(noise);
    junk.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.642")));

    struct Case {
        QString file;
        QString message;
    };
    const Case cases[] = {
        {path(QStringLiteral("notes.txt")), QStringLiteral("not a sonar data file")},
        {path(QStringLiteral("junk.642")), QStringLiteral("no record found")},
        {path(QStringLiteral("missing.642")), QStringLiteral("no such file")},
        {path(QStringLiteral("folder.642")), QStringLiteral("not a regular file")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const CliResult r = runCli({"info", c.file});
        ASSERT_TRUE(r.finished);
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
}

}  // namespace
}  // namespace hx::clitest
