// The target tools in the running program, playing a recording offscreen:
// an event entered with the mouse and the "Event Information" dialog (the
// record's mark and the event file), review, a target height measured by
// clicks through the "&Measure" commands, the screen and a chosen area
// saved, the palette editor applied, the colour indicator. With
// HX642_SCREENSHOT_DIR set, the measurement and the dialog are saved there.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "app/TargetTools.h"
#include "imaging/ui/SkerryView.h"
#include "platform/ScreenImageSaver.h"
#include "record/ui/AnnotationDialog.h"
#include "tests/app/AppTestSupport.h"
#include "tests/record/RecordSamples.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {

struct Recording {
    QString path;
    std::uint32_t recordLength = 0;
};

// pings 1..n with heads M, H and ES, every cycle good.
Recording writeRecording(const QString& folder, int pings) {
    rectest::SampleDocument doc;
    doc.setHeads(rectest::headSet(0b1110));
    Recording out;
    out.path = folder + QStringLiteral("/survey.642");
    QFile file(out.path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int p = 1; p <= pings; ++p) {
        doc.fillForPing(static_cast<std::uint32_t>(p));
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;
        std::vector<std::uint8_t> bytes;
        encodeRecord(recordFromDocument(doc.sources(), static_cast<std::uint32_t>(p), 0), bytes);
        out.recordLength = static_cast<std::uint32_t>(bytes.size());
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    return out;
}

std::uint16_t markOf(const QString& path, std::uint64_t offset) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(static_cast<qint64>(offset + 64))) return 0xFFFF;
    const QByteArray b = f.read(2);
    return b.size() == 2 ? static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | (static_cast<std::uint8_t>(b[1]) << 8))
                         : 0xFFFF;
}

void saveShot(const QImage& image, const char* name) {
    const QByteArray dir = qgetenv("HX642_SCREENSHOT_DIR");
    if (!dir.isEmpty()) image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QString::fromLatin1(name));
}

}  // namespace

