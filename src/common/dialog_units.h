// Dialog layouts are given in dialog units: a horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its height.
#pragma once

namespace rumo {

// What a row of a dialog template (the properties dialog, the version box, the bar) creates.
enum class ControlKind {
    Tab,
    DefaultButton,
    PushButton,
    GroupBox,
    Radio,
    Check,
    Edit,
    DropDownList,
    ListBox,
    Static,
    Icon
};

struct DialogBaseUnits {
    int averageCharWidth = 6;  // pixels
    int charHeight = 12;       // pixels
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// Multiplies, then divides, rounding half away from zero.
int mulDiv(int number, int numerator, int denominator);

// Converts a rectangle in dialog units to pixels.
DialogRect toPixels(const DialogRect& units, const DialogBaseUnits& base);

}  // namespace rumo
