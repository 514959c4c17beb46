#include "properties/property_bindings.h"

#include "properties/control_ids.h"

namespace rumo {

namespace {

using namespace control;

PropertyBinding text(int control, const Setting<std::string>& setting) {
    return {control, BindingKind::Text, setting};
}
PropertyBinding check(int control, const SettingRef& setting) {
    return {control, BindingKind::Check, setting};
}
PropertyBinding radio(int control, const Setting<int>& setting) {
    return {control, BindingKind::Radio, setting};
}
PropertyBinding place(int n) {
    return text(kPlaceEdits[n - 1], settings::Place(n));
}
PropertyBinding memo(int n) {
    return text(kMemoEdits[n - 1], settings::Memo(n));
}
void addPositions(std::vector<PropertyBinding>& list) {
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back({kMemoXEdits[n - 1], BindingKind::Integer, settings::MemoX(n)});
        list.push_back({kMemoYEdits[n - 1], BindingKind::Integer, settings::MemoY(n)});
    }
}

std::vector<PropertyBinding> buildExchangeOrder() {
    std::vector<PropertyBinding> list;
    list.push_back(text(kUserName, settings::Name));
    for (int n = 10; n <= 15; ++n) {
        list.push_back(place(n));
    }
    for (int n = 2; n <= 9; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(kScreenFirstRadio, settings::Screen));
    list.push_back(check(kTimeAway, settings::Riseki));
    list.push_back(place(1));
    list.push_back(text(kPassword, settings::Password));
    list.push_back(check(kWhiteShadow, settings::White));
    list.push_back(check(kBlackShadow, settings::Black));
    list.push_back(check(kPasswordCheck, settings::Passcheck));
    list.push_back(check(kShowForeground, settings::Bitshow));
    list.push_back(check(kDesktop, settings::Desktop));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    list.push_back(check(kColourfulText, settings::Mojicol));
    list.push_back(check(kShowBackground, settings::Bitall));
    list.push_back(radio(kTextPositionFirstRadio, settings::Mojimove));
    list.push_back(radio(kPictureModeFirstRadio, settings::Mtype));
    list.push_back(check(kEndWithEsc, settings::Esc));
    addPositions(list);
    list.push_back(check(kDateAndTime, settings::Daytime));
    return list;
}

std::vector<PropertyBinding> buildStorageOrder() {
    std::vector<PropertyBinding> list;
    list.push_back(text(kUserName, settings::Name));
    for (int n = 1; n <= kPlaceCount; ++n) {
        list.push_back(place(n));
    }
    list.push_back(radio(kScreenFirstRadio, settings::Screen));
    list.push_back(check(kTimeAway, settings::Riseki));
    list.push_back(check(kEndWithEsc, settings::Esc));
    list.push_back(check(kWhiteShadow, settings::White));
    list.push_back(check(kBlackShadow, settings::Black));
    list.push_back(check(kPasswordCheck, settings::Passcheck));
    list.push_back(text(kPassword, settings::Password));
    list.push_back(check(kShowForeground, settings::Bitshow));
    list.push_back(check(kDesktop, settings::Desktop));
    list.push_back(radio(kTextPositionFirstRadio, settings::Mojimove));
    list.push_back(check(kColourfulText, settings::Mojicol));
    list.push_back(check(kShowBackground, settings::Bitall));
    list.push_back(radio(kPictureModeFirstRadio, settings::Mtype));
    for (int n = 1; n <= kMemoCount; ++n) {
        list.push_back(memo(n));
    }
    addPositions(list);
    list.push_back(check(kDateAndTime, settings::Daytime));
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
            values.texts[binding.control] = stored.readText(binding.setting);
        } else {
            values.numbers[binding.control] = stored.readInteger(binding.setting);
        }
    }
    return values;
}

WriteStatus saveProperties(SettingsStore& store, const PropertyValues& values,
                           const std::vector<SettingWrite>& alsoWrite) {
    std::vector<SettingWrite> writes;
    for (const PropertyBinding& binding : storageOrder()) {
        if (binding.kind == BindingKind::Text) {
            const auto found = values.texts.find(binding.control);
            writes.push_back(textWrite(
                binding.setting, found == values.texts.end() ? std::string() : found->second));
        } else {
            const auto found = values.numbers.find(binding.control);
            writes.push_back(
                integerWrite(binding.setting, found == values.numbers.end() ? 0 : found->second));
        }
    }
    writes.insert(writes.end(), alsoWrite.begin(), alsoWrite.end());
    return store.write(writes);
}

}  // namespace rumo
