#include "team/chat_link.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>

#include "common/qt_values.h"

namespace rumo {

namespace {

// A hand's width past the return time, so a status left behind by a resident that went away
// meanwhile clears itself; without a return time, a working day.
constexpr qint64 kPastReturnSeconds = 60 * 60;
constexpr qint64 kWithoutReturnSeconds = 8 * 60 * 60;

QString failureText(ChatService service, const QString& reason) {
    return QCoreApplication::translate("ChatStatus",
                                       "Cannot set the status on %1 (%2). Will try again later.")
        .arg(qtText(std::string(chatServiceInfo(service).title)), reason);
}

// The reason without the address: a webhook's address is often its secret.
QString reasonOf(QNetworkReply& reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        return QStringLiteral("HTTP %1").arg(status.toInt());
    }
    if (reply.error() == QNetworkReply::OperationCanceledError ||
        reply.error() == QNetworkReply::TimeoutError) {
        return QCoreApplication::translate("ChatStatus", "No answer");
    }
    QString text = reply.errorString();
    text.replace(reply.url().toString(), reply.url().host());
    return text;
}

class WebhookLink final : public ChatLink {
public:
    using ChatLink::ChatLink;

    void follow(const MemberStatus& status) override {
        wanted_ = QByteArray::fromStdString(statusJson(status));
        step();
    }

private:
    void step() override {
        if (busy() || wanted_ == sent_ || wanted_.isEmpty()) {
            return;
        }
        const QByteArray body = wanted_;
        send({"POST", {}, body}, [this, body](const QByteArray&) {
            sent_ = body;
            step();
        });
    }

    QByteArray wanted_;
    QByteArray sent_;
};

class StatusLink final : public ChatLink {
public:
    StatusLink(ChatService service, QUrl server, QString token, QString user,
               QNetworkAccessManager& network, ChatTiming timing)
        : ChatLink(service, std::move(server), std::move(token), network, timing),
          api_(makeChatApi(service, user)) {}

    void follow(const MemberStatus& status) override {
        if (status.state != Presence::Away) {
            wanted_.reset();
        } else {
            const QDateTime now = QDateTime::currentDateTime();
            std::optional<LocalDateTime> back;
            qint64 expires = now.toSecsSinceEpoch() + kWithoutReturnSeconds;
            if (status.back) {
                const QDateTime at = QDateTime::fromSecsSinceEpoch(*status.back);
                back = localDateTime(at);
                expires =
                    std::max<qint64>(*status.back, now.toSecsSinceEpoch()) + kPastReturnSeconds;
            }
            wanted_ =
                api_->away(qtText(chatAwayText(status.where, back, localDateTime(now))), expires);
        }
        step();
    }

private:
    // One request at a time, each decided by what is known when the last one ended.
    void step() override {
        if (busy()) {
            return;
        }
        if (wanted_) {
            if (!previous_) {
                send(api_->readCall(), [this](const QByteArray& body) {
                    if (std::optional<ChatStatus> now = api_->parseRead(body)) {
                        previous_ = std::move(*now);
                        step();
                    } else {
                        refuse(QStringLiteral("unexpected answer"));
                    }
                });
            } else if (ours_ != wanted_) {
                const ChatStatus setting = *wanted_;
                sendWrite(setting, [this, setting] { ours_ = setting; });
            }
            return;
        }
        if (ours_) {
            // Back: put the earlier status back, unless the user set another one meanwhile.
            send(api_->readCall(), [this](const QByteArray& body) {
                const std::optional<ChatStatus> now = api_->parseRead(body);
                if (!now) {
                    refuse(QStringLiteral("unexpected answer"));
                } else if (!api_->stillOurs(*now, *ours_)) {
                    forget();
                } else {
                    sendWrite(restorable(*previous_), [this] { forget(); });
                }
            });
        } else {
            previous_.reset();  // read, but never replaced
        }
    }

