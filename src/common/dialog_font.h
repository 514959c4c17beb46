// Measures a dialog font the way dialog units need it.
#pragma once

#include <QFont>

#include "common/dialog_units.h"

namespace rumo {

// The font a dialog template names ("ＭＳ Ｐゴシック" at a point size).
QFont dialogFont(const QString& face, int pointSize);

// Average width of the Latin letters and the line height of the font, in pixels.
DialogBaseUnits baseUnitsOf(const QFont& font);

}  // namespace rumo
