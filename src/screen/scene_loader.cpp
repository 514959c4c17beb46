#include "screen/scene_loader.h"

#include "common/text.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

// A notice line longer than this cannot be seen on any screen; cutting it at load keeps every
// frame cheap whatever the store holds. Cut at a character boundary.
constexpr std::size_t kMaxShownBytes = 4096;

std::string cutToShownLength(const std::string& text) {
    return std::string(cutAtCharacter(text, kMaxShownBytes));
}

}  // namespace

int noticePattern(int storedScreen) {
    return storedScreen >= 0 && storedScreen <= 4 ? storedScreen : 0;
}

AwayScene loadAwayScene(SettingsStore& store) {
    // One read of the file for the whole scene, so every field comes from the same moment.
    const SettingsSnapshot values = store.snapshot();
    AwayScene s;
    auto integer = [&](std::string_view key) { return readSetting(values, configKey(key)); };
    auto text = [&](std::string_view key) { return readTextSetting(values, configKey(key)); };

    // The notice, unlike the bar, asks the user to press Esc when no destination was chosen.
    s.where = cutToShownLength(values.readText(configKey("Where"), noticeWhereDefault()));
    s.name = cutToShownLength(text("Name"));
    for (int n = 1; n <= kPlaceCount; ++n) {
        s.places[n - 1] = readTextSetting(values, placeKey(n));
        s.placeImages[n - 1] = readTextSetting(values, placeImageKey(n));
    }
    s.fontFace = text("Font");
    s.password = text("Password");
    s.foreImagePath = text("Bitmap");
    s.backImagePath = text("Bitmap2");
    for (int n = 1; n <= kMemoCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        s.memos[i] = cutToShownLength(readTextSetting(values, memoKey(n)));
        s.memoFontFaces[i] = readTextSetting(values, memoGroupKey("MFont", n));
        s.memoX[i] = readSetting(values, memoPositionKey('x', n));
        s.memoY[i] = readSetting(values, memoPositionKey('y', n));
        s.memoSizes[i] = readSetting(values, memoGroupKey("MSize", n));
        s.memoBold[i] = readSetting(values, memoGroupKey("MBold", n));
        s.memoItalic[i] = readSetting(values, memoGroupKey("MItalic", n));
        s.memoStrikeout[i] = readSetting(values, memoGroupKey("MTorikeshi", n));
        s.memoUnderline[i] = readSetting(values, memoGroupKey("MULine", n));
        s.memoRed[i] = readSetting(values, memoGroupKey("MColorR", n));
        s.memoGreen[i] = readSetting(values, memoGroupKey("MColorG", n));
        s.memoBlue[i] = readSetting(values, memoGroupKey("MColorB", n));
    }
    s.backRed = integer("ColorR");
    s.backGreen = integer("ColorG");
    s.backBlue = integer("ColorB");
    s.motionPattern = noticePattern(integer("Screen"));
    s.showAwayTime = integer("Riseki");
    s.escOnly = integer("Esc");
    s.showDateTime = integer("Daytime");
    s.fontSize = integer("Size");
    s.bold = integer("Bold");
    s.italic = integer("Italic");
    s.strikeout = integer("Torikeshi");
    s.underline = integer("ULine");
    s.textRed = integer("FColorR");
    s.textGreen = integer("FColorG");
    s.textBlue = integer("FColorB");
    s.whiteShadow = integer("White");
    s.blackShadow = integer("Black");
    s.passwordLock = integer("Passcheck");
    s.showForeImage = integer("Bitshow");
    s.textPosition = integer("Mojimove");
    s.colourfulText = integer("Mojicol");
    s.showBackImage = integer("Bitall");
    s.pictureMode = integer("Mtype");

    // Destinations are compared with trailing blanks removed when pictures follow them.
    if (s.pictureMode == 1) {
        s.where = trimRight(s.where);
    }
    if (s.pictureMode == 1 || s.pictureMode == 2) {
        for (std::string& place : s.places) {
            place = trimRight(place);
        }
    }
    s.textColor = rgb(s.textRed, s.textGreen, s.textBlue);
    s.backColor = rgb(s.backRed, s.backGreen, s.backBlue);
    s.quarterSize = s.fontSize / 4;
    return s;
}

}  // namespace rumo
