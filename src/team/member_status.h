// One person's state as the team sees it, and the JSON message that carries it over the broker.
// Readers take what they know and ignore the rest, so later versions may add fields freely.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rumo {

inline constexpr int kMemberStatusVersion = 1;

enum class Presence {
    Present,
    Away,
    Off,  // the program is not running, or the machine is gone (the broker's last will)
};

struct MemberStatus {
    std::string id;    // the last level of the topic; also carried in the message
    std::string name;  // as the user writes it; may be empty
    Presence state = Presence::Off;
    std::string where;
    std::optional<std::int64_t> back;   // the expected return, seconds since the Unix epoch
    std::optional<std::int64_t> since;  // when the state began; absent in the last will
    friend bool operator==(const MemberStatus&, const MemberStatus&) = default;
};

std::string_view presenceName(Presence presence);  // "present", "away", "off"

std::string statusJson(const MemberStatus& status);

// Nothing for a text that is no JSON object or whose state is missing or unknown. Unknown
// fields, nested values included, are skipped; a field of the wrong type reads as absent.
std::optional<MemberStatus> parseStatusJson(std::string_view json);

// Away with a return time that has passed at `now` (seconds since the epoch).
bool isOverdue(const MemberStatus& status, std::int64_t now);

}  // namespace rumo
