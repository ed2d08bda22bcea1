// The program started in-process for the shell tests: a settings file whose
// four heads are loopback addresses where nothing listens (the link fails
// quietly), optionally a recording to play, all in a folder of its own.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "record/DataRecord.h"
#include "record/RecordDocument.h"
#include "settings/IniFile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/record/RecordSamples.h"

namespace hx::apptest {

inline constexpr const char* kDeadLoopbackHeads =
    "[Sonar L]\nIP Address=127.0.77.2\n[Sonar M]\nIP Address=127.0.77.3\n"
    "[Sonar H]\nIP Address=127.0.77.4\n[Echo Sounder]\nIP Address=127.0.77.5\n"
    "[System]\nGPS Tracking=0\n";

// A recording of `records` good records with the heads in `headBits` (bit h: head h).
inline QString writeShellRecording(const QString& path, int records, unsigned headBits = 0b1111) {
    rectest::SampleDocument doc;
    doc.setHeads(rectest::headSet(headBits));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    for (int p = 1; p <= records; ++p) {
        doc.fillForPing(static_cast<std::uint32_t>(p));
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;  // no error flags
        std::vector<std::uint8_t> bytes;
        encodeRecord(recordFromDocument(doc.sources(), static_cast<std::uint32_t>(p), 0), bytes);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    return path;
}

struct ShellApp {
    QTemporaryDir dir;
    QString ini;
    QString recording;
    std::unique_ptr<SkerryApp> app;

    // extraIni is added to the settings file; records > 0 plays a recording.
    explicit ShellApp(const QString& extraIni = {}, int records = 0, unsigned headBits = 0b1111) {
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        ini = dir.path() + QStringLiteral("/HX642.ini");
        IniFile::fromText(std::string(kDeadLoopbackHeads) + extraIni.toStdString()).save(ini.toStdString());
        AppOptions options;
        options.unattended = true;
        options.settingsPath = ini;
        if (records > 0) {
            recording = writeShellRecording(dir.path() + QStringLiteral("/survey.642"), records, headBits);
            options.playbackFile = recording;
        }
        app = std::make_unique<SkerryApp>(options);
        app->start();
    }
    CSkerryDoc& doc() { return app->doc(); }
    MainFrame& frame() { return app->frame(); }
    CommandRouter& router() { return frame().router(); }
    QAction* action(CommandId id) { return router().action(id); }
    bool waitPlayed(std::uint64_t records, int timeoutMs = 20000) {
        return waitFor([&] { return doc().playback.recordsPlayed >= records; }, timeoutMs);
    }
    // The settings file as the program left it.
    IniFile savedSettings() {
        app->shutdown();
        return IniFile::load(ini.toStdString());
    }
};

}  // namespace hx::apptest
