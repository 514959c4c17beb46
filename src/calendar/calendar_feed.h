// The resident's calendar fetching: every source at start and then every few minutes, each into
// its kept copy, which the bar, the menus and the notice read without waiting on the network.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "calendar/failure_notices.h"
#include "calendar/kept_copy.h"

namespace rumo {

class SettingsStore;
class SourceFetch;

inline constexpr int kCalendarFetchIntervalMs = 5 * 60 * 1000;

class CalendarFeed : public QObject {
    Q_OBJECT
public:
    explicit CalendarFeed(SettingsStore& store, QObject* parent = nullptr);
    ~CalendarFeed() override;

    // Fetches now and then at every interval.
    void start();
    // Fetches now, unless a fetch is under way; the interval starts again after it.
    void fetchNow();

signals:
    // After each fetch of the sources, successful or not: the kept copies are what there is.
    void updated();
    // A source could not be read: told once, and again only after it recovered and failed anew.
    // `message` is for the user.
    void sourceFailed(const QString& title, const QString& message);

private:
    void sourceDone(const CalendarSourceRef& source, const QString& reason);

    SettingsStore& store_;
    // A manager per round: credentials one source's server accepted are never offered again on
    // another source's behalf.
    std::unique_ptr<QNetworkAccessManager> network_;
    QTimer timer_;
    std::vector<std::unique_ptr<SourceFetch>> running_;
    int pending_ = 0;
    // Each password is read from the keyring once, not at every fetch (a locked keyring would ask
    // the user every few minutes), and again after the server refused it.
    std::map<QString, QString> passwords_;
    // Reading a password waits for the keyring; a fetch asked for meanwhile is not started twice.
    bool preparing_ = false;
    FailureNotices notices_;
};

}  // namespace rumo
