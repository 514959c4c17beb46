#include "calendar/hand_pick.h"

#include <charconv>
#include <string>

#include "calendar/calendar_settings.h"

namespace rumo {

std::optional<std::int64_t> readHandPick(const SettingsSnapshot& values) {
    const std::string text = values.read(settings::PickedByHand);
    std::int64_t at = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, at);
    if (text.empty() || error != std::errc() || next != end) {
        return std::nullopt;
    }
    return at;
}

SettingWrite handPickWrite(std::int64_t now) {
    return textWrite(settings::PickedByHand, std::to_string(now));
}

WriteStatus recordHandPick(SettingsStore& store, std::int64_t now) {
    return store.write({handPickWrite(now)});
}

std::optional<SettingWrite> handPickForgotten(const SettingsSnapshot& values) {
    const std::optional<std::string> stored = values.find(settings::PickedByHand.key());
    if (!stored || stored->empty()) {
        return std::nullopt;
    }
    return textWrite(settings::PickedByHand, {});
}

}  // namespace rumo
