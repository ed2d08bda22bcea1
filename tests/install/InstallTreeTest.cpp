// `cmake --install` of this build tree into a staging folder (DESTDIR), as a
// packager or a user installing by hand would run it: exactly the expected
// files in the usual places, a desktop entry, metadata, icon, MIME type and
// manual pages that their own tools accept, and installed programs that run
// and find each other.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <memory>
#include <vector>

#include "install/RunProgram.h"
#include "record/DataRecord.h"

namespace hx::installtest {
namespace {

const QString kVersion = QStringLiteral(HX642_EXPECTED_VERSION);
const QString kAppId = QStringLiteral(HX642_APP_ID);

struct Installed {
    QString path;  // below the staging root
    bool executable;
};

std::vector<Installed> expectedTree() {
    return {
        {"usr/bin/hx642", true},
        {"usr/bin/hx642-cli", true},
        {"usr/bin/hx642-headsim", true},
        {"usr/share/applications/" + kAppId + ".desktop", false},
        {"usr/share/icons/hicolor/scalable/apps/" + kAppId + ".svg", false},
        {"usr/share/metainfo/" + kAppId + ".metainfo.xml", false},
        {"usr/share/mime/packages/" + kAppId + ".xml", false},
        {"usr/share/man/man1/hx642.1.gz", false},
        {"usr/share/man/man1/hx642-cli.1.gz", false},
        {"usr/share/man/man1/hx642-headsim.1.gz", false},
        {"usr/share/doc/hx642/README.md", false},
        {"usr/share/doc/hx642/copyright", false},
    };
}

ProgramResult cmakeInstall(const QStringList& extra, const QProcessEnvironment& env) {
    return runProgram(QStringLiteral(HX642_CMAKE_COMMAND),
                      QStringList{QStringLiteral("--install"), QStringLiteral(HX642_BINARY_DIR)} + extra, env, 120000);
}

// One staged install for the whole suite (each test is its own process).
class InstallTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = std::make_unique<QTemporaryDir>();
        QProcessEnvironment env = childEnvironment(scratch_->path());
        env.insert(QStringLiteral("DESTDIR"), stage());
        install_ = cmakeInstall({QStringLiteral("--prefix"), QStringLiteral("/usr")}, env);
    }
    static void TearDownTestSuite() { scratch_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(scratch_->isValid());
        ASSERT_TRUE(install_.finished);
        ASSERT_EQ(install_.exitCode, 0) << install_.out.toStdString() << install_.err.toStdString();
    }

    static QString stage() { return scratch_->filePath(QStringLiteral("stage")); }
    static QString staged(const QString& relative) { return stage() + QLatin1Char('/') + relative; }
    static QProcessEnvironment env() { return childEnvironment(scratch_->path()); }

    static ProgramResult runTool(const QString& tool, const QStringList& args) {
        return runProgram(tool, args, env(), 60000);
    }

    // A settings file naming loopback heads, for every hx642 started here.
    static QString loopbackSettings() {
        const QString path = scratch_->filePath(QStringLiteral("HX642.ini"));
        QFile ini(path);
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Sonar L]\nIP Address=127.0.0.2\n[Sonar M]\nIP Address=127.0.0.3\n"
                      "[Sonar H]\nIP Address=127.0.0.4\n[Echo Sounder]\nIP Address=127.0.0.5\n");
        return path;
    }

    static std::unique_ptr<QTemporaryDir> scratch_;
    static ProgramResult install_;
};

std::unique_ptr<QTemporaryDir> InstallTree::scratch_;
ProgramResult InstallTree::install_;

// "Key=value" lines of one group of a desktop file.
QMap<QString, QString> desktopGroup(const QString& text, const QString& group) {
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0) keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

TEST_F(InstallTree, HoldsExactlyTheProgramsAndTheirDesktopFilesWithTheRightModes) {
    QStringList found;
    for (QDirIterator it(stage(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();)
        found << QDir(stage()).relativeFilePath(it.next());
    found.sort();
    QStringList expected;
    for (const Installed& f : expectedTree()) expected << f.path;
    expected.sort();
    EXPECT_EQ(found, expected);

    for (const Installed& f : expectedTree()) {
        const QFileInfo info(staged(f.path));
        EXPECT_EQ(info.isExecutable(), f.executable) << f.path.toStdString();
        EXPECT_GT(info.size(), 0) << f.path.toStdString();
        EXPECT_TRUE(info.permissions() & QFile::ReadOther) << f.path.toStdString();
    }
}

TEST_F(InstallTree, APrefixWithoutDestdirIsWhereEverythingGoes) {
    const QString prefix = scratch_->filePath(QStringLiteral("opt/hx642"));
    QProcessEnvironment plain = env();
    plain.remove(QStringLiteral("DESTDIR"));
    const ProgramResult r = cmakeInstall({QStringLiteral("--prefix"), prefix}, plain);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const Installed& f : expectedTree()) {
        const QString below = f.path.mid(QStringLiteral("usr/").size());
        EXPECT_TRUE(QFileInfo::exists(prefix + QLatin1Char('/') + below)) << below.toStdString();
    }
}

TEST_F(InstallTree, StagedProgramsReportTheProjectVersion) {
    for (const QString name : {"hx642", "hx642-cli", "hx642-headsim"}) {
        const ProgramResult r = runTool(staged(QStringLiteral("usr/bin/") + name), {QStringLiteral("--version")});
        EXPECT_EQ(r.exitCode, 0) << name.toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, name + QLatin1Char(' ') + kVersion + QLatin1Char('\n'));
    }
}

