// The beam coverage window: its buttons where the panel puts them, the fan
// on screen, and the page printed to a PDF file with no printer, turned
// back into an image and text by poppler and checked for the fan and the
// texts; the preview dialog's caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "nav/ui/BeamCoverView.h"
#include "nav/ui/NavUiTestSupport.h"

namespace hx {
namespace {

using test::countPixels;

bool fanBlue(QRgb p) { return qBlue(p) > 60 && qRed(p) < 30 && qGreen(p) < 30; }

TEST(BeamCoverView, ButtonsDownTheRightEdgeChangeThePicture) {
    CBeamCoverView view;
    view.resize(980, 520);
    view.show();
    EXPECT_EQ(view.button(kBeamFrequencyUp)->geometry(), QRect(895, 60, 42, 28));
    EXPECT_EQ(view.button(kBeamGainDown)->geometry(), QRect(937, 270, 43, 28));
    EXPECT_EQ(view.button(kBeamFeet)->geometry().top(), 340);
    EXPECT_EQ(view.button(kBeamRangeUp)->text(), QStringLiteral("Up"));
    EXPECT_TRUE(view.button(kBeamGainUp)->autoRepeat());
    const QImage low = test::render(view);
    test::keepShot(low, QStringLiteral("beam-coverage"));
    // The fan fills the water below the towfish at the centre (x 410).
    EXPECT_GT(countPixels(low, QRect(300, 150, 220, 100), fanBlue), 5000);
    view.button(kBeamFrequencyUp)->click();
    view.button(kBeamFrequencyUp)->click();  // High: 30 degrees, a narrow beam
    EXPECT_EQ(beamWidthDeg(view.params().frequency), 30);
    const QImage high = test::render(view);
    // Far out to the side, at a steep angle under the fish, the narrow beam is darker.
    auto brightness = [](const QImage& img, QPoint p) { return qBlue(img.pixel(p)); };
    EXPECT_LT(brightness(high, QPoint(470, 300)), brightness(low, QPoint(470, 300)));
    for (int i = 0; i < 5; ++i) view.button(kBeamRangeDown)->click();
    EXPECT_EQ(view.params().rangeM, 10);
}

QString run(const char* program, const QStringList& args) {
    QProcess p;
    p.start(QString::fromLatin1(program), args);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(BeamCoverView, PrintsToPdfWithTheFanAndTheTexts) {
    if (QString::fromLatin1(HX642_PDFTOPPM).isEmpty() || QString::fromLatin1(HX642_PDFTOPPM).endsWith("NOTFOUND"))
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("coverage.pdf"));
    CBeamCoverView view;
    view.runButton(kBeamFeet);
    ASSERT_TRUE(view.printToPdf(pdf));

    const QString text = run(HX642_PDFTOTEXT, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Beam Coverage"))) << text.toStdString();
    // Layout mode may widen runs of blanks: compare the words in order.
    const QString line = QStringLiteral("Frequency: Low Range: 150 ft Height: 90 ft Units: feet Gain: 20");
    EXPECT_TRUE(text.simplified().contains(line)) << text.toStdString();
    for (const char* t : {"BeamWidth: 75 deg.", "Range = 150 ft", "H: 90 ft", "Bottom"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(t))) << t;

    const QString png = dir.filePath(QStringLiteral("page"));
    run(HX642_PDFTOPPM, {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                         QStringLiteral("-singlefile"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    test::keepShot(page, QStringLiteral("beam-coverage-pdf"));
    EXPECT_GT(page.width(), page.height());  // landscape
    // Blue on white: strong blue under the towfish in the middle of the page,
    // white paper in the top corners.
    auto paperBlue = [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 190 && qGreen(p) < 190; };
    const QRect middle(page.width() / 4, page.height() / 3, page.width() / 2, page.height() / 3);
    EXPECT_GT(countPixels(page, middle, paperBlue), middle.width() * middle.height() / 10);
    EXPECT_EQ(page.pixel(3, 3) & 0xffffff, 0xffffffu);
}

TEST(BeamCoverView, PreviewCarriesItsCaptionAndShowsThePage) {
    CBeamCoverView view;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    std::unique_ptr<QPrintPreviewDialog> preview(view.makePreviewDialog(printer));
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Skerry - Beam Coverage - Print Preview"));
    preview->resize(900, 700);
    preview->show();
    QApplication::processEvents();
    test::keepShot(test::render(*preview), QStringLiteral("beam-preview"));
    preview->close();
}

}  // namespace
}  // namespace hx
