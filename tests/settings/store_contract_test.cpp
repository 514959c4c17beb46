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
    EXPECT_EQ(this->store_->read(settings::Size), 240);
    EXPECT_EQ(this->store_->read(settings::MFont(3)), "ＭＳ Ｐ明朝");
    EXPECT_EQ(this->store_->snapshot().find(settings::Where.key()), std::nullopt);
}

TYPED_TEST(StoreContract, ValuesRoundTripInTheirSections) {
    auto& store = *this->store_;
    const std::string awkward = " lead, \"quoted\" \\ back; semi = eq # hash %20\n[line]\t trail ";
    ASSERT_TRUE(store.set(settings::Where, "会議室, 3F"));
    ASSERT_TRUE(store.set(settings::MemoX(2), -40));
    ASSERT_TRUE(store.set(settings::Gazo(7), "/home/a b/写真.jpg"));
    ASSERT_TRUE(store.set(settings::Name, awkward));
    ASSERT_TRUE(store.set(settings::Memo(1), ""));
    EXPECT_EQ(store.read(settings::Where), "会議室, 3F");
    EXPECT_EQ(store.read(settings::MemoX(2)), -40);
    EXPECT_EQ(store.read(settings::MemoX(3)), 0);
    EXPECT_EQ(store.read(settings::Gazo(7)), "/home/a b/写真.jpg");
    EXPECT_EQ(store.read(settings::Name), awkward);
    EXPECT_EQ(store.snapshot().find(settings::Memo(1).key()), "");  // written empty is not missing
}

TYPED_TEST(StoreContract, TextInAnIntegerKeyReadsAsDefault) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.write({textWrite(settings::Size, "huge")}).ok());
    EXPECT_EQ(store.read(settings::Size), 240);
    ASSERT_TRUE(store.write({textWrite(settings::Size, "99999999999")}).ok());
    EXPECT_EQ(store.read(settings::Size), 240);
    ASSERT_TRUE(store.set(settings::Size, 120));
    EXPECT_EQ(store.read(settings::Size), 120);
    EXPECT_EQ(store.snapshot().find(settings::Size.key()).value_or(""), "120");
}

TYPED_TEST(StoreContract, NamesMatchInAnyLetterCase) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.write({{{"config", "WHERE"}, "upper"}}).ok());
    EXPECT_EQ(store.read(settings::Where), "upper");
    ASSERT_TRUE(store.set(settings::Where, "table"));
    EXPECT_EQ(store.snapshot().find({"CONFIG", "where"}).value_or(""), "table");
    ASSERT_TRUE(store.write({{{"Config/minf2", "memo2X"}, "5"}}).ok());
    EXPECT_EQ(store.read(settings::MemoX(2)), 5);
}

TYPED_TEST(StoreContract, ASnapshotKeepsItsMomentAndABatchLandsWhole) {
    auto& store = *this->store_;
    ASSERT_TRUE(store.set(settings::Where, "before"));
    const SettingsSnapshot moment = store.snapshot();
    ASSERT_TRUE(
        store.write({textWrite(settings::Where, "after"), textWrite(settings::Name, "山田")}).ok());
    EXPECT_EQ(moment.find(settings::Where.key()).value_or(""), "before");
    EXPECT_EQ(moment.find(settings::Name.key()), std::nullopt);
    const SettingsSnapshot now = store.snapshot();
    EXPECT_EQ(now.find(settings::Where.key()).value_or(""), "after");
    EXPECT_EQ(now.find(settings::Name.key()).value_or(""), "山田");
}

}  // namespace
}  // namespace rumo
