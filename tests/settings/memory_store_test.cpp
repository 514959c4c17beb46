#include "settings/memory_store.h"

#include <gtest/gtest.h>

#include "settings/int_text.h"

namespace rumo {
namespace {

TEST(StoredInt, AcceptsSignedDecimalsWithBlanksAround) {
    EXPECT_EQ(parseStoredInt("240"), 240);
    EXPECT_EQ(parseStoredInt(" -5\t"), -5);
    EXPECT_EQ(parseStoredInt("+7"), 7);
    EXPECT_EQ(parseStoredInt("2147483647"), 2147483647);
    EXPECT_EQ(parseStoredInt("-2147483648"), -2147483647 - 1);
}

TEST(StoredInt, RejectsWhatIsNotAnInteger) {
    for (const char* text : {"", " ", "abc", "12abc", "1.5", "2147483648", "0x10", "+", "-"}) {
        EXPECT_FALSE(parseStoredInt(text)) << text;
    }
}

TEST(MemoryStore, AFailedBatchStoresNothing) {
    MemoryStore store;
    ASSERT_TRUE(store.set(settings::Where, "upper"));
    store.failWrites("No space left on device");
    const WriteStatus failed =
        store.write({textWrite(settings::Where, "a"), textWrite(settings::Name, "b")});
    EXPECT_EQ(failed.error, "No space left on device");
    EXPECT_EQ(store.raw(settings::Where), "upper");
    EXPECT_EQ(store.raw(settings::Name), std::nullopt);
}

}  // namespace
}  // namespace rumo
