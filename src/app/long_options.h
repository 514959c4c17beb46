// The long options a Linux user expects (--help, --version, --where, --back, --ask-where,
// --autostart, --lang), read beside the one-letter run-mode switches, which keep their own rules
// (command_line.h).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/command_line.h"
#include "common/return_time.h"
#include "common/ui_language.h"

namespace rumo {

struct LongOptions {
    bool help = false;
    bool version = false;
    // The destination to store before anything else happens.
    std::optional<QString> where;
    // The expected return time to store (or clear) before anything else happens.
    std::optional<BackRequest> back;
    // Ask for the destination in a small window, then start the notice.
    bool askWhere = false;
    // Start the resident mode at log-in (true) or no longer (false).
    std::optional<bool> autostart;
    // The interface language, whatever the locale says; the processes started from here follow.
    std::optional<UiLanguage> language;
    // One line saying what could not be understood; the program then ends with status 2.
    QString error;
    // Every argument that is not a long option, in order, for the run-mode switches.
    QStringList switches;

    // ---- The calendar's options (they work alone, without a run mode) ----
    // --calendar ACTION [ARGUMENT]: add SOURCE, list, remove N, on, off.
    QStringList calendar;
    // --user NAME after --calendar add: the user the URL is read with.
    std::optional<QString> calendarUser;
    // --where-from-calendar [--at "YYYY-MM-DD HH:MM"]
    bool whereFromCalendar = false;
    std::optional<QString> calendarAt;
    bool hasCalendarRequest() const { return !calendar.isEmpty() || whereFromCalendar; }
    // ---- end of the calendar's options ----
};

// The arguments after the program name. Only arguments beginning with "--" (and the usual "-h")
// are long options, so every one-letter form means what it always meant.
LongOptions readLongOptions(const QStringList& arguments);

// The run mode to enter once the options have done their work: what the switches select, but
// nothing when a long option that works alone (--where, --back, --ask-where, --autostart) came
// without any switch, or when the command line could not be understood.
Launch launchOf(const LongOptions& options, const PreviewEnvironment& environment = {});

// What --help prints.
QString usageText(const QString& programName);

}  // namespace rumo
