// Entry point: reads the command line and runs the resident bar, the notice or its preview.
#include <QApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/ask_where.h"
#include "app/command_actions.h"
#include "app/command_line.h"
#include "app/long_options.h"
#include "app/run_modes.h"
#include "bar/launcher.h"
#include "calendar/calendar_command.h"
#include "common/japanese_faces.h"
#include "common/launch_commands.h"
#include "common/qt_values.h"
#include "common/ui_translations.h"
#include "platform/activation_channel.h"
#include "rumo_build_info.h"
#include "settings/file_settings_store.h"
#include "settings/return_setting.h"
#include "team/board_window.h"
#include "team/chat_command.h"
#include "team/team_command.h"

namespace {

// The notice runs natively on Wayland: there it covers every output and holds the compositor's
// idle and shortcuts with the protocols made for it. Everything else goes through XWayland when
// it is there: the bar places itself where it was left and stays above other windows, which a
// Wayland client cannot ask for, and the preview draws into a native X11 window.
void preferX11OutsideNotice() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

// A language forced on the command line reaches the processes started from here (the notice the
// bar starts, the notice --ask-where starts) through LANGUAGE, which outranks the locale.
void passOnLanguage(const std::optional<rumo::UiLanguage>& forced) {
    if (forced) {
        const std::string_view code = rumo::uiLanguageCode(*forced);
        qputenv("LANGUAGE", QByteArray(code.data(), static_cast<qsizetype>(code.size())));
    }
}

// Settings and the log-in entry go by the executable's own name, so a renamed copy keeps its own.
QString nameApplication() {
    QString applicationName =
        QFileInfo(QFile::decodeName(
                      rumo::programFilePath(QCoreApplication::applicationFilePath()).c_str()))
            .completeBaseName();
    if (applicationName.isEmpty()) {
        // Without /proc the name it was started by still tells which copy this is.
        applicationName = QFileInfo(QCoreApplication::arguments().value(0)).completeBaseName();
    }
    if (applicationName.isEmpty()) {
        applicationName = QStringLiteral("rumo");
    }
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setOrganizationName(QStringLiteral("Zelkar"));
    return applicationName;
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// What --help, --version or a mistyped option ask for: printed, and the exit status.
std::optional<int> answerOnly(const rumo::LongOptions& options) {
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "rumo: %s Try --help.\n", qPrintable(options.error));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(rumo::usageText(QStringLiteral("rumo"))), stdout);
        std::fputs(qPrintable(rumo::teamUsageText()), stdout);
        std::fputs(qPrintable(rumo::chatUsageText()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("rumo %s\n", RUMO_VERSION);
        return 0;
    }
    return std::nullopt;
}

rumo::PreviewEnvironment previewEnvironment() {
    rumo::PreviewEnvironment environment;
    if (const char* saverWindow = std::getenv("XSCREENSAVER_WINDOW")) {
        environment.saverWindow = saverWindow;
    }
    return environment;
}

// --autostart, --where and --back without a window to show: done without a display.
bool needsNoWindows(const rumo::LongOptions& options, const rumo::Launch& launch) {
    return (options.autostart || options.where || options.back) && !options.askWhere &&
           launch.mode == rumo::RunMode::Nothing;
}

// All of them, when several are given; the status says whether everything asked for was done.
int applyStoredOptions(const rumo::LongOptions& options, const QString& applicationName) {
    if (options.autostart &&
        rumo::applyAutostart(*options.autostart, applicationName,
                             rumo::programFilePath(QCoreApplication::applicationFilePath())) != 0) {
        return 1;
    }
    rumo::FileSettingsStore store(applicationName);
    if (options.where && !rumo::storeWhere(store, *options.where)) {
        return 1;
    }
    if (options.back &&
        !rumo::storeBack(store, *options.back, rumo::localDateTime(QDateTime::currentDateTime()))) {
        return 1;
    }
    return 0;
}

int runWithoutWindows(int argc, char* argv[], const rumo::LongOptions& options) {
    QCoreApplication app(argc, argv);
    return applyStoredOptions(options, nameApplication());
}

// Qt ends the process with an abort when it finds no display; a user running the program
// where there is none (over ssh, say) gets a line instead.
bool haveDisplay() {
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platforms.isEmpty()) {
        return x11 || wayland;
    }
    const auto usable = [&](const QString& platform) {
        if (platform.startsWith(QLatin1String("xcb"))) {
            return x11;
        }
        if (platform.startsWith(QLatin1String("wayland"))) {
            return wayland;
        }
        return true;  // offscreen, vnc and the like need no display
    };
    const QStringList listed = platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return std::any_of(listed.begin(), listed.end(), usable);
}

