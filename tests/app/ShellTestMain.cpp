// The shell tests run offscreen on one screen the size of an operator's
// monitor (1920 × 1080), with window frames round the windows, so that the
// main frame, its bars and the layouts fit as they do on the real desktop.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString config = dir.path() + QStringLiteral("/screens.json");
    QFile file(config);
    if (dir.isValid() && file.open(QIODevice::WriteOnly)) {
        file.write(R"({"windowFrameMargins": true,
 "screens": [{"name": "operator", "x": 0, "y": 0, "width": 1920, "height": 1080,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
