#include "platform/QtClock.h"

#include <QDateTime>

namespace hx {

QtClock::QtClock() { elapsed_.start(); }

LocalTime QtClock::localTime() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    LocalTime out;
    out.year = static_cast<std::uint16_t>(d.year());
    out.month = static_cast<std::uint16_t>(d.month());
    out.dayOfWeek = static_cast<std::uint16_t>(d.dayOfWeek() % 7);  // Qt: Monday 1 .. Sunday 7
    out.day = static_cast<std::uint16_t>(d.day());
    out.hour = static_cast<std::uint16_t>(t.hour());
    out.minute = static_cast<std::uint16_t>(t.minute());
    out.second = static_cast<std::uint16_t>(t.second());
    out.millisecond = static_cast<std::uint16_t>(t.msec());
    return out;
}

std::uint32_t QtClock::tickMs() const { return static_cast<std::uint32_t>(elapsed_.elapsed()); }

}  // namespace hx
