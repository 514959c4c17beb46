#include "screen/frame_composer.h"

#include <algorithm>
#include <cstdio>

#include "common/text.h"
#include "common/translate.h"
#include "screen/crt_random.h"
#include "screen/int32_math.h"
#include "screen/text_motion.h"
#include "settings/schema.h"

namespace rumo {

namespace {

constexpr int kMaxFaceBytes = 31;
constexpr int kShadowOffset = 10;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGrey = 0x646464;
constexpr Colour kBlack = 0;

std::string usableFace(const std::string& face, const Setting<std::string>& setting) {
    if (face.empty() || cp932Length(face) > kMaxFaceBytes) {
        return std::string(setting.row().textDefault);
    }
    return face;
}

FontSpec fontOf(std::string face, int cellHeight, bool bold, bool italic, bool underline,
                bool strikeout) {
    return {std::move(face), cellHeight, bold ? 700 : 400, italic, underline, strikeout};
}

void addText(Frame& frame, const FontSpec& font, Colour colour, int x, int y,
             const std::string& text, bool keepInRightEdge = false) {
    if (!text.empty()) {
        frame.steps.emplace_back(TextStep{font, colour, x, y, text, keepInRightEdge});
    }
}

void addPictures(Frame& frame, const NoticeScene& s, int w, int h) {
    if (s.showBackImage != 0 && s.backImage && s.backImage->width > 0 && s.backImage->height > 0) {
        frame.steps.emplace_back(TileStep{*s.backImage, w, h});
    }
    if (s.showForeImage == 0 || !s.framePicture) {
        return;
    }
    const PictureHandle& p = *s.framePicture;
    if (p.width <= 0 || p.height <= 0) {
        return;
    }
    if (p.width <= w) {
        const Rect target{sub32(div32(w, 2), div32(p.width, 2)),
                          sub32(div32(h, 2), div32(p.height, 2)), p.width, p.height};
        frame.steps.emplace_back(PictureStep{p, target});
        return;
    }
    const std::int32_t scaledWidth = div32(mul32(h, p.width), p.height);
    if (scaledWidth <= 0 || h <= 0) {
        return;
    }
    const Rect target{sub32(div32(w, 2), div32(scaledWidth, 2)), 0, scaledWidth, h};
    frame.steps.emplace_back(PictureStep{p, target});
}

Colour shadowColour(const NoticeScene& s, bool& any) {
    any = s.whiteShadow || s.blackShadow;
    if (s.whiteShadow) {
        return s.blackShadow ? kGrey : kWhite;
    }
    return kBlack;
}

}  // namespace

int tileCount(int area, int size) {
    if (size <= 0 || area < 0) {
        return 0;
    }
    return area / size + 1;
}

FontSpec mainFont(const NoticeScene& s) {
    return fontOf(usableFace(s.fontFace, settings::Font), s.fontSize / 2, s.bold, s.italic,
                  s.underline, s.strikeout);
}

FontSpec memoFont(const NoticeScene& s, int memo) {
    const auto i = static_cast<std::size_t>(memo);
    return fontOf(usableFace(s.memoFontFaces[i], settings::MFont(memo + 1)), s.memoSizes[i] / 5,
                  s.memoBold[i], s.memoItalic[i], s.memoUnderline[i], s.memoStrikeout[i]);
}

FontSpec smallFont() {
    return {kSmallLineFace, kSmallLineHeight, 0, false, false, false};
}

FontSpec returnLineFont() {
    return {kSmallLineFace, kReturnLineHeight, 0, false, false, false};
}

std::string awayMinutesText(std::int64_t elapsedSeconds) {
    // Whole minutes since leaving, without starting again after a day; a clock set back shows 0.
    const long long minutes = elapsedSeconds > 0 ? elapsedSeconds / 60 : 0;
    // The count picks the plural form only; the number is written whole, however large.
    const int form = static_cast<int>(std::min<long long>(minutes, 1000000));
    return withArgument(translate("Notice", "Away for about %1 minute(s)", nullptr, form),
                        std::to_string(minutes));
}

std::string dateTimeText(const LocalDateTime& t) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d %d:%d:%d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buffer;
}

void preparePaint(NoticeScene& s, int height, std::int64_t now) {
    s.textColor = rgb(s.textRed, s.textGreen, s.textBlue);
    s.backColor = rgb(s.backRed, s.backGreen, s.backBlue);
    s.quarterSize = s.fontSize / 4;
    if (!s.startTime) {
        s.startTime = now;
    }
    placeText(s, height);
}

Frame drawFrame(NoticeScene& s, int w, int h, const FrameClock& clock, const SlideRule& slideRule) {
    // Preamble: every random choice of the frame depends only on the current second.
    CrtRandom random;
    random.seedFromTime(clock.now);
    const std::int64_t elapsed = s.startTime ? clock.now - *s.startTime : 0;
    if (s.pictureMode == 2) {
        if (slideRule) {
            slideRule(s, elapsed);
        }
    } else {
        s.framePicture = s.foreImage;
    }
    s.quarterSize = s.fontSize / 4;

    Frame frame;
    frame.width = w;
    frame.height = h;
    frame.steps.emplace_back(FillStep{{0, 0, w, h}, s.backColor});
    addPictures(frame, s, w, h);
    for (int m = 0; m < kMemoCount; ++m) {
        const auto i = static_cast<std::size_t>(m);
        addText(frame, memoFont(s, m), rgb(s.memoRed[i], s.memoGreen[i], s.memoBlue[i]), s.memoX[i],
                s.memoY[i], s.memos[i]);
    }
    frame.staticSteps = frame.steps.size();

    stepText(s, w, h, random);
    const FontSpec main = mainFont(s);
    const std::vector<Point> anchors = textAnchors(s, w);
    bool shadow = false;
    const Colour shadowTone = shadowColour(s, shadow);
    if (shadow) {
        for (const Point& a : anchors) {
            addText(frame, main, shadowTone, add32(a.x, kShadowOffset), add32(a.y, kShadowOffset),
                    s.where);
        }
    }
    Colour colour = s.textColor;
    if (s.colourfulText) {
        const int red = random.next() % 256;
        const int green = random.next() % 256;
        const int blue = random.next() % 256;
        colour = rgb(red, green, blue);
    }
    for (const Point& a : anchors) {
        addText(frame, main, colour, a.x, a.y, s.where);
    }

    const FontSpec small = smallFont();
    const int bottomLine = sub32(h, kSmallLineHeight);
    if (s.showAwayTime) {
        addText(frame, small, colour, 0, bottomLine, awayMinutesText(elapsed));
    }
    // Placed by an estimate of 15 pixels a byte, which a face with wider digits overruns: the
    // canvas then moves the line left so that nothing of it is cut at the edge.
    addText(frame, small, colour, sub32(w, mul32(cp932Length(s.name), 15)), 0, s.name, true);
    if (s.showDateTime) {
        const std::string date = dateTimeText(clock.local);
        addText(frame, small, colour, sub32(w, mul32(cp932Length(date), 15)), bottomLine, date,
                true);
    }
    if (s.returnTime) {
        // Above the minutes line, whether that is shown or not, so neither line moves the other.
        addText(frame, returnLineFont(), colour, 0, sub32(bottomLine, kReturnLineHeight),
                returnNoticeText(*s.returnTime, clock.local));
    }
    return frame;
}

}  // namespace rumo
