#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

#include "app/CommandRouter.h"
#include "app/HeadControlBar.h"
#include "app/HotKeysDialog.h"
#include "app/MainFrame.h"
#include "app/StatusPanes.h"

using namespace hx;

TEST(MainFrame, MenusStatusBarsAndUnhandledCommands) {
    MainFrame frame;
    const auto menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), 11);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[10]->text(), "&Help");
    EXPECT_EQ(frame.statusPanes().paneCount(0), 23);
    EXPECT_EQ(frame.statusPanes().paneCount(1), 23);
    EXPECT_EQ(frame.statusPanes().text(StatusPane::Target), "Target:");
    // Nobody handles the beam coverage yet: present, disabled, inert.
    QAction* beam = frame.router().action(CommandId::BeamCoverage);
    EXPECT_FALSE(beam->isEnabled());
    beam->trigger();
}

TEST(CommandRouter, UpdateHandlersSetStateAndText) {
    CommandRouter router;
    bool playback = false;
    int recorded = 0;
    router.setHandler(CommandId::Record, [&] { ++recorded; });
    router.setUpdater(CommandId::Record, [&](CommandState& s) {
        s.text = playback ? QStringLiteral("Copy Start...\tCtrl+S") : QStringLiteral("Record Data...\tCtrl+S");
    });
    router.setHandler(CommandId::RangeIncrease, [] {});
    router.setUpdater(CommandId::RangeIncrease, [&](CommandState& s) { s.enabled = !playback; });
    bool grid = true;
    router.setHandler(CommandId::Grid, [&] { grid = !grid; });
    router.setUpdater(CommandId::Grid, [&](CommandState& s) { s.checked = grid; }, true);

    router.updateAll();
    EXPECT_EQ(router.action(CommandId::Record)->text(), "Record Data...\tCtrl+S");
    EXPECT_TRUE(router.action(CommandId::RangeIncrease)->isEnabled());
    EXPECT_TRUE(router.action(CommandId::Grid)->isChecked());

    playback = true;
    router.updateAll();
    EXPECT_EQ(router.action(CommandId::Record)->text(), "Copy Start...\tCtrl+S");
    EXPECT_FALSE(router.action(CommandId::RangeIncrease)->isEnabled());

    router.action(CommandId::Record)->trigger();
    EXPECT_EQ(recorded, 1);
    router.action(CommandId::Grid)->trigger();
    EXPECT_FALSE(grid);
    EXPECT_FALSE(router.action(CommandId::Grid)->isChecked());
}

TEST(CommandRouter, AcceleratorsReachTheirCommands) {
    MainFrame frame;
    int holds = 0;
    frame.router().setHandler(CommandId::Hold, [&] { ++holds; });
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.activateWindow();
    QTest::keyClick(&frame, Qt::Key_H);
    QTest::keyClick(&frame, Qt::Key_H);
    EXPECT_EQ(holds, 2);
}

TEST(HeadControlBar, LayoutsAndSpinSignals) {
    HeadControlBar bar;
    int lastHead = -1, lastDelta = 0;
    QObject::connect(&bar, &HeadControlBar::gainStep, [&](int h, int d) {
        lastHead = h;
        lastDelta = d;
    });
    bar.setLayoutHeads({1, 2, 0}, 2);
    bar.setFrequencyLabel(1, QStringLiteral("540 kHz"));
    EXPECT_EQ(bar.headCount(), 2);
    EXPECT_EQ(bar.frequencyLabel(1), "540 kHz");
    bar.setGainText(5, QStringLiteral("ignored"));  // out of range: no crash
    emit bar.gainStep(2, -1);
    EXPECT_EQ(lastHead, 2);
    EXPECT_EQ(lastDelta, -1);
}

TEST(HotKeysDialog, ColumnsFillTheWidthWhenResized) {
    CHelpListDlg dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    for (int width : {400, 900, 300}) {
        dlg.resize(width, 240);
        QCoreApplication::processEvents();
        QTableWidget* t = dlg.table();
        const int used = t->columnWidth(0) + t->columnWidth(1) + t->columnWidth(2);
        EXPECT_EQ(t->columnWidth(0), 70);
        EXPECT_EQ(t->columnWidth(1), 70);
        EXPECT_EQ(used, t->viewport()->width()) << "width " << width;
    }
    EXPECT_EQ(dlg.table()->horizontalHeaderItem(2)->text(), "Discription");
    EXPECT_EQ(dlg.table()->item(0, 1)->text(), "Ctrl + N");
}
