// The resident's side of the team board: while the user has turned publishing on, one retained
// message on `<team>/<user id>` says whether they are present or away (where to, back when,
// since when), sent again on each change of the notice, the destination or the return time; the
// broker's last will says "off" when the resident or its machine goes.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "team/broker_address.h"
#include "team/member_status.h"
#include "team/notice_link.h"

namespace rumo {

class MqttLink;
class SettingsStore;
class SettingsFileWatcher;

// What publishing needs from the settings, read together.
struct PublishConfig {
    BrokerAddress address;
    std::string userId;
    friend bool operator==(const PublishConfig&, const PublishConfig&) = default;
};

class TeamPublisher : public QObject {
    Q_OBJECT
public:
    // `settingsFile` is watched for changes any process makes (empty: none is watched).
    TeamPublisher(SettingsStore& store, const QString& settingsFile, QObject* parent = nullptr);
    ~TeamPublisher() override;

    // The state as it is now, published or not: for the chat status too.
    MemberStatus current() const;

signals:
    // The user's state changed (the notice began or ended, the destination or return time
    // changed while away).
    void statusChanged(const rumo::MemberStatus& status);

private:
    void refresh();
    void stopPublishing();

    SettingsStore& store_;
    std::unique_ptr<SettingsFileWatcher> watcher_;
    NoticeWatch notices_;
    std::optional<PublishConfig> config_;
    std::unique_ptr<MqttLink> link_;
    QByteArray topic_;
    QByteArray lastPayload_;
    std::optional<MemberStatus> lastStatus_;
    qint64 presentSince_ = 0;
};

// The login name, the default user id.
std::string loginName();

// The keyring's name for the broker's password.
QString brokerSecretName(const BrokerAddress& address);

}  // namespace rumo
