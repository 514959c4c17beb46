#include "calendar/calendar_lookup.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <iterator>
#include <vector>

#include "calendar/calendar_settings.h"
#include "calendar/calendar_sources.h"
#include "calendar/ics_events.h"
#include "settings/settings_store.h"

namespace rumo {
namespace {

std::vector<std::string> addressesIn(const std::string& text) {
    std::vector<std::string> addresses;
    for (const QString& address : QString::fromStdString(text).split(
             QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
        addresses.push_back(address.toStdString());
    }
    return addresses;
}

}  // namespace

QStringList keptCalendarSources(const SettingsSnapshot& snapshot) {
    QStringList sources;
    for (int n = 1; n <= kCalendarSourceCount; ++n) {
        const std::string source = snapshot.read(settings::CalendarSource(n));
        if (!source.empty()) {
            sources << QString::fromStdString(source);
        }
    }
    return sources;
}

CalendarLookup lookUpCalendar(const SettingsSnapshot& snapshot, std::int64_t now,
                              std::optional<std::int64_t> manualPickAt, CalendarFetch fetch) {
    // Nothing is kept between reads yet: a copy-only lookup reads local files and skips URLs.
    const std::string zone = QTimeZone::systemTimeZoneId().toStdString();
    const auto [from, to] = todayAndTomorrow(now, zone);
    CalendarLookup lookup;
    std::vector<CalendarEvent> events;
    for (const QString& source : keptCalendarSources(snapshot)) {
        if (fetch == CalendarFetch::KeptCopyOnly && source.contains(QLatin1String("://"))) {
            continue;
        }
        QString error;
        const std::optional<std::string> text = readSource(source, error);
        if (!text) {
            lookup.failures << error;
            continue;
        }
        std::vector<CalendarEvent> more = eventsBetween(*text, from, to, zone);
        events.insert(events.end(), std::make_move_iterator(more.begin()),
                      std::make_move_iterator(more.end()));
    }
    const CalendarRules rules{addressesIn(snapshot.read(settings::CalendarAddress)),
                              snapshot.read(settings::CalendarShowTitle), manualPickAt};
    lookup.pick = pickFromCalendar(events, now, rules);
    lookup.nextChangeAt = std::min(nextCalendarChange(events, now, rules).value_or(to), to);
    return lookup;
}

}  // namespace rumo