TEST_F(InstallTree, InstalledHx642FindsTheSimulatorBesideItAndOnlyThere) {
    const QStringList args{QStringLiteral("--simulate"), QStringLiteral("--settings"), loopbackSettings(),
                           QStringLiteral("--quit-after"), QStringLiteral("2")};
    const ProgramResult installed = runTool(staged(QStringLiteral("usr/bin/hx642")), args);
    ASSERT_TRUE(installed.finished);
    EXPECT_EQ(installed.exitCode, 0);
    EXPECT_FALSE(installed.err.contains(QLatin1String("head simulator"))) << installed.err.toStdString();

    // The same program alone in a folder says so: the check above means something.
    const QString lonely = scratch_->filePath(QStringLiteral("lonely"));
    ASSERT_TRUE(QDir().mkpath(lonely));
    ASSERT_TRUE(QFile::copy(staged(QStringLiteral("usr/bin/hx642")), lonely + QStringLiteral("/hx642")));
    const ProgramResult alone = runTool(lonely + QStringLiteral("/hx642"), args);
    ASSERT_TRUE(alone.finished);
    EXPECT_TRUE(alone.err.contains(QLatin1String("The head simulator hx642-headsim was not found.")))
        << alone.err.toStdString();
}

TEST_F(InstallTree, DesktopEntryIsValidAndNamesTheInstalledProgramIconAndType) {
    const QString text = readText(staged(QStringLiteral("usr/share/applications/") + kAppId + ".desktop"));
    const auto entry = desktopGroup(text, QStringLiteral("Desktop Entry"));
    const auto simulate = desktopGroup(text, QStringLiteral("Desktop Action simulate"));
    ASSERT_FALSE(entry.isEmpty());

    for (const QString& exec : {entry.value("Exec"), entry.value("TryExec"), simulate.value("Exec")}) {
        const QString program = exec.section(QLatin1Char(' '), 0, 0);
        EXPECT_TRUE(QFileInfo(staged(QStringLiteral("usr/bin/") + program)).isExecutable()) << exec.toStdString();
    }
    EXPECT_TRUE(simulate.value("Exec").contains(QLatin1String("--simulate")));
    EXPECT_TRUE(QFileInfo::exists(staged(QStringLiteral("usr/share/icons/hicolor/scalable/apps/") +
                                         entry.value("Icon") + QStringLiteral(".svg"))))
        << entry.value("Icon").toStdString();

    const QString mime = readText(staged(QStringLiteral("usr/share/mime/packages/") + kAppId + ".xml"));
    for (const QString& type : entry.value("MimeType").split(QLatin1Char(';'), Qt::SkipEmptyParts))
        EXPECT_TRUE(mime.contains(QStringLiteral("type=\"%1\"").arg(type))) << type.toStdString();

    if (!onPath(QStringLiteral("desktop-file-validate")))
        GTEST_SKIP() << "desktop-file-validate is not installed (Debian package desktop-file-utils)";
    const ProgramResult valid = runTool(QStringLiteral("desktop-file-validate"),
                                        {staged(QStringLiteral("usr/share/applications/") + kAppId + ".desktop")});
    EXPECT_EQ(valid.exitCode, 0);
    EXPECT_EQ(valid.out + valid.err, QString());
}

TEST_F(InstallTree, MetadataIsValidAndDescribesThisRelease) {
    const QString path = staged(QStringLiteral("usr/share/metainfo/") + kAppId + ".metainfo.xml");
    const QString text = readText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("<id>%1</id>").arg(kAppId)));
    EXPECT_TRUE(text.contains(QStringLiteral("<launchable type=\"desktop-id\">%1.desktop</launchable>").arg(kAppId)));
    EXPECT_TRUE(text.contains(QStringLiteral("<release version=\"%1\"").arg(kVersion)));

    if (!onPath(QStringLiteral("appstreamcli")))
        GTEST_SKIP() << "appstreamcli is not installed (Debian package appstream)";
    // The metadata on its own, and against the tree: its launchable is the
    // installed desktop entry. Not even a pedantic remark is let through.
    const ProgramResult r = runTool(QStringLiteral("appstreamcli"), {QStringLiteral("validate-tree"),
                                                                    QStringLiteral("--no-net"),
                                                                    QStringLiteral("--pedantic"), stage()});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QRegularExpression(QStringLiteral("^\\s*[EWIP]: "), QRegularExpression::MultilineOption)))
        << r.out.toStdString();
}

