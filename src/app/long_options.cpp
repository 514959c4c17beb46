#include "app/long_options.h"

#include <QCommandLineParser>

namespace rumo {

namespace {

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kWhere = QStringLiteral("where");
const QString kBack = QStringLiteral("back");
const QString kAskWhere = QStringLiteral("ask-where");
const QString kAutostart = QStringLiteral("autostart");
const QString kLang = QStringLiteral("lang");

bool isLongOption(const QString& argument) {
    // A bare "--" is no option: it has always been an argument that selects nothing. "--root" is
    // what screen-saver daemons pass to the preview; it belongs to the run-mode switches.
    return (argument.startsWith(QStringLiteral("--")) && argument.size() > 2 &&
            argument != QStringLiteral("--root")) ||
           argument == QStringLiteral("-h");
}

// Options whose value may follow as the next argument.
bool takesSeparateValue(const QString& argument) {
    return argument == QStringLiteral("--") + kWhere || argument == QStringLiteral("--") + kBack ||
           argument == QStringLiteral("--") + kAutostart ||
           argument == QStringLiteral("--") + kLang;
}

// ---- The calendar's options ----
// Taken out before the others are read: --calendar's action may be followed by an argument of
// its own (a file, a number), which the run-mode switches must not see.
QStringList takeCalendarOptions(const QStringList& arguments, LongOptions& result) {
    const QString calendarOption = QStringLiteral("--calendar");
    const QString atOption = QStringLiteral("--at");
    const QString userOption = QStringLiteral("--user");
    QStringList rest;
    const auto valueAt = [&](qsizetype& i, const QString& option) -> std::optional<QString> {
        if (arguments[i].startsWith(option + QLatin1Char('='))) {
            return arguments[i].mid(option.size() + 1);
        }
        if (arguments[i] == option && i + 1 < arguments.size()) {
            return arguments[++i];
        }
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--where-from-calendar")) {
            result.whereFromCalendar = true;
        } else if (argument == atOption || argument.startsWith(atOption + QLatin1Char('='))) {
            result.calendarAt = valueAt(i, atOption);
            if (!result.calendarAt) {
                result.error = QStringLiteral("--at needs a time, \"YYYY-MM-DD HH:MM\".");
            }
        } else if (argument == userOption || argument.startsWith(userOption + QLatin1Char('='))) {
            result.calendarUser = valueAt(i, userOption);
            if (!result.calendarUser || result.calendarUser->isEmpty()) {
                result.error = QStringLiteral("--user needs a user name.");
            }
        } else if (argument == calendarOption ||
                   argument.startsWith(calendarOption + QLatin1Char('='))) {
            const QString action = valueAt(i, calendarOption).value_or(QString()).toLower();
            result.calendar = QStringList{action};
            const bool takesArgument =
                action == QLatin1String("add") || action == QLatin1String("remove");
            if (takesArgument && i + 1 < arguments.size()) {
                result.calendar << arguments[++i];
            }
            const QStringList alone{QStringLiteral("list"), QStringLiteral("on"),
                                    QStringLiteral("off")};
            if (!alone.contains(action) && (!takesArgument || result.calendar.size() < 2)) {
                result.error =
                    QStringLiteral("--calendar takes add FILE-OR-URL, list, remove N, on or off.");
            }
        } else {
            rest << argument;
        }
    }
    if (result.calendarUser && result.calendar.value(0) != QLatin1String("add") &&
        result.error.isEmpty()) {
        result.error = QStringLiteral("--user goes with --calendar add.");
    }
    if (result.calendarAt && !result.whereFromCalendar && result.error.isEmpty()) {
        result.error = QStringLiteral("--at goes with --where-from-calendar.");
    }
    if (result.hasCalendarRequest() && result.error.isEmpty() && !rest.isEmpty()) {
        result.error = QStringLiteral("--calendar and --where-from-calendar work alone.");
    }
    return rest;
}
// ---- end of the calendar's options ----

}  // namespace

