// The names the code uses for the team board's settings (their rows are in settings/schema.h).
#pragma once

#include "settings/schema.h"

namespace rumo::settings {

inline constexpr Setting<bool> TeamPublish{"Publish"};
inline constexpr Setting<std::string> TeamBroker{"Broker"};
inline constexpr Setting<std::string> TeamTopic{"Topic"};
inline constexpr Setting<std::string> TeamUserId{"UserId"};
inline constexpr Setting<bool> TeamPrivateWhere{"PrivateWhere"};

}  // namespace rumo::settings
