// Work at night: a dark window theme, the dim red table over the waterfalls
// and the echogram with dim red texts over them, and a brightness that two
// keys step. Turned off, the windows take their day colours again and the
// table chosen by day shows; the built-in tables never change.
#pragma once

#include <QBrush>
#include <QPalette>
#include <QString>

namespace hx {

struct AppContext;

class NightMode {
public:
    explicit NightMode(const AppContext& app);

    // The state the settings file gave, once it is loaded.
    void applyLoaded();
    void toggle();
    bool on() const;
    // One brightness step up or down (1..5) at night or while the night red
    // table shows.
    void brighter();
    void dimmer();
    bool canStep() const;

private:
    void step(int delta);
    void applyTheme();
    void repaint();

    const AppContext& app_;
    QPalette dayPalette_;
    QString dayStyleSheet_;
    QBrush dayMdiBackground_;
    bool themed_ = false;
};

// The window colours of night mode at a brightness step (near-black
// surfaces, dim red text), and the few things the palette does not reach.
QPalette nightPalette(int brightnessStep);
QString nightStyleSheet();

}  // namespace hx
