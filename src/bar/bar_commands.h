// The command and control ids of the destination bar and its menus. Handlers and menu items are
// bound by these numbers.
#pragma once

namespace rumo::bar {

// Controls of the bar.
inline constexpr int kDestinationCombo = 1000;
inline constexpr int kStartButton = 1001;

// The main popup menu.
inline constexpr int kStartNotice = 32780;       // "RUMO?の起動"
inline constexpr int kStartScreenSaver = 32771;  // "ｽｸﾘｰﾝｾｲﾊﾞｰの起動"
inline constexpr int kProperties = 32772;        // "ﾌﾟﾛﾊﾟﾃｨ"
inline constexpr int kDisplaySettings = 32785;   // "画面のﾌﾟﾛﾊﾟﾃｨ"
inline constexpr int kExit = 32773;              // "RUMO?の終了"
inline constexpr int kBoard = 32791;             // "行先掲示板": the team's board
// Only in the menu a desktop draws for the icon itself: what a double click does elsewhere.
inline constexpr int kShowBar = 32790;  // "バーを表示"

// Destination i (1..15) is command kFirstDestination + i - 1.
inline constexpr int kFirstDestination = 32500;
inline constexpr int kLastDestination = 32514;
// The destination in force when it is none of the places: shown ticked, choosing it keeps it.
inline constexpr int kOtherDestination = 32515;
// The destination the calendar gives now, first in the menus; choosing it makes it the
// destination and lets the calendar decide again.
inline constexpr int kCalendarDestination = 32516;

// The return-time submenu: quick pick n (0..7, in the menus' order) is command kFirstReturnPick +
// n.
inline constexpr int kFirstReturnPick = 32600;
inline constexpr int kLastReturnPick = 32607;

// Screen-saver slot n (1..256) is command kSaverBase + n; kSaverBase itself is the submenu's
// placeholder and never a choice.
inline constexpr int kSaverBase = 32801;
inline constexpr int kMaxSavers = 256;
inline constexpr int kLastListedSaver = kSaverBase + kMaxSavers;  // 33057
// A chosen program that is no longer listed gets the entry after the listed ones; after a full
// list that is one past the last listed slot.
inline constexpr int kLastSaverCommand = kLastListedSaver + 1;  // 33058

}  // namespace rumo::bar
