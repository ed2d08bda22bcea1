#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "link/ui/ConnectionDlg.h"
#include "link/ui/DiagnosticsDlg.h"
#include "link/ui/XmitDlg.h"

using namespace hx;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(ConnectionDlg, YesReturnsTheEditedAddressNoDeclines) {
    CConnectionDlg dlg(QStringLiteral("127.0.0.2"));
    EXPECT_EQ(dlg.windowTitle(), "Connection");
    EXPECT_EQ(dlg.addressEdit()->text(), "127.0.0.2");
    dlg.addressEdit()->setText(QStringLiteral(" 127.0.33.2 "));
    QTimer::singleShot(0, dlg.findChild<QPushButton*>(QStringLiteral("yes")), &QPushButton::click);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.address(), "127.0.33.2");

    CConnectionDlg no(QStringLiteral("127.0.0.2"));
    QTimer::singleShot(0, no.findChild<QPushButton*>(QStringLiteral("no")), &QPushButton::click);
    EXPECT_EQ(no.exec(), QDialog::Rejected);
}

TEST(DiagnosticsDlg, ShowsNaUntilRefreshedAndKeepsAccelerators) {
    QAction hold;
    hold.setShortcut(QKeySequence(QStringLiteral("H")));
    int holds = 0;
    QObject::connect(&hold, &QAction::triggered, [&] { ++holds; });
    CDiagnosticsDlg dlg({&hold});
    EXPECT_EQ(dlg.windowTitle(), "Diagnostics");
    for (const char* label : {"Header:", "Serial Stat:", "Frequency:", "RealTime PRF:", "Gain:", "Range:",
                              "Connection:", "Loop Time:", "Disp Time:", "Run Mode:", "Serial Number:"})
        EXPECT_EQ(dlg.fieldText(QString::fromLatin1(label)), "n/a") << label;
    DiagnosticsTexts t;
    t.connection = "Y,  Y,  Y,  Y";
    dlg.refresh(t);
    EXPECT_EQ(dlg.fieldText(QStringLiteral("Connection:")), "Y,  Y,  Y,  Y");

    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    QTest::keyClick(&dlg, Qt::Key_H);
    EXPECT_EQ(holds, 1);
}

TEST(XmitDlg, BoxesRoundTrip) {
    TransmitBoxes in;
    in.aPort = false;
    in.echoSounder = false;
    CXmitDlg dlg(in);
    EXPECT_EQ(dlg.windowTitle(), "Transmit");
    auto out = dlg.boxes();
    EXPECT_FALSE(out.aPort);
    EXPECT_TRUE(out.aStbd);
    EXPECT_FALSE(out.echoSounder);
    dlg.findChild<QCheckBox*>(QStringLiteral("box1406"))->setChecked(true);
    EXPECT_TRUE(dlg.boxes().aPort);

    COrientFilterDlg filters({true, false, true, false, true});
    EXPECT_EQ(filters.windowTitle(), "Orientation Filters");
    auto s = filters.switches();
    EXPECT_TRUE(s.pitch);
    EXPECT_FALSE(s.roll);
    EXPECT_TRUE(s.heading);
    EXPECT_FALSE(s.depth);
    EXPECT_TRUE(s.temp);
}
