// The playback keys of the main window: Space, Left/Right (with Shift 100
// records), Home/End, + and -, R, N and P. In playback they win over the
// accelerators and the sidescan views' own keys (Left/Right nudge the
// pointer, + and - zoom the track plot, R restores the image); in real time,
// in "Bitmap View" for the moving keys, in dialogs and in edit boxes every
// key keeps its old meaning.
#pragma once

#include <QObject>

#include <memory>

class QKeyEvent;

namespace hx {

struct AppContext;
class PlaybackKeyActions;

class PlaybackKeys final : public QObject {
    Q_OBJECT
public:
    // Watches the keys of `app.frame`'s window; a child of the frame.
    explicit PlaybackKeys(const AppContext& app);
    ~PlaybackKeys() override;

    PlaybackKeyActions& actions() { return *actions_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ownsKey(QObject* receiver, const QKeyEvent& key) const;

    const AppContext& app_;
    std::unique_ptr<PlaybackKeyActions> actions_;
};

}  // namespace hx
