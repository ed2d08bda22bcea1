// A sidescan context built from local state, with the calls out recorded,
// plus helpers to feed pings, send input and render a view to an image.
#pragma once

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/TimerPort.h"
#include "imaging/ColourTables.h"
#include "imaging/StorePing.h"
#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/ViewOverlays.h"

namespace hx::testing {

class RecordingTimers : public ITimerPort {
public:
    void start(TimerId id, int intervalMs, bool singleShot) override {
        log.push_back("start " + std::to_string(static_cast<int>(id)) + " " + std::to_string(intervalMs) +
                      (singleShot ? " once" : ""));
        active[id] = true;
    }
    void stop(TimerId id) override {
        log.push_back("stop " + std::to_string(static_cast<int>(id)));
        active[id] = false;
    }
    bool isActive(TimerId id) const override {
        auto it = active.find(id);
        return it != active.end() && it->second;
    }
    std::vector<std::string> log;
    std::map<TimerId, bool> active;
};

struct ViewRig {
    std::unique_ptr<ImagingState> imaging = std::make_unique<ImagingState>();
    PaletteState palette;
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SpeedSource speed;
    SidescanViewFlags flags;
    RecordingTimers timers;
    BitmapPage page;

    int refreshes = 0;
    int holdToggles = 0;
    int unitsChanges = 0;
    std::vector<int> doubleClickedRows;
    std::vector<PointerReadout> readouts;

    SidescanContext ctx{*imaging, palette, heads, link, cycle, speed, flags};

    explicit ViewRig(bool threeHeads = false) {
        palette.colourTables = GenerateColourTables();
        palette.currentTablePalette = palette.customPalette = ConvertColourTable(palette.colourTables[0]);
        link.allSideScansAvailable = threeHeads ? 1 : 0;
        link.twoSideScansAvailable = threeHeads ? 0 : 1;
        link.displayHeadA = kHeadL;
        link.displayHeadB = kHeadH;
        link.sysInfoPending = 0;
        speed.speedCorrectionEnabled = 0;
        imaging->store.viewReady = 1;
        cycle.pingDateText = "08-DEC-2026";
        ctx.refreshAllViews = [this] { ++refreshes; };
        ctx.pointerInfo = [this](const PointerReadout& r) { readouts.push_back(r); };
        ctx.holdToggled = [this] { ++holdToggles; };
        ctx.unitsChanged = [this] { ++unitsChanges; };
        ctx.rowDoubleClicked = [this](int row) { doubleClickedRows.push_back(row); };
        ctx.timers = &timers;
        ctx.bitmapPage = &page;
    }

    WaterfallStore& store() { return imaging->store; }

    // Pings 1..count whose heads carry the constant lines valueOf(ping, head),
    // stamped a second apart, with GPS texts naming the ping.
    template <typename ValueOf>
    void storePings(int first, int count, ValueOf valueOf) {
        for (int p = first; p < first + count; ++p) {
            for (int h = 0; h < kSideScanHeadCount; ++h) {
                auto& line = heads.headDisplayLine[static_cast<std::size_t>(h)];
                std::fill(line.begin() + kEchoLineOffset, line.begin() + kEchoLineOffset + kEchoLineBytes,
                          static_cast<std::uint8_t>(valueOf(p, h)));
            }
            char text[16];
            std::snprintf(text, sizeof text, "12:%02d:%02d", p / 60 % 60, p % 60);
            cycle.pingTimeText = text;
            cycle.pingMillisecondsText = ".250";
            cycle.pingInterval = 200;
            PingExtras extras;
            extras.pingNumber = p;
            extras.gpsSpeedKn = 4.0;
            for (std::size_t i = 0; i < kGpsTextCount; ++i) extras.gpsText[i] = "gps" + std::to_string(i) + "#" + std::to_string(p);
            StorePing(*imaging, cycle, heads, link, speed, extras);
        }
    }
};

inline QImage render(QWidget& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    view.render(&image);
    return image;
}

inline void mouse(QWidget& view, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent e(type, QPointF(pos), QPointF(view.mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&view, &e);
}

inline void key(QWidget& view, int k, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &e);
}

inline void wheel(QWidget& view, QPoint pos, QPoint angleDelta) {
    QWheelEvent e(QPointF(pos), QPointF(view.mapToGlobal(pos)), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &e);
}

// Shows a view at a size and lets its resize run.
inline void showAt(QWidget& view, int w, int h) {
    view.resize(w, h);
    view.show();
    QApplication::processEvents();
}

struct TextAt {
    QRect box;
    int flags;
    QString text;
};

// A black image with overlay texts drawn as the views draw them.
inline QImage referenceText(QSize size, int pixelSize, QColor colour, const std::vector<TextAt>& texts) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    QPainter p(&image);
    p.setFont(OverlayFont(pixelSize));
    p.setPen(colour);
    for (const TextAt& t : texts) p.drawText(t.box, t.flags, t.text);
    return image;
}

inline TextAt topLeftText(int x, int y, const QString& text) {
    return {QRect(x, y, 4096, 4096), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text};
}

// Number of pixels that differ inside rect.
inline int differingPixels(const QImage& a, const QImage& b, QRect rect) {
    int n = 0;
    rect = rect.intersected(a.rect()).intersected(b.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

inline int countColour(const QImage& image, QRgb colour, QRect rect) {
    int n = 0;
    rect = rect.intersected(image.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

}  // namespace hx::testing
