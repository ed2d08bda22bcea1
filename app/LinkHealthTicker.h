// The link's and the GPS's health on screen. Gives the sidescan views their
// badge and "no answer" sources, and once a second while the link is live
// takes each head's pings a second for the diagnostics and draws the views,
// the diagnostics and the status bar again: a head or a GPS that has gone
// quiet sends nothing that would repaint them, yet its age must keep rising.
#pragma once

#include <QObject>
#include <QTimer>

namespace hx {

struct AppContext;
class IClock;

class LinkHealthTicker final : public QObject {
public:
    LinkHealthTicker(const AppContext& app, const IClock& clock, QObject* parent = nullptr);

    void tick();

private:
    const AppContext& app_;
    const IClock& clock_;
    QTimer timer_;
};

}  // namespace hx
