#include "app/PlaybackKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "app/AppContext.h"
#include "app/MainFrame.h"
#include "session/PlaybackKeys.h"
#include "session/SkerryDoc.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

PlaybackKey playbackKeyOf(int key) {
    switch (key) {
        case Qt::Key_Space: return PlaybackKey::Space;
        case Qt::Key_Left: return PlaybackKey::Left;
        case Qt::Key_Right: return PlaybackKey::Right;
        case Qt::Key_Home: return PlaybackKey::Home;
        case Qt::Key_End: return PlaybackKey::End;
        case Qt::Key_Plus: return PlaybackKey::Plus;
        case Qt::Key_Minus: return PlaybackKey::Minus;
        case Qt::Key_R: return PlaybackKey::R;
        case Qt::Key_N: return PlaybackKey::N;
        case Qt::Key_P: return PlaybackKey::P;
        default: return PlaybackKey::Other;
    }
}

PlaybackAction actionOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers m = key.modifiers();
    PlaybackKeyPress press;
    press.key = playbackKeyOf(key.key());
    press.shift = m.testFlag(Qt::ShiftModifier);
    press.command = (m & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    return playbackActionFor(press);
}

// Widgets that take typed keys for themselves.
bool isEditor(const QObject* o) {
    if (qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o) ||
        qobject_cast<const QTextEdit*>(o) || qobject_cast<const QPlainTextEdit*>(o))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(o);
    return combo && combo->isEditable();
}

}  // namespace

PlaybackKeys::PlaybackKeys(const AppContext& app) : QObject(app.frame), app_(app) {
    CSkerryDoc& doc = *app.doc;
    SkerrySession& session = *app.session;
    actions_ = std::make_unique<PlaybackKeyActions>(PlaybackKeyContext{
        session.playback(), session.files(), doc.playback, doc.dataFile, doc.events, doc.recorder,
        doc.imaging.display.holdDisplay});
    qApp->installEventFilter(this);
}

PlaybackKeys::~PlaybackKeys() { qApp->removeEventFilter(this); }

bool PlaybackKeys::ownsKey(QObject* receiver, const QKeyEvent& key) const {
    // Once the close sequence has begun the session may already be gone.
    if (app_.doc->closing) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    // Dialogs and other windows keep their keys; so do edit boxes in the frame.
    if (!widget || widget->window() != app_.frame || isEditor(widget)) return false;
    const PlaybackAction action = actionOf(key);
    // Held down, Space and R would flicker between their two states.
    if (key.isAutoRepeat() && (action == PlaybackAction::PlayPause || action == PlaybackAction::Reverse)) return true;
    return actions_->applies(action);
}

bool PlaybackKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!ownsKey(watched, *key)) return false;
    // Taking the override keeps the accelerators from firing; the key press
    // that follows carries the action out.
    event->accept();
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
        actions_->apply(actionOf(*key));
    } else if (type == QEvent::KeyPress) {
        const PlaybackAction action = actionOf(*key);
        if (action != PlaybackAction::PlayPause && action != PlaybackAction::Reverse) actions_->apply(action);
    }
    return true;
}

}  // namespace hx
