// Reading one calendar URL over the network into its kept copy: an .ics feed with a conditional
// GET, a CalDAV collection with a calendar-query REPORT when its tag changed.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "calendar/kept_copy.h"

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace rumo {

// Longest a source may take, all its requests together.
inline constexpr int kSourceFetchLimitMs = 8000;

class SourceFetch : public QObject {
    Q_OBJECT
public:
    // `password`: for the source's user; none when it has no user. [from, to): the time range a
    // CalDAV copy must hold. The network manager must outlive the fetch.
    SourceFetch(QNetworkAccessManager& network, CalendarSourceRef source,
                std::optional<QString> password, std::int64_t from, std::int64_t to,
                QObject* parent = nullptr);
    ~SourceFetch() override;

    void start();
    // Starts and waits in a local event loop for the end; the failure line, empty on success.
    QString runToEnd();

    // Once finished: was it a CalDAV collection, and did the server ask for credentials it was
    // not given (or refused those it was).
    bool isCalDav() const { return calDav_; }
    bool needsCredentials() const { return needsCredentials_; }
    // Why it failed, without the source's name; empty when it did not.
    const QString& reason() const { return reason_; }

signals:
    // `failure`: empty when the kept copy is now the source's current text; else one line naming
    // the source and the reason.
    void finished(const QString& failure);

private:
    QNetworkReply* send(const QByteArray& verb, const QByteArray& body, int depth);
    void probe();
    void probed();
    void query();
    void queried();
    void getFeed();
    void gotFeed();
    void authenticate(QNetworkReply* reply, QAuthenticator* authenticator);
    // Why a reply failed, or empty.
    QString failureOf(QNetworkReply* reply);
    void keep(KeptCopy copy);
    void finish(const QString& failure);

    QNetworkAccessManager& network_;
    CalendarSourceRef source_;
    std::optional<QString> password_;
    std::int64_t from_;
    std::int64_t to_;
    std::optional<KeptCopy> kept_;
    QByteArray tag_;
    QPointer<QNetworkReply> reply_;
    QTimer limit_;
    bool calDav_ = false;
    bool needsCredentials_ = false;
    bool done_ = false;
    QString reason_;
};

// Fetches `source` now and waits for it (a QCoreApplication must exist), reading its password
// from the keyring; returns the failure line, empty when the kept copy is current.
QString fetchSourceNow(const CalendarSourceRef& source, std::int64_t from, std::int64_t to);

// Whether a password may be sent to `url`: over https, or plain http to this machine only (where
// a local proxy or test server runs); never readable on the way.
bool carriesSecretsSafely(const QUrl& url);

// The range a CalDAV copy is asked for when the program needs [from, to): a week ahead, so that
// the copy still serves the next days offline.
std::pair<std::int64_t, std::int64_t> rangeToFetch(std::int64_t from, std::int64_t to);

}  // namespace rumo
