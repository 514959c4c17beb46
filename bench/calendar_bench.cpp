// Reading a year of a busy user's calendar (2,000 events: single meetings, weekly series in a
// zone of the file's own with exceptions, daily stand-ups) for today and tomorrow, as the
// program does each time it looks at the calendar.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <ctime>
#include <string>

#include "calendar/calendar_choice.h"
#include "calendar/ics_events.h"
#include "calendar/kept_copy.h"
#include "calendar/source_fetch.h"

namespace {

constexpr std::int64_t kYearStart = 1735657200;  // 2025-01-01 00:00 in Tokyo
constexpr std::int64_t kDay = 24 * 60 * 60;

std::string stamp(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

std::string busyYear() {
    std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Tokyo Standard Time\r\nBEGIN:STANDARD\r\n"
        "DTSTART:16010101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\n"
        "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    for (int n = 0; n < 2000; ++n) {
        text += "BEGIN:VEVENT\r\nUID:event" + std::to_string(n) +
                "\r\nDTSTAMP:20250101T000000Z\r\nSUMMARY:Meeting " + std::to_string(n) +
                "\r\nLOCATION:会議室" + std::to_string(n % 12) + "\r\n";
        if (n % 20 == 0) {
            // One in twenty is a weekly series with an exception.
            text +=
                "DTSTART;TZID=Tokyo Standard Time:20250106T100000\r\n"
                "DTEND;TZID=Tokyo Standard Time:20250106T110000\r\n"
                "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n"
                "EXDATE;TZID=Tokyo Standard Time:20250113T100000\r\n";
        } else if (n % 50 == 1) {
            text += "DTSTART:" + stamp(kYearStart) + "\r\nDURATION:PT15M\r\nRRULE:FREQ=DAILY\r\n";
        } else {
            const std::int64_t start = kYearStart + (n * 4 * 60 * 60) % (365 * kDay);
            text += "DTSTART:" + stamp(start) + "\r\nDTEND:" + stamp(start + 3600) + "\r\n";
        }
        text += "ATTENDEE;PARTSTAT=ACCEPTED:mailto:me@example.com\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

void BM_ReadBusyYearForTodayAndTomorrow(benchmark::State& state) {
    const std::string text = busyYear();
    const std::int64_t now = kYearStart + 300 * kDay + 10 * 3600;  // late October, 10:00
    const auto [from, to] = rumo::todayAndTomorrow(now, "Asia/Tokyo");
    std::size_t found = 0;
    for (auto _ : state) {
        const auto events = rumo::eventsBetween(text, from, to, "Asia/Tokyo");
        found = events.size();
        benchmark::DoNotOptimize(rumo::pickFromCalendar(events, now, {}));
    }
    state.counters["occurrences"] = static_cast<double>(found);
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadBusyYearForTodayAndTomorrow)->Unit(benchmark::kMillisecond);

// What the notice's start and the bar do offline: the kept copy read from the cache folder, then
// expanded and chosen from.
void BM_KeptCopyReadAndExpanded(benchmark::State& state) {
    const rumo::CalendarSourceRef source{QStringLiteral("https://example.com/busy.ics"), {}};
    rumo::KeptCopy copy;
    copy.text = busyYear();
    QString error;
    if (!rumo::keepCopy(source, copy, error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const std::int64_t now = kYearStart + 300 * kDay + 10 * 3600;
    const auto [from, to] = rumo::todayAndTomorrow(now, "Asia/Tokyo");
    for (auto _ : state) {
        const auto kept = rumo::readKeptCopy(source);
        const auto events = rumo::eventsBetween(kept->text, from, to, "Asia/Tokyo");
        benchmark::DoNotOptimize(rumo::pickFromCalendar(events, now, {}));
    }
}
BENCHMARK(BM_KeptCopyReadAndExpanded)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// A CalDAV server on 127.0.0.1, in this process, whose calendar changed since the last fetch:
// the probe, the REPORT with 2,000 objects, the kept copy written, then read and expanded. The
// server's own work is counted too.
class FakeCalDav {
public:
    explicit FakeCalDav(const std::string& calendar) {
        // One calendar-data per event, as servers keep one object per resource.
        const std::string head = calendar.substr(0, calendar.find("BEGIN:VEVENT"));
        QByteArray report =
            "<d:multistatus xmlns:d=\"DAV:\" "
            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">";
        for (std::size_t at = calendar.find("BEGIN:VEVENT"); at != std::string::npos;) {
            const std::size_t end = calendar.find("END:VEVENT\r\n", at) + 12;
            report += "<d:response><d:href>/e.ics</d:href><d:propstat><d:prop><c:calendar-data>" +
                      QByteArray::fromStdString(head + calendar.substr(at, end - at)) +
                      "END:VCALENDAR\r\n</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK"
                      "</d:status></d:propstat></d:response>";
            at = calendar.find("BEGIN:VEVENT", end);
        }
        report_ = report + "</d:multistatus>";
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { answer(); });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/cal/").arg(server_.serverPort());
    }

private:
    void answer() {
        QTcpSocket* socket = server_.nextPendingConnection();
        auto* request = new QByteArray;
        QObject::connect(socket, &QObject::destroyed, [request] { delete request; });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            const qsizetype headEnd = request->indexOf("\r\n\r\n");
            if (headEnd < 0) {
                return;
            }
            const qsizetype lengthAt = request->toLower().indexOf("content-length:");
            const qsizetype length =
                lengthAt < 0
                    ? 0
                    : request->mid(lengthAt + 15, request->indexOf('\r', lengthAt) - lengthAt - 15)
                          .trimmed()
                          .toLongLong();
            if (request->size() < headEnd + 4 + length) {
                return;
            }
            // A new tag each time: the calendar changed, so the REPORT follows.
            const QByteArray body =
                request->startsWith("PROPFIND")
                    ? "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                      "xmlns:cs=\"http://calendarserver.org/ns/\"><d:response><d:propstat><d:prop>"
                      "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><cs:getctag>" +
                          QByteArray::number(++tag_) +
                          "</cs:getctag></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                          "</d:propstat></d:response></d:multistatus>"
                    : report_;
            request->clear();
            socket->write(
                "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\n"
                "Content-Length: " +
                QByteArray::number(body.size()) + "\r\n\r\n" + body);
        });
    }

    QTcpServer server_;
    QByteArray report_;
    int tag_ = 0;
};

void BM_CalDavFetchedAndExpanded(benchmark::State& state) {
    const std::string calendar = busyYear();
    FakeCalDav server(calendar);
    const rumo::CalendarSourceRef source{server.url(), {}};
    const std::int64_t now = kYearStart + 300 * kDay + 10 * 3600;
    const auto [from, to] = rumo::todayAndTomorrow(now, "Asia/Tokyo");
    std::size_t found = 0;
    for (auto _ : state) {
        const QString failure = rumo::fetchSourceNow(source, from, to);
        if (!failure.isEmpty()) {
            state.SkipWithError(qPrintable(failure));
            return;
        }
        const auto events =
            rumo::eventsBetween(rumo::readKeptCopy(source)->text, from, to, "Asia/Tokyo");
        found = events.size();
        benchmark::DoNotOptimize(rumo::pickFromCalendar(events, now, {}));
    }
    state.counters["occurrences"] = static_cast<double>(found);
}
BENCHMARK(BM_CalDavFetchedAndExpanded)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    // The kept copies go to a cache folder of the run's own.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
