// The store of every setting: named integer and text values in sections, read and written one
// value at a time. Every read sees the latest value any process wrote; nothing is cached.
#pragma once

#include <string>
#include <string_view>

#include "settings/schema.h"

namespace rumo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A missing key or section, or a value that is not an integer, reads as the fallback.
    virtual int readInt(const SettingKey& key, int fallback) = 0;
    virtual std::string readText(const SettingKey& key, std::string_view fallback) = 0;

    // Failures are reported by the flag only; callers are free to ignore it.
    virtual bool writeInt(const SettingKey& key, int value) = 0;
    virtual bool writeText(const SettingKey& key, std::string_view value) = 0;
};

// Reads with the default of the settings table.
int readSetting(SettingsStore& store, const SettingKey& key);
std::string readTextSetting(SettingsStore& store, const SettingKey& key);

}  // namespace rumo
