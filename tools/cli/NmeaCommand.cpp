// hx642-cli nmea FILE [--chunk N]: feeds an NMEA capture through the GPS
// reader's framing and parser in reads of N bytes (default: the whole file
// in one read) and prints, after each read, one JSON line with the fix as
// the user interface receives it.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstdio>
#include <string_view>

#include "nav/GpsReader.h"

namespace hx::cli {

namespace {

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

QJsonObject fixJson(const GpsSnapshot& s) {
    const GpsFix& f = s.fix;
    QJsonObject o;
    o.insert("gpsLatitude", f.gpsLatitude);
    o.insert("gpsLongitude", f.gpsLongitude);
    o.insert("gpsSpeed", f.gpsSpeed);
    o.insert("gpsCourse", f.gpsCourse);
    o.insert("gpsHeading", f.gpsHeading);
    o.insert("latText", latin1(f.latText));
    o.insert("lonText", latin1(f.lonText));
    o.insert("timeText", latin1(f.timeText));
    o.insert("speedText", latin1(f.speedText));
    o.insert("courseText", latin1(f.courseText));
    o.insert("headingText", latin1(f.headingText));
    o.insert("dateText", latin1(f.dateText));
    QJsonArray sentences;
    for (const std::string& slot : s.gpsSentences) sentences.append(latin1(slot));
    o.insert("gpsSentences", sentences);
    return o;
}

int usage() {
    std::fprintf(stderr, "usage: hx642-cli nmea FILE [--chunk N]\n");
    return 2;
}

}  // namespace

int runNmea(const QStringList& args) {
    QString path;
    qint64 chunk = 0;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--chunk")) {
            if (i + 1 >= args.size()) return usage();
            bool ok = false;
            chunk = args[++i].toLongLong(&ok);
            if (!ok || chunk <= 0) {
                std::fprintf(stderr, "hx642-cli nmea: --chunk needs a positive number of bytes\n");
                return 2;
            }
        } else if (path.isEmpty()) {
            path = args[i];
        } else {
            return usage();
        }
    }
    if (path.isEmpty()) return usage();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "hx642-cli nmea: cannot open %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::size_t step = chunk > 0 ? static_cast<std::size_t>(chunk) : (all.empty() ? 1 : all.size());

    GpsReader reader;
    std::size_t at = 0;
    do {
        const GpsSnapshot s = reader.read(all.substr(at, step));
        const QByteArray line = QJsonDocument(fixJson(s)).toJson(QJsonDocument::Compact);
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
        std::fputc('\n', stdout);
        at += step;
    } while (at < all.size());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace hx::cli
