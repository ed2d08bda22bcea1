// hx642-cli render: a recording from the simulator played through the
// waterfall pipeline into images, decoded again and checked.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "CliTestSupport.h"

namespace hx::clitest {
namespace {

// Rows with any pixel that is not black.
int drawnRows(const QImage& image) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

class Render : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        ASSERT_TRUE(dir.isValid());
    }
    // A recording of `pings` cycles from the simulator's given heads.
    QString record(int net, const QString& heads, int pings) {
        HeadSimulator sim;
        EXPECT_TRUE(sim.start(net, {QStringLiteral("--heads"), heads}));
        const QString out = dir.filePath(QStringLiteral("survey%1.642").arg(net));
        const CliResult r = runCli({QStringLiteral("record"), QStringLiteral("--address"), sim.address(0),
                                    QStringLiteral("--port"), QString::number(sim.port()), QStringLiteral("--out"), out,
                                    QStringLiteral("--pings"), QString::number(pings)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return out;
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(Render, FourHeadsGiveTheCompositeAndOneImagePerHead) {
    const QString file = record(74, QStringLiteral("LMHE"), 60);
    const QString out = path(QStringLiteral("wf.png"));
    const CliResult r = runCli({QStringLiteral("render"), file, QStringLiteral("--out"), out, QStringLiteral("--width"),
                                QStringLiteral("500"), QStringLiteral("--no-speed-correction")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("60 records, 60 drawn"))) << r.err.toStdString();

    for (const char* name : {"wf.png", "wf-L.png", "wf-M.png", "wf-H.png"}) {
        QImage image(path(QLatin1String(name)));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.width(), 500) << name;
        EXPECT_EQ(image.height(), 500) << name;
        // Without speed correction a ping covers imageWidth / 2000 rows:
        // 60 pings at 500 pixels fill 15 rows from the top, the rest is black.
        const int rows = drawnRows(image);
        EXPECT_GE(rows, 14) << name;
        EXPECT_LE(rows, 16) << name;
        EXPECT_NE(image.pixel(250, 2) & 0xFFFFFF, 0u) << name << ": the nadir holds the water column";
        EXPECT_EQ(image.pixel(250, 400) & 0xFFFFFF, 0u) << name;
    }
}

TEST_F(Render, TwoHeadsGiveTheirImagesOnly) {
    const QString file = record(75, QStringLiteral("LE"), 20);
    const QString out = path(QStringLiteral("pair.png"));
    const CliResult r = runCli({QStringLiteral("render"), file, QStringLiteral("--out"), out, QStringLiteral("--width"),
                                QStringLiteral("400"), QStringLiteral("--side"), QStringLiteral("stbd"),
                                QStringLiteral("--table"), QStringLiteral("3")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("pair-M.png"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("pair-H.png"))));
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    // Table 3 is grey: every drawn pixel has equal red, green and blue.
    for (int x = 0; x < image.width(); x += 7) {
        const QRgb p = image.pixel(x, 0);
        EXPECT_EQ(qRed(p), qGreen(p));
        EXPECT_EQ(qGreen(p), qBlue(p));
    }
}

TEST_F(Render, BadRequestsAreRefusedWithAMessage) {
    EXPECT_EQ(runCli({QStringLiteral("render")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("render"), path(QStringLiteral("a.642"))}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("render"), path(QStringLiteral("a.642")), QStringLiteral("--out"),
                      path(QStringLiteral("a.png")), QStringLiteral("--width"), QStringLiteral("5")})
                  .exitCode,
              2);
    EXPECT_EQ(runCli({QStringLiteral("render"), path(QStringLiteral("a.642")), QStringLiteral("--out"),
                      path(QStringLiteral("a.png")), QStringLiteral("--side"), QStringLiteral("up")})
                  .exitCode,
              2);

    // Not a sonar data file, and a missing one.
    QFile text(path(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("survey notes\n");
    text.close();
    const CliResult wrongType = runCli({QStringLiteral("render"), text.fileName(), QStringLiteral("--out"),
                                        path(QStringLiteral("n.png"))});
    EXPECT_EQ(wrongType.exitCode, 1);
    EXPECT_FALSE(wrongType.err.isEmpty());
    EXPECT_EQ(runCli({QStringLiteral("render"), path(QStringLiteral("missing.642")), QStringLiteral("--out"),
                      path(QStringLiteral("m.png"))})
                  .exitCode,
              1);

    // An output that cannot be written.
    const QString file = record(76, QStringLiteral("LE"), 5);
    const CliResult unwritable = runCli({QStringLiteral("render"), file, QStringLiteral("--out"),
                                         path(QStringLiteral("no/such/folder/x.png"))});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("cannot write"))) << unwritable.err.toStdString();
}

}  // namespace
}  // namespace hx::clitest
