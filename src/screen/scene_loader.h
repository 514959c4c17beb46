// Reads the notice's scene from the settings store, once, when the notice window is created.
#pragma once

#include "screen/notice_scene.h"

namespace rumo {

class SettingsStore;

// The pattern the frame loop runs: Screen 0 to 4 as stored, anything else as 0 (text from the
// left), so every stored value gives a notice that draws and ticks.
int noticePattern(int storedScreen);

// Every setting of the scene with its default; motion and picture state start empty. The shown
// texts (destination, name, memos) are cut to 4096 bytes.
NoticeScene loadNoticeScene(SettingsStore& store);

// The destination and return time a notice takes from the user's calendar in place of the
// stored ones, cut and trimmed as a stored destination is.
void showCalendarPick(NoticeScene& scene, const std::string& destination, const LocalMinute& back);

}  // namespace rumo
