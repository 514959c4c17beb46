// The numbers of the properties dialog's controls, as its template (resources/dialogs) gives them,
// under names that say what each control is. Handlers, bindings and choosers refer to these.
#pragma once

#include <array>

#include "settings/schema.h"

namespace rumo::control {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kTabs = 1032;

// The Customize tab.
inline constexpr int kScreenFirstRadio = 1026;        // Screen 0 .. 4: 1026 .. 1030
inline constexpr int kTextPositionFirstRadio = 1073;  // Mojimove 0 .. 3: 1073 .. 1076
inline constexpr int kTimeAway = 1031;
inline constexpr int kDesktop = 1055;
inline constexpr int kEndWithEsc = 1072;
inline constexpr int kShowForeground = 1052;
inline constexpr int kForegroundPicture = 1001;
inline constexpr int kShowBackground = 1060;
inline constexpr int kBackgroundPicture = 1071;
inline constexpr int kPasswordCheck = 1036;
inline constexpr int kPassword = 1035;
inline constexpr int kMainFont = 1024;
inline constexpr int kColourfulText = 1056;
inline constexpr int kWhiteShadow = 1033;
inline constexpr int kBlackShadow = 1034;
inline constexpr int kBackgroundColour = 1022;
inline constexpr int kHelp = 1109;
inline constexpr int kVersion = 1025;

// The Destinations tab.
inline constexpr int kPictureModeFirstRadio = 1105;  // Mtype 0, 1, 2: 1105, 1106, 1108
inline constexpr int kFirstPlacePicture = 1077;      // destinations 1 .. 15: 1077 .. 1091
inline constexpr std::array<int, kPlaceCount> kPlaceEdits = {
    1002, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018};

// The Memo tab.
inline constexpr int kUserName = 1004;
inline constexpr int kDateAndTime = 1110;
inline constexpr std::array<int, kMemoCount> kMemoEdits = {1069, 1003, 1019, 1020, 1021};
inline constexpr std::array<int, kMemoCount> kMemoXEdits = {1067, 1043, 1045, 1047, 1049};
inline constexpr std::array<int, kMemoCount> kMemoYEdits = {1042, 1044, 1046, 1048, 1050};
inline constexpr std::array<int, kMemoCount> kMemoFonts = {1057, 1058, 1059, 1061, 1062};

// The Return tab.
inline constexpr int kLunchEnd = 1112;
inline constexpr int kDayEnd = 1114;

// The Calendar tab.
inline constexpr int kCalendarSources = 1116;
inline constexpr int kCalendarNewSource = 1117;
inline constexpr int kCalendarUser = 1119;
inline constexpr int kCalendarPassword = 1121;
inline constexpr int kCalendarAdd = 1122;
inline constexpr int kCalendarFile = 1123;
inline constexpr int kCalendarRemove = 1124;
inline constexpr int kCalendarEnabled = 1125;
inline constexpr int kCalendarShowTitle = 1126;
inline constexpr int kCalendarAddress = 1128;

// The Team tab.
inline constexpr int kTeamPublish = 1129;
inline constexpr int kTeamBroker = 1131;
inline constexpr int kTeamTopic = 1133;
inline constexpr int kTeamPrivateWhere = 1134;
// Each chat service's switch and its address, in the order of kChatServices.
inline constexpr std::array<int, 4> kChatSwitches = {1136, 1138, 1140, 1142};
inline constexpr std::array<int, 4> kChatServers = {1137, 1139, 1141, 1143};
inline constexpr int kChatMatrixUser = 1145;

}  // namespace rumo::control
