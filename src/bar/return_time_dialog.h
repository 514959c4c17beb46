// The small window of "指定…": the time of day the user expects to be back.
#pragma once

#include <optional>

#include "common/return_time.h"

class QWidget;

namespace rumo {

// Asks for a time of day, starting from `initial`; nothing when the user cancels.
std::optional<DayTime> askReturnTime(QWidget* owner, DayTime initial);

}  // namespace rumo
