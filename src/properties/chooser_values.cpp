#include "properties/chooser_values.h"

#include "properties/control_ids.h"

#include <algorithm>

#include "common/dialog_units.h"
#include "common/text.h"

namespace rumo {

WriteStatus writeBackgroundColour(SettingsStore& store, Colour colour) {
    return store.write({integerWrite(settings::ColorR, redOf(colour)),
                        integerWrite(settings::ColorG, greenOf(colour)),
                        integerWrite(settings::ColorB, blueOf(colour))});
}

namespace {

template <typename T>
Setting<T> ofGroup(const FontGroup& group, const Setting<T>& main, const NumberedSetting<T>& memo) {
    return group.memo == 0 ? main : memo(group.memo);
}

// Cuts a face name to the bytes a font description holds, never inside a character.
std::string cutFaceName(std::string_view face) {
    std::size_t end = 0;
    while (end < face.size()) {
        const std::size_t next = nextCharacter(face, end);
        if (cp932Length(face.substr(0, next)) > kFaceNameLimit) {
            break;
        }
        end = next;
    }
    return std::string(face.substr(0, end));
}

}  // namespace

Setting<std::string> FontGroup::face() const {
    return ofGroup(*this, settings::Font, settings::MFont);
}
Setting<int> FontGroup::size() const {
    return ofGroup(*this, settings::Size, settings::MSize);
}
Setting<bool> FontGroup::bold() const {
    return ofGroup(*this, settings::Bold, settings::MBold);
}
Setting<bool> FontGroup::italic() const {
    return ofGroup(*this, settings::Italic, settings::MItalic);
}
Setting<bool> FontGroup::strikeout() const {
    return ofGroup(*this, settings::Torikeshi, settings::MTorikeshi);
}
Setting<bool> FontGroup::underline() const {
    return ofGroup(*this, settings::ULine, settings::MULine);
}
Setting<int> FontGroup::red() const {
    return ofGroup(*this, settings::FColorR, settings::MColorR);
}
Setting<int> FontGroup::green() const {
    return ofGroup(*this, settings::FColorG, settings::MColorG);
}
Setting<int> FontGroup::blue() const {
    return ofGroup(*this, settings::FColorB, settings::MColorB);
}

std::optional<FontGroup> fontGroupOfButton(int button) {
    if (button == control::kMainFont) {
        return FontGroup{0};
    }
    for (int memo = 1; memo <= kMemoCount; ++memo) {
        if (button == control::kMemoFonts[memo - 1]) {
            return FontGroup{memo};
        }
    }
    return std::nullopt;
}

FontRequest fontRequest(SettingsStore& store, const FontGroup& group, int dotsPerInch) {
    const SettingsSnapshot stored = store.snapshot();
    const std::string face = stored.read(group.face());
    const int size = stored.read(group.size());
    const bool bold = stored.read(group.bold());
    // A font description keeps these three flags in a byte: only the low byte of each counts.
    const int italic = stored.readInteger(group.italic());
    const int strikeout = stored.readInteger(group.strikeout());
    const int underline = stored.readInteger(group.underline());
    const int red = stored.read(group.red());
    const int green = stored.read(group.green());
    const int blue = stored.read(group.blue());

    FontRequest request;
    request.face = cutFaceName(face);
    const int dpi = dotsPerInch > 0 ? dotsPerInch : 96;
    const int points = std::clamp(size / 10, kMinChooserPoints, kMaxChooserPoints);
    request.height = mulDiv(points, dpi, 72);
    request.pointSize =
        std::clamp(mulDiv(request.height, 72, dpi), kMinChooserPoints, kMaxChooserPoints);
    request.weight = bold ? 700 : 400;
    request.italic = (italic & 255) != 0;
    request.strikeout = (strikeout & 255) != 0;
    request.underline = (underline & 255) != 0;
    request.colour = rgb(red, green, blue);
    return request;
}

WriteStatus writeChosenFont(SettingsStore& store, const FontGroup& group, const ChosenFont& font) {
    return store.write({textWrite(group.face(), font.face),
                        integerWrite(group.size(), font.tenthsOfPoint),
                        integerWrite(group.bold(), font.weight == 700 ? 1 : 0),
                        integerWrite(group.italic(), font.italic ? 1 : 0),
                        integerWrite(group.strikeout(), font.strikeout ? 1 : 0),
                        integerWrite(group.underline(), font.underline ? 1 : 0),
                        integerWrite(group.red(), redOf(font.colour)),
                        integerWrite(group.green(), greenOf(font.colour)),
                        integerWrite(group.blue(), blueOf(font.colour))});
}

std::optional<Setting<std::string>> pictureSettingOfButton(int button) {
    if (button == control::kForegroundPicture) {
        return settings::Bitmap;
    }
    if (button == control::kBackgroundPicture) {
        return settings::Bitmap2;
    }
    const int place = button - control::kFirstPlacePicture + 1;
    if (place >= 1 && place <= kPlaceCount) {
        return settings::Gazo(place);
    }
    return std::nullopt;
}

std::string withDefaultExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string result(path);
    if (!name.empty() && name.find('.') == std::string_view::npos) {
        result += '.';
        result += kPictureDefaultExtension;
    }
    return result;
}

}  // namespace rumo
