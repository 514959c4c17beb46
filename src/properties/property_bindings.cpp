#include "properties/property_bindings.h"

#include "properties/control_ids.h"

namespace rumo {

namespace {

using namespace control;

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
    list.push_back(text(kUserName, configKey("Name")));
    for (int n = 10; n <= 15; ++n) {
        list.push_back(place(n));
    }
    for (int n = 2; n <= 9; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(kScreenFirstRadio, "Screen"));
    list.push_back(check(kTimeAway, "Riseki"));
    list.push_back(place(1));
    list.push_back(text(kPassword, configKey("Password")));
    list.push_back(check(kWhiteShadow, "White"));
    list.push_back(check(kBlackShadow, "Black"));
    list.push_back(check(kPasswordCheck, "Passcheck"));
    list.push_back(check(kShowForeground, "Bitshow"));
    list.push_back(check(kDesktop, "Desktop"));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    list.push_back(check(kColourfulText, "Mojicol"));
    list.push_back(check(kShowBackground, "Bitall"));
    list.push_back(radio(kTextPositionFirstRadio, "Mojimove"));
    list.push_back(radio(kPictureModeFirstRadio, "Mtype"));
    list.push_back(check(kEndWithEsc, "Esc"));
    addPositions(list);
    list.push_back(check(kDateAndTime, "Daytime"));
    return list;
}

std::vector<PropertyBinding> buildStorageOrder() {
    std::vector<PropertyBinding> list;
    list.push_back(text(kUserName, configKey("Name")));
    for (int n = 1; n <= kPlaceCount; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(kScreenFirstRadio, "Screen"));
    list.push_back(check(kTimeAway, "Riseki"));
    list.push_back(check(kEndWithEsc, "Esc"));
    list.push_back(check(kWhiteShadow, "White"));
    list.push_back(check(kBlackShadow, "Black"));
    list.push_back(check(kPasswordCheck, "Passcheck"));
    list.push_back(text(kPassword, configKey("Password")));
    list.push_back(check(kShowForeground, "Bitshow"));
    list.push_back(check(kDesktop, "Desktop"));
    list.push_back(radio(kTextPositionFirstRadio, "Mojimove"));
    list.push_back(check(kColourfulText, "Mojicol"));
    list.push_back(check(kShowBackground, "Bitall"));
    list.push_back(radio(kPictureModeFirstRadio, "Mtype"));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    addPositions(list);
    list.push_back(check(kDateAndTime, "Daytime"));
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
