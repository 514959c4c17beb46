#include "calendar/source_fetch.h"

#include <QAuthenticator>
#include <QDateTime>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

#include "calendar/caldav_xml.h"
#include "platform/secret_store.h"

namespace rumo {
namespace {

// A year of a busy calendar is a few megabytes; anything far larger is not a calendar.
constexpr qint64 kLargestCalendar = 32 * 1024 * 1024;
constexpr int kStalledMs = 5000;
constexpr std::int64_t kWeek = 7 * 24 * 60 * 60;
const char* const kTriedProperty = "rumoCredentialsGiven";

int httpStatus(QNetworkReply* reply) {
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QString failureLine(const CalendarSourceRef& source, const QString& reason) {
    QString line = QStringLiteral("cannot fetch %1: %2").arg(source.location, reason);
    if (const std::optional<KeptCopy> copy = readKeptCopy(source)) {
        line += QStringLiteral(" (using the copy read at %1)")
                    .arg(QDateTime::fromSecsSinceEpoch(copy->fetchedAt)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    }
    return line;
}

}  // namespace

bool carriesSecretsSafely(const QUrl& url) {
    if (url.scheme().toLower() == QLatin1String("https")) {
        return true;
    }
    const QHostAddress host(url.host());
    return url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           (!host.isNull() && host.isLoopback());
}

std::pair<std::int64_t, std::int64_t> rangeToFetch(std::int64_t from, std::int64_t to) {
    return {from, std::max(to, from + kWeek)};
}

SourceFetch::SourceFetch(QNetworkAccessManager& network, CalendarSourceRef source,
                         std::optional<QString> password, std::int64_t from, std::int64_t to,
                         QObject* parent)
    : QObject(parent),
      network_(network),
      source_(std::move(source)),
      password_(std::move(password)),
      from_(from),
      to_(to) {
    limit_.setSingleShot(true);
    limit_.setInterval(kSourceFetchLimitMs);
    connect(&limit_, &QTimer::timeout, this, [this] {
        finish(QStringLiteral("no answer within %1 seconds").arg(kSourceFetchLimitMs / 1000));
    });
    connect(&network_, &QNetworkAccessManager::authenticationRequired, this,
            &SourceFetch::authenticate);
}

SourceFetch::~SourceFetch() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

void SourceFetch::start() {
    kept_ = readKeptCopy(source_);
    limit_.start();
    // A source known to be a feed skips the probe; a CalDAV one needs it for the tag anyway.
    if (kept_ && kept_->kind == KeptCopy::Kind::Feed) {
        getFeed();
    } else {
        probe();
    }
}

QNetworkReply* SourceFetch::send(const QByteArray& verb, const QByteArray& body, int depth) {
    QNetworkRequest request{QUrl(source_.location)};
    request.setTransferTimeout(kStalledMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (depth >= 0) {
        request.setRawHeader("Depth", QByteArray::number(depth));
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/xml; charset=utf-8"));
    }
    if (verb == "GET" && kept_ && kept_->kind == KeptCopy::Kind::Feed) {
        if (!kept_->etag.isEmpty()) {
            request.setRawHeader("If-None-Match", kept_->etag);
        }
        if (!kept_->lastModified.isEmpty()) {
            request.setRawHeader("If-Modified-Since", kept_->lastModified);
        }
    }
    QNetworkReply* reply =
        verb == "GET" ? network_.get(request) : network_.sendCustomRequest(request, verb, body);
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kLargestCalendar) {
            reply->abort();
        }
    });
    reply_ = reply;
    return reply;
}

void SourceFetch::probe() {
    QNetworkReply* reply = send("PROPFIND", collectionProbeBody(), 0);
    connect(reply, &QNetworkReply::finished, this, &SourceFetch::probed);
}

void SourceFetch::probed() {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    if (done_) {
        return;
    }
    const int status = httpStatus(reply);
    if (status == 207) {
        const CollectionProps props = readCollectionProps(reply->readAll());
        if (props.isCalendar) {
            calDav_ = true;
            tag_ = props.tag;
            const bool unchanged = kept_ && kept_->kind == KeptCopy::Kind::CalDav &&
                                   !tag_.isEmpty() && tag_ == kept_->collectionTag &&
                                   kept_->from <= from_ && to_ <= kept_->to;
            if (unchanged) {
                finish({});
            } else {
                query();
            }
            return;
        }
    }
    // A server that cannot be reached or refuses us says so to any request; anything else that
    // is no calendar collection is read as a plain feed.
    if (status == 0 || status == 401 || status == 403) {
        finish(failureOf(reply));
        return;
    }
    getFeed();
}

void SourceFetch::query() {
    const auto [from, to] = rangeToFetch(from_, to_);
    QNetworkReply* reply = send("REPORT", eventsQueryBody(from, to), 1);
    connect(reply, &QNetworkReply::finished, this, &SourceFetch::queried);
}

void SourceFetch::queried() {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    if (done_) {
        return;
    }
    if (httpStatus(reply) != 207) {
        finish(failureOf(reply));
        return;
    }
    const CalendarObjects objects = readCalendarObjects(reply->readAll());
    if (!objects.ok) {
        finish(QStringLiteral("the server's answer is no WebDAV multistatus"));
        return;
    }
    KeptCopy copy;
    copy.kind = KeptCopy::Kind::CalDav;
    copy.collectionTag = tag_;
    std::tie(copy.from, copy.to) = rangeToFetch(from_, to_);
    copy.text = objects.text;
    keep(std::move(copy));
}

void SourceFetch::getFeed() {
    QNetworkReply* reply = send("GET", {}, -1);
    connect(reply, &QNetworkReply::finished, this, &SourceFetch::gotFeed);
}

void SourceFetch::gotFeed() {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    if (done_) {
        return;
    }
    const int status = httpStatus(reply);
    if (status == 304 && kept_) {
        finish({});
        return;
    }
    if (status != 200 || reply->error() != QNetworkReply::NoError) {
        finish(failureOf(reply));
        return;
    }
    KeptCopy copy;
    copy.kind = KeptCopy::Kind::Feed;
    copy.etag = reply->rawHeader("ETag");
    copy.lastModified = reply->rawHeader("Last-Modified");
    copy.text = reply->readAll().toStdString();
    keep(std::move(copy));
}

void SourceFetch::authenticate(QNetworkReply* reply, QAuthenticator* authenticator) {
    if (reply != reply_) {
        return;  // another source's request on the same network manager
    }
    // Credentials go to the source's own server only, and once: a second request for them means
    // they were refused. Left unfilled, the request ends with the server's 401.
    const QUrl url = reply->url();
    const QUrl own(source_.location);
    if (!password_ || source_.user.isEmpty() || reply->property(kTriedProperty).toBool() ||
        url.scheme() != own.scheme() || url.host() != own.host() || url.port(-1) != own.port(-1)) {
        needsCredentials_ = true;
        return;
    }
    reply->setProperty(kTriedProperty, true);
    authenticator->setUser(source_.user);
    authenticator->setPassword(*password_);
}

QString SourceFetch::failureOf(QNetworkReply* reply) {
    const int status = httpStatus(reply);
    if (status == 401) {
        needsCredentials_ = true;
        return password_ ? QStringLiteral("the server refused the user name or password")
                         : QStringLiteral("the server asks for a user name and password");
    }
    if (reply->error() == QNetworkReply::OperationCanceledError) {
        return QStringLiteral("the answer is too large for a calendar");
    }
    if (status != 0) {
        return QStringLiteral("the server answered %1 %2")
            .arg(status)
            .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }
    return reply->errorString();
}

void SourceFetch::keep(KeptCopy copy) {
    copy.fetchedAt = QDateTime::currentSecsSinceEpoch();
    QString error;
    if (!keepCopy(source_, copy, error)) {
        finish(error);
        return;
    }
    kept_ = std::move(copy);
    finish({});
}

void SourceFetch::finish(const QString& failure) {
    if (done_) {
        return;
    }
    done_ = true;
    reason_ = failure;
    limit_.stop();
    if (reply_ && reply_->isRunning()) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    emit finished(failure.isEmpty() ? QString() : failureLine(source_, failure));
}

QString SourceFetch::runToEnd() {
    QEventLoop loop;
    std::optional<QString> failure;
    connect(this, &SourceFetch::finished, &loop, [&](const QString& line) {
        failure = line;
        loop.quit();
    });
    start();
    if (!failure) {  // a source that fails at once has finished already
        loop.exec();
    }
    return failure.value_or(QString());
}

QString fetchSourceNow(const CalendarSourceRef& source, std::int64_t from, std::int64_t to) {
    std::optional<QString> password;
    if (!source.user.isEmpty()) {
        const SecretResult secret = readSecret(source.secretName());
        if (!secret.ok()) {
            return failureLine(source, QStringLiteral("its password cannot be read from the "
                                                      "keyring: %1")
                                           .arg(secret.error));
        }
        password = secret.secret;
    }
    QNetworkAccessManager network;
    SourceFetch fetch(network, source, password, from, to);
    return fetch.runToEnd();
}

}  // namespace rumo
