#include "team/chat_relay.h"

#include <QCoreApplication>

#include "bar/settings_file_watcher.h"
#include "common/qt_values.h"
#include "platform/secret_store.h"
#include "settings/settings_store.h"

namespace rumo {

ChatRelay::ChatRelay(SettingsStore& store, const QString& settingsFile, Tell tell,
                     ChatTiming timing, QObject* parent)
    : QObject(parent), store_(store), tell_(std::move(tell)), timing_(timing) {
    if (!settingsFile.isEmpty()) {
        watcher_ = std::make_unique<SettingsFileWatcher>(settingsFile);
        connect(watcher_.get(), &SettingsFileWatcher::changed, this, &ChatRelay::refresh);
    }
    refresh();
}

ChatRelay::~ChatRelay() = default;

void ChatRelay::follow(const MemberStatus& status) {
    last_ = status;
    for (auto& [service, link] : links_) {
        link->follow(status);
    }
}

void ChatRelay::refresh() {
    const SettingsSnapshot values = store_.snapshot();
    for (const ChatServiceInfo& info : kChatServices) {
        std::optional<ChatConfig> config;
        const QString server = qtText(values.read(info.server));
        if (values.read(info.on) && !server.isEmpty()) {
            config = ChatConfig{QUrl(server), {}, {}};
            if (info.userRequired) {
                config->user = qtText(values.read(settings::ChatMatrixUser));
            }
        }
        const auto known = configs_.find(info.service);
        const bool wasOn = known != configs_.end();
        if (!config) {
            configs_.erase(info.service);
            links_.erase(info.service);
            continue;
        }
        // The token is read again only when the address or the user changes; the keyring may
        // ask the user to unlock it.
        if (wasOn && known->second.server == config->server && known->second.user == config->user) {
            continue;
        }
        const SecretResult secret =
            readSecret(qtText(chatSecretName(info.service, server.toStdString())));
        if (secret.ok()) {
            config->token = secret.secret;
        } else if (info.tokenRequired) {
            tell_(QCoreApplication::translate("ChatStatus", "No token for %1 in the keyring: %2")
                      .arg(qtText(std::string(info.title)), secret.error));
        }
        configs_[info.service] = *config;
        std::unique_ptr<ChatLink> link =
            info.service == ChatService::Webhook
                ? makeWebhookLink(config->server, config->token, network_, timing_)
                : makeStatusLink(info.service, config->server, config->token, config->user,
                                 network_, timing_);
        connect(link.get(), &ChatLink::failed, this, [this](const QString& text) { tell_(text); });
        if (last_) {
            link->follow(*last_);
        }
        links_[info.service] = std::move(link);
    }
}

}  // namespace rumo
