#include "properties/chooser_values.h"

#include "properties/control_ids.h"

#include <algorithm>

#include "common/dialog_units.h"
#include "common/text.h"

namespace rumo {

WriteStatus writeBackgroundColour(SettingsStore& store, Colour colour) {
    return store.write({{configKey("ColorR"), std::to_string(redOf(colour))},
                        {configKey("ColorG"), std::to_string(greenOf(colour))},
                        {configKey("ColorB"), std::to_string(blueOf(colour))}});
}

namespace {

SettingKey groupKey(const FontGroup& group, std::string_view mainKey, std::string_view memoStem) {
    return group.memo == 0 ? configKey(mainKey) : memoGroupKey(memoStem, group.memo);
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

SettingKey FontGroup::face() const {
    return groupKey(*this, "Font", "MFont");
}
SettingKey FontGroup::size() const {
    return groupKey(*this, "Size", "MSize");
}
SettingKey FontGroup::bold() const {
    return groupKey(*this, "Bold", "MBold");
}
SettingKey FontGroup::italic() const {
    return groupKey(*this, "Italic", "MItalic");
}
SettingKey FontGroup::strikeout() const {
    return groupKey(*this, "Torikeshi", "MTorikeshi");
}
SettingKey FontGroup::underline() const {
    return groupKey(*this, "ULine", "MULine");
}
SettingKey FontGroup::red() const {
    return groupKey(*this, "FColorR", "MColorR");
}
SettingKey FontGroup::green() const {
    return groupKey(*this, "FColorG", "MColorG");
}
SettingKey FontGroup::blue() const {
    return groupKey(*this, "FColorB", "MColorB");
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
    const std::string face = readTextSetting(stored, group.face());
    const int size = readSetting(stored, group.size());
    const int bold = readSetting(stored, group.bold());
    const int italic = readSetting(stored, group.italic());
    const int strikeout = readSetting(stored, group.strikeout());
    const int underline = readSetting(stored, group.underline());
    const int red = readSetting(stored, group.red());
    const int green = readSetting(stored, group.green());
    const int blue = readSetting(stored, group.blue());

    FontRequest request;
    request.face = cutFaceName(face);
    const int dpi = dotsPerInch > 0 ? dotsPerInch : 96;
    const int points = std::clamp(size / 10, kMinChooserPoints, kMaxChooserPoints);
    request.height = mulDiv(points, dpi, 72);
    request.pointSize =
        std::clamp(mulDiv(request.height, 72, dpi), kMinChooserPoints, kMaxChooserPoints);
    request.weight = bold != 0 ? 700 : 400;
    request.italic = (italic & 255) != 0;
    request.strikeout = (strikeout & 255) != 0;
    request.underline = (underline & 255) != 0;
    request.colour = rgb(red, green, blue);
    return request;
}

WriteStatus writeChosenFont(SettingsStore& store, const FontGroup& group, const ChosenFont& font) {
    auto number = [](int value) { return std::to_string(value); };
    return store.write({{group.face(), font.face},
                        {group.size(), number(font.tenthsOfPoint)},
                        {group.bold(), number(font.weight == 700 ? 1 : 0)},
                        {group.italic(), number(font.italic ? 1 : 0)},
                        {group.strikeout(), number(font.strikeout ? 1 : 0)},
                        {group.underline(), number(font.underline ? 1 : 0)},
                        {group.red(), number(redOf(font.colour))},
                        {group.green(), number(greenOf(font.colour))},
                        {group.blue(), number(blueOf(font.colour))}});
}

std::optional<SettingKey> pictureKeyOfButton(int button) {
    if (button == control::kForegroundPicture) {
        return configKey("Bitmap");
    }
    if (button == control::kBackgroundPicture) {
        return configKey("Bitmap2");
    }
    const int place = button - control::kFirstPlacePicture + 1;
    if (place >= 1 && place <= kPlaceCount) {
        return placeImageKey(place);
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
