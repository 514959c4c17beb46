// The destination bar's layout in dialog units, with its font: a tiny captioned tool window
// holding the destination list and the start button.
#pragma once

#include <array>
#include <string_view>

#include "common/dialog_units.h"

namespace rumo::bar {

struct TemplateControl {
    int id;
    ControlKind kind;
    DialogRect rect;  // dialog units; a drop-down list's height includes its open list
};

struct BarTemplate {
    DialogRect client;  // dialog units
    std::string_view fontFace;
    int fontPoints;
    std::array<TemplateControl, 2> controls;
};

// Template 102.
const BarTemplate& barTemplate();

// The "戻り予定" button, right of the template's controls, which keep their places.
inline constexpr DialogRect kReturnButtonRect{91, 0, 10, 13};
// The bar's client area: the template's, widened by the return button.
DialogRect barClient();

}  // namespace rumo::bar
