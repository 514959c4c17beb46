#include "screen/text_motion.h"

#include "common/text.h"
#include "screen/int32_math.h"

namespace rumo {

namespace {

bool standsStill(const NoticeScene& s) {
    return (s.motionPattern == 0 || s.motionPattern == 1) && s.textPosition == 3;
}

// A random number modulo a range that may be negative (a client area smaller than the text's
// assumed box); a zero range places the text at 0 instead of dividing by zero.
std::int32_t randomWithin(int random, std::int32_t range) {
    if (range == 0) {
        return 0;
    }
    return wrap32(static_cast<std::int64_t>(random) % static_cast<std::int64_t>(range));
}

}  // namespace

std::int32_t estimatedTextWidth(const NoticeScene& scene) {
    return mul32(cp932Length(scene.where), scene.quarterSize);
}

void placeText(NoticeScene& s, int height) {
    const std::int32_t q = s.quarterSize;
    const std::int32_t h = height;
    if (s.motionPattern == 3) {
        return;
    }
    s.textX = 0;
    switch (s.motionPattern) {
        case 0:
        case 1:
            switch (s.textPosition) {
                case 1:
                    s.textY = sub32(div32(h, 5), q);
                    break;
                case 2:
                    s.textY = sub32(div32(mul32(4, h), 5), q);
                    break;
                case 3:
                    s.textY = s.motionPattern == 0 ? sub32(div32(h, 2), q) : 0;
                    break;
                default:  // 0, and any other stored value, centres the text
                    s.textY = sub32(div32(h, 2), q);
                    break;
            }
            break;
        case 2:
            s.textY = sub32(div32(h, 2), 50);
            break;
        default:  // 4
            s.textY = 100;
            break;
    }
}

void stepText(NoticeScene& s, int width, int height, CrtRandom& random) {
    const std::int32_t w = width;
    const std::int32_t l = estimatedTextWidth(s);
    switch (s.motionPattern) {
        case 0:
        case 1:
        case 2:
            if (standsStill(s)) {
                s.textX = add32(add32(div32(w, 2), div32(l, 2)), 10);
            } else if (static_cast<std::int64_t>(s.textX) > add32(w, l)) {
                s.textX = 0;
            } else {
                s.textX = add32(s.textX, div32(s.quarterSize, 5));
            }
            break;
        case 3: {
            const int r1 = random.next();
            const int r2 = random.next();
            s.textX = randomWithin(r1, sub32(w, 300));
            s.textY = randomWithin(r2, sub32(height, 50));
            break;
        }
        default:
            break;
    }
}

std::vector<Point> textAnchors(const NoticeScene& s, int width) {
    const std::int32_t l = estimatedTextWidth(s);
    const int fromLeft = sub32(s.textX, l);
    const int fromRight = sub32(width, s.textX);
    switch (s.motionPattern) {
        case 0:
            return {{fromLeft, s.textY}};
        case 1:
            return {{fromRight, s.textY}};
        case 2:
            return {{fromLeft, add32(s.textY, 250)},
                    {fromRight, add32(s.textY, 100)},
                    {fromLeft, sub32(s.textY, 100)},
                    {fromRight, sub32(s.textY, 250)}};
        case 3:
            return {{s.textX, s.textY}};
        default:
            return {};
    }
}

}  // namespace rumo
