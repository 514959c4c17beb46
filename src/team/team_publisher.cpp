#include "team/team_publisher.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

#include "bar/settings_file_watcher.h"
#include "common/qt_values.h"
#include "platform/secret_store.h"
#include "settings/return_setting.h"
#include "settings/settings_store.h"
#include "team/mqtt_link.h"
#include "team/team_settings.h"

namespace rumo {

namespace {

// What the board shows for a destination the user keeps to themselves: a word the team reads,
// so in the user's language as the notice itself is ("外出中" in Japanese).
std::string privateWhere() {
    return QCoreApplication::translate("TeamBoard", "Out", "published in place of the destination")
        .toStdString();
}

std::optional<PublishConfig> readConfig(const SettingsSnapshot& values) {
    if (!values.read(settings::TeamPublish)) {
        return std::nullopt;
    }
    const std::string broker = values.read(settings::TeamBroker);
    const std::string topic = values.read(settings::TeamTopic);
    std::optional<BrokerAddress> address = parseBrokerAddress(broker + '/' + topic);
    std::string userId = values.read(settings::TeamUserId);
    if (userId.empty()) {
        userId = loginName();
    }
    if (!address || !validUserId(userId)) {
        return std::nullopt;
    }
    return PublishConfig{std::move(*address), std::move(userId)};
}

std::optional<std::int64_t> epochOf(const std::optional<LocalMinute>& at) {
    if (!at) {
        return std::nullopt;
    }
    const QDateTime local(QDate(at->year, at->month, at->day), QTime(at->hour, at->minute));
    return local.toSecsSinceEpoch();
}

}  // namespace

std::string loginName() {
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr) {
        return entry->pw_name;
    }
    return std::to_string(getuid());
}

QString brokerSecretName(const BrokerAddress& address) {
    return QStringLiteral("mqtt ") + QString::fromStdString(address.server());
}

TeamPublisher::TeamPublisher(SettingsStore& store, const QString& settingsFile, QObject* parent)
    : QObject(parent), store_(store), presentSince_(QDateTime::currentSecsSinceEpoch()) {
    if (!settingsFile.isEmpty()) {
        watcher_ = std::make_unique<SettingsFileWatcher>(settingsFile);
        connect(watcher_.get(), &SettingsFileWatcher::changed, this, &TeamPublisher::refresh);
    }
    connect(&notices_, &NoticeWatch::changed, this, [this] {
        if (!notices_.shownSince()) {
            presentSince_ = QDateTime::currentSecsSinceEpoch();
        }
        refresh();
    });
    if (!notices_.listen()) {
        std::fprintf(stderr, "rumo: cannot follow the notice for the team board\n");
    }
    refresh();
}

TeamPublisher::~TeamPublisher() = default;

MemberStatus TeamPublisher::current() const {
    const SettingsSnapshot values = store_.snapshot();
    MemberStatus status;
    status.id = config_ ? config_->userId : loginName();
    status.name = values.read(settings::Name);
    status.where = values.read(settings::Where);
    if (values.read(settings::TeamPrivateWhere) && !status.where.empty()) {
        status.where = privateWhere();
    }
    status.back =
        epochOf(currentReturn(readReturnTime(values), localDateTime(QDateTime::currentDateTime())));
    if (const std::optional<qint64> since = notices_.shownSince()) {
        status.state = Presence::Away;
        status.since = *since;
    } else {
        status.state = Presence::Present;
        status.since = presentSince_;
    }
    return status;
}

void TeamPublisher::refresh() {
    const MemberStatus status = current();
    if (status != lastStatus_) {
        lastStatus_ = status;
        emit statusChanged(status);
    }
    const std::optional<PublishConfig> config = readConfig(store_.snapshot());
    if (config != config_) {
        stopPublishing();
        config_ = config;
        if (config_) {
            QString password;
            if (!config_->address.user.empty()) {
                const SecretResult secret = readSecret(brokerSecretName(config_->address));
                if (!secret.ok()) {
                    std::fprintf(stderr, "rumo: no password for the team's broker: %s\n",
                                 qPrintable(secret.error));
                }
                password = secret.secret;
            }
            link_ = std::make_unique<MqttLink>(config_->address, password);
            topic_ = QByteArray::fromStdString(config_->address.team + '/' + config_->userId);
            MemberStatus will = status;
            will.id = config_->userId;
            will.state = Presence::Off;
            will.where.clear();
            will.back.reset();
            will.since.reset();
            link_->setWill({topic_, QByteArray::fromStdString(statusJson(will))});
            connect(link_.get(), &MqttLink::failed, this, [](const QString& reason) {
                std::fprintf(stderr, "rumo: team board: %s\n", qPrintable(reason));
            });
            link_->start();
        }
    }
    if (!link_) {
        return;
    }
    MemberStatus published = status;
    published.id = config_->userId;
    const QByteArray payload = QByteArray::fromStdString(statusJson(published));
    if (payload != lastPayload_) {
        lastPayload_ = payload;
        link_->publishRetained(topic_, payload);
    }
}

void TeamPublisher::stopPublishing() {
    if (link_) {
        // Turned off: the board forgets the user rather than showing them "off".
        link_->leave(topic_);
        link_.reset();
    }
    lastPayload_.clear();
}

}  // namespace rumo
