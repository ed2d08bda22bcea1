// The whole program against the head simulator, offscreen: start-up to the
// live waterfall, the status bars, diagnostics, menus and the head set.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>

#include <functional>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "tests/app/AppTestSupport.h"
#include "app/StatusPanes.h"
#include "core/LoopbackOnly.h"
#include "imaging/WaterfallStore.h"
#include "link/ui/DiagnosticsDlg.h"
#include "platform/QtHeadConnections.h"
#include "settings/IniFile.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {


struct LiveApp {
    QTemporaryDir config;
    std::unique_ptr<SkerryApp> app;

    explicit LiveApp(QStringList simulatorArgs, const QString& iniText = {}) {
        app = std::make_unique<SkerryApp>(apptest::simulatedAppOptions(config, simulatorArgs, iniText, 60));
        app->start();
    }
    CSkerryDoc& doc() { return app->doc(); }
    MainFrame& frame() { return app->frame(); }
    QAction* action(CommandId id) { return frame().router().action(id); }
};

}  // namespace

TEST(LiveApp, StartsToALiveWaterfallWithStatusValues) {
    LiveApp live({});
    ASSERT_TRUE(waitFor([&] { return live.doc().cycle.goodCycleCount >= 30; }, 30000))
        << "cycles: " << live.doc().cycle.goodCycleCount;
    const WaterfallStore& store = live.doc().imaging.store;
    EXPECT_TRUE(store.imagesReady);
    EXPECT_GT(store.totalRows, 0);
    EXPECT_EQ(live.doc().link.allSideScansAvailable, 1);
    EXPECT_TRUE(live.frame().windowTitle().startsWith("HX642 -- Real Time")) << live.frame().windowTitle().toStdString();

    // The rows hold sonar, and never the overlay index 255.
    bool anyEcho = false;
    for (int row = 0; row < std::min<std::int64_t>(store.validRows, 20); ++row) {
        for (std::uint8_t v : HeadImageRow(store, kHeadM, row)) {
            anyEcho = anyEcho || v > 0;
            ASSERT_NE(v, 255);
        }
    }
    EXPECT_TRUE(anyEcho);

    StatusPanes& panes = live.frame().statusPanes();
    EXPECT_EQ(panes.text(StatusPane::Gain), "6 6 6 6");
    EXPECT_TRUE(panes.text(StatusPane::Depth).endsWith(" m"));
    EXPECT_FALSE(panes.text(StatusPane::Pitch).isEmpty());

    // Diagnostics: four-head layout, every head connected.
    live.action(CommandId::Diagnostics)->trigger();
    auto* diag = live.frame().findChild<CDiagnosticsDlg*>();
    ASSERT_NE(diag, nullptr);
    ASSERT_TRUE(waitFor([&] { return diag->fieldText(QStringLiteral("Connection:")) == "Y,  Y,  Y,  Y"; }, 5000))
        << diag->fieldText(QStringLiteral("Connection:")).toStdString();
    EXPECT_TRUE(diag->fieldText(QStringLiteral("Frequency:")).endsWith(" kHz"));
    EXPECT_EQ(diag->fieldText(QStringLiteral("Range:")), "50 m,   50 m");
    // Link health: the second tick measures the first interval's rates.
    const auto rates = [&] { return diag->fieldText(QStringLiteral("Pings/s:")); };
    ASSERT_TRUE(waitFor([&] { return rates() != "n/a" && !rates().startsWith("0.0,"); }, 5000)) << rates().toStdString();
    EXPECT_FALSE(diag->fieldText(QStringLiteral("Ping Age:")).contains('-')) << "every head has a good ping";
    EXPECT_EQ(diag->fieldText(QStringLiteral("Refused:")), "0,  0,  0,  0");

    // Units: the control bar and the diagnostics follow.
    live.action(CommandId::UnitsImperial)->trigger();
    EXPECT_EQ(live.doc().view.units, 1);
    EXPECT_TRUE(live.action(CommandId::UnitsImperial)->isChecked());
    ASSERT_TRUE(waitFor([&] { return diag->fieldText(QStringLiteral("Range:")) == "150 ft,   150 ft"; }, 5000));
}

TEST(LiveApp, MenusFollowTheModeAndTheHeadSet) {
    // M, H and ES only: L absent, so the pair is (1, 2).
    LiveApp live({QStringLiteral("--heads"), QStringLiteral("MHE")});
    ASSERT_TRUE(waitFor([&] { return live.doc().cycle.goodCycleCount >= 5; }, 30000));
    EXPECT_EQ(live.doc().link.allSideScansAvailable, 0);
    EXPECT_EQ(live.doc().link.displayHeadA, 1);
    EXPECT_EQ(live.doc().link.displayHeadB, 2);
    live.frame().router().updateAll();
    EXPECT_FALSE(live.action(CommandId::Sonar120)->isEnabled());
    EXPECT_TRUE(live.action(CommandId::Sonar540)->text().startsWith("Sonar "));
    EXPECT_EQ(live.frame().statusPanes().text(StatusPane::Gain), "6 6 6");

    // Real time: record, reconnect and the range buttons are there.
    EXPECT_EQ(live.action(CommandId::Record)->text(), "Record Data...\tCtrl+S");
    EXPECT_TRUE(live.action(CommandId::Reconnect)->isEnabled());
    EXPECT_TRUE(live.action(CommandId::RangeIncrease)->isEnabled());
    const int range = live.doc().heads.sideScanRange;
    live.action(CommandId::RangeIncrease)->trigger();
    EXPECT_GT(live.doc().heads.sideScanRange, range);

    // The second sidescan window takes the pair's second head and says so.
    live.action(CommandId::Sonar260)->trigger();
    bool found = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        found = found || (w->isVisible() && w->windowTitle() == "HX642 - Sonar 540 kHz");
    EXPECT_TRUE(found);

    // The instrument windows' commands follow the head set: an echo sounder,
    // and the simulator's orientation sensor.
    EXPECT_TRUE(live.action(CommandId::EchoSounder)->isEnabled());
    EXPECT_TRUE(live.action(CommandId::BeamCoverage)->isEnabled());
}

