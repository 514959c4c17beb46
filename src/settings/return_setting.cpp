#include "settings/return_setting.h"

namespace rumo {

namespace {

DayTime dayTimeOr(const SettingsSnapshot& values, const Setting<std::string>& setting) {
    if (const auto time = parseDayTime(values.read(setting))) {
        return *time;
    }
    return *parseDayTime(setting.row().textDefault);
}

}  // namespace

std::optional<LocalMinute> readReturnTime(const SettingsSnapshot& values) {
    return parseStoredReturn(values.read(settings::Modori));
}

ReturnDefaults readReturnDefaults(const SettingsSnapshot& values) {
    return {dayTimeOr(values, settings::Hiruake), dayTimeOr(values, settings::Teiji)};
}

WriteStatus storeReturnTime(SettingsStore& store, const std::optional<LocalMinute>& back) {
    if (!back) {
        const std::optional<std::string> stored = store.snapshot().find(settings::Modori.key());
        if (!stored || stored->empty()) {
            return {};
        }
        return store.write({textWrite(settings::Modori, {})});
    }
    return store.write({textWrite(settings::Modori, storedReturnText(*back))});
}

WriteStatus storeReturnPick(SettingsStore& store, ReturnPick pick, const LocalDateTime& now) {
    if (pick == ReturnPick::Choose) {
        return {};
    }
    return storeReturnTime(store, pickedReturn(pick, now, readReturnDefaults(store.snapshot())));
}

}  // namespace rumo
