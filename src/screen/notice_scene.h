// The notice's copy of the settings it draws from, plus its motion and slide state. Loaded once
// when the window is created; nothing is written back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/colour.h"
#include "common/return_time.h"
#include "screen/picture_handle.h"
#include "settings/schema.h"

namespace rumo {

struct NoticeScene {
    // Loaded from the store.
    std::string where;
    std::string name;
    std::array<std::string, kPlaceCount> places;
    std::array<std::string, kPlaceCount> placeImages;
    std::string fontFace;
    std::string password;
    std::string foreImagePath;
    std::string backImagePath;
    std::array<std::string, kMemoCount> memos;
    std::array<std::string, kMemoCount> memoFontFaces;
    std::array<int, kMemoCount> memoX{}, memoY{}, memoSizes{};
    std::array<bool, kMemoCount> memoBold{}, memoItalic{}, memoStrikeout{}, memoUnderline{};
    std::array<int, kMemoCount> memoRed{}, memoGreen{}, memoBlue{};
    int backRed = 0, backGreen = 0, backBlue = 0;
    // How the destination moves: the stored Screen as noticePattern reads it, 0 to 4.
    int motionPattern = 0;
    bool showAwayTime = false;
    bool escOnly = false;
    bool showDateTime = false;
    int fontSize = 0;
    bool bold = false, italic = false, strikeout = false, underline = false;
    int textRed = 0, textGreen = 0, textBlue = 0;
    bool whiteShadow = false, blackShadow = false;
    bool passwordLock = false;
    int showForeImage = 0;
    int textPosition = 0;
    bool colourfulText = false;
    int showBackImage = 0;
    int pictureMode = 0;
    // When the user expects to be back; shown while it counts (up to a day after it).
    std::optional<LocalMinute> returnTime;

    // Kept by the frame loop.
    std::optional<std::int64_t> startTime;  // seconds since the epoch; set at the first paint
    Colour textColor = 0;
    Colour backColor = 0;
    int quarterSize = 0;
    std::int32_t textX = 0;
    std::int32_t textY = 0;

    // Pictures (switches above say whether each layer is drawn).
    std::optional<PictureHandle> foreImage;
    std::optional<PictureHandle> backImage;
    std::array<std::optional<PictureHandle>, kPlaceCount> slideImages;
    int slideCount = 0;
    int slideNext = 0;
    int slideShown = 0;
    int slidesAllLoaded = 0;
    std::int64_t slideLastSecond = 0;
    std::optional<PictureHandle> framePicture;
};

}  // namespace rumo
