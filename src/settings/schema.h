// The one table of every setting: its section, key, type and default. Nothing else in the
// program spells a default; readers look it up here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rumo {

enum class SettingType { Integer, Text };

// Sections, written as the store's groups: the memo groups and the destination pictures lie
// below Config.
inline constexpr std::string_view kConfig = "Config";
inline constexpr std::string_view kGazoSection = "Config/Gazo";
std::string memoSection(int memo);  // "Config/Minf1" .. "Config/Minf5"

inline constexpr int kPlaceCount = 15;
inline constexpr int kMemoCount = 5;

struct SettingKey {
    std::string section;
    std::string key;
    friend bool operator==(const SettingKey&, const SettingKey&) = default;
};

struct SettingDef {
    SettingKey id;
    SettingType type;
    int intDefault;
    std::string textDefault;
};

const std::vector<SettingDef>& settingsSchema();

// The definition of a key; a key missing from the table is a programming error and aborts.
const SettingDef& settingDef(const SettingKey& key);

// Keys of the Config section and of the numbered groups.
SettingKey configKey(std::string_view key);
SettingKey placeKey(int n);                             // Place1 .. Place15
SettingKey placeImageKey(int n);                        // Gazo1 .. Gazo15 in Config/Gazo
SettingKey memoKey(int n);                              // Memo1 .. Memo5 (the memo text, in Config)
SettingKey memoGroupKey(std::string_view stem, int n);  // e.g. ("MSize", 2) -> Config/Minf2 MSize2
SettingKey memoPositionKey(char axis, int n);           // ('x', 3) -> Config/Minf3 Memo3x

// The destination the notice shows when none was ever chosen (the bar's default is empty).
std::string_view noticeWhereDefault();

}  // namespace rumo