// --ask-where: the destination and the return time asked for, stored, and the notice started.
int askWhereAndStart(rumo::SettingsStore& store) {
    const std::optional<rumo::AwayAnswer> answer = rumo::askWhere(store);
    if (!answer) {
        return 0;
    }
    if (!rumo::storeWhere(store, answer->where)) {
        return 1;
    }
    if (const rumo::WriteStatus status = rumo::storeReturnTime(store, answer->back); !status.ok()) {
        std::fprintf(stderr, "rumo: cannot store the return time in the settings: %s\n",
                     status.error.c_str());
        return 1;
    }
    // As the bar's button does: the notice is a process of its own, started once the key that
    // confirmed the window is done with.
    rumo::ProcessLauncher().startDetached(
        rumo::noticeCommand(QCoreApplication::applicationFilePath().toStdString()));
    return 0;
}

int run(rumo::SettingsStore& store, const rumo::Launch& launch) {
    switch (launch.mode) {
        case rumo::RunMode::Resident:
            return rumo::runResident(store);
        case rumo::RunMode::Saver:
            return rumo::runSaver(store);
        case rumo::RunMode::Preview:
            return rumo::runPreview(store, *launch.previewWindow);
        case rumo::RunMode::Nothing:
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    rumo::TeamRequest team;
    rumo::ChatRequest chat;
    const rumo::LongOptions options = rumo::readLongOptions(
        rumo::takeTeamOptions(rumo::takeChatOptions(argumentsOf(argc, argv), chat), team));
    if (const std::optional<int> status = answerOnly(options)) {
        return *status;
    }
    if (!chat.error.isEmpty()) {
        std::fprintf(stderr, "rumo: %s Try --help.\n", qPrintable(chat.error));
        return 2;
    }
    if (chat.any()) {
        if (team.any() || !options.switches.isEmpty()) {
            std::fprintf(stderr, "rumo: --chat works alone. Try --help.\n");
            return 2;
        }
        QCoreApplication app(argc, argv);
        rumo::FileSettingsStore store(nameApplication());
        return rumo::runChatRequest(store, chat);
    }
    // ---- The team board's options ----
    if (!team.error.isEmpty()) {
        std::fprintf(stderr, "rumo: %s Try --help.\n", qPrintable(team.error));
        return 2;
    }
    if (team.any() && !team.board) {
        QCoreApplication app(argc, argv);
        rumo::installUiTranslations(options.language);
        rumo::FileSettingsStore store(nameApplication());
        return rumo::runPublishRequest(store, team);
    }
    if (team.board) {
        if (!haveDisplay()) {
            std::fprintf(stderr, "rumo: no display to show on (DISPLAY is not set)\n");
            return 1;
        }
        preferX11OutsideNotice();
        QApplication app(argc, argv);
        rumo::installJapaneseFaceSubstitutions();
        rumo::installUiTranslations(options.language);
        rumo::FileSettingsStore store(nameApplication());
        return rumo::runBoard(team.boardAddress, team.fullscreen, rumo::publishingAddress(store));
    }
    // ---- end of the team board's options ----
    // ---- The calendar's options: done without a display ----
    if (options.hasCalendarRequest()) {
        QCoreApplication app(argc, argv);
        rumo::installUiTranslations(options.language);
        rumo::FileSettingsStore store(nameApplication());
        return options.whereFromCalendar
                   ? rumo::printWhereFromCalendar(store, options.calendarAt)
                   : rumo::runCalendarAction(store, options.calendar, options.calendarUser);
    }
    // ---- end of the calendar's options ----
    const rumo::Launch launch = rumo::launchOf(options, previewEnvironment());
    if (needsNoWindows(options, launch)) {
        return runWithoutWindows(argc, argv, options);
    }
    if (launch.mode == rumo::RunMode::Nothing && !options.askWhere) {
        // Ended as it always has, with status 0; a user who typed "rumo start" learns why
        // nothing came up.
        if (!options.switches.isEmpty()) {
            std::fprintf(stderr, "rumo: unknown argument \"%s\"; see rumo --help\n",
                         qPrintable(options.switches.front()));
        }
        return 0;
    }
    if (launch.mode == rumo::RunMode::Preview && !launch.previewWindow) {
        std::fprintf(stderr,
                     "rumo: the preview needs the id of a window: rumo -p <window id>, or"
                     " XSCREENSAVER_WINDOW set\n");
        return 2;
    }
    if (!haveDisplay()) {
        std::fprintf(stderr, "rumo: no display to show on (DISPLAY is not set)\n");
        return 1;
    }
    if (launch.mode != rumo::RunMode::Saver || options.askWhere) {
        preferX11OutsideNotice();
    }

    rumo::keepLaunchActivation();
    QApplication app(argc, argv);
    // The stored faces are the Japanese system's names; they resolve to the installed IPA faces.
    rumo::installJapaneseFaceSubstitutions();
    passOnLanguage(options.language);
    rumo::installUiTranslations(options.language);
    const QString applicationName = nameApplication();
    if (applyStoredOptions(options, applicationName) != 0) {
        return 1;
    }
    rumo::FileSettingsStore store(applicationName);
    if (options.askWhere) {
        return askWhereAndStart(store);
    }
    return run(store, launch);
}
