#include "screen/scene_loader.h"

#include "common/text.h"
#include "settings/return_setting.h"
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

NoticeScene loadNoticeScene(SettingsStore& store) {
    // One read of the file for the whole scene, so every field comes from the same moment.
    const SettingsSnapshot values = store.snapshot();
    NoticeScene s;

    // The notice, unlike the bar, asks the user to press Esc when no destination was chosen.
    s.where = cutToShownLength(values.find(settings::Where.key()).value_or(noticeWhereDefault()));
    s.name = cutToShownLength(values.read(settings::Name));
    for (int n = 1; n <= kPlaceCount; ++n) {
        s.places[n - 1] = values.read(settings::Place(n));
        s.placeImages[n - 1] = values.read(settings::Gazo(n));
    }
    s.fontFace = values.read(settings::Font);
    s.password = values.read(settings::Password);
    s.foreImagePath = values.read(settings::Bitmap);
    s.backImagePath = values.read(settings::Bitmap2);
    for (int n = 1; n <= kMemoCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        s.memos[i] = cutToShownLength(values.read(settings::Memo(n)));
        s.memoFontFaces[i] = values.read(settings::MFont(n));
        s.memoX[i] = values.read(settings::MemoX(n));
        s.memoY[i] = values.read(settings::MemoY(n));
        s.memoSizes[i] = values.read(settings::MSize(n));
        s.memoBold[i] = values.read(settings::MBold(n));
        s.memoItalic[i] = values.read(settings::MItalic(n));
        s.memoStrikeout[i] = values.read(settings::MTorikeshi(n));
        s.memoUnderline[i] = values.read(settings::MULine(n));
        s.memoRed[i] = values.read(settings::MColorR(n));
        s.memoGreen[i] = values.read(settings::MColorG(n));
        s.memoBlue[i] = values.read(settings::MColorB(n));
    }
    s.backRed = values.read(settings::ColorR);
    s.backGreen = values.read(settings::ColorG);
    s.backBlue = values.read(settings::ColorB);
    s.motionPattern = noticePattern(values.read(settings::Screen));
    s.showAwayTime = values.read(settings::Riseki);
    s.escOnly = values.read(settings::Esc);
    s.showDateTime = values.read(settings::Daytime);
    s.fontSize = values.read(settings::Size);
    s.bold = values.read(settings::Bold);
    s.italic = values.read(settings::Italic);
    s.strikeout = values.read(settings::Torikeshi);
    s.underline = values.read(settings::ULine);
    s.textRed = values.read(settings::FColorR);
    s.textGreen = values.read(settings::FColorG);
    s.textBlue = values.read(settings::FColorB);
    s.whiteShadow = values.read(settings::White);
    s.blackShadow = values.read(settings::Black);
    s.passwordLock = values.read(settings::Passcheck);
    s.showForeImage = values.read(settings::Bitshow);
    s.textPosition = values.read(settings::Mojimove);
    s.colourfulText = values.read(settings::Mojicol);
    s.showBackImage = values.read(settings::Bitall);
    s.pictureMode = values.read(settings::Mtype);
    s.returnTime = readReturnTime(values);

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

void showCalendarPick(NoticeScene& scene, const std::string& destination, const LocalMinute& back) {
    scene.where = cutToShownLength(destination);
    if (scene.pictureMode == 1) {
        scene.where = trimRight(scene.where);
    }
    scene.returnTime = back;
}

}  // namespace rumo
