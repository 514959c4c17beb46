#include "team/mqtt_link.h"

#include <mosquitto.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QUuid>

namespace rumo {

namespace {

constexpr int kKeepAliveSeconds = 60;
constexpr int kFirstRetryMs = 1000;
constexpr int kLongestRetryMs = 60000;

void initialiseLibrary() {
    static const int once = mosquitto_lib_init();
    (void)once;
}

QString errorText(int rc) {
    if (rc == MOSQ_ERR_ERRNO) {
        return QString::fromLocal8Bit(strerror(errno));
    }
    return QString::fromUtf8(mosquitto_strerror(rc));
}

}  // namespace

MqttLink::MqttLink(BrokerAddress address, QString password, QObject* parent)
    : QObject(parent), address_(std::move(address)), password_(std::move(password)) {
    initialiseLibrary();
    const QByteArray clientId = "rumo-" + QUuid::createUuid().toByteArray(QUuid::Id128).left(16);
    client_ = mosquitto_new(clientId.constData(), true, this);
    mosquitto_int_option(client_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(client_, &MqttLink::onConnect);
    mosquitto_disconnect_callback_set(client_, &MqttLink::onDisconnect);
    mosquitto_message_callback_set(client_, &MqttLink::onMessage);
    if (!address_.user.empty()) {
        mosquitto_username_pw_set(client_, address_.user.c_str(),
                                  password_.isEmpty() ? nullptr : password_.toUtf8().constData());
    }
    keepAlive_.setInterval(kKeepAliveSeconds * 1000 / 4);
    connect(&keepAlive_, &QTimer::timeout, this, &MqttLink::keepAlive);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &MqttLink::connectNow);
}

MqttLink::~MqttLink() {
    dropSocket();
    // No DISCONNECT is sent: the broker then publishes the will, which is what a program that
    // stops running means to the team.
    mosquitto_destroy(client_);
}

void MqttLink::setWill(const MqttWill& will) {
    will_ = will;
    mosquitto_will_set(client_, will.topic.constData(), static_cast<int>(will.payload.size()),
                       will.payload.constData(), 1, true);
}

void MqttLink::addSubscription(const QByteArray& filter) {
    subscriptions_ << filter;
}

void MqttLink::start() {
    connectNow();
}

void MqttLink::connectNow() {
    dropSocket();
    if (address_.tls && !tlsSet_) {
        // The system's certificate authorities, as a browser trusts them; the host name is checked.
        const int rc =
            mosquitto_tls_set(client_, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            tell(QCoreApplication::translate("TeamBoard", "Cannot use TLS: %1").arg(errorText(rc)));
            return;
        }
        tlsSet_ = true;
    }
    // Name resolution blocks for as long as the resolver takes; the socket itself connects
    // without waiting.
    const int rc =
        mosquitto_connect_async(client_, address_.host.c_str(), address_.port, kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) {
        lost(errorText(rc));
        return;
    }
    watchSocket();
}

void MqttLink::watchSocket() {
    const int fd = mosquitto_socket(client_);
    if (fd < 0) {
        lost(QCoreApplication::translate("TeamBoard", "Cannot connect"));
        return;
    }
    reader_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(reader_.get(), &QSocketNotifier::activated, this, &MqttLink::readReady);
    writer_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    connect(writer_.get(), &QSocketNotifier::activated, this, &MqttLink::writeReady);
    updateWriteInterest();
    keepAlive_.start();
}

void MqttLink::dropSocket() {
    reader_.reset();
    writer_.reset();
    keepAlive_.stop();
}

void MqttLink::updateWriteInterest() {
    if (writer_) {
        writer_->setEnabled(mosquitto_want_write(client_));
    }
}

void MqttLink::readReady() {
    const int rc = mosquitto_loop_read(client_, 1);
    if (rc != MOSQ_ERR_SUCCESS) {
        lost(rc == MOSQ_ERR_CONN_LOST
                 ? QCoreApplication::translate("TeamBoard", "Lost the connection to the broker")
                 : errorText(rc));
        return;
    }
    updateWriteInterest();
}

void MqttLink::writeReady() {
    const int rc = mosquitto_loop_write(client_, 1);
    if (rc != MOSQ_ERR_SUCCESS) {
        lost(errorText(rc));
        return;
    }
    updateWriteInterest();
}

void MqttLink::keepAlive() {
    const int rc = mosquitto_loop_misc(client_);
    if (rc != MOSQ_ERR_SUCCESS) {
        lost(errorText(rc));
        return;
    }
    updateWriteInterest();
}

void MqttLink::lost(const QString& reason) {
    dropSocket();
    if (connected_) {
        connected_ = false;
        emit connectedChanged(false);
    }
    tell(reason);
    retryDelayMs_ =
        retryDelayMs_ == 0 ? kFirstRetryMs : std::min(retryDelayMs_ * 2, kLongestRetryMs);
    retry_.start(retryDelayMs_);
}

void MqttLink::tell(const QString& reason) {
    if (reason != lastFailure_) {
        lastFailure_ = reason;
        emit failed(reason);
    }
}

void MqttLink::publishRetained(const QByteArray& topic, const QByteArray& payload) {
    if (!connected_) {
        pending_.insert(topic, payload);
        return;
    }
    const int rc =
        mosquitto_publish(client_, nullptr, topic.constData(), static_cast<int>(payload.size()),
                          payload.constData(), 1, true);
    if (rc != MOSQ_ERR_SUCCESS) {
        pending_.insert(topic, payload);
        lost(errorText(rc));
        return;
    }
    updateWriteInterest();
}

void MqttLink::leave(const QByteArray& topic) {
    retry_.stop();
    if (!connected_) {
        return;
    }
    dropSocket();
    mosquitto_publish(client_, nullptr, topic.constData(), 0, nullptr, 1, true);
    mosquitto_disconnect(client_);
    for (int i = 0; i < 20; ++i) {
        if (mosquitto_loop(client_, 50, 1) != MOSQ_ERR_SUCCESS) {
            break;
        }
    }
    connected_ = false;
}

void MqttLink::onConnect(mosquitto*, void* self, int rc) {
    auto* link = static_cast<MqttLink*>(self);
    if (rc != 0) {
        // Refused (bad password, not authorised): said, and tried again later all the same, as
        // the broker's rules may change.
        link->tell(QCoreApplication::translate("TeamBoard", "The broker refused the connection: %1")
                       .arg(QString::fromUtf8(mosquitto_connack_string(rc))));
        return;
    }
    link->connected_ = true;
    link->retryDelayMs_ = 0;
    link->lastFailure_.clear();
    for (const QByteArray& filter : link->subscriptions_) {
        // At most once: a broker queues only so many messages of higher quality per client (1000
        // by default), and a board of thousands would lose the rest of the retained states.
        mosquitto_subscribe(link->client_, nullptr, filter.constData(), 0);
    }
    const QHash<QByteArray, QByteArray> pending = std::exchange(link->pending_, {});
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        mosquitto_publish(link->client_, nullptr, it.key().constData(),
                          static_cast<int>(it.value().size()), it.value().constData(), 1, true);
    }
    emit link->connectedChanged(true);
}

void MqttLink::onDisconnect(mosquitto*, void* self, int) {
    auto* link = static_cast<MqttLink*>(self);
    // Within a loop call: the socket is dropped once it returns, here only the state is told.
    QMetaObject::invokeMethod(
        link,
        [link] {
            if (link->reader_) {
                link->lost(
                    QCoreApplication::translate("TeamBoard", "Lost the connection to the broker"));
            }
        },
        Qt::QueuedConnection);
}

void MqttLink::onMessage(mosquitto*, void* self, const mosquitto_message* message) {
    auto* link = static_cast<MqttLink*>(self);
    emit link->message(QByteArray(message->topic),
                       QByteArray(static_cast<const char*>(message->payload), message->payloadlen));
}

}  // namespace rumo
