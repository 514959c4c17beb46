// What the font, colour and picture choosers of the properties dialog open with and what they
// store when confirmed: the font groups, the colour split into three keys, the picture keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/colour.h"
#include "common/translate.h"
#include "settings/schema.h"
#include "settings/settings_store.h"

namespace rumo {

// Stores the background colour (ColorR, ColorG, ColorB).
WriteStatus writeBackgroundColour(SettingsStore& store, Colour colour);

// The longest face name a font description holds, in code page 932 bytes.
inline constexpr int kFaceNameLimit = 31;

// The main font group (memo 0) or the font group of memo 1 .. 5.
struct FontGroup {
    int memo = 0;
    Setting<std::string> face() const;
    Setting<int> size() const;
    Setting<bool> bold() const;
    Setting<bool> italic() const;
    Setting<bool> strikeout() const;
    Setting<bool> underline() const;
    Setting<int> red() const;
    Setting<int> green() const;
    Setting<int> blue() const;
};

// The font group a font button edits: 1024 the main text, 1057 .. 1062 the memos.
std::optional<FontGroup> fontGroupOfButton(int button);

// The font a chooser opens on.
struct FontRequest {
    std::string face;   // cut to kFaceNameLimit bytes at a character boundary
    int height = 0;     // cell height in pixels at dotsPerInch
    int pointSize = 0;  // the same height in whole points, what a chooser shows
    int weight = 400;
    bool italic = false;
    bool strikeout = false;
    bool underline = false;
    Colour colour = 0;
};

// What a confirmed font chooser returns.
struct ChosenFont {
    std::string face;
    int tenthsOfPoint = 0;
    int weight = 400;
    bool italic = false;
    bool strikeout = false;
    bool underline = false;
    Colour colour = 0;
};

// The smallest and largest point size a chooser is opened with; a stored size outside this range
// (negative, zero or absurd) opens at the nearest end of it.
inline constexpr int kMinChooserPoints = 1;
inline constexpr int kMaxChooserPoints = 512;

// Reads the group with its defaults and builds the chooser's starting font: height is
// mulDiv(size / 10, dotsPerInch, 72), weight 700 when bold, the flags from the low byte.
FontRequest fontRequest(SettingsStore& store, const FontGroup& group, int dotsPerInch);

// Stores a confirmed font: size in tenths of a point, bold only for a weight of exactly 700.
WriteStatus writeChosenFont(SettingsStore& store, const FontGroup& group, const ChosenFont& font);

// The setting a picture button sets: 1001 Bitmap, 1071 Bitmap2, 1077 .. 1091 Gazo1 .. Gazo15.
std::optional<Setting<std::string>> pictureSettingOfButton(int button);

// The picture chooser's single filter and its default extension.
inline constexpr std::string_view kPictureFilterName =
    QT_TRANSLATE_NOOP("PictureChooser", "BMP files;JPG files;GIF files");
inline constexpr std::string_view kPicturePatterns[] = {"*.bmp", "*.jpg", "*.gif"};
// What the filter matches, beyond what it shows: a JPEG is as often named .jpeg (or .jpe).
inline constexpr std::string_view kPictureMatchedPatterns[] = {"*.bmp", "*.jpg", "*.jpeg", "*.jpe",
                                                               "*.gif"};
inline constexpr std::string_view kPictureDefaultExtension = "bmp";

// A chosen file name without an extension gets "." and the default extension.
std::string withDefaultExtension(std::string_view path);

}  // namespace rumo