// Night mode from the settings file at start, its brightness keys, and the
// day given back exactly: the window colours and the chosen table.
TEST(LiveApp, NightModeDimsEverythingAndGivesTheDayBack) {
    const QPalette dayPalette = QApplication::palette();
    LiveApp live({}, QStringLiteral("[System]\nNight Mode=1\nNight Brightness=4\n[View]\nColor Table=3\n"));
    ASSERT_TRUE(waitFor([&] { return live.doc().cycle.goodCycleCount >= 20; }, 30000));
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 40);
    EXPECT_EQ(live.doc().palette.nightBrightness, 4);
    // The middle of the waterfall: red only.
    const auto redOnly = [&] {
        const QImage shot = live.app->mainView()->grab().toImage();
        const QRect middle(shot.width() / 4, shot.height() / 3, shot.width() / 2, shot.height() / 3);
        bool anyRed = false;
        for (int y = middle.top(); y < middle.bottom(); y += 7)
            for (int x = middle.left(); x < middle.right(); x += 5) {
                const QColor c = shot.pixelColor(x, y);
                if (c.green() != 0 || c.blue() != 0) return false;
                anyRed = anyRed || c.red() > 0;
            }
        return anyRed;
    };
    EXPECT_TRUE(redOnly());

    live.frame().router().updateAll();
    EXPECT_TRUE(live.action(CommandId::NightMode)->isChecked());
    live.action(CommandId::NightBrighter)->trigger();
    live.frame().router().updateAll();
    EXPECT_EQ(live.doc().palette.nightBrightness, 5);
    EXPECT_FALSE(live.action(CommandId::NightBrighter)->isEnabled()) << "the top step";
    for (int i = 0; i < 6; ++i) live.action(CommandId::NightDimmer)->trigger();
    EXPECT_EQ(live.doc().palette.nightBrightness, 1);

    live.action(CommandId::NightMode)->trigger();
    EXPECT_EQ(QApplication::palette(), dayPalette);
    EXPECT_EQ(live.doc().palette.colourTableIndex, 3);
    EXPECT_EQ(live.doc().palette.nightRed, 0);
    EXPECT_FALSE(redOnly()) << "the grey table again";
    // The night table chosen by day is the day's again after a night.
    live.action(CommandId::ColorNightRed)->trigger();
    live.action(CommandId::NightMode)->trigger();
    live.action(CommandId::NightMode)->trigger();
    EXPECT_EQ(live.doc().palette.nightRed, 1);
    live.app->shutdown();
    const IniFile saved = IniFile::load((live.config.path() + QStringLiteral("/HX642.ini")).toStdString());
    EXPECT_EQ(saved.readString("System", "Night Mode", ""), "0");
    EXPECT_EQ(saved.readString("System", "Night Brightness", ""), "1");
    EXPECT_EQ(saved.readString("System", "Night Red Table", ""), "1");
}

TEST(LiveApp, SettingsSurviveARunKeepingUnknownKeysAndComments) {
    const QString ini = QStringLiteral(
        "; survey vessel Skarv\n[View]\nColor Table=3\nOperator Note=keep me\n[Sonar L]\nAvailable=1\n");
    QString path;
    {
        LiveApp live({}, ini);
        path = live.config.path() + QStringLiteral("/HX642.ini");
        ASSERT_TRUE(waitFor([&] { return live.doc().cycle.goodCycleCount >= 3; }, 30000));
        EXPECT_EQ(live.doc().palette.colourTableIndex, 3);
        live.action(CommandId::ColorBlue)->trigger();
        live.app->shutdown();
        const IniFile saved = IniFile::load(path.toStdString());
        EXPECT_EQ(saved.readString("View", "Color Table", ""), "8");
        EXPECT_EQ(saved.readString("View", "Operator Note", ""), "keep me");
        EXPECT_NE(saved.toText().find("; survey vessel Skarv"), std::string::npos);
        // A simulated session never writes the simulator's addresses.
        EXPECT_FALSE(saved.value("Sonar M", "IP Address"));
    }
}

TEST(LiveApp, UnderLoopbackOnlyTheFactoryAddressesAreNeverTried) {
    qputenv(kLoopbackOnlyVariable, "1");
    const char* factory[] = {"192.168.0.2", "192.168.0.3", "192.168.0.4", "192.168.0.5"};
    // Go no further unless every one of them is certain to be refused.
    for (const char* address : factory) ASSERT_TRUE(loopbackRefusal(address, "head").has_value()) << address;

    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString path = config.path() + QStringLiteral("/HX642.ini");
    IniFile::fromText(
        "[Sonar L]\nIP Address=192.168.0.2\n[Sonar M]\nIP Address=192.168.0.3\n"
        "[Sonar H]\nIP Address=192.168.0.4\n[Echo Sounder]\nIP Address=192.168.0.5\n")
        .save(path.toStdString());
    AppOptions options;
    options.unattended = true;  // the connection dialog confirms the stored address
    options.settingsPath = path;
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    ASSERT_TRUE(waitFor([&] { return app.headConnections().refusedAddresses() >= 1; }, 10000));
    EXPECT_EQ(app.doc().heads.headIpAddress[kHeadL], "192.168.0.2");
    EXPECT_EQ(app.headConnections().connectAttempts(), 0);
    EXPECT_EQ(app.doc().link.sysInfoReceived, 0);
}
