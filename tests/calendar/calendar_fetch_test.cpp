// Reading CalDAV answers, and the resident's fetching telling a failing source once.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "calendar/caldav_xml.h"
#include "calendar/calendar_feed.h"
#include "calendar/calendar_settings.h"
#include "calendar/ics_events.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

TEST(CalDavAnswers, TheProbeTellsACalendarAndItsTagFromWhatTheServerLacks) {
    // As radicale answers: DAV: as the default namespace.
    const CollectionProps radicale = readCollectionProps(
        "<?xml version='1.0' encoding='utf-8'?>\n<multistatus xmlns=\"DAV:\" "
        "xmlns:C=\"urn:ietf:params:xml:ns:caldav\" xmlns:CS=\"http://calendarserver.org/ns/\">"
        "<response><href>/a/work/</href><propstat><prop><resourcetype><C:calendar /><collection "
        "/></resourcetype><CS:getctag>\"c1\"</CS:getctag><sync-token>s1</sync-token></prop>"
        "<status>HTTP/1.1 200 OK</status></propstat></response></multistatus>");
    EXPECT_TRUE(radicale.isCalendar);
    EXPECT_EQ(radicale.tag, "ctag:\"c1\"");

    // No getctag (listed as not found): the sync token stands in.
    const CollectionProps syncOnly = readCollectionProps(
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:response>"
        "<d:href>/w/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/>"
        "</d:resourcetype><d:sync-token>t7</d:sync-token></d:prop><d:status>HTTP/1.1 200 OK"
        "</d:status></d:propstat><d:propstat><d:prop><x:getctag xmlns:x=\"http://calendarserver"
        ".org/ns/\">bogus</x:getctag></d:prop><d:status>HTTP/1.1 404 Not Found</d:status>"
        "</d:propstat></d:response></d:multistatus>");
    EXPECT_TRUE(syncOnly.isCalendar);
    EXPECT_EQ(syncOnly.tag, "sync:t7");

    // A plain folder, a web page: read as feeds.
    EXPECT_FALSE(readCollectionProps("<multistatus xmlns=\"DAV:\"><response><propstat><prop>"
                                     "<resourcetype><collection/></resourcetype></prop><status>"
                                     "HTTP/1.1 200 OK</status></propstat></response>"
                                     "</multistatus>")
                     .isCalendar);
    EXPECT_FALSE(readCollectionProps("<html><body>BEGIN:VCALENDAR</body></html>").isCalendar);
}

TEST(CalDavAnswers, EveryEventOfTheReportIsRead) {
    // Two objects (one with an escaped character in its text), and a response without data.
    const auto object = [](const char* uid, const char* start, const char* place) {
        return QByteArray(
                   "BEGIN:VCALENDAR&#13;\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT"
                   "\r\nUID:") +
               uid + "\r\nDTSTAMP:20250101T000000Z\r\nDTSTART:" + start +
               "\r\nDURATION:PT1H\r\nLOCATION:" + place + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    const CalendarObjects objects = readCalendarObjects(
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:response><d:href>/w/a.ics</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
        "<c:calendar-data>" +
        object("a", "20250610T010000Z", "R&amp;D 会議室") +
        "</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
        "</d:response><d:response><d:href>/w/gone.ics</d:href><d:status>HTTP/1.1 404 Not "
        "Found</d:status></d:response><d:response><d:href>/w/b.ics</d:href><d:propstat><d:prop>"
        "<c:calendar-data><![CDATA[" +
        object("b", "20250610T030000Z", "会議室B") +
        "]]></c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
        "</d:response></d:multistatus>");
    ASSERT_TRUE(objects.ok);
    EXPECT_EQ(objects.count, 2);
    const std::vector<CalendarEvent> events =
        eventsBetween(objects.text, 1749513600, 1749600000, "Asia/Tokyo");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].location, "R&D 会議室");
    EXPECT_EQ(events[1].location, "会議室B");

    EXPECT_FALSE(readCalendarObjects("<d:multistatus xmlns:d=\"DAV:\"><d:response>").ok);
}

TEST(CalendarFeedTest, AFailingSourceIsToldOnceAndAgainOnlyAfterItRecovered) {
    // A feed that answers 500 or a calendar, as the test says.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    bool healthy = false;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &healthy] {
            if (!socket->readAll().contains("\r\n\r\n")) {
                return;
            }
            const QByteArray body = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n";
            socket->write(
                healthy ? "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                              "\r\nConnection: close\r\n\r\n" + body
                        : QByteArray("HTTP/1.1 500 Broken\r\nContent-Length: 0\r\n"
                                     "Connection: close\r\n\r\n"));
            socket->disconnectFromHost();
        });
    });
    MemoryStore store;
    ASSERT_TRUE(store.set(
        settings::CalendarSource(1),
        QStringLiteral("http://127.0.0.1:%1/x.ics").arg(server.serverPort()).toStdString()));
    CalendarFeed feed(store);
    QSignalSpy updated(&feed, &CalendarFeed::updated);
    QSignalSpy failed(&feed, &CalendarFeed::sourceFailed);
    const auto fetch = [&] {
        const qsizetype before = updated.size();
        feed.fetchNow();
        EXPECT_TRUE(updated.size() > before || updated.wait(20000));
    };
    fetch();
    fetch();
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed.at(0).at(1).toString().contains(QStringLiteral("500")));
    healthy = true;
    fetch();
    EXPECT_EQ(failed.size(), 1);
    healthy = false;
    fetch();
    fetch();
    EXPECT_EQ(failed.size(), 2);
}

}  // namespace
}  // namespace rumo
