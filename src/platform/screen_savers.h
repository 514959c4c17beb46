// The desktop's screen-saver programs: here the XScreenSaver hacks installed on the machine, each
// a program in one directory, shown by its file name.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace rumo {

// The first of the known hack directories that exists, or empty when none is installed.
QString screenSaverDirectory();

// The hacks of `directory`: executable regular files, by name, without the package's helper
// programs (xscreensaver-getimage and the like). Empty when the directory is missing.
std::vector<std::string> listScreenSavers(const QString& directory);

// The ending the menu leaves out of each program's name; hacks carry none.
inline constexpr const char* kScreenSaverSuffix = "";

}  // namespace rumo
