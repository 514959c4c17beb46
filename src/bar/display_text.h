// How the bar shows stored texts in its list and menus.
#pragma once

#include <QString>
#include <string>

namespace rumo {

// `text` as an item of the list or a menu shows it: cut short, with an ellipsis, when it is too
// long for any screen. Choosing the item still uses the whole stored text.
QString shortenedForDisplay(const std::string& text);

}  // namespace rumo
