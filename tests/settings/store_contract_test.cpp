// The contract every settings store keeps, run over the real file store and the in-memory store
// the other tests use, so the two cannot drift apart.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "settings/file_settings_store.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

template <typename Store>
std::unique_ptr<Store> freshStore();

template <>
std::unique_ptr<MemoryStore> freshStore() {
    return std::make_unique<MemoryStore>();
}

template <>
std::unique_ptr<FileSettingsStore> freshStore() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto store = std::make_unique<FileSettingsStore>(QStringLiteral("contract-") +
                                                     QString::fromUtf8(info->name()));
    QFile::remove(store->filePath());
    QDir().mkpath(QFileInfo(store->filePath()).absolutePath());
    return store;
}

template <typename Store>
class StoreContract : public ::testing::Test {
protected:
    std::unique_ptr<Store> store_ = freshStore<Store>();
};

using Stores = ::testing::Types<MemoryStore, FileSettingsStore>;
TYPED_TEST_SUITE(StoreContract, Stores);

TYPED_TEST(StoreContract, MissingKeysReadAsTheTablesDefaults) {
    EXPECT_EQ(readSetting(*this->store_, configKey("Size")), 240);
    EXPECT_EQ(readTextSetting(*this->store_, memoGroupKey("MFont", 3)), "ＭＳ Ｐ明朝");
    EXPECT_EQ(this->store_->snapshot().find(configKey("Where")), std::nullopt);
}

TYPED_TEST(StoreContract, ValuesRoundTripInTheirSections) {
    auto& store = *this->store_;
    const std::string awkward = " lead, \"quoted\" \\ back; semi = eq # hash %20\n[line]\t trail ";
    ASSERT_TRUE(store.writeText(configKey("Where"), "会議室, 3F"));
    ASSERT_TRUE(store.writeInt(memoPositionKey('x', 2), -40));
    ASSERT_TRUE(store.writeText(placeImageKey(7), "/home/a b/写真.jpg"));
    ASSERT_TRUE(store.writeText(configKey("Name"), awkward));
    ASSERT_TRUE(store.writeText(memoKey(1), ""));
    EXPECT_EQ(readTextSetting(store, configKey("Where")), "会議室, 3F");
    EXPECT_EQ(readSetting(store, memoPositionKey('x', 2)), -40);
    EXPECT_EQ(readSetting(store, memoPositionKey('x', 3)), 0);
    EXPECT_EQ(readTextSetting(store, placeImageKey(7)), "/home/a b/写真.jpg");
    EXPECT_EQ(readTextSetting(store, configKey("Name")), awkward);
    EXPECT_EQ(store.snapshot().find(memoKey(1)), "");  // written empty is not missing
}

TYPED_TEST(StoreContract, TextInAnIntegerKeyReadsAsDefault) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.writeText(configKey("Size"), "huge"));
    EXPECT_EQ(readSetting(store, configKey("Size")), 240);
    ASSERT_TRUE(store.writeText(configKey("Size"), "99999999999"));
    EXPECT_EQ(readSetting(store, configKey("Size")), 240);
    ASSERT_TRUE(store.writeInt(configKey("Size"), 120));
    EXPECT_EQ(readSetting(store, configKey("Size")), 120);
    EXPECT_EQ(store.readText(configKey("Size"), ""), "120");
}

TYPED_TEST(StoreContract, NamesMatchInAnyLetterCase) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.writeText({"config", "WHERE"}, "upper"));
    EXPECT_EQ(readTextSetting(store, configKey("Where")), "upper");
    ASSERT_TRUE(store.writeText(configKey("Where"), "table"));
    EXPECT_EQ(store.readText({"CONFIG", "where"}, ""), "table");
    ASSERT_TRUE(store.writeInt({"Config/minf2", "memo2X"}, 5));
    EXPECT_EQ(readSetting(store, memoPositionKey('x', 2)), 5);
}

TYPED_TEST(StoreContract, ASnapshotKeepsItsMomentAndABatchLandsWhole) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.writeText(configKey("Where"), "before"));
    const SettingsSnapshot moment = store.snapshot();
    ASSERT_TRUE(store.write({{configKey("Where"), "after"}, {configKey("Name"), "山田"}}).ok());
    EXPECT_EQ(moment.readText(configKey("Where"), ""), "before");
    EXPECT_EQ(moment.find(configKey("Name")), std::nullopt);
    const SettingsSnapshot now = store.snapshot();
    EXPECT_EQ(now.readText(configKey("Where"), ""), "after");
    EXPECT_EQ(now.readText(configKey("Name"), ""), "山田");
}

}  // namespace
}  // namespace rumo
