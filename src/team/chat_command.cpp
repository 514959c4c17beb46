#include "team/chat_command.h"

#include <unistd.h>

#include <QHostAddress>
#include <QUrl>
#include <cstdio>

#include "common/qt_values.h"
#include "platform/secret_store.h"
#include "settings/settings_store.h"
#include "team/chat_services.h"
#include "team/team_command.h"

namespace rumo {

namespace {

const char* const kForms =
    "--chat takes webhook URL, mattermost URL, slack [URL], matrix URL @USER:SERVER, off SERVICE "
    "or list.";

bool loopback(const QUrl& url) {
    const QString host = url.host();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

// An address for requests: http(s) with a host, and without a user's name and password, which
// would go out in every request. A token travels over plain http to this machine alone.
std::optional<QString> checkedServer(const QString& given, bool withToken, QString& why) {
    const QUrl url(given, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        why = QStringLiteral("not an http(s) address");
        return std::nullopt;
    }
    if (!url.userInfo().isEmpty()) {
        why = QStringLiteral(
            "the address may not carry a user or password; the token is read "
            "from standard input");
        return std::nullopt;
    }
    if (withToken && scheme == QLatin1String("http") && !loopback(url)) {
        why = QStringLiteral("a token goes only over https (http only to this machine)");
        return std::nullopt;
    }
    QString text = url.toString(QUrl::FullyEncoded);
    while (text.endsWith(QLatin1Char('/')) && url.query().isEmpty()) {
        text.chop(1);
    }
    return text;
}

int fail(const QString& text) {
    std::fprintf(stderr, "rumo: %s\n", qPrintable(text));
    return 1;
}

int turnOff(SettingsStore& store, const ChatServiceInfo& info) {
    const std::string server = store.read(info.server);
    if (const WriteStatus status = store.write({integerWrite(info.on, 0)}); !status.ok()) {
        return fail(QStringLiteral("cannot store the chat settings: ") + qtText(status.error));
    }
    // A token nobody uses stays in no keyring.
    if (!server.empty()) {
        const SecretResult forgotten = forgetSecret(qtText(chatSecretName(info.service, server)));
        if (!forgotten.ok()) {
            std::fprintf(stderr, "rumo: the token stays in the keyring: %s\n",
                         qPrintable(forgotten.error));
        }
    }
    std::printf("rumo: %s no longer follows the notice\n", std::string(info.title).c_str());
    return 0;
}

int list(SettingsStore& store) {
    const SettingsSnapshot values = store.snapshot();
    for (const ChatServiceInfo& info : kChatServices) {
        if (values.read(info.on)) {
            std::string line = std::string(info.name) + '\t' + values.read(info.server);
            if (info.userRequired) {
                line += '\t' + values.read(settings::ChatMatrixUser);
            }
            std::printf("%s\n", line.c_str());
        }
    }
    return 0;
}

int turnOn(SettingsStore& store, const ChatServiceInfo& info, const QStringList& words) {
    QString given = words.value(1);
    if (given.isEmpty()) {
        given = qtText(store.read(info.server));  // Slack's own address by default
    }
    QString user;
    if (info.userRequired) {
        user = words.value(2);
        if (!user.startsWith(QLatin1Char('@')) || !user.contains(QLatin1Char(':'))) {
            std::fprintf(stderr, "rumo: %s Try --help.\n", kForms);
            return 2;
        }
    }
    // The webhook's token is optional: it is read when one is piped in, and not asked for at a
    // terminal.
    std::optional<std::string> token;
    if (info.tokenRequired || isatty(STDIN_FILENO) == 0) {
        token = readSecretLine("Token: ");
        if (token && token->empty()) {
            token.reset();
        }
        if (!token && info.tokenRequired) {
            return fail(QStringLiteral("the %1 token is read from standard input")
                            .arg(qtText(std::string(info.title))));
        }
    }
    QString why;
    const std::optional<QString> server = checkedServer(given, token.has_value(), why);
    if (!server) {
        std::fprintf(stderr, "rumo: %s: %s\n", qPrintable(given), qPrintable(why));
        return 2;
    }
    const QString secretName = qtText(chatSecretName(info.service, server->toStdString()));
    const SecretResult kept =
        token ? storeSecret(secretName, QString::fromStdString(*token)) : forgetSecret(secretName);
    if (!kept.ok()) {
        return fail(QStringLiteral("the token was not kept, so %1 stays off: %2")
                        .arg(qtText(std::string(info.title)), kept.error));
    }
    std::vector<SettingWrite> writes{textWrite(info.server, server->toStdString()),
                                     integerWrite(info.on, 1)};
    if (info.userRequired) {
        writes.push_back(textWrite(settings::ChatMatrixUser, user.toStdString()));
    }
    if (const WriteStatus status = store.write(writes); !status.ok()) {
        return fail(QStringLiteral("cannot store the chat settings: ") + qtText(status.error));
    }
    std::printf("rumo: %s follows the notice while the resident bar runs (%s)\n",
                std::string(info.title).c_str(), qPrintable(QUrl(*server).host()));
    return 0;
}

}  // namespace

QStringList takeChatOptions(const QStringList& arguments, ChatRequest& request) {
    QStringList rest;
    const QString option = QStringLiteral("--chat");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument != option && !argument.startsWith(option + QLatin1Char('='))) {
            rest << argument;
            continue;
        }
        if (argument.startsWith(option + QLatin1Char('='))) {
            request.words << argument.mid(option.size() + 1);
        }
        // Its words run to the next option.
        while (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
            request.words << arguments[++i];
        }
        if (request.words.isEmpty()) {
            request.error = QString::fromLatin1(kForms);
        }
    }
    if (request.any() && request.error.isEmpty()) {
        const QString first = request.words.value(0).toLower();
        const bool off = first == QLatin1String("off");
        const std::optional<ChatService> service =
            chatServiceNamed((off ? request.words.value(1) : first).toStdString());
        const qsizetype most = !service                                 ? 1
                               : off                                    ? 2
                               : chatServiceInfo(*service).userRequired ? 3
                                                                        : 2;
        if (first == QLatin1String("list")
                ? request.words.size() != 1
                : !service || request.words.size() > most || (off && request.words.size() != 2)) {
            request.error = QString::fromLatin1(kForms);
        } else if (!rest.isEmpty()) {
            request.error = QStringLiteral("--chat works alone.");
        }
    }
    return rest;
}