TEST_F(InstallTree, IconIsASelfContainedSquareSvg) {
    QFile file(staged(QStringLiteral("usr/share/icons/hicolor/scalable/apps/") + kAppId + ".svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    bool sawRoot = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (!sawRoot) {
            sawRoot = true;
            EXPECT_EQ(xml.name(), QLatin1String("svg"));
            EXPECT_EQ(xml.namespaceUri(), QLatin1String("http://www.w3.org/2000/svg"));
            const QStringList box = xml.attributes().value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '));
            ASSERT_EQ(box.size(), 4);
            EXPECT_EQ(box[2], box[3]) << "not square";
        }
        // Nothing drawn from elsewhere: no embedded or linked images.
        EXPECT_NE(xml.name(), QLatin1String("image"));
        for (const QXmlStreamAttribute& a : xml.attributes()) {
            if (a.name() == QLatin1String("href")) {
                EXPECT_TRUE(a.value().startsWith(QLatin1Char('#'))) << a.value().toString().toStdString();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(sawRoot);
}

TEST_F(InstallTree, ManualPagesFormatCleanlyAndAreIndexedUnderTheirNames) {
    if (!onPath(QStringLiteral("man")) || !onPath(QStringLiteral("lexgrog")))
        GTEST_SKIP() << "man and lexgrog are not installed (Debian package man-db)";
    for (const QString name : {"hx642", "hx642-cli", "hx642-headsim"}) {
        SCOPED_TRACE(name.toStdString());
        const QString page = staged(QStringLiteral("usr/share/man/man1/") + name + QStringLiteral(".1.gz"));
        const ProgramResult shown = runTool(QStringLiteral("man"), {QStringLiteral("--warnings"), QStringLiteral("-E"),
                                                                   QStringLiteral("UTF-8"), QStringLiteral("-l"), page});
        EXPECT_EQ(shown.exitCode, 0);
        EXPECT_EQ(shown.err, QString()) << "groff warnings";
        for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "EXIT STATUS", "SEE ALSO"})
            EXPECT_TRUE(shown.out.contains(QLatin1String(section))) << section;
        EXPECT_TRUE(shown.out.contains(QStringLiteral("HX642 ") + kVersion)) << "the footer names the version";

        // What mandb files the page under, and so what apropos and whatis find.
        const ProgramResult indexed = runTool(QStringLiteral("lexgrog"), {page});
        EXPECT_EQ(indexed.exitCode, 0);
        EXPECT_TRUE(indexed.out.contains(QStringLiteral(": \"") + name + QStringLiteral(" - "))) << indexed.out.toStdString();
    }
}

// A recording as the recorder writes it: its first record's bytes.
QByteArray firstRecordBytes() {
    DataRecord record;
    record.pingNumber = 1;
    record.dateText = "09-DEC-2026";
    record.timeText = "10:00:00";
    record.millisecondsText = ".000";
    record.headPresent = {true, false, false, true};
    std::vector<std::uint8_t> bytes;
    encodeRecord(record, bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

TEST_F(InstallTree, RecordingsAreKnownByNameAndByContent) {
    if (!onPath(QStringLiteral("update-mime-database")))
        GTEST_SKIP() << "update-mime-database is not installed (Debian package shared-mime-info)";
    // The MIME database is built in a copy, as the package manager's trigger builds it.
    const QString share = scratch_->filePath(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(share + QStringLiteral("/mime/packages")));
    ASSERT_TRUE(QFile::copy(staged(QStringLiteral("usr/share/mime/packages/") + kAppId + ".xml"),
                            share + QStringLiteral("/mime/packages/") + kAppId + ".xml"));
    QProcessEnvironment searched = env();
    searched.insert(QStringLiteral("XDG_DATA_DIRS"), share);
    const ProgramResult built =
        runProgram(QStringLiteral("update-mime-database"), {share + QStringLiteral("/mime")}, searched, 60000);
    ASSERT_EQ(built.exitCode, 0);
    EXPECT_EQ(built.err, QString());

    // This test runs in a process of its own: the database is read once, from here.
    qputenv("XDG_DATA_HOME", scratch_->filePath(QStringLiteral("nothing")).toUtf8());
    qputenv("XDG_DATA_DIRS", (share + QStringLiteral(":/usr/share")).toUtf8());
    const QMimeDatabase db;
    EXPECT_EQ(db.mimeTypeForFile(QStringLiteral("line-07.642"), QMimeDatabase::MatchExtension).name(),
              QLatin1String("application/x-hx642"));

    const QString renamed = scratch_->filePath(QStringLiteral("recording.bin"));
    const QString text = scratch_->filePath(QStringLiteral("notes.bin"));
    QFile a(renamed), b(text);
    ASSERT_TRUE(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
    a.write(firstRecordBytes());
    b.write(QByteArray("642 metres of cable paid out\n").repeated(20));
    a.close();
    b.close();
    EXPECT_EQ(db.mimeTypeForFile(renamed, QMimeDatabase::MatchContent).name(), QLatin1String("application/x-hx642"));
    EXPECT_NE(db.mimeTypeForFile(text, QMimeDatabase::MatchContent).name(), QLatin1String("application/x-hx642"));
}

}  // namespace
}  // namespace hx::installtest
