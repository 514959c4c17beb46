// The resident's chat statuses: one link for each service the user turned on, each given the
// user's state as the team publisher sees it. A failure is handed to `tell` once per run.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "team/chat_link.h"
#include "team/member_status.h"

namespace rumo {

class SettingsStore;
class SettingsFileWatcher;

// What one service needs from the settings and the keyring, read together.
struct ChatConfig {
    QUrl server;
    QString user;
    QString token;
    friend bool operator==(const ChatConfig&, const ChatConfig&) = default;
};

class ChatRelay : public QObject {
    Q_OBJECT
public:
    using Tell = std::function<void(const QString&)>;
    // `settingsFile` is watched for changes any process makes (empty: none is watched).
    ChatRelay(SettingsStore& store, const QString& settingsFile, Tell tell, ChatTiming timing = {},
              QObject* parent = nullptr);
    ~ChatRelay() override;

    void follow(const MemberStatus& status);

private:
    void refresh();

    SettingsStore& store_;
    Tell tell_;
    ChatTiming timing_;
    std::unique_ptr<SettingsFileWatcher> watcher_;
    QNetworkAccessManager network_;
    std::map<ChatService, ChatConfig> configs_;
    std::map<ChatService, std::unique_ptr<ChatLink>> links_;
    std::optional<MemberStatus> last_;
};

}  // namespace rumo
