// An in-memory store for tests and tools: the same rules as the real store, no file.
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
    int readInt(const SettingKey& key, int fallback) override;
    std::string readText(const SettingKey& key, std::string_view fallback) override;
    bool writeInt(const SettingKey& key, int value) override;
    bool writeText(const SettingKey& key, std::string_view value) override;

    // What a test wants to look at: the raw stored text of a key, and the keys in write order.
    std::optional<std::string> raw(const SettingKey& key) const;
    const std::vector<SettingKey>& writeLog() const { return writes_; }
    void clearWriteLog() { writes_.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
    std::vector<SettingKey> writes_;
};

}  // namespace rumo
