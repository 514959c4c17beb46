// The program's icon, used by the notification area and the windows. It is drawn from the one
// SVG in resources/icons, which is also installed in the icon theme.
#pragma once

#include <QIcon>
#include <QImage>

namespace rumo {

// The name the icon is installed under in the desktop's icon theme.
inline constexpr const char* kAppIconName = "rumo";

// The theme's icon when it is installed (the desktop can then pick each size itself), else the
// drawing at the usual sizes.
QIcon appIcon();

// The drawing at `size` x `size` pixels.
QImage renderAppIcon(int size);

}  // namespace rumo
