// The program's icon, used by the notification area and the windows.
#pragma once

#include <QIcon>

namespace rumo {

QIcon appIcon();

}  // namespace rumo
