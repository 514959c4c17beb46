#include "platform/activation_channel.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/instance_guard.h"

#ifdef RUMO_HAVE_XCB
#include "platform/x11_connection.h"
#endif

namespace rumo {

namespace {

const QByteArray kShow = QByteArrayLiteral("show");
const QByteArray kWaylandField = QByteArrayLiteral("wayland=");
const QByteArray kStartupField = QByteArrayLiteral("x11=");
// Longer than any launcher's token or startup id; a peer sending more is not a start of ours.
constexpr qsizetype kMaxTokenLength = 512;
constexpr qsizetype kMaxLineLength = 2 * kMaxTokenLength + 32;

QString socketPath(QString folder) {
    if (folder.isEmpty()) {
        folder = instanceFolder();
    }
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("Rumo.socket"));
}

// Tokens travel as words of one line and end up in window properties and protocol requests.
bool plainToken(const QByteArray& token) {
    return !token.isEmpty() && token.size() <= kMaxTokenLength &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

LaunchActivation& keptActivation() {
    static LaunchActivation kept;
    return kept;
}

}  // namespace

void keepLaunchActivation() {
    keptActivation() = {qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")};
}

QByteArray showRequestLine(const LaunchActivation& activation) {
    QByteArray line = kShow;
    if (plainToken(activation.waylandToken)) {
        line += ' ' + kWaylandField + activation.waylandToken;
    }
    if (plainToken(activation.startupId)) {
        line += ' ' + kStartupField + activation.startupId;
    }
    return line + '\n';
}

std::optional<LaunchActivation> parseShowRequest(const QByteArray& line) {
    if (!line.endsWith('\n') || line.size() > kMaxLineLength) {
        return std::nullopt;
    }
    const QList<QByteArray> words = line.chopped(1).split(' ');
    if (words.front() != kShow) {
        return std::nullopt;
    }
    LaunchActivation activation;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QByteArray& word = words[i];
        if (word.startsWith(kWaylandField)) {
            activation.waylandToken = word.mid(kWaylandField.size());
        } else if (word.startsWith(kStartupField)) {
            activation.startupId = word.mid(kStartupField.size());
        } else {
            return std::nullopt;
        }
    }
    if (!activation.waylandToken.isEmpty() && !plainToken(activation.waylandToken)) {
        activation.waylandToken.clear();
    }
    if (!activation.startupId.isEmpty() && !plainToken(activation.startupId)) {
        activation.startupId.clear();
    }
    return activation;
}

ActivationListener::ActivationListener(QString folder, QObject* parent)
    : QObject(parent), path_(socketPath(std::move(folder))) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // The line may come in pieces; one that never ends within its bound is dropped.
                if (!socket->canReadLine() && socket->bytesAvailable() <= kMaxLineLength) {
                    return;
                }
                // Only a well-formed request counts; anything else on the socket is dropped.
                if (const std::optional<LaunchActivation> request =
                        parseShowRequest(socket->readLine(kMaxLineLength + 1))) {
                    emit showRequested(*request);
                }
                socket->disconnectFromServer();
            });
        }
    });
}

bool ActivationListener::listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path_);
    return server_.listen(path_);
}

bool requestRunningBarShown(QString folder) {
    QLocalSocket socket;
    socket.connectToServer(socketPath(std::move(folder)));
    if (!socket.waitForConnected(2000)) {
        return false;
    }
    socket.write(showRequestLine(keptActivation()));
    const bool written = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(2000);
    }
    return written;
}

#ifdef RUMO_HAVE_XCB
namespace {

// The launch's time, which launchers put at the end of the id ("…_TIME<server time>"); the window
// manager weighs it against the user's last input to decide whether the window may come forward.
std::uint32_t startupTime(const QByteArray& startupId) {
    const qsizetype at = startupId.lastIndexOf("_TIME");
    bool ok = false;
    const std::uint32_t time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

void sendToRoot(xcb_connection_t* connection, xcb_window_t root,
                const xcb_client_message_event_t& message, std::uint32_t mask) {
    xcb_send_event(connection, 0, root, mask, reinterpret_cast<const char*>(&message));
}

// Ends the start notification (the busy pointer, the launcher's entry) of the start that asked:
// its window now shows. The message goes out in pieces of 20 bytes, as the protocol carries it.
void endStartNotification(xcb_connection_t* connection, xcb_window_t window, xcb_window_t root,
                          const QByteArray& startupId) {
    QByteArray text = QByteArrayLiteral("remove: ID=");
    for (const char c : startupId) {
        if (c == '"' || c == '\\') {
            text += '\\';
        }
        text += c;
    }
    text += '\0';
    const xcb_atom_t begin = x11Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = x11Atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < text.size(); at += 20) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = window;
        message.type = at == 0 ? begin : more;
        std::memcpy(message.data.data8, text.constData() + at,
                    static_cast<std::size_t>(std::min<qsizetype>(20, text.size() - at)));
        sendToRoot(connection, root, message, XCB_EVENT_MASK_PROPERTY_CHANGE);
    }
}

}  // namespace
#endif

void activateForLaunch(QWindow& window, const LaunchActivation& activation) {
#ifdef RUMO_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 != nullptr && window.winId() <= 0xFFFFFFFFu) {
        xcb_connection_t* connection = x11->connection();
        const auto id = static_cast<xcb_window_t>(window.winId());
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const QByteArray& startupId = activation.startupId;
        if (!startupId.isEmpty()) {
            xcb_change_property(
                connection, XCB_PROP_MODE_REPLACE, id, x11Atom(connection, "_NET_STARTUP_ID"),
                x11Atom(connection, "UTF8_STRING"), 8, static_cast<std::uint32_t>(startupId.size()),
                startupId.constData());
        }
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = x11Atom(connection, "_NET_ACTIVE_WINDOW");
        // With the launch's time the window manager judges the request as it judges a new
        // window; without one, starting the program again is the user's own request.
        message.data.data32[0] = startupId.isEmpty() ? 2 : 1;
        message.data.data32[1] = startupTime(startupId);
        sendToRoot(connection, root, message,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
        if (!startupId.isEmpty()) {
            endStartNotification(connection, id, root, startupId);
        }
        xcb_flush(connection);
        return;
    }
#endif
    // Qt's Wayland platform hands the token it finds here to the compositor with the request.
    if (!activation.waylandToken.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", activation.waylandToken);
    }
    window.requestActivate();
}

}  // namespace rumo
