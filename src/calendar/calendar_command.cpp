#include "calendar/calendar_command.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <cstdio>

#include "calendar/calendar_lookup.h"
#include "calendar/calendar_settings.h"
#include "calendar/calendar_sources.h"
#include "calendar/ics_events.h"
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

// The sources packed from the first slot, so a removal leaves no gap; slots never used stay out
// of the file.
int keepSources(SettingsStore& store, const QStringList& sources, int lastUsed) {
    std::vector<SettingWrite> writes;
    for (int n = 1; n <= std::max<int>(lastUsed, static_cast<int>(sources.size())); ++n) {
        writes.push_back(textWrite(settings::CalendarSource(n),
                                   n <= sources.size() ? sources[n - 1].toStdString() : ""));
    }
    if (const WriteStatus status = store.write(writes); !status.ok()) {
        complain(QStringLiteral("cannot store the calendar in the settings: %1")
                     .arg(QString::fromStdString(status.error)));
        return 1;
    }
    return 0;
}

}  // namespace

int runCalendarAction(SettingsStore& store, const QStringList& words) {
    const QString action = words.value(0);
    if (action == QLatin1String("on") || action == QLatin1String("off")) {
        if (!store.set(settings::CalendarEnabled, action == QLatin1String("on"))) {
            complain(QStringLiteral("cannot store the calendar switch in the settings"));
            return 1;
        }
        return 0;
    }
    const SettingsSnapshot snapshot = store.snapshot();
    QStringList sources = keptCalendarSources(snapshot);
    const int lastUsed = lastUsedSlot(snapshot);
    if (action == QLatin1String("list")) {
        for (qsizetype i = 0; i < sources.size(); ++i) {
            std::printf("%lld\t%s\n", static_cast<long long>(i + 1),
                        sources[i].toUtf8().constData());
        }
        return 0;
    }
    if (action == QLatin1String("add")) {
        QString error;
        const QString source = sourceToKeep(words.value(1), error);
        if (source.isEmpty()) {
            complain(error);
            return 1;
        }
        if (sources.contains(source)) {
            return 0;
        }
        if (sources.size() >= kCalendarSourceCount) {
            complain(QStringLiteral("there are %1 sources already; remove one first")
                         .arg(kCalendarSourceCount));
            return 1;
        }
        sources << source;
        return keepSources(store, sources, lastUsed);
    }
    bool isNumber = false;
    const int number = words.value(1).toInt(&isNumber);
    if (!isNumber || number < 1 || number > sources.size()) {
        complain(QStringLiteral("there is no source %1 (rumo --calendar list shows them)")
                     .arg(words.value(1)));
        return 1;
    }
    sources.removeAt(number - 1);
    return keepSources(store, sources, lastUsed);
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
