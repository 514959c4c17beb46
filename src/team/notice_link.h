// How the resident learns that the notice shows: the notice process (`rumo -s`, started from the
// bar, a shortcut or the desktop's idle) connects to a local socket of the resident's for as long
// as it shows. The kernel closes the connection when the notice ends in any way, crash and kill
// included, so the resident never waits for a goodbye that cannot come, and nothing is polled.
#pragma once

#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QSet>
#include <optional>

namespace rumo {

// In the resident.
class NoticeWatch : public QObject {
    Q_OBJECT
public:
    // The folder defaults to the single-instance guard's. Call listen() only while holding the
    // resident's guard: a socket left by a dead resident is replaced.
    explicit NoticeWatch(QString folder = {}, QObject* parent = nullptr);
    ~NoticeWatch() override;
    bool listen();

    // When the notice that shows began (seconds since the epoch); nothing while none shows.
    std::optional<qint64> shownSince() const { return since_; }

signals:
    void changed();

private:
    void accept();
    QString path_;
    QLocalServer server_;
    QSet<QLocalSocket*> notices_;
    std::optional<qint64> since_;
};

// In the notice: connects now, or once a resident starts listening (its socket appears in the
// folder), and stays connected until the process ends.
class NoticeAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit NoticeAnnouncer(qint64 since, QString folder = {}, QObject* parent = nullptr);
    // The socket tells of its closing as it goes; no one is left to hear it then.
    ~NoticeAnnouncer() override { socket_.disconnect(this); }

private:
    void tryConnect();
    QString path_;
    QByteArray line_;
    QLocalSocket socket_;
    QFileSystemWatcher folderWatch_;
};

}  // namespace rumo