LongOptions readLongOptions(const QStringList& allArguments) {
    LongOptions result;
    const QStringList arguments = takeCalendarOptions(allArguments, result);
    // The parser sees only the long options; everything else keeps the one-letter rules.
    QStringList longOnes{QStringLiteral("rumo")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!isLongOption(argument)) {
            result.switches << argument;
            continue;
        }
        longOnes << argument;
        if (takesSeparateValue(argument) && i + 1 < arguments.size()) {
            longOnes << arguments[++i];
        }
    }
    if (longOnes.size() == 1) {
        return result;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelp}));
    parser.addOption(QCommandLineOption(kVersion));
    parser.addOption(QCommandLineOption(kWhere, QString(), QStringLiteral("TEXT")));
    parser.addOption(QCommandLineOption(kBack, QString(), QStringLiteral("HH:MM|+MINUTES|none")));
    parser.addOption(QCommandLineOption(kAskWhere));
    parser.addOption(QCommandLineOption(kAutostart, QString(), QStringLiteral("on|off")));
    parser.addOption(QCommandLineOption(kLang, QString(), QStringLiteral("ja|en")));
    if (!parser.parse(longOnes)) {
        result.error = parser.errorText();
        return result;
    }
    result.help = parser.isSet(kHelp);
    result.version = parser.isSet(kVersion);
    if (parser.isSet(kWhere)) {
        result.where = parser.value(kWhere);
    }
    if (parser.isSet(kBack)) {
        const QString value = parser.value(kBack);
        result.back = parseBackRequest(value.toStdString());
        if (!result.back) {
            result.error =
                QStringLiteral("--back takes %1, not '%2'.")
                    .arg(QString::fromUtf8(backFormHint().data(),
                                           static_cast<qsizetype>(backFormHint().size())),
                         value);
        }
    }
    result.askWhere = parser.isSet(kAskWhere);
    if (parser.isSet(kAutostart)) {
        const QString value = parser.value(kAutostart).toLower();
        if (value == QStringLiteral("on")) {
            result.autostart = true;
        } else if (value == QStringLiteral("off")) {
            result.autostart = false;
        } else {
            result.error = QStringLiteral("--autostart takes on or off, not '%1'.")
                               .arg(parser.value(kAutostart));
        }
    }
    if (parser.isSet(kLang)) {
        result.language = uiLanguageNamed(parser.value(kLang).toStdString());
        if (!result.language) {
            result.error =
                QStringLiteral("--lang takes ja or en, not '%1'.").arg(parser.value(kLang));
        }
    }
    return result;
}

Launch launchOf(const LongOptions& options, const PreviewEnvironment& environment) {
    if (!options.error.isEmpty() ||
        (options.switches.isEmpty() &&
         (options.where || options.back || options.askWhere || options.autostart))) {
        return {};
    }
    std::vector<std::string> switches;
    for (const QString& argument : options.switches) {
        switches.push_back(argument.toLocal8Bit().toStdString());
    }
    return parseCommandLine(switches, environment);
}

QString usageText(const QString& programName) {
    return QStringLiteral(
               "Usage: %1 [c | s | p WINDOW-ID]\n"
               "       %1 [--where TEXT] [--back HH:MM|+MINUTES|none] [-s]\n"
               "       %1 --ask-where\n"
               "       %1 --lang ja|en ...\n"
               "       %1 --autostart on|off\n"
               "       %1 --calendar add FILE-OR-URL [--user NAME] | list | remove N | on | off\n"
               "       %1 --where-from-calendar [--at \"YYYY-MM-DD HH:MM\"]\n"
               "An away-from-desk notice with a resident destination bar.\n"
               "\n"
               "Run modes (the first argument; one leading - or / is skipped, any letter case):\n"
               "  (none), c          the resident destination bar and its notification-area icon\n"
               "  s                  the notice, full screen\n"
               "  p WINDOW-ID        the notice inside an existing X11 window, as a preview\n"
               "  p, p -root, -root  the same in the window XSCREENSAVER_WINDOW names, as a\n"
               "                     screen-saver daemon runs its savers\n"
               "  Any other first argument ends at once.\n"
               "\n"
               "Options:\n"
               "  --where TEXT       store TEXT as the destination; with -s, start the notice\n"
               "  --back HH:MM       store the time you expect to be back: the next HH:MM,\n"
               "  --back +MINUTES    or MINUTES (1 to 1440) from now; the notice shows it and\n"
               "  --back none        counts the minutes past it; none clears it. Ending the\n"
               "                     notice yourself clears it too. With -s, start the notice\n"
               "  --ask-where        ask for the destination and the return time in a small\n"
               "                     window, then start the notice\n"
               "  --autostart on|off start the resident bar at log-in, or no longer\n"
               "  --lang ja|en       show the interface in Japanese or English, whatever the\n"
               "                     locale (LANG, LC_MESSAGES, LANGUAGE) says\n"
               "  --calendar add FILE-OR-URL [--user NAME]\n"
               "                     read busy events from a local .ics file, an http(s) .ics\n"
               "                     feed or a CalDAV calendar (its collection URL); with\n"
               "                     --user, the password or token is read from standard\n"
               "                     input into the desktop keyring, never the settings file.\n"
               "                     list, remove N: the sources kept (remove forgets the\n"
               "                     password); on: a notice that starts shows the busy event's\n"
               "                     place and end, unless a destination or return time was\n"
               "                     picked by hand in the last 10 minutes; off: it does not\n"
               "  --where-from-calendar [--at \"YYYY-MM-DD HH:MM\"]\n"
               "                     print what the calendar gives now (or at that local time):\n"
               "                     the destination, then the return time HH:MM; status 1 when\n"
               "                     no event applies\n"
               "  -h, --help         show this text\n"
               "  --version          show the version\n")
        .arg(programName);
}

}  // namespace rumo
