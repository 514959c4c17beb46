// How values move between the properties dialog's controls and its members: the rules for
// check boxes, radio groups and the integer edits of the memo positions.
#pragma once

#include <optional>
#include <string_view>

#include "common/translate.h"

namespace rumo {

// The state a stored check value shows: 0 unchecked, 1 checked, 2 indeterminate; any other
// value shows (and is kept as) unchecked.
int checkStateFromStored(int stored);

// A memo position as typed: blanks and tabs around an optional sign and decimal digits, within
// the 32-bit range. A result of 0 needs a first digit 0, so an empty field, "-0" and "+0" are
// refused, as is anything else that is not such a number.
std::optional<int> parseDialogInt(std::string_view text);

// The message shown when a memo position is refused.
inline constexpr std::string_view kIntegerRequiredMessage =
    QT_TRANSLATE_NOOP("PropertiesDialog", "Please enter an integer.");

}  // namespace rumo
