// The palette editor as a real widget: dragging a curve point with the mouse
// changes the palette the sidescan views draw with once "Apply" is ticked;
// the channel, reset, close and window-moving controls; a palette file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QSignalSpy>

#include <filesystem>
#include <unistd.h>

#include "imaging/ui/PaletteView.h"
#include "imaging/ui/SkerryView.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

void drag(QWidget& w, QPoint from, QPoint to) {
    testing::mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    testing::mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    testing::mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

struct EditorRig {
    EditorRig() {
        rig.palette.colourTableIndex = kGrey;
        ReplaceCustomPaletteWithTable(rig.palette);
        editor.startUp();
        testing::showAt(editor, 700, 350);
        testing::showAt(view, 600, 400);
        // Every pixel of the waterfall at intensity 128.
        rig.storePings(1, 100, [](int, int) { return 128; });
    }
    ViewRig rig;
    CPaletteView editor{rig.palette};
    CSkerryView view{rig.ctx};
};

TEST(PaletteView, ADraggedPointChangesWhatTheViewsDrawOnceApplied) {
    EditorRig e;
    EXPECT_EQ(e.rig.palette.customPalette, e.rig.palette.currentTablePalette) << "the editor starts from the table";
    const QPoint waterfall(250, 5);  // clear of the scale's lines
    EXPECT_EQ(testing::render(e.view).pixel(waterfall), qRgb(128, 128, 128));

    // The green curve's point at index 128 (column x0 + 256, value 128) up to 232.
    e.editor.channelButton(kGreenCurve)->click();
    ASSERT_EQ(e.editor.curves().selected(), kGreenCurve);
    drag(e.editor, {kCurveX0 + 256, CurveYFor(128)}, {kCurveX0 + 256, CurveYFor(232)});
    testing::render(e.editor);  // the repaint hands the palette over
    EXPECT_EQ(e.rig.palette.customPalette[128].green, 232);
    EXPECT_EQ(e.rig.palette.customPalette[128].red, 128) << "only the edited channel changes";
    EXPECT_EQ(testing::render(e.view).pixel(waterfall), qRgb(128, 128, 128)) << "not applied yet";

    e.editor.applyBox()->click();
    EXPECT_EQ(e.rig.palette.useCustomPalette, 1);
    EXPECT_EQ(testing::render(e.view).pixel(waterfall), qRgb(128, 232, 128));
    // The document holds the curves the palette file will store.
    EXPECT_EQ(e.rig.palette.curvePointCount[kGreenCurve], 17);
    EXPECT_EQ(e.rig.palette.curvePoints[kGreenCurve][8], (CurvePoint{kCurveX0 + 256, static_cast<std::uint16_t>(CurveYFor(232))}));

    // Reset: the ramp again.
    e.editor.resetButton(kGreenCurve)->click();
    testing::render(e.editor);
    EXPECT_EQ(e.rig.palette.customPalette[128].green, 128);
    EXPECT_EQ(e.rig.palette.curvePointCount[kGreenCurve], 2);
    e.editor.applyBox()->click();
    EXPECT_EQ(e.rig.palette.useCustomPalette, 0);
}

TEST(PaletteView, TheEditorDrawsItsCurveAndStrips) {
    EditorRig e;
    e.editor.channelButton(kBlueCurve)->click();
    drag(e.editor, {kCurveX0 + 256, CurveYFor(128)}, {kCurveX0 + 256, CurveYFor(0)});
    const QImage img = testing::render(e.editor);
    // The blue curve runs from its moved point (x0 + 256, bottom) to the next
    // one (x0 + 288, value 144): halfway it passes (x0 + 272, y0 + 184).
    EXPECT_GT(testing::countColour(img, qRgb(0, 0, 200), QRect(kCurveX0 + 271, kCurveY0 + 182, 3, 5)), 0);
    const QRect graph(kCurveX0, kCurveY0, kCurveWidthPx + 1, kCurveHeightPx + 1);
    EXPECT_EQ(testing::countColour(img, qRgb(200, 0, 0), graph), 0) << "only the selected channel's curve";
    EXPECT_EQ(testing::countColour(img, qRgb(0, 200, 0), graph), 0);
    // Strips: the blue strip black at 128, the result strip (128, 128, 0).
    EXPECT_EQ(img.pixel(600, kCurveY0 + 255 - 128), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(640, kCurveY0 + 255 - 128), qRgb(128, 128, 0));
    EXPECT_EQ(img.pixel(640, kCurveY0), qRgb(255, 255, 0)) << "index 255, the overlay yellow";
}

TEST(PaletteView, CloseAndMovingTheWindow) {
    EditorRig e;
    QSignalSpy closes(&e.editor, &CPaletteView::closeRequested);
    QSignalSpy moves(&e.editor, &CPaletteView::frameDragged);
    e.editor.closeButton()->click();
    EXPECT_EQ(closes.count(), 1);
    // Outside the graph and the strips a drag moves the window.
    drag(e.editor, {660, 150}, {690, 170});
    ASSERT_GE(moves.count(), 1);
    QPoint total;
    for (const auto& args : moves) total += args.at(0).toPoint();
    EXPECT_EQ(total, QPoint(30, 20));
    // Inside the graph a click adds a point instead.
    moves.clear();
    drag(e.editor, {kCurveX0 + 100, kCurveY0 + 50}, {kCurveX0 + 100, kCurveY0 + 50});
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(e.editor.curves().points(kRedCurve)[3], (CurvePoint{kCurveX0 + 96, kCurveY0 + 50}));
}

TEST(PaletteView, APaletteFileGivesTheEditorItsCurves) {
    EditorRig e;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("hx642-palette-view-" + std::to_string(::getpid()) + ".pal"))
                                 .string();
    // A file whose red channel is flat at 40.
    PaletteState saved = e.rig.palette;
    PaletteCurves curves;
    curves.followTable(e.rig.palette.currentTablePalette);
    curves.reset(kRedCurve);
    curves.release(kCurveX0, CurveYFor(40));
    curves.release(kCurveX0 + 512, CurveYFor(40));
    curves.publish(saved);
    saved.paletteFilePath = path;
    ASSERT_TRUE(SavePaletteFile(saved, nullptr));

    e.rig.palette.paletteFilePath = path;
    e.editor.applyLoad(LoadPaletteFile(e.rig.palette));
    EXPECT_EQ(e.editor.curves().points(kRedCurve).size(), 2u);
    EXPECT_EQ(e.rig.palette.customPalette[200].red, 40);
    std::filesystem::remove(path);
    // No file: the curves follow the selected table, which becomes the palette.
    e.editor.applyLoad(LoadPaletteFile(e.rig.palette));
    EXPECT_EQ(e.rig.palette.customPalette, e.rig.palette.currentTablePalette);
    EXPECT_EQ(e.editor.curves().points(kRedCurve).size(), 17u);
}

}  // namespace
}  // namespace hx
