#include "calendar/caldav_xml.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace rumo {
namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
const QString kCalendarServer = QStringLiteral("http://calendarserver.org/ns/");

QByteArray utcStamp(std::int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))
        .toLatin1();
}

// Properties under a propstat whose status is not 200 were not found, and count for nothing.
bool okStatus(const QString& status) {
    return status.isEmpty() || status.contains(QLatin1String(" 200"));
}

}  // namespace

QByteArray collectionProbeBody() {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<d:propfind xmlns:d=\"DAV:\" xmlns:cs=\"http://calendarserver.org/ns/\">"
           "<d:prop><d:resourcetype/><cs:getctag/><d:sync-token/></d:prop></d:propfind>";
}

QByteArray eventsQueryBody(std::int64_t from, std::int64_t to) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
           "<d:prop><d:getetag/><c:calendar-data/></d:prop>"
           "<c:filter><c:comp-filter name=\"VCALENDAR\"><c:comp-filter name=\"VEVENT\">"
           "<c:time-range start=\"" +
           utcStamp(from) + "\" end=\"" + utcStamp(to) +
           "\"/></c:comp-filter></c:comp-filter></c:filter></c:calendar-query>";
}

CollectionProps readCollectionProps(const QByteArray& multistatus) {
    CollectionProps props;
    QXmlStreamReader xml(multistatus);
    // Read per propstat: its status comes after its properties.
    bool calendar = false;
    QByteArray ctag;
    QByteArray syncToken;
    QString status;
    bool sawMultistatus = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            const auto ns = xml.namespaceUri();
            if (ns == kDav && name == QLatin1String("multistatus")) {
                sawMultistatus = true;
            } else if (ns == kDav && name == QLatin1String("propstat")) {
                calendar = false;
                ctag.clear();
                syncToken.clear();
                status.clear();
            } else if (ns == kCalDav && name == QLatin1String("calendar")) {
                calendar = true;
            } else if (ns == kCalendarServer && name == QLatin1String("getctag")) {
                ctag = xml.readElementText().trimmed().toUtf8();
            } else if (ns == kDav && name == QLatin1String("sync-token")) {
                syncToken = xml.readElementText().trimmed().toUtf8();
            } else if (ns == kDav && name == QLatin1String("status")) {
                status = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.namespaceUri() == kDav &&
                   xml.name() == QLatin1String("propstat") && okStatus(status)) {
            props.isCalendar = props.isCalendar || calendar;
            if (!ctag.isEmpty()) {
                props.tag = "ctag:" + ctag;
            } else if (!syncToken.isEmpty() && props.tag.isEmpty()) {
                props.tag = "sync:" + syncToken;
            }
        } else if (xml.isEndElement() && xml.namespaceUri() == kDav &&
                   xml.name() == QLatin1String("response")) {
            // Only the first response describes the collection itself (Depth: 0).
            break;
        }
    }
    if (!sawMultistatus || (xml.hasError() && !props.isCalendar)) {
        return {};
    }
    return props;
}

CalendarObjects readCalendarObjects(const QByteArray& multistatus) {
    CalendarObjects objects;
    QXmlStreamReader xml(multistatus);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.namespaceUri() == kDav && xml.name() == QLatin1String("multistatus")) {
            objects.ok = true;
        } else if (xml.namespaceUri() == kCalDav && xml.name() == QLatin1String("calendar-data")) {
            const QString data = xml.readElementText();
            if (!data.trimmed().isEmpty()) {
                objects.text += data.toStdString();
                if (!data.endsWith(QLatin1Char('\n'))) {
                    objects.text += "\r\n";
                }
                ++objects.count;
            }
        }
    }
    if (xml.hasError()) {
        return {};
    }
    return objects;
}

}  // namespace rumo
