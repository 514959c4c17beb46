#include "settings/settings_store.h"

#include "settings/int_text.h"

namespace rumo {

std::optional<std::string> SettingsSnapshot::find(const SettingKey& key) const {
    return lookup_ ? lookup_(key) : std::nullopt;
}

int SettingsSnapshot::readInteger(const SettingRef& setting) const {
    const std::optional<std::string> text = find(setting.key());
    const int fallback = setting.row().integerDefault;
    return text ? parseStoredInt(*text).value_or(fallback) : fallback;
}

std::string SettingsSnapshot::readText(const SettingRef& setting) const {
    return find(setting.key()).value_or(std::string(setting.row().textDefault));
}

SettingWrite integerWrite(const SettingRef& setting, int value) {
    return {setting.key(), std::to_string(value)};
}

SettingWrite textWrite(const SettingRef& setting, std::string value) {
    return {setting.key(), std::move(value)};
}

bool SettingsStore::set(const Setting<int>& setting, int value) {
    return write({integerWrite(setting, value)}).ok();
}

bool SettingsStore::set(const Setting<bool>& setting, bool on) {
    return write({integerWrite(setting, on ? 1 : 0)}).ok();
}

bool SettingsStore::set(const Setting<std::string>& setting, std::string_view value) {
    return write({textWrite(setting, std::string(value))}).ok();
}

}  // namespace rumo
