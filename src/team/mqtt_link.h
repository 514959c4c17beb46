// One connection to the team's MQTT broker through libmosquitto, driven by the application's
// event loop: its socket on QSocketNotifiers and a timer at the keep-alive's pace, so an idle
// connection costs nothing between the broker's pings. A lost connection is tried again with
// a growing pause; what is published meanwhile is sent once connected (latest per topic).
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "team/broker_address.h"

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;

namespace rumo {

struct MqttWill {
    QByteArray topic;
    QByteArray payload;
};

class MqttLink : public QObject {
    Q_OBJECT
public:
    // `password` only where the address names a user.
    MqttLink(BrokerAddress address, QString password, QObject* parent = nullptr);
    ~MqttLink() override;

    // Set before start(): what the broker publishes, retained, when this connection is lost
    // without a goodbye (the process killed, the machine gone).
    void setWill(const MqttWill& will);
    // Set before start(): topic filters subscribed to at every connection.
    void addSubscription(const QByteArray& filter);
    void start();

    // Retained and at least once. Kept and sent on connecting when there is no connection now.
    void publishRetained(const QByteArray& topic, const QByteArray& payload);
    bool connected() const { return connected_; }
    // Takes back the retained message on `topic` and says goodbye, so no will follows; waits up
    // to a second for that to be sent. Nothing can be taken back while not connected.
    void leave(const QByteArray& topic);

signals:
    void connectedChanged(bool connected);
    void message(const QByteArray& topic, const QByteArray& payload);
    // One line for the user; said once for a run of the same failure.
    void failed(const QString& reason);

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);

    void connectNow();
    void watchSocket();
    void dropSocket();
    void readReady();
    void writeReady();
    void keepAlive();
    void updateWriteInterest();
    void lost(const QString& reason);
    void tell(const QString& reason);

    BrokerAddress address_;
    QString password_;
    std::optional<MqttWill> will_;
    QList<QByteArray> subscriptions_;
    mosquitto* client_ = nullptr;
    std::unique_ptr<QSocketNotifier> reader_;
    std::unique_ptr<QSocketNotifier> writer_;
    QTimer keepAlive_;
    QTimer retry_;
    int retryDelayMs_ = 0;
    bool connected_ = false;
    bool tlsSet_ = false;
    QString lastFailure_;
    // The latest payload of every topic not yet handed to a live connection.
    QHash<QByteArray, QByteArray> pending_;
};

}  // namespace rumo
