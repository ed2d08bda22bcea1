#include "platform/AlarmSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>

// The chime lives in this static library: its resource is registered by hand.
static void registerChimeResource() { Q_INIT_RESOURCE(sounds); }

namespace hx {

AlarmSound::AlarmSound(QObject* parent) : QObject(parent) { registerChimeResource(); }

AlarmSound::~AlarmSound() = default;

QUrl AlarmSound::chimeUrl() { return QUrl(QStringLiteral("qrc:/sounds/ding.wav")); }

void AlarmSound::play() {
    ++playRequests_;
    // No output device (a headless machine): nothing to play on.
    if (QMediaDevices::audioOutputs().isEmpty()) return;
    if (!effect_) {
        effect_ = new QSoundEffect(this);
        effect_->setSource(chimeUrl());
        effect_->setVolume(0.8f);
    }
    if (effect_->isPlaying()) effect_->stop();
    // Asynchronous: the effect loads and sounds from the event loop.
    effect_->play();
}

}  // namespace hx
