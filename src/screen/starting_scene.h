// The scene a notice starts with: the settings as loadNoticeScene() reads them and, where the user
// has the calendar set the destination, the place and end of the event they are at. Decided
// once, as the notice starts: a later event never replaces what a running notice shows.
#pragma once

#include <cstdint>

#include "calendar/calendar_lookup.h"
#include "screen/notice_scene.h"

namespace rumo {

class SettingsStore;

// `now` in seconds since the epoch. A pick by hand within the hold keeps the stored destination
// and return time. Sources that cannot be read are said on stderr.
NoticeScene loadStartingScene(SettingsStore& store, std::int64_t now,
                              CalendarFetch fetch = CalendarFetch::Fetch);

}  // namespace rumo
