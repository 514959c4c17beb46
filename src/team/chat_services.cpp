#include "team/chat_services.h"

#include <algorithm>
#include <cstdio>

#include "common/translate.h"

namespace rumo {

const ChatServiceInfo& chatServiceInfo(ChatService service) {
    return *std::find_if(kChatServices.begin(), kChatServices.end(),
                         [&](const ChatServiceInfo& info) { return info.service == service; });
}

std::optional<ChatService> chatServiceNamed(std::string_view name) {
    for (const ChatServiceInfo& info : kChatServices) {
        if (info.name.size() == name.size() &&
            std::equal(name.begin(), name.end(), info.name.begin(), [](char a, char b) {
                return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
            })) {
            return info.service;
        }
    }
    return std::nullopt;
}

std::string chatSecretName(ChatService service, std::string_view server) {
    return "chat " + std::string(chatServiceInfo(service).name) + ' ' + std::string(server);
}

std::string chatAwayText(std::string_view where, const std::optional<LocalDateTime>& back,
                         const LocalDateTime& now) {
    std::string text = where.empty() ? translate("ChatStatus", "Away") : std::string(where);
    if (!back) {
        return text;
    }
    char when[32];
    if (back->year == now.year && back->month == now.month && back->day == now.day) {
        std::snprintf(when, sizeof when, "%02d:%02d", back->hour, back->minute);
    } else {
        std::snprintf(when, sizeof when, "%d/%d %02d:%02d", back->month, back->day, back->hour,
                      back->minute);
    }
    // The time first: it holds no marker, so the destination, which may, goes in last.
    std::string shown = translate("ChatStatus", "%1, back at %2");
    if (const std::size_t at = shown.find("%2"); at != std::string::npos) {
        shown.replace(at, 2, when);
    }
    return withArgument(std::move(shown), text);
}

}  // namespace rumo
