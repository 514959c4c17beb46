#include "screen/starting_scene.h"

#include <QDateTime>
#include <cstdio>

#include "calendar/calendar_settings.h"
#include "calendar/hand_pick.h"
#include "common/qt_values.h"
#include "common/return_time.h"
#include "screen/scene_loader.h"
#include "settings/settings_store.h"

namespace rumo {

NoticeScene loadStartingScene(SettingsStore& store, std::int64_t now, CalendarFetch fetch) {
    NoticeScene scene = loadNoticeScene(store);
    const SettingsSnapshot values = store.snapshot();
    if (!values.read(settings::CalendarEnabled)) {
        return scene;
    }
    const CalendarLookup lookup = lookUpCalendar(values, now, readHandPick(values), fetch);
    for (const QString& failure : lookup.failures) {
        std::fprintf(stderr, "rumo: %s\n", qPrintable(failure));
    }
    // Only shown, never stored: the user's own destination is still theirs after the meeting,
    // and the stored return time is theirs to keep or clear.
    if (lookup.pick) {
        showCalendarPick(
            scene, lookup.pick->destination,
            minuteOf(localDateTime(QDateTime::fromSecsSinceEpoch(lookup.pick->returnAt))));
    }
    return scene;
}

}  // namespace rumo
