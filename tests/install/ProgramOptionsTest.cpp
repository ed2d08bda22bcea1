// The three programs' command lines as a user meets them: --version,
// --help, wrong usage (exit status 2 with a short message), and the options
// the README lists being the ones the programs and their manual pages know.
//
// Every hx642 run here carries --simulate and a settings file with loopback
// heads, so that even a parser that wrongly accepted its arguments would only
// ever reach the simulator on loopback.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "install/RunProgram.h"

namespace hx::installtest {
namespace {

const QString kVersion = QStringLiteral(HX642_EXPECTED_VERSION);

QString programPath(const QString& name) {
    const QString bin = QStringLiteral(HX642_BINARY_DIR);
    if (name == QLatin1String("hx642")) return bin + QStringLiteral("/app/hx642");
    if (name == QLatin1String("hx642-cli")) return bin + QStringLiteral("/tools/cli/hx642-cli");
    return bin + QStringLiteral("/tools/headsim/hx642-headsim");
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        settings_ = home_.filePath(QStringLiteral("HX642.ini"));
        QFile ini(settings_);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Sonar L]\nIP Address=127.0.0.2\n[Sonar M]\nIP Address=127.0.0.3\n"
                  "[Sonar H]\nIP Address=127.0.0.4\n[Echo Sounder]\nIP Address=127.0.0.5\n");
    }

    ProgramResult run(const QString& name, const QStringList& args, int timeoutMs = 20000) {
        return runProgram(programPath(name), args, childEnvironment(home_.path()), timeoutMs);
    }

    // What every hx642 run starts with (see the top of this file).
    QStringList safeHx642() const { return {QStringLiteral("--simulate"), QStringLiteral("--settings"), settings_}; }

    QTemporaryDir home_;
    QString settings_;
};

// ---- --version and --help on all three ----

// "hx642-cli" -> "hx642_cli": test names take no dashes.
std::string testName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) c = c == '-' ? '_' : c;
    return name;
}

class EveryProgram : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EveryProgram, VersionIsTheProjectVersionOnOneLine) {
    const QString name = QLatin1String(GetParam());
    const ProgramResult r = run(name, {QStringLiteral("--version")});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, name + QLatin1Char(' ') + kVersion + QLatin1Char('\n'));
    EXPECT_EQ(r.err, QString());
}

TEST_P(EveryProgram, HelpGoesToStandardOutputAndNamesHelpAndVersion) {
    const QString name = QLatin1String(GetParam());
    for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        SCOPED_TRACE(flag.toStdString());
        const ProgramResult r = run(name, {flag});
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("usage: ") + name + QLatin1Char(' '))) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QLatin1String("--help"))) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QLatin1String("--version"))) << r.out.toStdString();
        EXPECT_EQ(r.err, QString());
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgram, ::testing::Values("hx642", "hx642-cli", "hx642-headsim"),
                         testName);

TEST_F(ProgramTest, Hx642AnswersVersionWithoutAWindowSystem) {
    // --version must not need a display: an unreachable X server and no
    // offscreen fallback would make any window-system start fail.
    QProcessEnvironment env = childEnvironment(home_.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4242"));
    const ProgramResult r = runProgram(programPath(QStringLiteral("hx642")), {QStringLiteral("--version")}, env);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("hx642 ") + kVersion + QLatin1Char('\n'));
}

