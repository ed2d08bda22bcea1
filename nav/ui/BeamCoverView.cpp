#include "nav/ui/BeamCoverView.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include "nav/ui/BeamCoverPainter.h"

namespace hx {

namespace {

constexpr int kPanelWidthPx = 85;
constexpr int kButtonHeightPx = 28;
constexpr int kRepeatIntervalMs = 5;

}  // namespace

CBeamCoverView::CBeamCoverView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(420, 500);
    const std::pair<int, const char*> items[] = {
        {kBeamFrequencyUp, "Up"}, {kBeamFrequencyDown, "Down"}, {kBeamRangeUp, "Up"},  {kBeamRangeDown, "Down"},
        {kBeamHeightUp, "Up"},    {kBeamHeightDown, "Down"},    {kBeamGainUp, "Up"},   {kBeamGainDown, "Down"},
        {kBeamMeters, "Meters"},  {kBeamFeet, "Feet"},          {kBeamPreview, "Preview"}, {kBeamPrint, "Print"}};
    for (const auto& [id, label] : items) {
        auto* b = new QPushButton(QString::fromLatin1(label), this);
        b->setObjectName(QStringLiteral("button%1").arg(id));
        b->setFocusPolicy(Qt::NoFocus);
        const bool stepping = id != kBeamMeters && id != kBeamFeet && id != kBeamPreview && id != kBeamPrint;
        if (stepping) {
            b->setAutoRepeat(true);
            b->setAutoRepeatInterval(kRepeatIntervalMs);
        }
        connect(b, &QPushButton::clicked, this, [this, id = id] { runButton(id); });
        buttons_[id] = b;
    }
    auto* printAction = new QAction(this);
    printAction->setShortcut(QKeySequence::Print);
    printAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(printAction, &QAction::triggered, this, &CBeamCoverView::print);
    addAction(printAction);
    placeButtons();
}

QPushButton* CBeamCoverView::button(int id) const {
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void CBeamCoverView::placeButtons() {
    const int x = width() - kPanelWidthPx;
    const int half = kPanelWidthPx / 2;
    const std::pair<int, int> pairs[] = {{kBeamFrequencyUp, kBeamFrequencyDown},
                                         {kBeamRangeUp, kBeamRangeDown},
                                         {kBeamHeightUp, kBeamHeightDown},
                                         {kBeamGainUp, kBeamGainDown}};
    for (int i = 0; i < 4; ++i) {
        const int y = 60 + 70 * i;
        buttons_[pairs[i].first]->setGeometry(x, y, half, kButtonHeightPx);
        buttons_[pairs[i].second]->setGeometry(x + half, y, kPanelWidthPx - half, kButtonHeightPx);
    }
    buttons_[kBeamMeters]->setGeometry(x, 340, half, kButtonHeightPx);
    buttons_[kBeamFeet]->setGeometry(x + half, 340, kPanelWidthPx - half, kButtonHeightPx);
    buttons_[kBeamPreview]->setGeometry(x, 400, kPanelWidthPx, kButtonHeightPx);
    buttons_[kBeamPrint]->setGeometry(x, 440, kPanelWidthPx, kButtonHeightPx);
}

void CBeamCoverView::runButton(int id) {
    if (id == kBeamPreview) {
        preview();
        return;
    }
    if (id == kBeamPrint) {
        print();
        return;
    }
    if (applyBeamButton(params_, id)) update();
}

void CBeamCoverView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    PaintBeamPicture(p, params_, width(), false);
    // The values beside the buttons.
    const auto panel = beamPanel(params_);
    const int x = width() - 165;
    for (std::size_t i = 0; i < panel.size(); ++i) {
        const int y = i < 4 ? 60 + 70 * static_cast<int>(i) : 340;
        QFont caption(QStringLiteral("Arial"));
        caption.setPixelSize(13);
        p.setFont(caption);
        p.setPen(QColor(200, 200, 200));
        p.drawText(QRect(x, y - 2, 78, 16), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(panel[i].caption));
        QFont value(QStringLiteral("Arial"));
        value.setPixelSize(15);
        value.setBold(true);
        p.setFont(value);
        p.setPen(QColor(250, 250, 0));
        p.drawText(QRect(x, y + 14, 78, 18), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(panel[i].value));
    }
}

void CBeamCoverView::resizeEvent(QResizeEvent*) { placeButtons(); }

void CBeamCoverView::printOn(QPrinter& printer) {
    QProgressDialog progress(QString::fromLatin1(kBeamPrintingText), QString(), 0, 0, this);
    progress.setWindowTitle(QString::fromLatin1(kBeamCoverTitle));
    progress.setMinimumDuration(0);
    progress.show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QPainter p;
    if (p.begin(&printer)) {
        PaintBeamPage(p, params_, printer.pageLayout().paintRectPixels(printer.resolution()).translated(
                                      -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft()));
        p.end();
    }
    progress.close();
}

bool CBeamCoverView::printToPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    printOn(printer);
    return printer.printerState() != QPrinter::Error;
}

QPrintPreviewDialog* CBeamCoverView::makePreviewDialog(QPrinter& printer) {
    auto* dialog = new QPrintPreviewDialog(&printer, this);
    dialog->setWindowTitle(QString::fromLatin1(kBeamPreviewTitle));
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QPainter p;
        if (!p.begin(target)) return;
        const QRect paint = target->pageLayout().paintRectPixels(target->resolution());
        PaintBeamPage(p, params_, paint.translated(-paint.topLeft()));
    });
    return dialog;
}

void CBeamCoverView::preview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog* dialog = makePreviewDialog(printer);
    dialog->exec();
    delete dialog;
}

void CBeamCoverView::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted) return;
    printOn(printer);
}

}  // namespace hx