int runChatRequest(SettingsStore& store, const ChatRequest& request) {
    const QString first = request.words.value(0).toLower();
    if (first == QLatin1String("list")) {
        return list(store);
    }
    if (first == QLatin1String("off")) {
        return turnOff(store, chatServiceInfo(*chatServiceNamed(request.words[1].toStdString())));
    }
    return turnOn(store, chatServiceInfo(*chatServiceNamed(first.toStdString())), request.words);
}

QString chatUsageText() {
    return QStringLiteral(
        "\n"
        "Chat status while away (the resident bar sets it when the notice starts and puts the\n"
        "earlier one back when it ends, unless you changed it meanwhile):\n"
        "  --chat mattermost https://chat.example.com\n"
        "                     your Mattermost custom status; the personal access token is read\n"
        "                     from standard input into the keyring\n"
        "  --chat slack [https://slack.com]\n"
        "                     your Slack status; a user token (users.profile:read and :write)\n"
        "                     from standard input\n"
        "  --chat matrix https://matrix.example.org @you:example.org\n"
        "                     your Matrix presence (unavailable) and status message; an access\n"
        "                     token from standard input\n"
        "  --chat webhook URL a JSON POST of your state (as on the team board) on each change,\n"
        "                     for lights, door signs, home automation; a token piped in is sent\n"
        "                     as \"Authorization: Bearer TOKEN\"\n"
        "  --chat off SERVICE stop it and forget its token\n"
        "  --chat list        the services on, with their addresses\n"
        "                     Tokens go only over https (http to this machine alone).\n");
}

}  // namespace rumo
