#include "app/NightMode.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QMdiArea>
#include <QToolBar>

#include "app/AppContext.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/SonarWindows.h"
#include "app/StatusPanes.h"
#include "app/StatusPresenter.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

QColor red(int level, double f) { return QColor(static_cast<int>(level * f + 0.5), 0, 0); }

// The toolbar's icons are drawn in day colours: at night they show through
// a dark veil.
void veilToolBar(QToolBar* bar, bool night) {
    if (!bar) return;
    if (!night) {
        bar->setGraphicsEffect(nullptr);
        return;
    }
    auto* veil = new QGraphicsOpacityEffect(bar);
    veil->setOpacity(0.35);
    bar->setGraphicsEffect(veil);
}

}  // namespace

QPalette nightPalette(int brightnessStep) {
    // Text from a dull to a plain red; surfaces stay near black at every step.
    const double f = 0.55 + 0.45 * NightBrightnessFactor(brightnessStep);
    QPalette p;
    const QColor surface(16, 16, 16), raised(30, 30, 30), sunken(8, 8, 8), text = red(190, f);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = g == QPalette::Disabled;
        const QColor ink = off ? red(95, f) : text;
        p.setColor(g, QPalette::Window, surface);
        p.setColor(g, QPalette::WindowText, ink);
        p.setColor(g, QPalette::Base, sunken);
        p.setColor(g, QPalette::AlternateBase, surface);
        p.setColor(g, QPalette::Text, ink);
        p.setColor(g, QPalette::Button, raised);
        p.setColor(g, QPalette::ButtonText, ink);
        p.setColor(g, QPalette::BrightText, red(230, f));
        p.setColor(g, QPalette::Light, QColor(44, 44, 44));
        p.setColor(g, QPalette::Midlight, QColor(36, 36, 36));
        p.setColor(g, QPalette::Mid, QColor(24, 24, 24));
        p.setColor(g, QPalette::Dark, QColor(6, 6, 6));
        p.setColor(g, QPalette::Shadow, Qt::black);
        p.setColor(g, QPalette::Highlight, red(90, f));
        p.setColor(g, QPalette::HighlightedText, Qt::black);
        p.setColor(g, QPalette::ToolTipBase, surface);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::PlaceholderText, red(95, f));
        p.setColor(g, QPalette::Link, red(220, f));
    }
    return p;
}

QString nightStyleSheet() {
    return QStringLiteral("QToolTip { background: #101010; color: #a02020; border: 1px solid #300000; }"
                          "QMenu::separator { background: #2a0000; height: 1px; }");
}

NightMode::NightMode(const AppContext& app) : app_(app) {}

bool NightMode::on() const { return app_.doc->view.nightMode != 0; }

bool NightMode::canStep() const { return on() || app_.doc->palette.nightRed != 0; }

void NightMode::applyLoaded() {
    CSkerryDoc& doc = *app_.doc;
    doc.palette.nightBrightness = ClampNightBrightness(doc.palette.nightBrightness);
    if (on()) doc.palette.nightRed = 1;
    applyTheme();
    repaint();
}

void NightMode::toggle() {
    CSkerryDoc& doc = *app_.doc;
    doc.view.nightMode = on() ? 0 : 1;
    // The night table comes with the night; whatever was chosen by day
    // (colourTableIndex, the custom palette, the night table itself) is
    // untouched and shows again, unless another table was chosen at night.
    if (doc.view.nightMode != 0) {
        doc.stored.system.nightRedTable = doc.palette.nightRed;
        doc.palette.nightRed = 1;
    } else if (doc.palette.nightRed != 0) {
        doc.palette.nightRed = doc.stored.system.nightRedTable != 0 ? 1 : 0;
    }
    applyTheme();
    repaint();
}

void NightMode::brighter() { step(+1); }

void NightMode::dimmer() { step(-1); }

void NightMode::step(int delta) {
    if (!canStep()) return;
    PaletteState& palette = app_.doc->palette;
    const int next = ClampNightBrightness(palette.nightBrightness + delta);
    if (next == palette.nightBrightness) return;
    palette.nightBrightness = next;
    applyTheme();
    repaint();
}

void NightMode::applyTheme() {
    if (!on() && !themed_) return;  // day colours were never replaced
    if (!themed_) {
        dayPalette_ = QApplication::palette();
        dayStyleSheet_ = qApp->styleSheet();
        dayMdiBackground_ = app_.frame->mdiArea()->background();
    }
    MainFrame& frame = *app_.frame;
    if (on()) {
        QApplication::setPalette(nightPalette(app_.doc->palette.nightBrightness));
        // A new style sheet polishes every widget again: set once a night.
        if (!themed_) qApp->setStyleSheet(nightStyleSheet());
        frame.mdiArea()->setBackground(QColor(0, 0, 0));
        themed_ = true;
    } else {
        QApplication::setPalette(dayPalette_);
        qApp->setStyleSheet(dayStyleSheet_);
        frame.mdiArea()->setBackground(dayMdiBackground_);
        themed_ = false;
    }
    veilToolBar(frame.toolBar(), on());
    const double veil = 0.25 + 0.35 * NightBrightnessFactor(app_.doc->palette.nightBrightness);
    if (app_.nav) app_.nav->setNightVeil(on() ? veil : 1.0);
    frame.statusPanes().setNight(on());
}

void NightMode::repaint() {
    if (app_.windows) app_.windows->updateViews();
    if (app_.nav) app_.nav->updateViews();
    if (app_.status) app_.status->refreshStatus();
}

}  // namespace hx
