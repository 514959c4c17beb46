#include "common/dialog_units.h"

#include <cstdint>

namespace rumo {

int mulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = (denominator > 0 ? denominator : -denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) /
                                   (denominator > 0 ? denominator : -denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogRect toPixels(const DialogRect& units, const DialogBaseUnits& base) {
    auto px = [&](int du) { return mulDiv(du, base.averageCharWidth, 4); };
    auto py = [&](int du) { return mulDiv(du, base.charHeight, 8); };
    return {px(units.x), py(units.y), px(units.width), py(units.height)};
}

}  // namespace rumo
