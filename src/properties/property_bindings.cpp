#include "properties/property_bindings.h"

#include <array>

namespace rumo {

namespace {

// The destination edits for Place1 .. Place15 and the memo controls for memos 1 .. 5.
constexpr std::array<int, kPlaceCount> kPlaceEdits = {
    1002, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018};
constexpr std::array<int, kMemoCount> kMemoEdits = {1069, 1003, 1019, 1020, 1021};
constexpr std::array<int, kMemoCount> kMemoXEdits = {1067, 1043, 1045, 1047, 1049};
constexpr std::array<int, kMemoCount> kMemoYEdits = {1042, 1044, 1046, 1048, 1050};

PropertyBinding text(int control, SettingKey key) {
    return {control, BindingKind::Text, std::move(key)};
}
PropertyBinding check(int control, const char* key) {
    return {control, BindingKind::Check, configKey(key)};
}
PropertyBinding radio(int control, const char* key) {
    return {control, BindingKind::Radio, configKey(key)};
}
PropertyBinding place(int n) {
    return text(kPlaceEdits[n - 1], placeKey(n));
}
PropertyBinding memo(int n) {
    return text(kMemoEdits[n - 1], memoKey(n));
}
PropertyBinding position(char axis, int n) {
    return {axis == 'x' ? kMemoXEdits[n - 1] : kMemoYEdits[n - 1], BindingKind::Integer,
            memoPositionKey(axis, n)};
}
void addPositions(std::vector<PropertyBinding>& list) {
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(position('x', n));
        list.push_back(position('y', n));
    }
}

std::vector<PropertyBinding> buildExchangeOrder() {
    std::vector<PropertyBinding> list;
    list.push_back(text(1004, configKey("Name")));
    for (int n = 10; n <= 15; ++n) {
        list.push_back(place(n));
    }
    for (int n = 2; n <= 9; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(1026, "Screen"));
    list.push_back(check(1031, "Riseki"));
    list.push_back(place(1));
    list.push_back(text(1035, configKey("Password")));
    list.push_back(check(1033, "White"));
    list.push_back(check(1034, "Black"));
    list.push_back(check(1036, "Passcheck"));
    list.push_back(check(1052, "Bitshow"));
    list.push_back(check(1055, "Desktop"));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    list.push_back(check(1056, "Mojicol"));
    list.push_back(check(1060, "Bitall"));
    list.push_back(radio(1073, "Mojimove"));
    list.push_back(radio(1105, "Mtype"));
    list.push_back(check(1072, "Esc"));
    addPositions(list);
    list.push_back(check(1110, "Daytime"));
    return list;
}

std::vector<PropertyBinding> buildStorageOrder() {
    std::vector<PropertyBinding> list;
    list.push_back(text(1004, configKey("Name")));
    for (int n = 1; n <= kPlaceCount; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(1026, "Screen"));
    list.push_back(check(1031, "Riseki"));
    list.push_back(check(1072, "Esc"));
    list.push_back(check(1033, "White"));
    list.push_back(check(1034, "Black"));
    list.push_back(check(1036, "Passcheck"));
    list.push_back(text(1035, configKey("Password")));
    list.push_back(check(1052, "Bitshow"));
    list.push_back(check(1055, "Desktop"));
    list.push_back(radio(1073, "Mojimove"));
    list.push_back(check(1056, "Mojicol"));
    list.push_back(check(1060, "Bitall"));
    list.push_back(radio(1105, "Mtype"));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    addPositions(list);
    list.push_back(check(1110, "Daytime"));
    return list;
}

}  // namespace

const std::vector<PropertyBinding>& exchangeOrder() {
    static const std::vector<PropertyBinding> list = buildExchangeOrder();
    return list;
}

const std::vector<PropertyBinding>& storageOrder() {
    static const std::vector<PropertyBinding> list = buildStorageOrder();
    return list;
}

PropertyValues loadProperties(SettingsStore& store) {
    const SettingsSnapshot stored = store.snapshot();
    PropertyValues values;
    for (const PropertyBinding& binding : storageOrder()) {
        if (binding.kind == BindingKind::Text) {
            values.texts[binding.control] = readTextSetting(stored, binding.key);
        } else {
            values.numbers[binding.control] = readSetting(stored, binding.key);
        }
    }
    return values;
}

WriteStatus saveProperties(SettingsStore& store, const PropertyValues& values) {
    std::vector<SettingWrite> writes;
    for (const PropertyBinding& binding : storageOrder()) {
        if (binding.kind == BindingKind::Text) {
            const auto found = values.texts.find(binding.control);
            writes.push_back(
                {binding.key, found == values.texts.end() ? std::string() : found->second});
        } else {
            const auto found = values.numbers.find(binding.control);
            writes.push_back(
                {binding.key, std::to_string(found == values.numbers.end() ? 0 : found->second)});
        }
    }
    return store.write(writes);
}

}  // namespace rumo
