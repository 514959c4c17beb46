#include "settings/settings_store.h"

namespace rumo {

int readSetting(SettingsStore& store, const SettingKey& key) {
    return store.readInt(key, settingDef(key).intDefault);
}

std::string readTextSetting(SettingsStore& store, const SettingKey& key) {
    return store.readText(key, settingDef(key).textDefault);
}

}  // namespace rumo
