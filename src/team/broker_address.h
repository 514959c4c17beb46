// Where the team's states are: mqtt://[user@]host[:port]/<team topic>, mqtts:// for TLS.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rumo {

struct BrokerAddress {
    bool tls = false;
    std::string user;  // empty: no log-in
    std::string host;
    int port = 1883;
    std::string team;  // the topic under which every user's message lies, without a final '/'

    // The broker alone, "mqtts://user@host:8883": what the keyring names its password by.
    std::string server() const;
    // The whole address as the user writes it.
    std::string text() const { return server() + '/' + team; }
    friend bool operator==(const BrokerAddress&, const BrokerAddress&) = default;
};

// Nothing, with a reason in `error` when given, for an address that is not one: another scheme,
// a password in the address (it belongs in the keyring), no host, a port outside 1-65535, a team
// topic that is empty or holds the wildcards + and # (a publisher may not use them).
std::optional<BrokerAddress> parseBrokerAddress(std::string_view text,
                                                std::string* error = nullptr);

// A user id to publish under: one topic level, so no '/', '+', '#' and not empty.
bool validUserId(std::string_view id);

}  // namespace rumo
