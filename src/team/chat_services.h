// The chat services the user's status can follow while the notice shows, and the status text
// they are given. Which settings each one keeps is said here once, for the command line, the
// resident and the properties dialog alike.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/local_time.h"
#include "team/chat_settings.h"

namespace rumo {

enum class ChatService { Webhook, Mattermost, Slack, Matrix };

struct ChatServiceInfo {
    ChatService service;
    std::string_view name;   // as the command line and the keyring name it: "mattermost"
    std::string_view title;  // as the user reads it: "Mattermost"
    Setting<bool> on;
    Setting<std::string> server;
    bool tokenRequired;  // the webhook's token is optional
    bool userRequired;   // Matrix names the user in its requests
};

inline constexpr std::array<ChatServiceInfo, 4> kChatServices = {{
    {ChatService::Webhook, "webhook", "Webhook", settings::ChatWebhook, settings::ChatWebhookUrl,
     false, false},
    {ChatService::Mattermost, "mattermost", "Mattermost", settings::ChatMattermost,
     settings::ChatMattermostServer, true, false},
    {ChatService::Slack, "slack", "Slack", settings::ChatSlack, settings::ChatSlackServer, true,
     false},
    {ChatService::Matrix, "matrix", "Matrix", settings::ChatMatrix, settings::ChatMatrixServer,
     true, true},
}};

const ChatServiceInfo& chatServiceInfo(ChatService service);
// Any letter case; nothing for a name no service has.
std::optional<ChatService> chatServiceNamed(std::string_view name);

// The keyring's name for a service's token: "chat mattermost https://chat.example.com".
std::string chatSecretName(ChatService service, std::string_view server);

// What the chat shows while the user is away, in the interface's language: "会議室B, back at
// 15:00" ("会議室B、15:00 戻り予定"). `where` is what the team may see (already the private
// word when the user keeps it private); a return on another day carries its date.
std::string chatAwayText(std::string_view where, const std::optional<LocalDateTime>& back,
                         const LocalDateTime& now);

}  // namespace rumo
