#include "platform/system_time.h"

#include <QDateTime>
#include <QTimeZone>

namespace platform {

int SystemZoneMinutes() {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!zone.isValid()) return now.toLocalTime().offsetFromUtc() / 60;
    return zone.standardTimeOffset(now) / 60;
}

std::optional<bool> SystemDaylightNow() {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid()) return std::nullopt;
    if (!zone.hasDaylightTime()) return false;
    return zone.isDaylightTime(QDateTime::currentDateTimeUtc());
}

}  // namespace platform
