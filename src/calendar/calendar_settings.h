// The names the code uses for the calendar's settings (their rows are in settings/schema.h).
#pragma once

#include "settings/schema.h"

namespace rumo::settings {

inline constexpr NumberedSetting<std::string> CalendarSource{"Source#"};
inline constexpr NumberedSetting<std::string> CalendarUser{"User#"};
inline constexpr Setting<bool> CalendarEnabled{"Enabled"};
inline constexpr Setting<bool> CalendarShowTitle{"ShowTitle"};
inline constexpr Setting<std::string> CalendarAddress{"Address"};
inline constexpr Setting<std::string> PickedByHand{"PickedByHand"};

}  // namespace rumo::settings

namespace rumo {

inline constexpr int kCalendarSourceCount =
    kSettingRows[schema_rows::rowNamed("Source#", SettingType::Text, true)].count;

}  // namespace rumo
