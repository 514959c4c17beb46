// The user's status in one chat service, following the notice: set to where the user went and
// when they are back while it shows, the earlier status put back afterwards unless the user
// changed it by hand meanwhile. Everything is asynchronous; a failed request is told once and
// tried again later, each wait twice the last, so the notice never waits for a chat server.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

#include "team/chat_services.h"
#include "team/member_status.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace rumo {

// A status as the chat services know it; each fills what it has.
struct ChatStatus {
    QString text;
    QString emoji;
    std::optional<qint64> expires;  // seconds since the epoch
    QString presence;               // Matrix: online, unavailable, offline
    QByteArray duration;            // Mattermost: how the expiry was chosen
    friend bool operator==(const ChatStatus&, const ChatStatus&) = default;
};

struct HttpCall {
    QByteArray method;
    QString path;  // under the server's address, with its query
    QByteArray body;
};

// The requests of one service's API and the reading of its answers.
class ChatApi {
public:
    virtual ~ChatApi() = default;
    virtual HttpCall readCall() const = 0;
    // Nothing when the answer is not the service's (or says it refused).
    virtual std::optional<ChatStatus> parseRead(const QByteArray& body) const = 0;
    virtual HttpCall writeCall(const ChatStatus& status) const = 0;
    virtual bool writeAccepted(const QByteArray& /*body*/) const { return true; }
    // What the user's status becomes while they are away.
    virtual ChatStatus away(const QString& text, std::optional<qint64> expires) const = 0;
    // Whether the status read now is still the one we set.
    virtual bool stillOurs(const ChatStatus& now, const ChatStatus& ours) const {
        return now.text == ours.text && now.emoji == ours.emoji;
    }
};

std::unique_ptr<ChatApi> makeChatApi(ChatService service, const QString& user);

struct ChatTiming {
    int transferTimeoutMs = 20'000;
    int firstRetryMs = 5'000;
    int longestRetryMs = 300'000;
};

class ChatLink : public QObject {
    Q_OBJECT
public:
    ChatLink(ChatService service, QUrl server, QString token, QNetworkAccessManager& network,
             ChatTiming timing, QObject* parent = nullptr);
    ~ChatLink() override;

    ChatService service() const { return service_; }
    // The user's state as it is now; only the latest one counts.
    virtual void follow(const MemberStatus& status) = 0;

signals:
    // Once for a run of failures; a request that succeeds ends the run.
    void failed(const QString& message);

protected:
    // `done` runs with the answer's body on success; on failure a new try of step() is due.
    void send(const HttpCall& call, std::function<void(const QByteArray&)> done);
    void refuse(const QString& reason);  // an answer that was no success
    virtual void step() = 0;
    bool busy() const { return busy_; }

private:
    ChatService service_;
    QUrl server_;
    QString token_;
    QNetworkAccessManager& network_;
    ChatTiming timing_;
    QTimer retry_;
    int nextRetryMs_;
    bool told_ = false;
    int refusals_ = 0;
    bool busy_ = false;
    QNetworkReply* reply_ = nullptr;
};

// Webhook: every state, as the team board's message, POSTed as it comes.
std::unique_ptr<ChatLink> makeWebhookLink(QUrl url, QString token, QNetworkAccessManager& network,
                                          ChatTiming timing = {});
// Mattermost, Slack, Matrix: read, set, put back.
std::unique_ptr<ChatLink> makeStatusLink(ChatService service, QUrl server, QString token,
                                         QString user, QNetworkAccessManager& network,
                                         ChatTiming timing = {});

}  // namespace rumo
