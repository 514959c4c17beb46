#include "calendar/calendar_feed.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include "calendar/calendar_lookup.h"
#include "calendar/ics_events.h"
#include "calendar/source_fetch.h"
#include "platform/secret_store.h"
#include "settings/settings_store.h"

namespace rumo {

CalendarFeed::CalendarFeed(SettingsStore& store, QObject* parent) : QObject(parent), store_(store) {
    // One single-shot timer, armed again when a fetch ends: nothing runs between fetches, and a
    // slow server never has two fetches of it under way.
    timer_.setSingleShot(true);
    timer_.setInterval(kCalendarFetchIntervalMs);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &CalendarFeed::fetchNow);
}

CalendarFeed::~CalendarFeed() = default;

void CalendarFeed::start() {
    fetchNow();
}

void CalendarFeed::fetchNow() {
    if (pending_ > 0 || preparing_) {
        return;
    }
    timer_.stop();
    running_.clear();
    network_ = std::make_unique<QNetworkAccessManager>();
    preparing_ = true;
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const auto [from, to] = todayAndTomorrow(now, QTimeZone::systemTimeZoneId().toStdString());
    std::vector<std::pair<CalendarSourceRef, QString>> unreadable;
    for (const CalendarSourceRef& source : calendarSourceRefs(store_.snapshot())) {
        if (!source.isUrl()) {
            continue;  // a local file is read where it is used
        }
        const QString passwordKey = source.secretName() + QLatin1Char('\n') + source.user;
        std::optional<QString> password;
        if (const auto known = passwords_.find(passwordKey); known != passwords_.end()) {
            password = known->second;
        } else if (!source.user.isEmpty()) {
            const SecretResult secret = readSecret(source.secretName());
            if (!secret.ok()) {
                unreadable.emplace_back(
                    source, QCoreApplication::translate(
                                "Calendar", "Cannot read the password from the keyring (%1)")
                                .arg(secret.error));
                continue;
            }
            password = secret.secret;
            passwords_[passwordKey] = secret.secret;
        }
        auto fetch = std::make_unique<SourceFetch>(*network_, source, password, from, to);
        SourceFetch* raw = fetch.get();
        connect(raw, &SourceFetch::finished, this, [this, raw, source, passwordKey] {
            if (raw->needsCredentials()) {
                passwords_.erase(passwordKey);  // changed since: the keyring is asked again
            }
            sourceDone(source, raw->reason());
        });
        running_.push_back(std::move(fetch));
    }
    // Every source is counted before any can end, so the round ends with the last of them.
    preparing_ = false;
    pending_ = static_cast<int>(running_.size() + unreadable.size());
    if (pending_ == 0) {
        timer_.start();  // no URL to read: only look again later
        return;
    }
    for (const auto& [source, reason] : unreadable) {
        sourceDone(source, reason);
    }
    for (const auto& fetch : running_) {
        fetch->start();
    }
}

void CalendarFeed::sourceDone(const CalendarSourceRef& source, const QString& reason) {
    const std::string id = (source.location + QLatin1Char('\n') + source.user).toStdString();
    if (reason.isEmpty()) {
        notices_.succeeded(id);
    } else if (notices_.failed(id)) {
        QString message = QCoreApplication::translate("Calendar", "Cannot read %1: %2")
                              .arg(source.location, reason);
        if (const std::optional<KeptCopy> copy = readKeptCopy(source)) {
            message += QLatin1Char('\n') +
                       QCoreApplication::translate("Calendar", "Using what was read at %1.")
                           .arg(QDateTime::fromSecsSinceEpoch(copy->fetchedAt)
                                    .toString(QStringLiteral("M/d HH:mm")));
        }
        emit sourceFailed(QCoreApplication::translate("Calendar", "Cannot read the calendar"),
                          message);
    }
    if (--pending_ > 0) {
        return;
    }
    timer_.start();
    emit updated();
}

}  // namespace rumo
