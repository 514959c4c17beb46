// The status requests of Mattermost, Slack and Matrix, as their client APIs document them.
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include "team/chat_link.h"

namespace rumo {

namespace {

// The emoji a status set while away carries, by its short name.
constexpr auto kAwayEmoji = "walking";

std::optional<QJsonObject> objectOf(const QByteArray& body) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QByteArray jsonOf(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Mattermost: the custom status, kept in the user's props as a JSON text.
class MattermostApi final : public ChatApi {
public:
    HttpCall readCall() const override { return {"GET", QStringLiteral("/api/v4/users/me"), {}}; }

    std::optional<ChatStatus> parseRead(const QByteArray& body) const override {
        const std::optional<QJsonObject> user = objectOf(body);
        if (!user || !user->contains(QLatin1String("id"))) {
            return std::nullopt;
        }
        ChatStatus status;
        const QString custom = user->value(QLatin1String("props"))
                                   .toObject()
                                   .value(QLatin1String("customStatus"))
                                   .toString();
        const std::optional<QJsonObject> fields = objectOf(custom.toUtf8());
        if (!fields) {
            return status;  // none set
        }
        status.text = fields->value(QLatin1String("text")).toString();
        status.emoji = fields->value(QLatin1String("emoji")).toString();
        status.duration = fields->value(QLatin1String("duration")).toString().toUtf8();
        const QDateTime expires = QDateTime::fromString(
            fields->value(QLatin1String("expires_at")).toString(), Qt::ISODate);
        if (expires.isValid() && expires.toSecsSinceEpoch() > 0) {
            status.expires = expires.toSecsSinceEpoch();
        }
        return status;
    }

    HttpCall writeCall(const ChatStatus& status) const override {
        const QString path = QStringLiteral("/api/v4/users/me/status/custom");
        if (status.text.isEmpty() && status.emoji.isEmpty()) {
            return {"DELETE", path, {}};
        }
        QJsonObject body{{QStringLiteral("text"), status.text},
                         {QStringLiteral("emoji"), status.emoji}};
        if (status.expires) {
            body.insert(QStringLiteral("duration"), status.duration.isEmpty()
                                                        ? QStringLiteral("date_and_time")
                                                        : QString::fromUtf8(status.duration));
            body.insert(
                QStringLiteral("expires_at"),
                QDateTime::fromSecsSinceEpoch(*status.expires, Qt::UTC).toString(Qt::ISODate));
        }
        return {"PUT", path, jsonOf(body)};
    }

    ChatStatus away(const QString& text, std::optional<qint64> expires) const override {
        return {text, QString::fromLatin1(kAwayEmoji), expires, {}, "date_and_time"};
    }
};

// Slack: the profile's status fields; every answer says ok or not, HTTP 200 either way.
class SlackApi final : public ChatApi {
public:
    HttpCall readCall() const override {
        return {"GET", QStringLiteral("/api/users.profile.get"), {}};
    }

    std::optional<ChatStatus> parseRead(const QByteArray& body) const override {
        const std::optional<QJsonObject> answer = objectOf(body);
        if (!answer || !answer->value(QLatin1String("ok")).toBool()) {
            return std::nullopt;
        }
        const QJsonObject profile = answer->value(QLatin1String("profile")).toObject();
        ChatStatus status;
        status.text = profile.value(QLatin1String("status_text")).toString();
        status.emoji = profile.value(QLatin1String("status_emoji")).toString();
        const qint64 expires = profile.value(QLatin1String("status_expiration")).toInteger();
        if (expires > 0) {
            status.expires = expires;
        }
        return status;
    }

    HttpCall writeCall(const ChatStatus& status) const override {
        const QJsonObject profile{
            {QStringLiteral("status_text"), status.text},
            {QStringLiteral("status_emoji"), status.emoji},
            {QStringLiteral("status_expiration"), status.expires.value_or(0)},
        };
        return {"POST", QStringLiteral("/api/users.profile.set"),
                jsonOf(QJsonObject{{QStringLiteral("profile"), profile}})};
    }

    bool writeAccepted(const QByteArray& body) const override {
        const std::optional<QJsonObject> answer = objectOf(body);
        return answer && answer->value(QLatin1String("ok")).toBool();
    }

    ChatStatus away(const QString& text, std::optional<qint64> expires) const override {
        return {text, QStringLiteral(":%1:").arg(QLatin1String(kAwayEmoji)), expires, {}, {}};
    }
};

// Matrix: presence and its message; the presence itself follows the user's clients, so only the
// message tells whether the status is still ours.
class MatrixApi final : public ChatApi {
public:
    explicit MatrixApi(const QString& user)
        : path_(QStringLiteral("/_matrix/client/v3/presence/%1/status")
                    .arg(QString::fromLatin1(QUrl::toPercentEncoding(user)))) {}

    HttpCall readCall() const override { return {"GET", path_, {}}; }

    std::optional<ChatStatus> parseRead(const QByteArray& body) const override {
        const std::optional<QJsonObject> answer = objectOf(body);
        if (!answer || !answer->contains(QLatin1String("presence"))) {
            return std::nullopt;
        }
        ChatStatus status;
        status.presence = answer->value(QLatin1String("presence")).toString();
        status.text = answer->value(QLatin1String("status_msg")).toString();
        return status;
    }

    HttpCall writeCall(const ChatStatus& status) const override {
        const QString presence =
            status.presence.isEmpty() || status.presence == QLatin1String("offline")
                ? QStringLiteral("online")
                : status.presence;
        return {"PUT", path_,
                jsonOf({{QStringLiteral("presence"), presence},
                        {QStringLiteral("status_msg"), status.text}})};
    }

    ChatStatus away(const QString& text, std::optional<qint64> /*expires*/) const override {
        return {text, {}, std::nullopt, QStringLiteral("unavailable"), {}};
    }

    bool stillOurs(const ChatStatus& now, const ChatStatus& ours) const override {
        return now.text == ours.text;
    }

private:
    QString path_;
};

}  // namespace

std::unique_ptr<ChatApi> makeChatApi(ChatService service, const QString& user) {
    switch (service) {
        case ChatService::Mattermost:
            return std::make_unique<MattermostApi>();
        case ChatService::Slack:
            return std::make_unique<SlackApi>();
        case ChatService::Matrix:
            return std::make_unique<MatrixApi>(user);
        case ChatService::Webhook:
            break;
    }
    return nullptr;
}

}  // namespace rumo