    void sendWrite(const ChatStatus& status, std::function<void()> written) {
        send(api_->writeCall(status), [this, written = std::move(written)](const QByteArray& body) {
            if (!api_->writeAccepted(body)) {
                refuse(QStringLiteral("refused"));
                return;
            }
            written();
            step();
        });
    }

    void forget() {
        ours_.reset();
        previous_.reset();
        step();
    }

    // An earlier status whose time ran out while the user was away is not brought back.
    static ChatStatus restorable(const ChatStatus& previous) {
        if (previous.expires && *previous.expires > 0 &&
            *previous.expires <= QDateTime::currentSecsSinceEpoch()) {
            ChatStatus cleared;
            cleared.presence = previous.presence;
            return cleared;
        }
        return previous;
    }

    std::unique_ptr<ChatApi> api_;
    std::optional<ChatStatus> wanted_;    // while away: what the status should say
    std::optional<ChatStatus> previous_;  // what the user had before
    std::optional<ChatStatus> ours_;      // what we set and the service took
};

}  // namespace

ChatLink::ChatLink(ChatService service, QUrl server, QString token, QNetworkAccessManager& network,
                   ChatTiming timing, QObject* parent)
    : QObject(parent),
      service_(service),
      server_(std::move(server)),
      token_(std::move(token)),
      network_(network),
      timing_(timing),
      nextRetryMs_(timing.firstRetryMs) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, [this] { step(); });
}

ChatLink::~ChatLink() {
    if (reply_ != nullptr) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

void ChatLink::send(const HttpCall& call, std::function<void(const QByteArray&)> done) {
    QUrl url = server_;
    if (!call.path.isEmpty()) {
        // Encoded as they stand: a Matrix user id in the path is percent-encoded already.
        const QUrl relative(call.path, QUrl::StrictMode);
        QString base = url.path(QUrl::FullyEncoded);
        while (base.endsWith(QLatin1Char('/'))) {
            base.chop(1);
        }
        url.setPath(base + relative.path(QUrl::FullyEncoded), QUrl::StrictMode);
        url.setQuery(relative.query(QUrl::FullyEncoded), QUrl::StrictMode);
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(timing_.transferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!token_.isEmpty()) {
        request.setRawHeader("Authorization", "Bearer " + token_.toUtf8());
    }
    if (!call.body.isEmpty()) {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json; charset=utf-8"));
    }
    busy_ = true;
    retry_.stop();
    reply_ = network_.sendCustomRequest(request, call.method, call.body);
    connect(reply_, &QNetworkReply::finished, this, [this, done = std::move(done)] {
        QNetworkReply* reply = std::exchange(reply_, nullptr);
        reply->deleteLater();
        busy_ = false;
        if (reply->error() != QNetworkReply::NoError) {
            refuse(reasonOf(*reply));
            return;
        }
        // The run of failures ends only when the answer is one the service meant as a yes.
        const int refusalsBefore = refusals_;
        done(reply->readAll());
        if (refusals_ == refusalsBefore) {
            told_ = false;
            nextRetryMs_ = timing_.firstRetryMs;
        }
    });
}

void ChatLink::refuse(const QString& reason) {
    busy_ = false;
    ++refusals_;
    if (!told_) {
        told_ = true;
        emit failed(failureText(service_, reason));
    }
    retry_.start(nextRetryMs_);
    nextRetryMs_ = std::min(nextRetryMs_ * 2, timing_.longestRetryMs);
}

std::unique_ptr<ChatLink> makeWebhookLink(QUrl url, QString token, QNetworkAccessManager& network,
                                          ChatTiming timing) {
    return std::make_unique<WebhookLink>(ChatService::Webhook, std::move(url), std::move(token),
                                         network, timing);
}

std::unique_ptr<ChatLink> makeStatusLink(ChatService service, QUrl server, QString token,
                                         QString user, QNetworkAccessManager& network,
                                         ChatTiming timing) {
    return std::make_unique<StatusLink>(service, std::move(server), std::move(token),
                                        std::move(user), network, timing);
}

}  // namespace rumo
