#include "team/notice_link.h"

#include <QDir>
#include <QFileInfo>

#include "platform/instance_guard.h"

namespace rumo {

namespace {

QString socketPath(QString folder) {
    if (folder.isEmpty()) {
        folder = instanceFolder();
    }
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("RumoAway.socket"));
}

constexpr qsizetype kMaxLine = 64;

}  // namespace

NoticeWatch::NoticeWatch(QString folder, QObject* parent)
    : QObject(parent), path_(socketPath(std::move(folder))) {
    connect(&server_, &QLocalServer::newConnection, this, &NoticeWatch::accept);
}

NoticeWatch::~NoticeWatch() {
    // The server's connections close with it and say so, after this object's members are gone.
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) {
        socket->disconnect(this);
    }
}

bool NoticeWatch::listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path_);
    return server_.listen(path_);
}

void NoticeWatch::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxLine) {
                    socket->disconnectFromServer();
                }
                return;
            }
            // "away <seconds since the epoch>": anything else on the socket is no notice.
            const QList<QByteArray> words = socket->readLine(kMaxLine + 1).trimmed().split(' ');
            bool ok = false;
            const qint64 since =
                words.size() == 2 && words[0] == "away" ? words[1].toLongLong(&ok) : 0;
            if (!ok || since <= 0) {
                socket->disconnectFromServer();
                return;
            }
            notices_.insert(socket);
            // One notice at a time; should two ever meet, the first one's start counts.
            if (!since_) {
                since_ = since;
                emit changed();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            if (notices_.remove(socket) && notices_.isEmpty()) {
                since_.reset();
                emit changed();
            }
        });
    }
}

NoticeAnnouncer::NoticeAnnouncer(qint64 since, QString folder, QObject* parent)
    : QObject(parent),
      path_(socketPath(std::move(folder))),
      line_("away " + QByteArray::number(since) + '\n') {
    connect(&socket_, &QLocalSocket::connected, this, [this] {
        if (!folderWatch_.directories().isEmpty()) {
            folderWatch_.removePaths(folderWatch_.directories());
        }
        socket_.write(line_);
    });
    connect(&socket_, &QLocalSocket::errorOccurred, this, [this] {
        // No resident yet, or it went: wait for its socket to appear again.
        if (folderWatch_.directories().isEmpty()) {
            folderWatch_.addPath(QFileInfo(path_).absolutePath());
        }
    });
    connect(&socket_, &QLocalSocket::disconnected, this,
            [this] { folderWatch_.addPath(QFileInfo(path_).absolutePath()); });
    connect(&folderWatch_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (socket_.state() == QLocalSocket::UnconnectedState && QFileInfo::exists(path_)) {
            tryConnect();
        }
    });
    tryConnect();
}

void NoticeAnnouncer::tryConnect() {
    socket_.connectToServer(path_);
}

}  // namespace rumo
