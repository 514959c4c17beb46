// What the program says to a CalDAV server and reads from its answers (WebDAV multistatus).
#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

namespace rumo {

// Asks a URL whether it is a calendar collection and for the tag that changes with its content.
QByteArray collectionProbeBody();

// A calendar-query REPORT for the events that overlap [from, to), as whole objects: the program
// expands repeating events itself.
QByteArray eventsQueryBody(std::int64_t from, std::int64_t to);

struct CollectionProps {
    bool isCalendar = false;
    // getctag where the server has it, else the sync token; empty when neither is given.
    QByteArray tag;
};

// The answer to the probe; not a calendar when the text is no multistatus.
CollectionProps readCollectionProps(const QByteArray& multistatus);

struct CalendarObjects {
    bool ok = false;  // a multistatus was read
    // Every calendar-data text found, one after the other (the event reader takes several
    // calendars in one text).
    std::string text;
    int count = 0;
};

CalendarObjects readCalendarObjects(const QByteArray& multistatus);

}  // namespace rumo
