#include "calendar/calendar_lookup.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <iterator>
#include <vector>

#include "calendar/calendar_settings.h"
#include "calendar/calendar_sources.h"
#include "calendar/ics_events.h"
#include "calendar/source_fetch.h"
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
    for (const CalendarSourceRef& source : calendarSourceRefs(snapshot)) {
        sources << source.location;
    }
    return sources;
}

std::vector<CalendarSourceRef> calendarSourceRefs(const SettingsSnapshot& snapshot) {
    std::vector<CalendarSourceRef> sources;
    for (int n = 1; n <= kCalendarSourceCount; ++n) {
        const std::string source = snapshot.read(settings::CalendarSource(n));
        if (!source.empty()) {
            sources.push_back({QString::fromStdString(source),
                               QString::fromStdString(snapshot.read(settings::CalendarUser(n)))});
        }
    }
    return sources;
}

CalendarLookup lookUpCalendar(const SettingsSnapshot& snapshot, std::int64_t now,
                              std::optional<std::int64_t> manualPickAt, CalendarFetch fetch) {
    const std::string zone = QTimeZone::systemTimeZoneId().toStdString();
    const auto [from, to] = todayAndTomorrow(now, zone);
    CalendarLookup lookup;
    std::vector<CalendarEvent> events;
    for (const CalendarSourceRef& source : calendarSourceRefs(snapshot)) {
        std::optional<std::string> text;
        if (source.isUrl()) {
            if (fetch == CalendarFetch::Fetch) {
                if (const QString failure = fetchSourceNow(source, from, to); !failure.isEmpty()) {
                    lookup.failures << failure;
                }
            }
            // A failed fetch leaves the last good copy, which still serves.
            if (std::optional<KeptCopy> copy = readKeptCopy(source)) {
                text = std::move(copy->text);
            }
        } else {
            QString error;
            text = readSource(source.location, error);
            if (!text) {
                lookup.failures << error;
            }
        }
        if (!text) {
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
