#include "team/broker_address.h"

#include <charconv>

namespace rumo {

std::string BrokerAddress::server() const {
    std::string out = tls ? "mqtts://" : "mqtt://";
    if (!user.empty()) {
        out += user + '@';
    }
    const bool ipv6 = host.find(':') != std::string::npos;
    out += ipv6 ? '[' + host + ']' : host;
    return out + ':' + std::to_string(port);
}

std::optional<BrokerAddress> parseBrokerAddress(std::string_view text, std::string* error) {
    const auto fail = [error](const char* why) -> std::optional<BrokerAddress> {
        if (error != nullptr) {
            *error = why;
        }
        return std::nullopt;
    };
    BrokerAddress address;
    if (text.starts_with("mqtts://")) {
        address.tls = true;
        address.port = 8883;
        text.remove_prefix(8);
    } else if (text.starts_with("mqtt://")) {
        text.remove_prefix(7);
    } else {
        return fail("the address begins with mqtt:// or mqtts://");
    }
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return fail("the address ends with /<team topic>");
    }
    std::string_view authority = text.substr(0, slash);
    std::string_view team = text.substr(slash + 1);
    while (team.ends_with('/')) {
        team.remove_suffix(1);
    }
    if (team.empty() || team.find_first_of("+#") != std::string_view::npos ||
        team.starts_with('/')) {
        return fail("the team topic is empty or holds + or #");
    }
    address.team = std::string(team);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view user = authority.substr(0, at);
        if (user.find(':') != std::string_view::npos) {
            return fail("a password is not written in the address; it is read from the input");
        }
        if (user.empty()) {
            return fail("the user name before @ is empty");
        }
        address.user = std::string(user);
        authority.remove_prefix(at + 1);
    }
    std::string_view port;
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            return fail("an IPv6 address lacks its ]");
        }
        address.host = std::string(authority.substr(1, close - 1));
        authority.remove_prefix(close + 1);
        if (authority.starts_with(':')) {
            port = authority.substr(1);
        } else if (!authority.empty()) {
            return fail("unexpected text after the host");
        }
    } else {
        const std::size_t colon = authority.find(':');
        address.host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos) {
            port = authority.substr(colon + 1);
        }
    }
    if (address.host.empty()) {
        return fail("the address names no host");
    }
    if (!port.empty() || authority.ends_with(':')) {
        int value = 0;
        const auto [end, code] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (code != std::errc() || end != port.data() + port.size() || value < 1 || value > 65535) {
            return fail("the port is a number from 1 to 65535");
        }
        address.port = value;
    }
    return address;
}

bool validUserId(std::string_view id) {
    return !id.empty() && id.find_first_of("/+#") == std::string_view::npos &&
           id.find('\0') == std::string_view::npos;
}

}  // namespace rumo
