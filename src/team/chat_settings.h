// The names the code uses for the chat status settings (their rows are in settings/schema.h).
#pragma once

#include "settings/schema.h"

namespace rumo::settings {

inline constexpr Setting<bool> ChatWebhook{"Webhook"};
inline constexpr Setting<std::string> ChatWebhookUrl{"WebhookUrl"};
inline constexpr Setting<bool> ChatMattermost{"Mattermost"};
inline constexpr Setting<std::string> ChatMattermostServer{"MattermostServer"};
inline constexpr Setting<bool> ChatSlack{"Slack"};
inline constexpr Setting<std::string> ChatSlackServer{"SlackServer"};
inline constexpr Setting<bool> ChatMatrix{"Matrix"};
inline constexpr Setting<std::string> ChatMatrixServer{"MatrixServer"};
inline constexpr Setting<std::string> ChatMatrixUser{"MatrixUser"};

}  // namespace rumo::settings
