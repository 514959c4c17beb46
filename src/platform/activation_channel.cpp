#include "platform/activation_channel.h"

#include <QDir>
#include <QLocalSocket>

#include "platform/instance_guard.h"

namespace rumo {

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");

QString socketPath(QString folder) {
    if (folder.isEmpty()) {
        folder = instanceFolder();
    }
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("Rumo.socket"));
}

}  // namespace

ActivationListener::ActivationListener(QString folder, QObject* parent)
    : QObject(parent), path_(socketPath(std::move(folder))) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // Only a well-formed request counts; anything else on the socket is dropped.
                if (socket->canReadLine() && socket->readLine(64) == kShowRequest) {
                    emit showRequested();
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
    socket.write(kShowRequest);
    const bool written = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(2000);
    }
    return written;
}

}  // namespace rumo
