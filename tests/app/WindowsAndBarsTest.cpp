// The main frame, its bars and the sonar windows as the program places and
// captions them: the bars as stored, the frame by its frame rectangle and
// kept on the desktop, the main view's window when restored, the default
// layout, and the captions for the head set.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "app/DefaultLayout.h"
#include "app/SettingsSession.h"
#include "app/SonarWindows.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarMView.h"
#include "tests/app/ShellTestSupport.h"

using namespace hx;
using hx::apptest::ShellApp;
using hx::apptest::waitFor;
using hx::apptest::writeShellRecording;

TEST(Bars, TheStoredBarsAreShownAtStartAndStoredAsTheyAreAtExit) {
    ShellApp shell(QStringLiteral("[Filters Enabled]\nTool Bar Visible=0\nStatus Bar Visible=0\n"));
    EXPECT_TRUE(shell.frame().toolBar()->isHidden());
    EXPECT_TRUE(shell.frame().statusBar()->isHidden());
    shell.router().updateAll();
    EXPECT_FALSE(shell.action(CommandId::ToolBar)->isChecked());
    EXPECT_FALSE(shell.action(CommandId::StatusBar)->isChecked());

    shell.action(CommandId::ToolBar)->trigger();
    EXPECT_FALSE(shell.frame().toolBar()->isHidden());
    shell.router().updateAll();
    EXPECT_TRUE(shell.action(CommandId::ToolBar)->isChecked());
    // The frame closes before the settings are saved at exit.
    shell.frame().close();
    const IniFile saved = shell.savedSettings();
    EXPECT_EQ(saved.readString("Filters Enabled", "Tool Bar Visible", "?"), "1");
    EXPECT_EQ(saved.readString("Filters Enabled", "Status Bar Visible", "?"), "0");
}

TEST(Bars, AShownToolBarIsNotStoredAsHidden) {
    ShellApp shell;
    EXPECT_FALSE(shell.frame().toolBar()->isHidden());
    shell.frame().close();
    const IniFile saved = shell.savedSettings();
    EXPECT_EQ(saved.readString("Filters Enabled", "Tool Bar Visible", "?"), "1");
    EXPECT_EQ(saved.readString("Filters Enabled", "Status Bar Visible", "?"), "1");
}

// The stored main frame rectangle is the frame's, title bar included, and
// the frame goes back to it; a rectangle edited beyond the desktop is kept
// on the desktop (the images it sizes with it).
TEST(FramePlacement, TheMainFrameGoesBackToItsFrameRectangle) {
    ShellApp shell(QStringLiteral("[Filters Enabled]\nMain Frame Left=30\nMain Frame Top=40\n"
                                  "Main Frame Right=930\nMain Frame Bottom=740\n"));
    // The size is corrected once the window manager has framed the window.
    EXPECT_TRUE(waitFor([&] { return shell.frame().frameGeometry() == QRect(30, 40, 900, 700); }, 5000));
    EXPECT_EQ(shell.frame().frameGeometry(), QRect(30, 40, 900, 700));
    const IniFile saved = shell.savedSettings();
    EXPECT_EQ(saved.readInt("Filters Enabled", "Main Frame Left", -1), 30);
    EXPECT_EQ(saved.readInt("Filters Enabled", "Main Frame Top", -1), 40);
    EXPECT_EQ(saved.readInt("Filters Enabled", "Main Frame Right", -1), 930);
    EXPECT_EQ(saved.readInt("Filters Enabled", "Main Frame Bottom", -1), 740);
}

TEST(FramePlacement, AHandEditedFrameStaysOnTheDesktop) {
    ShellApp shell(QStringLiteral("[Filters Enabled]\nMain Frame Left=0\nMain Frame Top=0\n"
                                  "Main Frame Right=100000\nMain Frame Bottom=700\n"));
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_TRUE(waitFor([&] { return shell.frame().frameGeometry().right() <= desktop.right(); }, 5000));
    EXPECT_LE(shell.frame().frameGeometry().right(), desktop.right());
    ASSERT_NE(shell.app->mainView(), nullptr);
    EXPECT_LE(shell.doc().imaging.store.imageWidth, desktop.width() + 4);
}

TEST(FramePlacement, FrameRectangleArithmetic) {
    EXPECT_EQ(clientRectForFrame(QRect(0, 0, 1000, 800), QMargins(4, 24, 4, 4)), QRect(4, 24, 992, 772));
    EXPECT_EQ(clientRectForFrame(QRect(0, 0, 5, 5), QMargins(4, 24, 4, 4)).size(), QSize(1, 1));
    // The layout is of the available area: below a desktop's top panel.
    const LayoutRects l = defaultLayout(0, 30, 1920, 1050, 30);
    EXPECT_EQ(l.mainFrame, (WindowRect{0, 30, 1536, 30 + 525 + 120}));
    EXPECT_EQ(l.esWindow.left, 1536);
    EXPECT_EQ(l.gpsTrack.bottom, 1080);
    // A missing or tiny stored rectangle takes the layout's.
    EXPECT_EQ(SettingsSession::mainFramePlace(WindowRect{}, l), toQRect(l.mainFrame));
    EXPECT_EQ(SettingsSession::mainFramePlace(WindowRect{10, 10, 100, 100}, l), toQRect(l.mainFrame));

    QWidget window;
    placeWindowFrame(&window, QRect(50, 60, 400, 300));
    window.show();
    EXPECT_TRUE(waitFor([&] { return window.frameGeometry() == QRect(50, 60, 400, 300); }, 5000));
    EXPECT_EQ(window.frameGeometry(), QRect(50, 60, 400, 300));
}

