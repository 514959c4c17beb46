#include "bar/calendar_pick_watch.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>

#include "calendar/calendar_lookup.h"
#include "calendar/calendar_settings.h"
#include "settings/settings_store.h"

namespace rumo {

QString calendarEntryText(const std::string& destination) {
    return QCoreApplication::translate("Calendar", "%1 (calendar)")
        .arg(QString::fromStdString(destination));
}

CalendarPickWatch::CalendarPickWatch(SettingsStore& store, QObject* parent)
    : QObject(parent), store_(store) {
    nextEdge_.setSingleShot(true);
    // A coarse timer may fire early, before the edge it waits for.
    nextEdge_.setTimerType(Qt::PreciseTimer);
    connect(&nextEdge_, &QTimer::timeout, this, &CalendarPickWatch::refresh);
    refresh();
}

std::string CalendarPickWatch::calendarSettingsText() const {
    const SettingsSnapshot values = store_.snapshot();
    std::string text = values.read(settings::CalendarEnabled) ? "1" : "0";
    text += values.read(settings::CalendarShowTitle) ? "1" : "0";
    text += '\n' + values.read(settings::CalendarAddress);
    for (const QString& source : keptCalendarSources(values)) {
        text += '\n' + source.toStdString();
    }
    return text;
}

void CalendarPickWatch::settingsChanged() {
    // The bar writes the settings while it is dragged; the calendar is not read again for that.
    if (calendarSettingsText() != readWith_) {
        refresh();
    }
}

void CalendarPickWatch::refresh() {
    nextEdge_.stop();
    readWith_ = calendarSettingsText();
    const SettingsSnapshot values = store_.snapshot();
    std::optional<CalendarPick> pick;
    if (values.read(settings::CalendarEnabled)) {
        const std::int64_t now = QDateTime::currentSecsSinceEpoch();
        // The list offers the calendar's destination even just after a pick by hand: it is how
        // the user goes back to what the calendar says.
        const CalendarLookup lookup =
            lookUpCalendar(values, now, std::nullopt, CalendarFetch::KeptCopyOnly);
        pick = lookup.pick;
        if (lookup.nextChangeAt) {
            const std::int64_t seconds =
                std::clamp<std::int64_t>(*lookup.nextChangeAt - now, 1, 7 * 24 * 60 * 60);
            nextEdge_.start(static_cast<int>(seconds * 1000));
        }
    }
    const bool differs =
        pick.has_value() != pick_.has_value() ||
        (pick && (pick->destination != pick_->destination || pick->returnAt != pick_->returnAt));
    pick_ = std::move(pick);
    if (differs) {
        emit changed();
    }
}

}  // namespace rumo
