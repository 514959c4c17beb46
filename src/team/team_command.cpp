#include "team/team_command.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/secret_store.h"
#include "settings/settings_store.h"
#include "team/broker_address.h"
#include "team/team_publisher.h"
#include "team/team_settings.h"

namespace rumo {

// A password typed at a terminal is not echoed; one piped in is read as it comes.
std::optional<std::string> readSecretLine(const char* prompt) {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    termios saved{};
    if (terminal) {
        std::fputs(prompt, stderr);
        std::fflush(stderr);
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
    }
    if (!read && line.empty()) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

QStringList takeTeamOptions(const QStringList& arguments, TeamRequest& request) {
    QStringList rest;
    const auto valueAt = [&](qsizetype& i, const QString& option) -> std::optional<QString> {
        if (arguments[i].startsWith(option + QLatin1Char('='))) {
            return arguments[i].mid(option.size() + 1);
        }
        if (i + 1 < arguments.size()) {
            return arguments[++i];
        }
        return std::nullopt;
    };
    const QString publish = QStringLiteral("--publish");
    const QString publishAs = QStringLiteral("--publish-as");
    const QString board = QStringLiteral("--board");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == publishAs || argument.startsWith(publishAs + QLatin1Char('='))) {
            request.publishAs = valueAt(i, publishAs);
            if (!request.publishAs || !validUserId(request.publishAs->toStdString())) {
                request.error = QStringLiteral("--publish-as takes a user id without / + #.");
            }
        } else if (argument == publish || argument.startsWith(publish + QLatin1Char('='))) {
            request.publish = valueAt(i, publish);
            if (!request.publish) {
                request.error = QStringLiteral(
                    "--publish takes mqtt://[user@]host[:port]/<team topic> or off.");
            }
        } else if (argument == board || argument.startsWith(board + QLatin1Char('='))) {
            request.board = true;
            if (argument.startsWith(board + QLatin1Char('='))) {
                request.boardAddress = argument.mid(board.size() + 1);
            } else if (i + 1 < arguments.size() &&
                       arguments[i + 1].startsWith(QLatin1String("mqtt"))) {
                request.boardAddress = arguments[++i];
            }
        } else if (argument == QLatin1String("--fullscreen")) {
            request.fullscreen = true;
        } else {
            rest << argument;
        }
    }
    if (request.error.isEmpty() && request.any()) {
        if (request.board && (request.publish || request.publishAs)) {
            request.error = QStringLiteral("--board and --publish are given apart.");
        } else if (request.fullscreen && !request.board) {
            request.error = QStringLiteral("--fullscreen goes with --board.");
        } else if (!rest.isEmpty()) {
            request.error = QStringLiteral("--publish and --board work alone.");
        }
    }
    return rest;
}

int runPublishRequest(SettingsStore& store, const TeamRequest& request) {
    std::vector<SettingWrite> writes;
    if (request.publishAs) {
        writes.push_back(textWrite(settings::TeamUserId, request.publishAs->toStdString()));
    }
    if (request.publish &&
        request.publish->compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
        writes.push_back(integerWrite(settings::TeamPublish, 0));
    } else if (request.publish) {
        std::string error;
        const std::optional<BrokerAddress> address =
            parseBrokerAddress(request.publish->toStdString(), &error);
        if (!address) {
            std::fprintf(stderr, "rumo: %s: %s\n", qPrintable(*request.publish), error.c_str());
            return 2;
        }
        if (!address->user.empty()) {
            const std::optional<std::string> password = readSecretLine("Password: ");
            if (!password) {
                std::fprintf(stderr, "rumo: the password for %s is read from standard input\n",
                             address->server().c_str());
                return 1;
            }
            const SecretResult stored =
                storeSecret(brokerSecretName(*address), QString::fromStdString(*password));
            if (!stored.ok()) {
                std::fprintf(stderr,
                             "rumo: the password was not kept, so nothing is published: %s\n",
                             qPrintable(stored.error));
                return 1;
            }
        }
        writes.push_back(textWrite(settings::TeamBroker, address->server()));
        writes.push_back(textWrite(settings::TeamTopic, address->team));
        writes.push_back(integerWrite(settings::TeamPublish, 1));
    }
    if (const WriteStatus status = store.write(writes); !status.ok()) {
        std::fprintf(stderr, "rumo: cannot store the team settings: %s\n", status.error.c_str());
        return 1;
    }
    if (request.publish && store.read(settings::TeamPublish)) {
        std::string id = store.read(settings::TeamUserId);
        if (id.empty()) {
            id = loginName();
        }
        std::printf("rumo: publishing as %s to %s (the resident bar does it while it runs)\n",
                    id.c_str(), qPrintable(publishingAddress(store)));
    }
    return 0;
}

QString publishingAddress(SettingsStore& store) {
    const SettingsSnapshot values = store.snapshot();
    const std::string broker = values.read(settings::TeamBroker);
    const std::string topic = values.read(settings::TeamTopic);
    if (broker.empty() || topic.empty()) {
        return {};
    }
    return QString::fromStdString(broker + '/' + topic);
}

QString teamUsageText() {
    return QStringLiteral(
        "\n"
        "Team board (over the office's MQTT broker):\n"
        "  --publish mqtt://[user@]host[:port]/TEAM\n"
        "                     publish your state (present, away, off), destination and return\n"
        "                     time on TEAM/<user id> while the resident bar runs; mqtts:// for\n"
        "                     TLS; with a user, the password is read from standard input into\n"
        "                     the keyring\n"
        "  --publish off      stop publishing and take your message off the board\n"
        "  --publish-as ID    the user id to publish under (default: the login name)\n"
        "  --board [mqtt://host[:port]/TEAM] [--fullscreen]\n"
        "                     show the team's board (default: the one you publish to)\n");
}

}  // namespace rumo
