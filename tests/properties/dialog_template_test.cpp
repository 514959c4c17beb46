// The templates as data: the properties dialog's controls, their tabs and radio groups, and the
// version box.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "properties/dialog_template.h"

namespace rumo {
namespace {

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

TEST(PropertiesTemplateTest, HoldsAHundredAndTwoDistinctControls) {
    const DialogTemplate& t = propertiesTemplate();
    EXPECT_EQ(t.frame.templateId, 130);
    EXPECT_EQ(t.frame.width, 113);
    EXPECT_EQ(t.frame.height, 261);
    EXPECT_EQ(t.frame.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(t.frame.pointSize, 9);
    EXPECT_EQ(t.controls.size(), 102u);
    std::set<int> ids;
    for (const ControlDef& c : t.controls) {
        ids.insert(c.id);
        EXPECT_GE(c.x, 0);
        EXPECT_LE(c.x + c.width, t.frame.width) << c.id;
        EXPECT_LE(c.y + c.height, t.frame.height) << c.id;
    }
    EXPECT_EQ(ids.size(), 102u);
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
    EXPECT_TRUE(tabControls(t, 3).empty());
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
    EXPECT_EQ(findControl(t, 1091)->caption, "(15)");
    EXPECT_EQ(findControl(t, 1091)->rect(), (DialogRect{4, 209, 16, 11}));
    EXPECT_EQ(findControl(t, 1018)->rect(), (DialogRect{20, 209, 88, 12}));
    EXPECT_EQ(findControl(t, 1050)->rect(), (DialogRect{56, 177, 19, 12}));  // memo 5's y edit
    EXPECT_TRUE(findControl(t, 1050)->has(kRightAlign));
    EXPECT_EQ(findControl(t, 1021)->rect(), (DialogRect{7, 193, 103, 12}));
    EXPECT_EQ(findControl(t, 2)->caption, "ｷｬﾝｾﾙ");
    EXPECT_EQ(findControl(t, 1)->kind, ControlKind::DefaultButton);
    EXPECT_TRUE(findControl(t, 1002)->has(kHidden));
    EXPECT_TRUE(findControl(t, 1107)->has(kHidden));
    EXPECT_FALSE(findControl(t, 1005)->has(kHidden));
    EXPECT_EQ(findControl(t, 4711), nullptr);
}

TEST(AboutTemplateTest, IconVersionLineAndOk) {
    const DialogTemplate& t = aboutTemplate();
    EXPECT_EQ(t.frame.caption, "RUMO?のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(t.frame.width, 179);
    EXPECT_EQ(t.frame.height, 41);
    ASSERT_EQ(t.controls.size(), 3u);
    EXPECT_EQ(findControl(t, 1)->rect(), (DialogRect{142, 5, 30, 14}));
    const bool hasVersion = std::any_of(t.controls.begin(), t.controls.end(),
                                        [](auto& c) { return c.caption == "RUMO?  Vesion 2.2"; });
    EXPECT_TRUE(hasVersion);
}

}  // namespace
}  // namespace rumo
