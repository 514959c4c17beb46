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

    SettingsSnapshot() = default;  // holds nothing: every read gives the default
    explicit SettingsSnapshot(Lookup lookup) : lookup_(std::move(lookup)) {}

    // The stored text of any key, the table's or not.
    std::optional<std::string> find(const SettingKey& key) const;

    // A missing value, or one that is not an integer, reads as the table's default.
    int read(const Setting<int>& setting) const { return readInteger(setting); }
    bool read(const Setting<bool>& setting) const { return readInteger(setting) != 0; }
    std::string read(const Setting<std::string>& setting) const { return readText(setting); }

    // The stored integer of an integer or a switch, and the text of a text setting.
    int readInteger(const SettingRef& setting) const;
    std::string readText(const SettingRef& setting) const;

private:
    Lookup lookup_;
};

struct SettingWrite {
    SettingKey key;
    std::string text;  // UTF-8; integers as decimal text
};

SettingWrite integerWrite(const SettingRef& setting, int value);
SettingWrite textWrite(const SettingRef& setting, std::string value);

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
    [[nodiscard]] virtual WriteStatus write(const std::vector<SettingWrite>& writes) = 0;

    // One value at a time, each read seeing the latest file.
    template <typename T>
    T read(const Setting<T>& setting) {
        return snapshot().read(setting);
    }
    // False when the value could not be stored; callers that can tell the user use write().
    [[nodiscard]] bool set(const Setting<int>& setting, int value);
    [[nodiscard]] bool set(const Setting<bool>& setting, bool on);
    [[nodiscard]] bool set(const Setting<std::string>& setting, std::string_view value);
};

}  // namespace rumo
