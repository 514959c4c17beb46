#include "calendar/ics_events.h"

#include <libical/ical.h>

#include <map>
#include <memory>
#include <set>

namespace rumo {

namespace {

// A daily rule that began long ago is walked from its start; this bounds the walk for rules that
// repeat every minute or second, whose later occurrences are then left out.
constexpr int kMostOccurrencesPerRule = 100000;

struct CalendarDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using CalendarPtr = std::unique_ptr<icalcomponent, CalendarDeleter>;

struct IteratorDeleter {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using IteratorPtr = std::unique_ptr<icalrecur_iterator, IteratorDeleter>;

icaltimezone* zoneNamed(std::string_view name) {
    icaltimezone* zone = icaltimezone_get_builtin_timezone(std::string(name).c_str());
    return zone ? zone : icaltimezone_get_utc_timezone();
}

// A time and the zone it is written in; no zone means UTC ("Z") when the time says so.
struct ZonedTime {
    icaltimetype time = icaltime_null_time();
    icaltimezone* zone = nullptr;
};

class Reader {
public:
    Reader(icalcomponent* calendar, icaltimezone* local) : calendar_(calendar), local_(local) {}

    // The zone a TZID names: the calendar's own VTIMEZONE first, then the system's zone of
    // that name; a name nobody knows is read as local time, like a floating time.
    icaltimezone* zoneOf(icalproperty* property, icaltimezone* otherwise) const {
        icalparameter* parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        if (!parameter) {
            return otherwise;
        }
        const char* tzid = icalparameter_get_tzid(parameter);
        if (!tzid) {
            return otherwise;
        }
        if (icaltimezone* own = icalcomponent_get_timezone(calendar_, tzid)) {
            return own;
        }
        if (icaltimezone* known = icaltimezone_get_builtin_timezone(tzid)) {
            return known;
        }
        if (icaltimezone* known = icaltimezone_get_builtin_timezone_from_tzid(tzid)) {
            return known;
        }
        return local_;
    }

    ZonedTime timeOf(icalproperty* property, icaltimetype time,
                     icaltimezone* otherwise = nullptr) const {
        if (icaltime_is_utc(time)) {
            return {time, icaltimezone_get_utc_timezone()};
        }
        return {time, zoneOf(property, otherwise ? otherwise : local_)};
    }

    static std::int64_t seconds(const ZonedTime& zoned) {
        return static_cast<std::int64_t>(icaltime_as_timet_with_zone(zoned.time, zoned.zone));
    }

    icaltimezone* local() const { return local_; }

private:
    icalcomponent* calendar_;
    icaltimezone* local_;
};

std::string textOf(const char* text) {
    return text ? std::string(text) : std::string();
}

// What every occurrence of an event shares: all but its times.
CalendarEvent describe(icalcomponent* event) {
    CalendarEvent described;
    if (icalproperty* transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY)) {
        const icalproperty_transp value = icalproperty_get_transp(transp);
        described.free =
            value == ICAL_TRANSP_TRANSPARENT || value == ICAL_TRANSP_TRANSPARENTNOCONFLICT;
    }
    described.cancelled = icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
    described.location = textOf(icalcomponent_get_location(event));
    described.title = textOf(icalcomponent_get_summary(event));
    for (icalproperty* attendee = icalcomponent_get_first_property(event, ICAL_ATTENDEE_PROPERTY);
         attendee; attendee = icalcomponent_get_next_property(event, ICAL_ATTENDEE_PROPERTY)) {
        icalparameter* partstat =
            icalproperty_get_first_parameter(attendee, ICAL_PARTSTAT_PARAMETER);
        if (partstat && icalparameter_get_partstat(partstat) == ICAL_PARTSTAT_DECLINED) {
            described.declinedBy.push_back(
                addressAsKey(textOf(icalproperty_get_attendee(attendee))));
        }
    }
    return described;
}

std::string uidOf(icalcomponent* event) {
    return textOf(icalcomponent_get_uid(event));
}

class Expander {
public:
    Expander(const Reader& reader, std::int64_t from, std::int64_t to,
             std::vector<CalendarEvent>& out)
        : reader_(reader), from_(from), to_(to), out_(out) {}

    // The occurrences of one event whose single occurrences are replaced by others (their
    // RECURRENCE-ID, in seconds) are left for those to give.
    void expand(icalcomponent* event, const std::set<std::int64_t>& replaced) {
        icalproperty* startProperty =
            icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty) {
            return;
        }
        const ZonedTime start =
            reader_.timeOf(startProperty, icalproperty_get_dtstart(startProperty));
        if (icaltime_is_null_time(start.time)) {
            return;
        }
        const bool allDay = start.time.is_date != 0;
        const std::int64_t first = Reader::seconds(start);
        const std::int64_t length = lengthOf(event, start, first);

        CalendarEvent shared = describe(event);
        shared.allDay = allDay;
        std::set<std::int64_t> excluded = exclusions(event, start);
        excluded.insert(replaced.begin(), replaced.end());
        const auto add = [&](std::int64_t at) {
            if (at < to_ && at + length > from_ && !excluded.contains(at)) {
                CalendarEvent occurrence = shared;
                occurrence.start = at;
                occurrence.end = at + length;
                out_.push_back(std::move(occurrence));
            }
        };

        icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        const bool repeats =
            rule && !icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
        if (!repeats) {
            add(first);
            return;
        }
        std::set<std::int64_t> seen;  // DTSTART and RDATE may name an occurrence the rule gives
        IteratorPtr iterator(
            icalrecur_iterator_new(ruleFor(icalproperty_get_rrule(rule), start), start.time));
        if (!iterator) {
            add(first);
            return;
        }
        for (int n = 0; n < kMostOccurrencesPerRule; ++n) {
            icaltimetype next = icalrecur_iterator_next(iterator.get());
            if (icaltime_is_null_time(next)) {
                break;
            }
            const std::int64_t at = Reader::seconds({next, start.zone});
            if (at >= to_) {
                break;
            }
            if (seen.insert(at).second) {
                add(at);
            }
        }
        if (seen.insert(first).second) {
            add(first);
        }
        for (icalproperty* extra = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
             extra; extra = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype value = icalproperty_get_rdate(extra);
            if (icaltime_is_null_time(value.time)) {
                continue;  // a period, which calendars hardly ever write
            }
            const std::int64_t at = Reader::seconds(reader_.timeOf(extra, value.time, start.zone));
            if (seen.insert(at).second) {
                add(at);
            }
        }
    }

private:
    // The rule's UNTIL, when given in UTC as the standard asks, compared in the zone the
    // occurrences are written in, so the last one is neither lost nor added by the offset.
    icalrecurrencetype ruleFor(icalrecurrencetype rule, const ZonedTime& start) const {
        if (!icaltime_is_null_time(rule.until) && icaltime_is_utc(rule.until) &&
            !start.time.is_date) {
            icaltimetype until = icaltime_convert_to_zone(rule.until, start.zone);
            until.zone = start.time.zone;
            rule.until = until;
        }
        return rule;
    }

    std::int64_t lengthOf(icalcomponent* event, const ZonedTime& start, std::int64_t first) const {
        if (icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
            const ZonedTime zoned = reader_.timeOf(end, icalproperty_get_dtend(end), start.zone);
            if (!icaltime_is_null_time(zoned.time)) {
                return std::max<std::int64_t>(0, Reader::seconds(zoned) - first);
            }
        }
        if (icalproperty* duration =
                icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
            return std::max(0, icaldurationtype_as_int(icalproperty_get_duration(duration)));
        }
        return start.time.is_date ? 24 * 60 * 60 : 0;
    }

    std::set<std::int64_t> exclusions(icalcomponent* event, const ZonedTime& start) const {
        std::set<std::int64_t> excluded;
        for (icalproperty* exdate = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY);
             exdate; exdate = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            icaltimetype time = icalproperty_get_exdate(exdate);
            if (time.is_date && !start.time.is_date) {
                // A date alone excludes the occurrence on that day, at the start's time of day.
                time.is_date = 0;
                time.hour = start.time.hour;
                time.minute = start.time.minute;
                time.second = start.time.second;
            }
            excluded.insert(Reader::seconds(reader_.timeOf(exdate, time, start.zone)));
        }
        return excluded;
    }

    const Reader& reader_;
    std::int64_t from_;
    std::int64_t to_;
    std::vector<CalendarEvent>& out_;
};

void eventsOfCalendar(icalcomponent* calendar, icaltimezone* local, std::int64_t from,
                      std::int64_t to, std::vector<CalendarEvent>& out) {
    const Reader reader(calendar, local);
    // The occurrences each event's overrides replace, by UID.
    std::map<std::string, std::set<std::int64_t>> replaced;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
        if (!id) {
            continue;
        }
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        icaltimezone* zone = start ? reader.zoneOf(start, local) : local;
        replaced[uidOf(event)].insert(
            Reader::seconds(reader.timeOf(id, icalproperty_get_recurrenceid(id), zone)));
    }
    static const std::set<std::int64_t> kNone;
    Expander expander(reader, from, to, out);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const bool isOverride =
            icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        const auto found = isOverride ? replaced.end() : replaced.find(uidOf(event));
        expander.expand(event, found == replaced.end() ? kNone : found->second);
    }
}

}  // namespace

std::vector<CalendarEvent> eventsBetween(const std::string& icsText, std::int64_t from,
                                         std::int64_t to, std::string_view localZone) {
    icalerror_set_errors_are_fatal(0);
    std::vector<CalendarEvent> events;
    const CalendarPtr root(icalparser_parse_string(icsText.c_str()));
    if (!root) {
        return events;
    }
    icaltimezone* local = zoneNamed(localZone);
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        eventsOfCalendar(root.get(), local, from, to, events);
        return events;
    }
    // Several calendars in one text come inside one root.
    for (icalcomponent* calendar =
             icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
         calendar;
         calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
        eventsOfCalendar(calendar, local, from, to, events);
    }
    return events;
}

std::pair<std::int64_t, std::int64_t> todayAndTomorrow(std::int64_t now,
                                                       std::string_view localZone) {
    icaltimezone* local = zoneNamed(localZone);
    icaltimetype day = icaltime_from_timet_with_zone(static_cast<time_t>(now), 0, local);
    day.hour = 0;
    day.minute = 0;
    day.second = 0;
    icaltimetype afterTomorrow = day;
    icaltime_adjust(&afterTomorrow, 2, 0, 0, 0);
    return {static_cast<std::int64_t>(icaltime_as_timet_with_zone(day, local)),
            static_cast<std::int64_t>(icaltime_as_timet_with_zone(afterTomorrow, local))};
}

}  // namespace rumo
