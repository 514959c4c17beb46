// The store of every setting: named integer and text values in sections. Reads take a snapshot
// of the latest file any process wrote (one read of the file for a whole batch of reads); writes
// change only the values they name and say why they failed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/schema.h"

namespace rumo {

// Every value as it was at one moment. Names match in any letter case.
class SettingsSnapshot {
public:
    using Lookup = std::function<std::optional<std::string>(const SettingKey&)>;

    SettingsSnapshot() = default;  // holds nothing: every read gives its fallback
    explicit SettingsSnapshot(Lookup lookup) : lookup_(std::move(lookup)) {}

    std::optional<std::string> find(const SettingKey& key) const;
    // A missing key, or a value that is not an integer, reads as the fallback.
    int readInt(const SettingKey& key, int fallback) const;
    std::string readText(const SettingKey& key, std::string_view fallback) const;

private:
    Lookup lookup_;
};

struct SettingWrite {
    SettingKey key;
    std::string text;  // UTF-8; integers as decimal text
};

// The outcome of a write: empty error means every value is stored.
struct WriteStatus {
    std::string error;  // the system's reason, for the user
    bool ok() const { return error.empty(); }
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual SettingsSnapshot snapshot() = 0;
    // Stores all the values or none of them; every other value is left as it was.
    virtual WriteStatus write(const std::vector<SettingWrite>& writes) = 0;

    // One value at a time, each read seeing the latest file.
    int readInt(const SettingKey& key, int fallback);
    std::string readText(const SettingKey& key, std::string_view fallback);
    // False when the value could not be stored; callers that can tell the user use write().
    bool writeInt(const SettingKey& key, int value);
    bool writeText(const SettingKey& key, std::string_view value);
};

// Reads with the default of the settings table.
int readSetting(SettingsStore& store, const SettingKey& key);
std::string readTextSetting(SettingsStore& store, const SettingKey& key);
int readSetting(const SettingsSnapshot& values, const SettingKey& key);
std::string readTextSetting(const SettingsSnapshot& values, const SettingKey& key);

}  // namespace rumo
