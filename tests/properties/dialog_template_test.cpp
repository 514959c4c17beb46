// The templates as data: the properties dialog's controls, their tabs and radio groups, and the
// version box.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "common/translate.h"
#include "properties/dialog_template.h"
#include "rumo_build_info.h"

namespace rumo {
namespace {

// A caption as the dialog shows it in Japanese: translated in the frame's context, the version
// filled in.
std::string shown(const DialogTemplate& t, std::string_view caption) {
    return withArgument(translateData(t.frame.context, caption), RUMO_VERSION);
}

std::vector<int> range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) {
        ids.push_back(id);
    }
    return ids;
}

std::set<int> asSet(std::vector<int> ids) {
    return {ids.begin(), ids.end()};
}

TEST(PropertiesTemplateTest, HoldsAHundredAndThirtyEightDistinctControls) {
    const DialogTemplate& t = propertiesTemplate();
    EXPECT_EQ(t.frame.templateId, 130);
    EXPECT_EQ(t.frame.width, 113);
    EXPECT_EQ(t.frame.height, 261);
    EXPECT_EQ(t.frame.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(t.frame.pointSize, 9);
    EXPECT_EQ(t.controls.size(), 138u);
    std::set<int> ids;
    for (const ControlDef& c : t.controls) {
        ids.insert(c.id);
        EXPECT_GE(c.x, 0);
        EXPECT_LE(c.x + c.width, t.frame.width) << c.id;
        EXPECT_LE(c.y + c.height, t.frame.height) << c.id;
    }
    EXPECT_EQ(ids.size(), 138u);
}

TEST(PropertiesTemplateTest, TabPagesHoldTheirControls) {
    const DialogTemplate& t = propertiesTemplate();
    std::vector<int> tab0 = {1022, 1024, 1025, 1031, 1033, 1034, 1036, 1054, 1001,
                             1035, 1052, 1055, 1056, 1060, 1071, 1072, 1092, 1109};
    for (int id : range(1026, 1030))
        tab0.push_back(id);
    for (int id : range(1073, 1076))
        tab0.push_back(id);
    std::vector<int> tab1 = {1105, 1106, 1108, 1002};
    for (int id : range(1077, 1091))
        tab1.push_back(id);
    for (int id : range(1005, 1018))
        tab1.push_back(id);
    std::vector<int> tab2 = {1053, 1004, 1110, 1057, 1058, 1059, 1061,
                             1062, 1069, 1003, 1019, 1020, 1021};
    for (int id : range(1037, 1041))
        tab2.push_back(id);
    for (int id : range(1094, 1103))
        tab2.push_back(id);
    tab2.push_back(1067);
    for (int id : range(1042, 1050))
        tab2.push_back(id);

    ASSERT_EQ(tab0.size(), 27u);
    ASSERT_EQ(tab1.size(), 33u);
    ASSERT_EQ(tab2.size(), 38u);
    EXPECT_EQ(asSet(tabControls(t, 0)), asSet(tab0));
    EXPECT_EQ(asSet(tabControls(t, 1)), asSet(tab1));
    EXPECT_EQ(asSet(tabControls(t, 2)), asSet(tab2));
    EXPECT_EQ(tabControls(t, 3), (std::vector<int>{1111, 1112, 1113, 1114}));
    EXPECT_EQ(tabControls(t, 4), range(1115, 1128));
    EXPECT_EQ(tabControls(t, 5), range(1129, 1146));
    EXPECT_TRUE(tabControls(t, 6).empty());
    EXPECT_TRUE(tabControls(t, -1).empty());
    for (int id : {1032, 1, 2, 1107}) {
        EXPECT_EQ(findControl(t, id)->tab, kEveryTab) << id;
    }
}

TEST(PropertiesTemplateTest, RadioGroupsEndAtTheNextGroup) {
    const DialogTemplate& t = propertiesTemplate();
    EXPECT_EQ(radioGroup(t, 1026), range(1026, 1030));
    EXPECT_EQ(radioGroup(t, 1073), range(1073, 1076));
    EXPECT_EQ(radioGroup(t, 1105), (std::vector<int>{1105, 1106, 1108}));
}

TEST(PropertiesTemplateTest, PlacesCaptionsAndStartingVisibility) {
    const DialogTemplate& t = propertiesTemplate();
    EXPECT_EQ(findControl(t, 1035)->rect(), (DialogRect{10, 191, 97, 12}));
    EXPECT_TRUE(findControl(t, 1035)->has(kPassword));
    EXPECT_EQ(shown(t, findControl(t, 1091)->caption), "(15)");
    EXPECT_EQ(findControl(t, 1091)->rect(), (DialogRect{4, 209, 16, 11}));
    EXPECT_EQ(findControl(t, 1018)->rect(), (DialogRect{20, 209, 88, 12}));
    EXPECT_EQ(findControl(t, 1050)->rect(), (DialogRect{56, 177, 19, 12}));  // memo 5's y edit
    EXPECT_TRUE(findControl(t, 1050)->has(kRightAlign));
    EXPECT_EQ(findControl(t, 1021)->rect(), (DialogRect{7, 193, 103, 12}));
    EXPECT_EQ(shown(t, findControl(t, 2)->caption), "ｷｬﾝｾﾙ");
    EXPECT_EQ(findControl(t, 1)->kind, ControlKind::DefaultButton);
    EXPECT_TRUE(findControl(t, 1002)->has(kHidden));
    EXPECT_TRUE(findControl(t, 1107)->has(kHidden));
    EXPECT_FALSE(findControl(t, 1005)->has(kHidden));
    EXPECT_EQ(findControl(t, 4711), nullptr);
}

struct Row {
    int id;
    ControlKind kind;
    const char* caption;
    DialogRect rect;
};

void expectRow(const DialogTemplate& t, const Row& row) {
    const ControlDef* c = findControl(t, row.id);
    ASSERT_NE(c, nullptr) << row.id;
    EXPECT_EQ(c->kind, row.kind) << row.id;
    EXPECT_EQ(shown(t, c->caption), row.caption) << row.id;
    EXPECT_EQ(c->rect(), row.rect) << row.id;
}

// The frame, the controls every tab shares and the whole "ｶｽﾀﾏｲｽﾞ" page, row by row.
TEST(PropertiesTemplateTest, CustomizePageAndFrameControls) {
    using K = ControlKind;
    const DialogTemplate& t = propertiesTemplate();
    EXPECT_EQ(shown(t, t.frame.caption), "");
    const Row rows[] = {
        {1032, K::Tab, "", {0, 0, 113, 235}},
        {1, K::DefaultButton, "OK", {6, 238, 50, 14}},
        {2, K::PushButton, "ｷｬﾝｾﾙ", {57, 238, 50, 14}},
        {1107, K::GroupBox, "", {0, 15, 112, 24}},
        {1054, K::GroupBox, "スクリーン", {7, 23, 50, 69}},
        {1026, K::Radio, "左から", {13, 35, 35, 10}},
        {1027, K::Radio, "右から", {13, 46, 35, 10}},
        {1028, K::Radio, "クロス", {13, 57, 34, 10}},
        {1029, K::Radio, "ちらばり", {13, 68, 39, 10}},
        {1030, K::Radio, "文字なし", {13, 79, 41, 10}},
        {1092, K::GroupBox, "文字位置", {60, 23, 46, 69}},
        {1073, K::Radio, "中央", {65, 35, 30, 10}},
        {1074, K::Radio, "上", {65, 49, 23, 10}},
        {1075, K::Radio, "下", {65, 63, 23, 10}},
        {1076, K::Radio, "固定", {65, 77, 30, 10}},
        {1031, K::Check, "離席時間", {10, 102, 43, 10}},
        {1055, K::Check, "ﾃﾞｽｸﾄｯﾌﾟ", {10, 115, 43, 10}},
        {1072, K::Check, "ESC終了", {10, 128, 42, 10}},
        {1052, K::Check, "", {10, 145, 8, 10}},
        {1001, K::PushButton, "前面画像", {19, 143, 32, 14}},
        {1060, K::Check, "", {10, 161, 8, 10}},
        {1071, K::PushButton, "背景画像", {19, 160, 32, 14}},
        {1036, K::Check, "ﾊﾟｽﾜｰﾄﾞ保護", {10, 178, 54, 10}},
        {1035, K::Edit, "", {10, 191, 97, 12}},
        {1024, K::PushButton, "フォント", {63, 98, 40, 15}},
        {1056, K::Check, "文字ｶﾗﾌﾙ", {63, 117, 43, 10}},
        {1033, K::Check, "文字白影", {63, 131, 43, 10}},
        {1034, K::Check, "文字黒影", {63, 145, 43, 10}},
        {1022, K::PushButton, "背景色", {63, 159, 40, 15}},
        {1109, K::PushButton, "ヘルプ", {8, 211, 44, 15}},
        {1025, K::PushButton, "ﾊﾞｰｼﾞｮﾝ情報", {61, 211, 44, 15}},
    };
    for (const Row& row : rows) {
        expectRow(t, row);
    }
    EXPECT_FALSE(findControl(t, 1035)->has(kRightAlign));
}

// "行先": the picture mode, then fifteen rows of picture button and destination edit.
TEST(PropertiesTemplateTest, DestinationPageRows) {
    using K = ControlKind;
    const DialogTemplate& t = propertiesTemplate();
    expectRow(t, {1105, K::Radio, "普通", {5, 25, 30, 10}});
    expectRow(t, {1106, K::Radio, "行先毎", {36, 25, 34, 10}});
    expectRow(t, {1108, K::Radio, "３分おき", {72, 25, 37, 10}});
    const int edits[] = {1002, 1005, 1006, 1007, 1008, 1009, 1010, 1011,
                         1012, 1013, 1014, 1015, 1016, 1017, 1018};
    for (int n = 1; n <= 15; ++n) {
        const int y = 41 + 12 * (n - 1);
        const std::string caption = "(" + std::to_string(n) + ")";
        expectRow(t, {1077 + n - 1, K::PushButton, caption.c_str(), {4, y, 16, 11}});
        expectRow(t, {edits[n - 1], K::Edit, "", {20, y, 88, 12}});
        EXPECT_EQ(findControl(t, edits[n - 1])->has(kHidden), n == 1) << n;
    }
}

// "メモ": the user name, five memo blocks 33 units apart, the date-and-time switch.
TEST(PropertiesTemplateTest, MemoPageBlocks) {
    using K = ControlKind;
    const DialogTemplate& t = propertiesTemplate();
    expectRow(t, {1053, K::Static, "ﾕｰｻﾞ名", {9, 28, 24, 10}});
    expectRow(t, {1004, K::Edit, "", {37, 27, 73, 12}});
    expectRow(t, {1110, K::Check, "現在の日付と時刻", {23, 211, 69, 10}});
    const int numbers[] = {1037, 1038, 1039, 1040, 1041};
    const int xLabels[] = {1094, 1096, 1099, 1100, 1102};
    const int xEdits[] = {1067, 1043, 1045, 1047, 1049};
    const int yLabels[] = {1095, 1097, 1098, 1101, 1103};
    const int yEdits[] = {1042, 1044, 1046, 1048, 1050};
    const int fonts[] = {1057, 1058, 1059, 1061, 1062};
    const int texts[] = {1069, 1003, 1019, 1020, 1021};
    for (int n = 1; n <= 5; ++n) {
        const int y0 = 43 + 33 * (n - 1);
        const int i = n - 1;
        const std::string number = "(" + std::to_string(n) + ")";
        expectRow(t, {numbers[i], K::Static, number.c_str(), {6, y0 + 3, 9, 8}});
        expectRow(t, {xLabels[i], K::Static, "ｘ：", {18, y0 + 4, 8, 10}});
        expectRow(t, {xEdits[i], K::Edit, "", {26, y0 + 2, 19, 12}});
        expectRow(t, {yLabels[i], K::Static, "ｙ：", {48, y0 + 4, 8, 10}});
        expectRow(t, {yEdits[i], K::Edit, "", {56, y0 + 2, 19, 12}});
        expectRow(t, {fonts[i], K::PushButton, "フォント", {80, y0, 26, 15}});
        expectRow(t, {texts[i], K::Edit, "", {7, y0 + 18, 103, 12}});
        EXPECT_TRUE(findControl(t, xEdits[i])->has(kRightAlign)) << n;
        EXPECT_TRUE(findControl(t, yEdits[i])->has(kRightAlign)) << n;
        EXPECT_FALSE(findControl(t, texts[i])->has(kRightAlign)) << n;
    }
}

TEST(AboutTemplateTest, IconVersionLineAndOk) {
    const DialogTemplate& t = aboutTemplate();
    EXPECT_EQ(shown(t, t.frame.caption), "RUMO?のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(t.frame.width, 179);
    EXPECT_EQ(t.frame.height, 41);
    ASSERT_EQ(t.controls.size(), 3u);
    EXPECT_EQ(findControl(t, 1)->rect(), (DialogRect{142, 5, 30, 14}));
    EXPECT_EQ(t.frame.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(t.frame.pointSize, 9);
    EXPECT_EQ(findControl(t, 1)->kind, ControlKind::DefaultButton);
    EXPECT_EQ(shown(t, findControl(t, 1)->caption), "OK");
    const auto icon = std::find_if(t.controls.begin(), t.controls.end(),
                                   [](auto& c) { return c.kind == ControlKind::Icon; });
    ASSERT_NE(icon, t.controls.end());
    EXPECT_EQ(icon->rect(), (DialogRect{7, 7, 20, 20}));
    const auto version = std::find_if(t.controls.begin(), t.controls.end(),
                                      [](auto& c) { return c.kind == ControlKind::Static; });
    ASSERT_NE(version, t.controls.end());
    EXPECT_EQ(shown(t, version->caption),
              "RUMO?  Vesion " RUMO_VERSION);  // two blanks, spelt as it always was
    EXPECT_EQ(version->rect(), (DialogRect{34, 9, 56, 8}));
}

}  // namespace
}  // namespace rumo
