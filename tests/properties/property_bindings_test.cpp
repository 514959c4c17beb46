// The 45 settings of the properties dialog: the orders, the defaults they load with and the
// keys they are written to.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "properties/property_bindings.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

std::vector<std::string> keyNames(const std::vector<PropertyBinding>& list) {
    std::vector<std::string> names;
    for (const PropertyBinding& b : list) {
        names.push_back(b.setting.key().key);
    }
    return names;
}

TEST(PropertyBindingsTest, StorageOrderIsTheTableOrder) {
    const std::vector<std::string> expected = {
        "Name",    "Place1",   "Place2",  "Place3",  "Place4",  "Place5",    "Place6",   "Place7",
        "Place8",  "Place9",   "Place10", "Place11", "Place12", "Place13",   "Place14",  "Place15",
        "Screen",  "Riseki",   "Esc",     "White",   "Black",   "Passcheck", "Password", "Bitshow",
        "Desktop", "Mojimove", "Mojicol", "Bitall",  "Mtype",   "Memo1",     "Memo2",    "Memo3",
        "Memo4",   "Memo5",    "Memo1x",  "Memo1y",  "Memo2x",  "Memo2y",    "Memo3x",   "Memo3y",
        "Memo4x",  "Memo4y",   "Memo5x",  "Memo5y",  "Daytime"};
    EXPECT_EQ(keyNames(storageOrder()), expected);
}

// The order the dialog exchanges values in decides which refused memo position is reported.
TEST(PropertyBindingsTest, ExchangeOrderIsTheBindingOrder) {
    using K = BindingKind;
    const std::vector<std::tuple<int, K, std::string>> expected = {
        {1004, K::Text, "Name"},       {1013, K::Text, "Place10"},   {1014, K::Text, "Place11"},
        {1015, K::Text, "Place12"},    {1016, K::Text, "Place13"},   {1017, K::Text, "Place14"},
        {1018, K::Text, "Place15"},    {1005, K::Text, "Place2"},    {1006, K::Text, "Place3"},
        {1007, K::Text, "Place4"},     {1008, K::Text, "Place5"},    {1009, K::Text, "Place6"},
        {1010, K::Text, "Place7"},     {1011, K::Text, "Place8"},    {1012, K::Text, "Place9"},
        {1026, K::Radio, "Screen"},    {1031, K::Check, "Riseki"},   {1002, K::Text, "Place1"},
        {1035, K::Text, "Password"},   {1033, K::Check, "White"},    {1034, K::Check, "Black"},
        {1036, K::Check, "Passcheck"}, {1052, K::Check, "Bitshow"},  {1055, K::Check, "Desktop"},
        {1069, K::Text, "Memo1"},      {1003, K::Text, "Memo2"},     {1019, K::Text, "Memo3"},
        {1020, K::Text, "Memo4"},      {1021, K::Text, "Memo5"},     {1056, K::Check, "Mojicol"},
        {1060, K::Check, "Bitall"},    {1073, K::Radio, "Mojimove"}, {1105, K::Radio, "Mtype"},
        {1072, K::Check, "Esc"},       {1067, K::Integer, "Memo1x"}, {1042, K::Integer, "Memo1y"},
        {1043, K::Integer, "Memo2x"},  {1044, K::Integer, "Memo2y"}, {1045, K::Integer, "Memo3x"},
        {1046, K::Integer, "Memo3y"},  {1047, K::Integer, "Memo4x"}, {1048, K::Integer, "Memo4y"},
        {1049, K::Integer, "Memo5x"},  {1050, K::Integer, "Memo5y"}, {1110, K::Check, "Daytime"}};
    std::vector<std::tuple<int, K, std::string>> actual;
    for (const PropertyBinding& b : exchangeOrder())
        actual.emplace_back(b.control, b.kind, b.setting.key().key);
    EXPECT_EQ(actual, expected);

    // Both orders bind the same controls to the same keys.
    std::set<std::pair<int, std::string>> a, b;
    for (const auto& x : exchangeOrder())
        a.insert({x.control, x.setting.key().section + "/" + x.setting.key().key});
    for (const auto& x : storageOrder())
        b.insert({x.control, x.setting.key().section + "/" + x.setting.key().key});
    EXPECT_EQ(a, b);
}

TEST(PropertyBindingsTest, MemoPositionsLiveInTheirMemoSection) {
    int positions = 0;
    for (const PropertyBinding& b : storageOrder()) {
        if (b.kind == BindingKind::Integer) {
            ++positions;
            const SettingKey key = b.setting.key();
            const char memo = key.key.at(4);  // "Memo<n><axis>"
            EXPECT_EQ(key.section, std::string("Config/Minf") + memo) << key.key;
        } else {
            EXPECT_EQ(b.setting.key().section, "Config") << b.setting.key().key;
        }
    }
    EXPECT_EQ(positions, 10);
}

TEST(PropertyBindingsTest, LoadUsesTheDefaultsOfTheTable) {
    MemoryStore store;
    const PropertyValues values = loadProperties(store);
    EXPECT_EQ(values.texts.size() + values.numbers.size(), 45u);
    EXPECT_EQ(values.numbers.at(1055), 1);  // Desktop
    EXPECT_EQ(values.numbers.at(1026), 0);  // Screen
    EXPECT_EQ(values.numbers.at(1067), 0);  // Memo1x
    EXPECT_EQ(values.texts.at(1004), "");
    EXPECT_TRUE(store.writeLog().empty());
}

TEST(PropertyBindingsTest, SaveWritesEveryKeyOnceInTableOrderAndLeavesWhereAlone) {
    MemoryStore store;
    store.set(settings::Where, "会議室");
    store.set(settings::Place(3), "会議室");
    store.set(settings::MemoY(2), -40);
    PropertyValues values = loadProperties(store);
    values.texts[1006] = "食堂";  // Place3 renamed
    store.clearWriteLog();
    saveProperties(store, values);

    std::vector<SettingKey> expected;
    for (const PropertyBinding& b : storageOrder())
        expected.push_back(b.setting.key());
    EXPECT_EQ(store.writeLog(), expected);
    EXPECT_EQ(store.raw(settings::Where), "会議室");
    EXPECT_EQ(store.raw(settings::Place(3)), "食堂");
    EXPECT_EQ(store.raw(settings::MemoY(2)), "-40");
    EXPECT_EQ(store.raw(settings::Desktop), "1");
    EXPECT_EQ(store.raw(settings::Place(15)), "");
}

}  // namespace
}  // namespace rumo
