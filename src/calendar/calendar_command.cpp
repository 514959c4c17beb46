#include "calendar/calendar_command.h"

#include <termios.h>
#include <unistd.h>

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QTimeZone>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <string>

#include "calendar/calendar_lookup.h"
#include "calendar/calendar_settings.h"
#include "calendar/calendar_sources.h"
#include "calendar/ics_events.h"
#include "calendar/kept_copy.h"
#include "calendar/source_fetch.h"
#include "platform/secret_store.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

void complain(const QString& line) {
    std::fprintf(stderr, "rumo: %s\n", qPrintable(line));
}

// The last slot holding a source; slots may have been left empty by hand.
int lastUsedSlot(const SettingsSnapshot& snapshot) {
    for (int n = kCalendarSourceCount; n >= 1; --n) {
        if (!snapshot.read(settings::CalendarSource(n)).empty()) {
            return n;
        }
    }
    return 0;
}

// The sources (and their users) packed from the first slot, so a removal leaves no gap; slots
// never used stay out of the file.
int keepSources(SettingsStore& store, const SettingsSnapshot& snapshot,
                const std::vector<CalendarSourceRef>& sources, int lastUsed) {
    std::vector<SettingWrite> writes;
    const int count = static_cast<int>(sources.size());
    for (int n = 1; n <= std::max(lastUsed, count); ++n) {
        const CalendarSourceRef* source = n <= count ? &sources[n - 1] : nullptr;
        writes.push_back(
            textWrite(settings::CalendarSource(n), source ? source->location.toStdString() : ""));
        const std::string user = source ? source->user.toStdString() : "";
        if (!user.empty() || !snapshot.read(settings::CalendarUser(n)).empty()) {
            writes.push_back(textWrite(settings::CalendarUser(n), user));
        }
    }
    if (const WriteStatus status = store.write(writes); !status.ok()) {
        complain(QStringLiteral("cannot store the calendar in the settings: %1")
                     .arg(QString::fromStdString(status.error)));
        return 1;
    }
    return 0;
}

// One line from standard input, not echoed when it is a terminal; none when it is empty.
std::optional<QString> readPassword(const QString& prompt) {
    const bool terminal = isatty(STDIN_FILENO) == 1;
    termios saved{};
    if (terminal && tcgetattr(STDIN_FILENO, &saved) == 0) {
        std::fprintf(stderr, "%s", qPrintable(prompt));
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
        line += static_cast<char>(c);
    }
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::optional<QString> password;
    if (!line.empty()) {
        password = QString::fromUtf8(line);
    }
    std::fill(line.begin(), line.end(), '\0');
    return password;
}

// Reads the URL once with the credentials given: tells a CalDAV collection from a feed, checks
// the password and leaves the first kept copy. Empty when it could be read.
QString tryReading(const CalendarSourceRef& source, const std::optional<QString>& password) {
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const auto [from, to] = todayAndTomorrow(now, QTimeZone::systemTimeZoneId().toStdString());
    QNetworkAccessManager network;
    SourceFetch fetch(network, source, password, from, to);
    const QString failure = fetch.runToEnd();
    if (!failure.isEmpty() && fetch.needsCredentials() && !password) {
        return QStringLiteral(
                   "%1 asks for a user name and password: add it with --user NAME and give the "
                   "password (or token) on standard input")
            .arg(source.location);
    }
    return failure;
}

