#include "settings/settings_store.h"

#include "settings/int_text.h"

namespace rumo {

std::optional<std::string> SettingsSnapshot::find(const SettingKey& key) const {
    return lookup_ ? lookup_(key) : std::nullopt;
}

int SettingsSnapshot::readInt(const SettingKey& key, int fallback) const {
    const std::optional<std::string> text = find(key);
    return text ? parseStoredInt(*text).value_or(fallback) : fallback;
}

std::string SettingsSnapshot::readText(const SettingKey& key, std::string_view fallback) const {
    return find(key).value_or(std::string(fallback));
}

int SettingsStore::readInt(const SettingKey& key, int fallback) {
    return snapshot().readInt(key, fallback);
}

std::string SettingsStore::readText(const SettingKey& key, std::string_view fallback) {
    return snapshot().readText(key, fallback);
}

bool SettingsStore::writeInt(const SettingKey& key, int value) {
    return write({{key, std::to_string(value)}}).ok();
}

bool SettingsStore::writeText(const SettingKey& key, std::string_view value) {
    return write({{key, std::string(value)}}).ok();
}

int readSetting(SettingsStore& store, const SettingKey& key) {
    return store.readInt(key, settingDef(key).intDefault);
}

std::string readTextSetting(SettingsStore& store, const SettingKey& key) {
    return store.readText(key, settingDef(key).textDefault);
}

int readSetting(const SettingsSnapshot& values, const SettingKey& key) {
    return values.readInt(key, settingDef(key).intDefault);
}

std::string readTextSetting(const SettingsSnapshot& values, const SettingKey& key) {
    return values.readText(key, settingDef(key).textDefault);
}

}  // namespace rumo