// Restored from maximized, the main view's window keeps a usable size.
TEST(SonarWindows, TheMainViewRestoresToAUsableWindow) {
    ShellApp shell;
    auto* sub = shell.frame().findChild<QMdiSubWindow*>();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isMaximized());
    sub->showNormal();
    EXPECT_GE(sub->height(), 200);
    EXPECT_GE(sub->width(), 320);
    EXPECT_EQ(sub->windowTitle(), mainViewCaption(shell.doc())) << "its caption shows while restored";
    EXPECT_TRUE(sub->windowTitle().startsWith("HX642 - Sonar ")) << sub->windowTitle().toStdString();
    sub->showMaximized();
    EXPECT_EQ(shell.frame().windowTitle(), "HX642 -- Real Time") << "the main window keeps its own caption";
}

TEST(SonarWindows, CaptionsForThreeHeads) {
    ShellApp shell({}, 30);
    ASSERT_TRUE(shell.waitPlayed(3));
    EXPECT_EQ(shell.frame().windowTitle(), "HX642 -- Playback (" + shell.recording + ")");
    shell.action(CommandId::Sonar260)->trigger();
    shell.action(CommandId::Sonar540)->trigger();
    QStringList titles;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) titles << w->windowTitle();
    EXPECT_TRUE(titles.contains("HX642 - Sonar 260 kHz")) << titles.join('|').toStdString();
    EXPECT_TRUE(titles.contains("HX642 - Sonar 540 kHz")) << titles.join('|').toStdString();
    auto* sub = shell.frame().findChild<QMdiSubWindow*>();
    sub->showNormal();
    EXPECT_EQ(sub->windowTitle(), "HX642 - Sonar 120 kHz");
}

TEST(SonarWindows, TheDualWindowAfterAHeadSetChange) {
    ShellApp shell({}, 30);  // all three sidescan heads
    ASSERT_TRUE(shell.waitPlayed(3));
    shell.action(CommandId::Sonar540)->trigger();
    QWidget* high = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "HX642 - Sonar 540 kHz") high = w;
    ASSERT_NE(high, nullptr);

    // A recording of the M and H heads only: the window that exists becomes the dual window.
    const QString pair = writeShellRecording(shell.dir.path() + QStringLiteral("/pair.642"), 30, 0b1110);
    emit shell.frame().fileDropped(pair);
    ASSERT_TRUE(waitFor([&] { return shell.doc().link.allSideScansAvailable == 0; }, 5000));
    ASSERT_TRUE(waitFor([&] { return high->windowTitle().startsWith("HX642 -- Sonar "); }, 5000))
        << high->windowTitle().toStdString();
    EXPECT_EQ(high->windowTitle(), dualWindowCaption(shell.doc()));
    EXPECT_EQ(high->windowTitle(),
              QStringLiteral("HX642 -- Sonar %1 kHz").arg(shell.doc().heads.headFrequency[kHeadH] / 1000));
    shell.router().updateAll();
    EXPECT_EQ(shell.action(CommandId::Sonar540)->text(),
              QStringLiteral("Sonar %1 kHz").arg(shell.doc().heads.headFrequency[kHeadH] / 1000));
}

// "Default Layout" moves the main frame and the open windows to the layout.
TEST(SonarWindows, DefaultLayoutPlacesTheWindows) {
    ShellApp shell({}, 30);
    ASSERT_TRUE(shell.waitPlayed(2));
    shell.action(CommandId::Sonar260)->trigger();
    shell.action(CommandId::Sonar540)->trigger();
    QWidget* medium = nullptr;
    QWidget* high = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == "HX642 - Sonar 260 kHz") medium = w;
        if (w->windowTitle() == "HX642 - Sonar 540 kHz") high = w;
    }
    ASSERT_NE(medium, nullptr);
    ASSERT_NE(high, nullptr);
    medium->move(300, 300);
    high->setGeometry(10, 10, 200, 150);
    shell.frame().setGeometry(100, 100, 500, 400);
    auto* sub = shell.frame().findChild<QMdiSubWindow*>();
    sub->showNormal();

    shell.action(CommandId::DefaultLayout)->trigger();
    const QRect screen = shell.frame().screen()->availableGeometry();
    const LayoutRects l = defaultLayout(screen.left(), screen.top(), screen.width(), screen.height(),
                                        shell.frame().toolBar()->sizeHint().height());
    EXPECT_TRUE(waitFor([&] { return shell.frame().frameGeometry() == toQRect(l.mainFrame); }, 5000));
    EXPECT_EQ(shell.frame().frameGeometry(), toQRect(l.mainFrame));
    EXPECT_TRUE(sub->isMaximized());
    WindowRect m = l.mWindow;
    m.bottom = m.top + (m.bottom - m.top) / 2;
    EXPECT_TRUE(waitFor([&] { return medium->frameGeometry() == toQRect(m) && high->frameGeometry() == toQRect(l.hWindow); },
                        5000));
    EXPECT_EQ(medium->frameGeometry(), toQRect(m)) << "the M rectangle, half its height";
    EXPECT_EQ(high->frameGeometry(), toQRect(l.hWindow));
    // Each window's image follows its own width.
    auto* hView = high->findChild<CSonarHView*>();
    ASSERT_NE(hView, nullptr);
    ASSERT_NE(hView->shownImage(), nullptr);
    EXPECT_EQ(hView->shownImage()->width(), WindowImageWidth(hView->width(), shell.doc().imaging.store));
}
