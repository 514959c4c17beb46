#include "settings/memory_store.h"

#include "settings/int_text.h"

namespace rumo {

int MemoryStore::readInt(const SettingKey& key, int fallback) {
    const auto found = values_.find({key.section, key.key});
    if (found == values_.end()) {
        return fallback;
    }
    return parseStoredInt(found->second).value_or(fallback);
}

std::string MemoryStore::readText(const SettingKey& key, std::string_view fallback) {
    const auto found = values_.find({key.section, key.key});
    return found == values_.end() ? std::string(fallback) : found->second;
}

bool MemoryStore::writeInt(const SettingKey& key, int value) {
    values_[{key.section, key.key}] = std::to_string(value);
    writes_.push_back(key);
    return true;
}

bool MemoryStore::writeText(const SettingKey& key, std::string_view value) {
    values_[{key.section, key.key}] = std::string(value);
    writes_.push_back(key);
    return true;
}

std::optional<std::string> MemoryStore::raw(const SettingKey& key) const {
    const auto found = values_.find({key.section, key.key});
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace rumo