int addSource(SettingsStore& store, const QStringList& words, const std::optional<QString>& user) {
    const SettingsSnapshot snapshot = store.snapshot();
    std::vector<CalendarSourceRef> sources = calendarSourceRefs(snapshot);
    QString error;
    CalendarSourceRef source{sourceToKeep(words.value(1), error), user.value_or(QString())};
    if (source.location.isEmpty()) {
        complain(error);
        return 1;
    }
    if (user && !source.isUrl()) {
        complain(QStringLiteral("--user goes with a URL, not a local file"));
        return 1;
    }
    if (user && !carriesSecretsSafely(QUrl(source.location))) {
        complain(
            QStringLiteral("a password is sent over https only (plain http to this machine "
                           "alone); give the https URL"));
        return 1;
    }
    const auto same = std::find_if(sources.begin(), sources.end(), [&](const auto& kept) {
        return kept.location == source.location;
    });
    if (same == sources.end() && static_cast<int>(sources.size()) >= kCalendarSourceCount) {
        complain(QStringLiteral("there are %1 sources already; remove one first")
                     .arg(kCalendarSourceCount));
        return 1;
    }
    if (!source.isUrl()) {
        if (same != sources.end()) {
            return 0;
        }
        sources.push_back(source);
        return keepSources(store, snapshot, sources, lastUsedSlot(snapshot));
    }
    std::optional<QString> password;
    if (user) {
        password =
            readPassword(QStringLiteral("Password for %1 at %2: ").arg(*user, source.location));
        if (!password) {
            complain(QStringLiteral("no password was given on standard input; nothing was kept"));
            return 1;
        }
    }
    if (const QString failure = tryReading(source, password); !failure.isEmpty()) {
        complain(failure + QStringLiteral("; nothing was kept"));
        forgetKeptCopy(source);
        return 1;
    }
    if (password) {
        const SecretResult stored = storeSecret(source.secretName(), *password);
        if (!stored.ok()) {
            complain(QStringLiteral("cannot keep the password in the keyring: %1; nothing was kept")
                         .arg(stored.error));
            forgetKeptCopy(source);
            return 1;
        }
    }
    if (same != sources.end()) {
        if (same->user == source.user) {
            return 0;
        }
        if (!same->user.isEmpty() && source.user.isEmpty()) {
            forgetSecret(same->secretName());
        }
        forgetKeptCopy(*same);
        *same = source;
    } else {
        sources.push_back(source);
    }
    if (const int status = keepSources(store, snapshot, sources, lastUsedSlot(snapshot));
        status != 0) {
        if (password) {
            forgetSecret(source.secretName());
        }
        forgetKeptCopy(source);
        return status;
    }
    return 0;
}

}  // namespace

int runCalendarAction(SettingsStore& store, const QStringList& words,
                      const std::optional<QString>& user) {
    const QString action = words.value(0);
    if (action == QLatin1String("on") || action == QLatin1String("off")) {
        if (!store.set(settings::CalendarEnabled, action == QLatin1String("on"))) {
            complain(QStringLiteral("cannot store the calendar switch in the settings"));
            return 1;
        }
        return 0;
    }
    if (action == QLatin1String("add")) {
        return addSource(store, words, user);
    }
    const SettingsSnapshot snapshot = store.snapshot();
    std::vector<CalendarSourceRef> sources = calendarSourceRefs(snapshot);
    if (action == QLatin1String("list")) {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            std::printf(
                "%zu\t%s%s\n", i + 1, sources[i].location.toUtf8().constData(),
                sources[i].user.isEmpty() ? "" : ("\t" + sources[i].user.toUtf8()).constData());
        }
        return 0;
    }
    bool isNumber = false;
    const int number = words.value(1).toInt(&isNumber);
    if (!isNumber || number < 1 || number > static_cast<int>(sources.size())) {
        complain(QStringLiteral("there is no source %1 (rumo --calendar list shows them)")
                     .arg(words.value(1)));
        return 1;
    }
    const CalendarSourceRef removed = sources[static_cast<std::size_t>(number - 1)];
    sources.erase(sources.begin() + (number - 1));
    if (const int status = keepSources(store, snapshot, sources, lastUsedSlot(snapshot));
        status != 0) {
        return status;
    }
    forgetKeptCopy(removed);
    if (!removed.user.isEmpty()) {
        if (const SecretResult forgotten = forgetSecret(removed.secretName()); !forgotten.ok()) {
            complain(QStringLiteral("the source is removed, but its password is still in the "
                                    "keyring: %1")
                         .arg(forgotten.error));
            return 1;
        }
    }
    return 0;
}

int printWhereFromCalendar(SettingsStore& store, const std::optional<QString>& at) {
    QDateTime moment = QDateTime::currentDateTime();
    if (at) {
        moment = QDateTime::fromString(*at, QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!moment.isValid()) {
            complain(QStringLiteral("--at takes a local time as \"YYYY-MM-DD HH:MM\", not '%1'")
                         .arg(*at));
            return 2;
        }
    }
    const CalendarLookup lookup = lookUpCalendar(store.snapshot(), moment.toSecsSinceEpoch(),
                                                 std::nullopt, CalendarFetch::Fetch);
    for (const QString& failure : lookup.failures) {
        complain(failure);
    }
    const std::optional<CalendarPick>& pick = lookup.pick;
    if (!pick) {
        return 1;
    }
    const QString back =
        QDateTime::fromSecsSinceEpoch(pick->returnAt).toString(QStringLiteral("HH:mm"));
    std::printf("%s\n%s\n", pick->destination.c_str(), back.toUtf8().constData());
    return 0;
}

}  // namespace rumo