TEST_F(ProgramTest, CliSubcommandHelpPrintsItsUsageAndDoesNothingElse) {
    // record --help must not start a recording (there is no address to
    // record from; a recorder that started would fail with status 1).
    const struct {
        QStringList args;
        const char* usage;
    } cases[] = {
        {{"record", "--help"}, "usage: hx642-cli record --address A.B.C.D"},
        {{"record", "--address", "127.0.0.1", "-h"}, "usage: hx642-cli record --address A.B.C.D"},
        {{"render", "x.642", "--help"}, "usage: hx642-cli render FILE.642 --out IMAGE.png"},
        {{"utm", "--help"}, "usage: hx642-cli utm LAT LON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const ProgramResult r = run(QStringLiteral("hx642-cli"), c.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.startsWith(QLatin1String(c.usage))) << r.out.toStdString();
        EXPECT_EQ(r.err, QString());
    }
}

// ---- wrong usage ----

struct WrongUsage {
    const char* program;
    QStringList args;
    const char* message;  // what stderr must say
};

// hx642's own; the other two programs' refusals are tested with their
// parsers (tests/tools, tests/cli): here only that they stay short.
std::vector<WrongUsage> wrongUsages() {
    return {
        {"hx642", {"--bogus"}, "unknown option --bogus"},
        {"hx642", {"-x"}, "unknown option -x"},
        {"hx642", {"--settings"}, "--settings needs a value"},
        {"hx642", {"--quit-after", "ten"}, "--quit-after takes a whole number of seconds"},
        {"hx642", {"--quit-after", "-1"}, "--quit-after takes a whole number of seconds"},
        // Beyond what the millisecond timer holds: once, this overflowed.
        {"hx642", {"--quit-after", "3000000"}, "--quit-after takes a whole number of seconds"},
        {"hx642", {"--quit-after", "1", "a.642", "b.642"}, "only one file can be played back"},
        {"hx642", {"--screenshot", "never.png"}, "--screenshot needs --quit-after"},
        {"hx642", {"--replay-xtf", "/nonexistent/wreck.xtf"}, "--replay-xtf: cannot read /nonexistent/wreck.xtf"},
        {"hx642-headsim", {"--seconds", "1", "--bogus"}, "unknown option: --bogus"},
        {"hx642-cli", {"bogus"}, "unknown subcommand 'bogus'"},
        {"hx642-cli", {"--bogus"}, "unknown option '--bogus'"},
    };
}

TEST_F(ProgramTest, WrongUsageExitsWithStatusTwoAndAShortMessage) {
    for (const WrongUsage& c : wrongUsages()) {
        const QString name = QLatin1String(c.program);
        QStringList args = c.args;
        if (name == QLatin1String("hx642")) args = safeHx642() + args;
        SCOPED_TRACE((name + QLatin1Char(' ') + args.join(QLatin1Char(' '))).toStdString());
        const ProgramResult r = run(name, args, 15000);
        ASSERT_TRUE(r.finished) << "still running: the arguments were taken";
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        EXPECT_LE(r.err.count(QLatin1Char('\n')), 3) << "not short:\n" << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
}

// ---- the README, --help and the manual pages agree ----

QSet<QString> longOptions(const QString& text) {
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z0-9-]*[a-z0-9]"));
    QSet<QString> found;
    for (auto it = option.globalMatch(text); it.hasNext();) found.insert(it.next().captured());
    return found;
}

// The README's section on one program: from "### NAME," to the next heading.
QString readmeSection(const QString& name) {
    const QString readme = readText(QStringLiteral(HX642_SOURCE_DIR "/README.md"));
    const qsizetype start = readme.indexOf(QStringLiteral("\n### ") + name + QLatin1Char(','));
    if (start < 0) return {};
    const qsizetype end = readme.indexOf(QStringLiteral("\n#"), start + 1);
    return readme.mid(start, end < 0 ? -1 : end - start);
}

// A manual page's source as plain text: roff's "\-" is a "-".
QString manualText(const QString& name) {
    return readText(QStringLiteral(HX642_SOURCE_DIR "/dist/man/") + name + QStringLiteral(".1"))
        .replace(QLatin1String("\\-"), QLatin1String("-"));
}

class DocumentedProgram : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DocumentedProgram, EveryOptionInTheReadmeIsInHelpAndTheManualPage) {
    const QString name = QLatin1String(GetParam());
    const QSet<QString> readme = longOptions(readmeSection(name));
    ASSERT_GE(readme.size(), 3) << "no option found in the README's section on " << name.toStdString();
    const QString help = run(name, {QStringLiteral("--help")}).out;
    const QString manual = manualText(name);
    for (const QString& option : readme) {
        EXPECT_TRUE(longOptions(help).contains(option)) << option.toStdString() << " is not in --help";
        EXPECT_TRUE(longOptions(manual).contains(option)) << option.toStdString() << " is not in the manual page";
    }
}

TEST_P(DocumentedProgram, EveryOptionInHelpIsInTheManualPage) {
    const QString name = QLatin1String(GetParam());
    const QSet<QString> help = longOptions(run(name, {QStringLiteral("--help")}).out);
    ASSERT_GE(help.size(), 3);
    const QSet<QString> manual = longOptions(manualText(name));
    for (const QString& option : help) EXPECT_TRUE(manual.contains(option)) << option.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, DocumentedProgram, ::testing::Values("hx642", "hx642-cli", "hx642-headsim"),
                         testName);

}  // namespace
}  // namespace hx::installtest
