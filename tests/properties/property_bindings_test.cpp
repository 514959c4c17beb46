// The 45 settings of the properties dialog: the orders, the defaults they load with and the
// keys they are written to.
#include <gtest/gtest.h>

#include <set>

#include "properties/property_bindings.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

std::vector<std::string> keyNames(const std::vector<PropertyBinding>& list) {
    std::vector<std::string> names;
    for (const PropertyBinding& b : list) {
        names.push_back(b.key.key);
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

TEST(PropertyBindingsTest, ExchangeOrderBindsTheSameControlsInBindingOrder) {
    const auto& exchange = exchangeOrder();
    ASSERT_EQ(exchange.size(), 45u);
    EXPECT_EQ(exchange[0].key.key, "Name");
    EXPECT_EQ(exchange[1].key.key, "Place10");
    EXPECT_EQ(exchange[1].control, 1013);
    EXPECT_EQ(exchange[7].key.key, "Place2");
    EXPECT_EQ(exchange[15].key.key, "Screen");
    EXPECT_EQ(exchange[17].control, 1002);  // Place1
    // The first memo position is the first integer edit, memo 5's y the last.
    std::vector<int> integers;
    for (const PropertyBinding& b : exchange) {
        if (b.kind == BindingKind::Integer)
            integers.push_back(b.control);
    }
    EXPECT_EQ(integers,
              (std::vector<int>{1067, 1042, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050}));
    std::set<std::pair<int, std::string>> a, b;
    for (const auto& x : exchange)
        a.insert({x.control, x.key.section + "/" + x.key.key});
    for (const auto& x : storageOrder())
        b.insert({x.control, x.key.section + "/" + x.key.key});
    EXPECT_EQ(a, b);
}

TEST(PropertyBindingsTest, MemoPositionsLiveInTheirMemoSection) {
    for (const PropertyBinding& b : storageOrder()) {
        if (b.key.key == "Memo2x" || b.key.key == "Memo2y") {
            EXPECT_EQ(b.key.section, "Config/Minf2");
        } else if (b.kind != BindingKind::Integer) {
            EXPECT_EQ(b.key.section, "Config") << b.key.key;
        }
    }
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
    store.writeText(configKey("Where"), "会議室");
    store.writeText(placeKey(3), "会議室");
    store.writeInt(memoPositionKey('y', 2), -40);
    PropertyValues values = loadProperties(store);
    values.texts[1006] = "食堂";  // Place3 renamed
    store.clearWriteLog();
    saveProperties(store, values);

    std::vector<SettingKey> expected;
    for (const PropertyBinding& b : storageOrder())
        expected.push_back(b.key);
    EXPECT_EQ(store.writeLog(), expected);
    EXPECT_EQ(store.raw(configKey("Where")), "会議室");
    EXPECT_EQ(store.raw(placeKey(3)), "食堂");
    EXPECT_EQ(store.raw(memoPositionKey('y', 2)), "-40");
    EXPECT_EQ(store.raw(configKey("Desktop")), "1");
    EXPECT_EQ(store.raw(placeKey(15)), "");
}

}  // namespace
}  // namespace rumo
