#include "settings/memory_store.h"

#include "settings/ini_document.h"

namespace rumo {

SettingsSnapshot MemoryStore::snapshot() {
    return SettingsSnapshot(
        [values = values_](const SettingKey& key) -> std::optional<std::string> {
            const auto found = values.find(foldedSettingPath(key.section, key.key));
            if (found == values.end()) {
                return std::nullopt;
            }
            return found->second;
        });
}

WriteStatus MemoryStore::write(const std::vector<SettingWrite>& writes) {
    if (!failure_.empty()) {
        return {failure_};
    }
    for (const SettingWrite& write : writes) {
        values_[foldedSettingPath(write.key.section, write.key.key)] = write.text;
        writes_.push_back(write.key);
    }
    ++batches_;
    return {};
}

std::optional<std::string> MemoryStore::raw(const SettingKey& key) const {
    const auto found = values_.find(foldedSettingPath(key.section, key.key));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace rumo
