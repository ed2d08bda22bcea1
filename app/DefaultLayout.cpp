#include "app/DefaultLayout.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace hx {

namespace {

// How long a placed window waits for its frame borders before it gives up
// correcting its size (a platform without a window manager never has any).
constexpr int kFrameWaitMs = 5000;

QMargins frameMarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void apply(QWidget* window, const QRect& frameRect, const QMargins& margins) {
    const QRect client = clientRectForFrame(frameRect, margins);
    window->resize(client.size());
    // A window's position is its frame's.
    if (QWindow* handle = window->windowHandle(); handle && window->isVisible())
        handle->setFramePosition(frameRect.topLeft());
    else
        window->move(frameRect.topLeft());
}

// Corrects the size once the window manager has put its frame round the
// window, then goes away.
class FrameFixer final : public QObject {
public:
    static constexpr const char* kName = "hx642-frame-fixer";

    FrameFixer(QWidget* window, const QRect& frameRect) : QObject(window), window_(window), frameRect_(frameRect) {
        setObjectName(QString::fromLatin1(kName));
        window->installEventFilter(this);
        QTimer::singleShot(kFrameWaitMs, this, [this] { deleteLater(); });
    }

    // A later placement replaces the rectangle still waiting.
    void retarget(const QRect& frameRect) { frameRect_ = frameRect; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto t = event->type();
        if (watched == window_ && !done_ &&
            (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show || t == QEvent::Expose)) {
            const QMargins m = frameMarginsOf(window_);
            if (!m.isNull()) {
                done_ = true;
                QTimer::singleShot(0, this, [this] {
                    if (window_) apply(window_, frameRect_, frameMarginsOf(window_));
                    deleteLater();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> window_;
    QRect frameRect_;
    bool done_ = false;
};

}  // namespace

LayoutRects defaultLayout(int left, int top, int screenWidth, int screenHeight, int barHeight) {
    const int split = static_cast<int>(0.8 * screenWidth);
    const int third = screenHeight / 3;
    const auto at = [left, top](int l, int t, int r, int b) { return WindowRect{left + l, top + t, left + r, top + b}; };
    LayoutRects l;
    l.mainFrame = at(0, 0, split, screenHeight / 2 + 4 * barHeight);
    l.lWindow = at(0, 0, split, third);
    l.mWindow = at(0, third, split, 2 * third);
    l.hWindow = at(0, 2 * third, split, screenHeight);
    l.esWindow = at(split, 0, screenWidth, screenHeight / 2);
    l.gpsTrack = at(split, screenHeight / 2, screenWidth, screenHeight);
    return l;
}

QRect toQRect(const WindowRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

WindowRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

QRect clientRectForFrame(const QRect& frameRect, const QMargins& margins) {
    const QRect client = frameRect.marginsRemoved(margins);
    return QRect(client.topLeft(), QSize(std::max(client.width(), 1), std::max(client.height(), 1)));
}

void placeWindowFrame(QWidget* window, const QRect& frameRect) {
    if (!window || !frameRect.isValid()) return;
    const QMargins margins = window->isVisible() ? frameMarginsOf(window) : QMargins();
    apply(window, frameRect, margins);
    if (!margins.isNull()) return;
    auto* waiting = window->findChild<QObject*>(QString::fromLatin1(FrameFixer::kName), Qt::FindDirectChildrenOnly);
    if (waiting)
        static_cast<FrameFixer*>(waiting)->retarget(frameRect);
    else
        new FrameFixer(window, frameRect);
}

WindowRect storedFrameRect(const QWidget* window) { return fromQRect(window->frameGeometry()); }

}  // namespace hx
