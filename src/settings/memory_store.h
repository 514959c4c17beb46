// An in-memory store for tests and tools: the same rules as the real store (names in any letter
// case, all-or-nothing writes that report their failure), no file.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace rumo {

class MemoryStore : public SettingsStore {
public:
    SettingsSnapshot snapshot() override;
    WriteStatus write(const std::vector<SettingWrite>& writes) override;

    // Setting up a test: a value stored as set() stores it, the result there for those who
    // look at it (a test that makes writes fail does).
    template <typename T, typename V>
    bool set(const Setting<T>& setting, V&& value) {
        return SettingsStore::set(setting, std::forward<V>(value));
    }

    // What a test wants to look at: the raw stored text of a key, and the keys in write order.
    std::optional<std::string> raw(const SettingKey& key) const;
    std::optional<std::string> raw(const SettingRef& setting) const { return raw(setting.key()); }
    const std::vector<SettingKey>& writeLog() const { return writes_; }
    void clearWriteLog() {
        writes_.clear();
        batches_ = 0;
    }
    // How many writes stored their values since the log was last cleared.
    std::size_t writeBatches() const { return batches_; }
    // Makes every later write fail with this reason (empty: writes work again).
    void failWrites(std::string reason) { failure_ = std::move(reason); }

private:
    std::map<std::string, std::string> values_;  // by folded name
    std::vector<SettingKey> writes_;
    std::string failure_;
    std::size_t batches_ = 0;
};

}  // namespace rumo
