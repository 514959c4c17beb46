// The scene a notice starts with takes the calendar's place and end, once, unless the user
// picked by hand within the hold.
#include "screen/starting_scene.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "calendar/calendar_settings.h"
#include "calendar/hand_pick.h"
#include "common/qt_values.h"
#include "settings/memory_store.h"
#include "settings/return_setting.h"

namespace rumo {
namespace {

constexpr std::int64_t kMinute = 60;

QByteArray utc(std::int64_t at) {
    return QDateTime::fromSecsSinceEpoch(at, Qt::UTC)
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))
        .toLatin1();
}

TEST(StartingScene, TheCalendarsEventReplacesTheStoredDestinationUnlessPickedByHand) {
    const std::int64_t now = QDateTime::currentSecsSinceEpoch() / kMinute * kMinute;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("work.ics"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:m\r\n"
        "DTSTAMP:20250101T000000Z\r\nDTSTART:" +
        utc(now - 15 * kMinute) + "\r\nDTEND:" + utc(now + 45 * kMinute) +
        "\r\nLOCATION:会議室B\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    file.close();
    MemoryStore store;
    ASSERT_TRUE(store.set(settings::Where, "自席"));
    ASSERT_TRUE(store.set(settings::CalendarSource(1), path.toStdString()));
    const LocalMinute eventEnd =
        minuteOf(localDateTime(QDateTime::fromSecsSinceEpoch(now + 45 * kMinute)));

    // Off: the calendar is not read at all.
    EXPECT_EQ(loadStartingScene(store, now, CalendarFetch::KeptCopyOnly).where, "自席");

    ASSERT_TRUE(store.set(settings::CalendarEnabled, true));
    const NoticeScene fromCalendar = loadStartingScene(store, now, CalendarFetch::KeptCopyOnly);
    EXPECT_EQ(fromCalendar.where, "会議室B");
    EXPECT_EQ(fromCalendar.returnTime, eventEnd);
    // Shown only: the user's destination is kept for after the event.
    EXPECT_EQ(store.read(settings::Where), "自席");

    // A destination picked a minute ago wins, with the return time the user set (none here).
    ASSERT_TRUE(recordHandPick(store, now - kMinute).ok());
    const NoticeScene byHand = loadStartingScene(store, now, CalendarFetch::KeptCopyOnly);
    EXPECT_EQ(byHand.where, "自席");
    EXPECT_EQ(byHand.returnTime, std::nullopt);
    // Ten minutes on, the calendar applies again.
    EXPECT_EQ(loadStartingScene(store, now + 9 * kMinute, CalendarFetch::KeptCopyOnly).where,
              "会議室B");
}

}  // namespace
}  // namespace rumo
