// The calendar's destination as the bar's list and the menus offer it before the user leaves.
// It is read from what is kept locally (never waiting on the network), and read again only when
// it can have changed: at the next edge of an event (one timer, set for that moment), when the
// calendar's settings change, and when the sources have been fetched anew.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

#include "calendar/calendar_choice.h"

namespace rumo {

class SettingsStore;

// The calendar's destination as the list and the menus show it, marked as the calendar's.
QString calendarEntryText(const std::string& destination);

class CalendarPickWatch : public QObject {
    Q_OBJECT
public:
    CalendarPickWatch(SettingsStore& store, QObject* parent = nullptr);

    // The event's destination now; nothing while the calendar is off or gives nothing.
    const std::optional<CalendarPick>& pick() const { return pick_; }

public slots:
    // Reads the calendar again; changed() follows when the pick differs.
    void refresh();
    // The settings file changed: read again only when the calendar's own settings did.
    void settingsChanged();

signals:
    void changed();

private:
    std::string calendarSettingsText() const;

    SettingsStore& store_;
    std::optional<CalendarPick> pick_;
    std::string readWith_;  // the calendar's settings the pick was read with
    QTimer nextEdge_;
};

}  // namespace rumo
