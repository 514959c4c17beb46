// The frame routine of the notice: the preamble (random generator reseeded from the current
// second, elapsed time, the frame's foreground picture), the motion step, and the frame's
// drawing steps from back to front. Time comes in as arguments so frames are reproducible.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/local_time.h"
#include "screen/frame_steps.h"
#include "screen/notice_scene.h"

namespace rumo {

struct FrameClock {
    std::int64_t now = 0;  // seconds since the epoch
    LocalDateTime local;   // the same moment in local time
};

// Picture mode 2's slide rule: sets framePicture for the elapsed seconds, loading slides as they
// come up. Supplied by the picture rules; without one, mode 2 shows no foreground picture.
using SlideRule = std::function<void(NoticeScene&, std::int64_t elapsedSeconds)>;

// Face of the three small lines (minutes, name, date).
inline constexpr const char* kSmallLineFace = "ＭＳ Ｐゴシック";
inline constexpr int kSmallLineHeight = 30;
// The return time's line: the small lines' face, twice their height so that it reads from across
// the room, its foot on the bottom line's top.
inline constexpr int kReturnLineHeight = 2 * kSmallLineHeight;

// What a paint does before its frame: colours, quarterSize, the start time (only at the first
// paint, so the away minutes keep counting across repaints) and the text's entry position.
void preparePaint(NoticeScene& scene, int height, std::int64_t now);

// Composes one frame of the current pattern, advancing the motion state.
Frame drawFrame(NoticeScene& scene, int width, int height, const FrameClock& clock,
                const SlideRule& slideRule = {});

// The three small lines' texts.
std::string awayMinutesText(std::int64_t elapsedSeconds);
std::string dateTimeText(const LocalDateTime& local);

// The fonts of a frame: the destination text's and memo N's (0-based), with a face name that
// does not fit the platform's 31 bytes, or an empty one, replaced by the setting's default.
FontSpec mainFont(const NoticeScene& scene);
FontSpec memoFont(const NoticeScene& scene, int memo);
FontSpec smallFont();
FontSpec returnLineFont();

}  // namespace rumo
