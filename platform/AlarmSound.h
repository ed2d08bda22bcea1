// The settings-change alarm: the program's own short chime ("ding.wav", a
// resource), played asynchronously. A machine without an audio device
// plays nothing and is not held up; playing again while the chime sounds
// starts it over.
#pragma once

#include <QObject>
#include <QUrl>

class QSoundEffect;

namespace hx {

class AlarmSound final : public QObject {
    Q_OBJECT
public:
    explicit AlarmSound(QObject* parent = nullptr);
    ~AlarmSound() override;

    void play();

    // The chime's resource, for a check that it is shipped.
    static QUrl chimeUrl();
    // How often play() has been asked (tests on machines without sound).
    int playRequests() const { return playRequests_; }

private:
    QSoundEffect* effect_ = nullptr;  // made on first use: no audio is touched before
    int playRequests_ = 0;
};

}  // namespace hx