TEST(TargetApp, EventsMeasurementsImagesAndPaletteInThePlayingProgram) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const Recording rec = writeRecording(dir.path(), 80);
    AppOptions options;
    options.unattended = true;
    options.settingsPath = dir.path() + QStringLiteral("/HX642.ini");
    options.playbackFile = rec.path;
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    CSkerryDoc& doc = app.doc();
    app.frame().resize(1100, 800);
    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= 40; }, 20000)) << doc.playback.recordsPlayed;
    CommandRouter& r = app.frame().router();
    auto* view = qobject_cast<CSkerryView*>(app.mainView());
    ASSERT_NE(view, nullptr);

    // The rows stand still while the tools are used.
    r.action(CommandId::Hold)->trigger();
    ASSERT_EQ(doc.imaging.display.holdDisplay, 1);
    QApplication::processEvents();

    // ---- an event, entered by a click on the view ----
    r.updateAll();
    ASSERT_TRUE(r.action(CommandId::EnableEventInput)->isEnabled());
    EXPECT_FALSE(r.action(CommandId::EnableEventInput)->isChecked());
    r.action(CommandId::EnableEventInput)->trigger();
    EXPECT_TRUE(r.action(CommandId::EnableEventInput)->isChecked());
    int row = -1;
    for (int k = view->scroll().y() + 40; k < view->scroll().y() + view->height(); ++k) {
        const RowMeta* m = DisplayedRowMeta(doc.imaging.store, k, true);
        if (m && m->stamp[0] && m->pingNumber > 0) {
            row = k;
            break;
        }
    }
    ASSERT_GE(row, 0);
    const std::int32_t ping = DisplayedRowMeta(doc.imaging.store, row, true)->pingNumber;
    EXPECT_EQ(markOf(rec.path, std::uint64_t(ping - 1) * rec.recordLength), 0);
    const int clickX = view->width() / 4;
    const double position = double(clickX + view->scroll().x()) / doc.imaging.store.imageWidth;
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(clickX, row - view->scroll().y()));

    auto* dialog = app.frame().findChild<CAnnotation*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Event Information"));
    EXPECT_EQ(dialog->mode(), CAnnotation::Mode::Input);
    EXPECT_EQ(dialog->numberText(), QStringLiteral("0"));
    EXPECT_FALSE(dialog->button(QStringLiteral("NEXT"))->isVisible());
    QTest::keyClicks(dialog->annotationEdit(), QStringLiteral("Wreck, bow to the north"));
    saveShot(dialog->grab().toImage(), "event-dialog.png");
    dialog->button(QStringLiteral("OK"))->click();
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(doc.events.events.count, 1);
    EXPECT_EQ(doc.events.events.entries[0].ping, ping);
    EXPECT_EQ(doc.events.events.entries[0].annotation, "Wreck, bow to the north\n");
    EXPECT_EQ(markOf(rec.path, std::uint64_t(ping - 1) * rec.recordLength), 0x8000);
    EXPECT_EQ(doc.imaging.display.holdDisplay, 1) << "the operator's Hold stays";

    // Review shows it read-only with the review buttons.
    r.action(CommandId::EventReviewEdit)->trigger();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->mode(), CAnnotation::Mode::Review);
    EXPECT_TRUE(dialog->button(QStringLiteral("NEXT"))->isVisible());
    EXPECT_TRUE(dialog->annotationEdit()->isReadOnly());
    r.action(CommandId::EventReviewEdit)->trigger();
    EXPECT_FALSE(dialog->isVisible());

    // ---- a target height, by the command and four clicks ----
    r.action(CommandId::MeasureTargetHeight)->trigger();
    r.updateAll();
    EXPECT_TRUE(r.action(CommandId::MeasureTargetHeight)->isChecked());
    const int w = doc.imaging.store.imageWidth;
    const int half = w / 2;
    const int y = 150;
    const auto at = [&](double fraction) { return QPoint(half + static_cast<int>(fraction * half) - view->scroll().x(), y); };
    // Altitude at 0.2, shadow from 0.6 to 0.72 of the side: H = R / 30.
    for (double f : {0.5, 0.2, 0.6, 0.72}) {
        QTest::mouseMove(view, at(f));
        QTest::mouseClick(view, Qt::LeftButton, {}, at(f));
    }
    r.updateAll();
    EXPECT_FALSE(r.action(CommandId::MeasureTargetHeight)->isChecked()) << "the four stages end the mode";
    const auto& marks = view->measurements().session().marks();
    ASSERT_EQ(marks.count(), 4);
    const double range = doc.heads.sideScanRange;
    EXPECT_NEAR(marks.entries()[3].valueM, range / 30.0, range * 0.01);
    saveShot(app.frame().grab().toImage(), "height-measurement.png");

    // ---- the screen and a chosen area, saved ----
    const QString screenPath = dir.path() + QStringLiteral("/screen.PNG");
    app.targets().setImagePathChooser([&] { return std::optional<QString>(screenPath); });
    r.action(CommandId::SaveScreen)->trigger();
    const QImage screen(screenPath, "png");
    ASSERT_FALSE(screen.isNull()) << "upper-case .PNG is written as PNG";
    EXPECT_EQ(screen.size(), app.frame().size());

    r.updateAll();
    EXPECT_FALSE(r.action(CommandId::SaveSelected)->isEnabled());
    r.action(CommandId::SelectArea)->trigger();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(40, 30));
    QTest::mouseMove(view, QPoint(240, 130));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(240, 130));
    r.updateAll();
    ASSERT_TRUE(r.action(CommandId::SaveSelected)->isEnabled());
    const QString areaPath = dir.path() + QStringLiteral("/area.bmp");
    app.targets().setImagePathChooser([&] { return std::optional<QString>(areaPath); });
    r.action(CommandId::SaveSelected)->trigger();
    const QImage area(areaPath);
    ASSERT_FALSE(area.isNull());
    EXPECT_EQ(area.size(), QSize(200, 100)) << "the chosen area, not the whole screen";
    view->measurements().setSelectionOutlineShown(false);
    const QImage shown = view->grab(QRect(40, 30, 200, 100)).toImage().convertToFormat(QImage::Format_RGB32);
    view->measurements().setSelectionOutlineShown(true);
    EXPECT_EQ(area.convertToFormat(QImage::Format_RGB32), shown) << "what the view shows there, without the outline";

    // ---- palette editor ----
    r.action(CommandId::CustomizePalette)->trigger();
    CPaletteView& editor = app.targets().paletteFrame().view();
    ASSERT_TRUE(app.targets().paletteFrame().isVisible());
    editor.applyBox()->click();
    editor.channelButton(kRedCurve)->click();
    const int v128 = ChannelValue(editor.curves().palette()[128], kRedCurve);
    QTest::mousePress(&editor, Qt::LeftButton, {}, QPoint(kCurveX0 + 256, CurveYFor(v128)));
    QTest::mouseMove(&editor, QPoint(kCurveX0 + 256, CurveYFor(10)));
    QTest::mouseRelease(&editor, Qt::LeftButton, {}, QPoint(kCurveX0 + 256, CurveYFor(10)));
    editor.repaint();
    ASSERT_EQ(ChannelValue(editor.curves().palette()[128], kRedCurve), 10) << "from " << v128;
    EXPECT_EQ(doc.palette.useCustomPalette, 1);
    EXPECT_EQ(BuildImagePalette(doc.palette)[128].red, 10) << "the views draw with the edit";
    r.updateAll();
    EXPECT_TRUE(r.action(CommandId::CustomizePalette)->isChecked());
    editor.closeButton()->click();
    EXPECT_FALSE(app.targets().paletteFrame().isVisible());

    r.action(CommandId::ColorIndicator)->trigger();
    EXPECT_EQ(doc.view.showColorIndicator, 1);

    // Closing writes the event file beside the recording.
    app.shutdown();
    QFile events(dir.path() + QStringLiteral("/survey.an"));
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = events.readAll().split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], "0");
    EXPECT_EQ(lines[1].toInt(), ping);
    EXPECT_EQ(lines[2], QByteArray::number(position, 'f', 6));
    EXPECT_EQ(lines[7], "Wreck, bow to the north");
}
