// The chat links against fake services of the test's own on 127.0.0.1: the requests each API
// expects, the earlier status put back, a status changed by hand left alone, and failures (an
// error answer, no answer) told once and tried again.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "team/chat_link.h"

namespace rumo {
namespace {

struct Seen {
    QByteArray method;
    QByteArray path;
    QByteArray authorization;
    QJsonObject body;
};

// A small HTTP/1.1 server: each request is answered by `answer`; a status of 0 never answers.
class FakeService {
public:
    using Answer = std::function<std::pair<int, QByteArray>(const Seen&)>;

    explicit FakeService(Answer answer) : answer_(std::move(answer)) {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { serve(*socket); });
            }
        });
    }

    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()));
    }
    std::vector<Seen> seen;

private:
    void serve(QTcpSocket& socket) {
        QByteArray& buffer = buffers_[&socket];
        buffer += socket.readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        Seen request;
        const QList<QByteArray> first = lines[0].trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        qsizetype length = 0;
        for (const QByteArray& line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                length = value.toLongLong();
            } else if (name == "authorization") {
                request.authorization = value;
            }
        }
        if (buffer.size() < end + 4 + length) {
            return;
        }
        request.body = QJsonDocument::fromJson(buffer.mid(end + 4, length)).object();
        buffer.remove(0, end + 4 + length);
        seen.push_back(request);
        const auto [status, body] = answer_(request);
        if (status == 0) {
            return;
        }
        socket.write("HTTP/1.1 " + QByteArray::number(status) +
                     " X\r\nContent-Type: application/json\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }

    Answer answer_;
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> buffers_;
};

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 20'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

const ChatTiming kQuick{300, 50, 200};

MemberStatus away(const std::string& where) {
    MemberStatus status;
    status.id = "alice";
    status.state = Presence::Away;
    status.where = where;
    status.back = QDateTime(QDate::currentDate(), QTime(15, 0)).toSecsSinceEpoch();
    status.since = QDateTime::currentSecsSinceEpoch();
    return status;
}

MemberStatus present() {
    MemberStatus status;
    status.id = "alice";
    status.state = Presence::Present;
    status.since = QDateTime::currentSecsSinceEpoch();
    return status;
}

const QString kAwayText = QStringLiteral("会議室B、15:00 戻り予定");

// Mattermost keeps the custom status as a JSON text in the user's props.
struct FakeMattermost {
    QJsonObject custom{{"text", "在宅"}, {"emoji", "house"}};
    int failFirst = 0;    // requests answered 500 before any success
    int silentFirst = 0;  // requests never answered
    FakeService service{[this](const Seen& request) -> std::pair<int, QByteArray> {
        if (silentFirst > 0) {
            --silentFirst;
            return {0, {}};
        }
        if (failFirst > 0) {
            --failFirst;
            return {500, "{}"};
        }
        if (request.method == "GET" && request.path == "/api/v4/users/me") {
            const QJsonObject props{{"customStatus", QString::fromUtf8(QJsonDocument(custom).toJson(
                                                         QJsonDocument::Compact))}};
            return {200, QJsonDocument(QJsonObject{{"id", "u1"}, {"props", props}}).toJson()};
        }
        if (request.path == "/api/v4/users/me/status/custom") {
            custom = request.method == "PUT" ? request.body : QJsonObject();
            return {200, R"({"status":"OK"})"};
        }
        return {404, "{}"};
    }};
};

std::vector<QByteArray> calls(const std::vector<Seen>& seen) {
    std::vector<QByteArray> out;
    for (const Seen& request : seen) {
        out.push_back(request.method + ' ' + request.path);
    }
    return out;
}

TEST(ChatLink, MattermostSetsTheDestinationAndPutsTheEarlierStatusBack) {
    FakeMattermost fake;
    QNetworkAccessManager network;
    auto link =
        makeStatusLink(ChatService::Mattermost, fake.service.url(), "tok", {}, network, kQuick);
    int told = 0;
    QObject::connect(link.get(), &ChatLink::failed, [&] { ++told; });

    link->follow(away("会議室B"));
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == kAwayText; }));
    const Seen& set = fake.service.seen.back();
    EXPECT_EQ(set.authorization, "Bearer tok");
    EXPECT_EQ(set.body.value("emoji").toString(), "walking");
    EXPECT_EQ(set.body.value("duration").toString(), "date_and_time");
    EXPECT_TRUE(
        QDateTime::fromString(set.body.value("expires_at").toString(), Qt::ISODate).isValid());

    // A new destination while away replaces ours; the earlier status is still the one kept.
    link->follow(away("食堂"));
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text").toString().startsWith("食堂"); }));
    link->follow(present());
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == "在宅"; }));
    EXPECT_EQ(fake.custom.value("emoji").toString(), "house");
    EXPECT_EQ(calls(fake.service.seen),
              (std::vector<QByteArray>{"GET /api/v4/users/me", "PUT /api/v4/users/me/status/custom",
                                       "PUT /api/v4/users/me/status/custom", "GET /api/v4/users/me",
                                       "PUT /api/v4/users/me/status/custom"}));

    // No earlier status: ours is taken off again.
    fake.custom = {};
    link->follow(away("会議室B"));
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == kAwayText; }));
    link->follow(present());
    ASSERT_TRUE(waitFor([&] { return fake.service.seen.back().method == "DELETE"; }));
    EXPECT_TRUE(fake.custom.isEmpty());
    EXPECT_EQ(told, 0);
}

TEST(ChatLink, AStatusChangedByHandWhileAwayStays) {
    FakeMattermost fake;
    QNetworkAccessManager network;
    auto link =
        makeStatusLink(ChatService::Mattermost, fake.service.url(), "tok", {}, network, kQuick);
    link->follow(away("会議室B"));
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == kAwayText; }));
    fake.custom = QJsonObject{{"text", "昼食"}, {"emoji", "bento"}};
    link->follow(present());
    ASSERT_TRUE(waitFor([&] { return fake.service.seen.size() == 3; }));
    EXPECT_EQ(fake.custom.value("text").toString(), "昼食");
    // Away again: a restore, had one been sent, would come before this next read.
    link->follow(away("会議室B"));
    ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == kAwayText; }));
    EXPECT_EQ(calls(fake.service.seen),
              (std::vector<QByteArray>{"GET /api/v4/users/me", "PUT /api/v4/users/me/status/custom",
                                       "GET /api/v4/users/me", "GET /api/v4/users/me",
                                       "PUT /api/v4/users/me/status/custom"}));
}

TEST(ChatLink, AnErrorAnswerAndNoAnswerAreToldOnceAndTriedAgain) {
    for (const bool silent : {false, true}) {
        FakeMattermost fake;
        (silent ? fake.silentFirst : fake.failFirst) = 3;
        QNetworkAccessManager network;
        auto link =
            makeStatusLink(ChatService::Mattermost, fake.service.url(), "tok", {}, network, kQuick);
        QStringList told;
        QObject::connect(link.get(), &ChatLink::failed, [&](const QString& text) { told << text; });
        link->follow(away("会議室B"));
        ASSERT_TRUE(waitFor([&] { return fake.custom.value("text") == kAwayText; })) << silent;
        ASSERT_EQ(told.size(), 1) << silent;
        EXPECT_TRUE(told[0].contains(silent ? "応答がありません" : "HTTP 500"))
            << qPrintable(told[0]);
        EXPECT_FALSE(told[0].contains(QString::number(fake.service.url().port())));
        EXPECT_EQ(fake.service.seen.size(), 5u);  // three failed reads, one read, one write
    }
}

TEST(ChatLink, WebhookPostsEachStateAsTheBoardsMessage) {
    std::vector<Seen>* seen = nullptr;
    FakeService hook([](const Seen&) { return std::pair<int, QByteArray>{204, {}}; });
    seen = &hook.seen;
    QNetworkAccessManager network;
    QUrl url = hook.url();
    url.setPath(QStringLiteral("/hook/secret-id"));
    auto link = makeWebhookLink(url, "s3", network, kQuick);
    link->follow(away("会議室B"));
    ASSERT_TRUE(waitFor([&] { return seen->size() == 1; }));
    link->follow(present());
    ASSERT_TRUE(waitFor([&] { return seen->size() == 2; }));
    EXPECT_EQ(calls(*seen),
              (std::vector<QByteArray>{"POST /hook/secret-id", "POST /hook/secret-id"}));
    EXPECT_EQ((*seen)[0].authorization, "Bearer s3");
    EXPECT_EQ((*seen)[0].body.value("state").toString(), "away");
    EXPECT_EQ((*seen)[0].body.value("where").toString(), "会議室B");
    EXPECT_EQ((*seen)[0].body.value("back").toInteger(), *away("").back);
    EXPECT_EQ((*seen)[1].body.value("state").toString(), "present");
}

TEST(ChatLink, SlackAndMatrixReadSetAndPutBack) {
    QJsonObject slack{
        {"status_text", "在宅"}, {"status_emoji", ":house:"}, {"status_expiration", 0}};
    FakeService slackService([&](const Seen& request) -> std::pair<int, QByteArray> {
        if (request.path == "/api/users.profile.set") {
            slack = request.body.value("profile").toObject();
        }
        return {200, QJsonDocument(QJsonObject{{"ok", true}, {"profile", slack}}).toJson()};
    });
    QJsonObject matrix{{"presence", "online"}, {"status_msg", "在宅"}};
    FakeService matrixService([&](const Seen& request) -> std::pair<int, QByteArray> {
        if (request.method == "PUT") {
            matrix = request.body;
            return {200, "{}"};
        }
        return {200, QJsonDocument(matrix).toJson()};
    });
    QNetworkAccessManager network;
    auto toSlack =
        makeStatusLink(ChatService::Slack, slackService.url(), "xoxp", {}, network, kQuick);
    auto toMatrix = makeStatusLink(ChatService::Matrix, matrixService.url(), "syt",
                                   "@alice:example.org", network, kQuick);
    for (ChatLink* link : {toSlack.get(), toMatrix.get()}) {
        link->follow(away("会議室B"));
    }
    ASSERT_TRUE(waitFor([&] {
        return slack.value("status_text") == kAwayText && matrix.value("status_msg") == kAwayText;
    }));
    EXPECT_EQ(slack.value("status_emoji").toString(), ":walking:");
    EXPECT_GT(slack.value("status_expiration").toInteger(), QDateTime::currentSecsSinceEpoch());
    EXPECT_EQ(matrix.value("presence").toString(), "unavailable");
    for (ChatLink* link : {toSlack.get(), toMatrix.get()}) {
        link->follow(present());
    }
    ASSERT_TRUE(waitFor([&] {
        return slack.value("status_text") == "在宅" && matrix.value("status_msg") == "在宅";
    }));
    EXPECT_EQ(slack.value("status_emoji").toString(), ":house:");
    EXPECT_EQ(matrix.value("presence").toString(), "online");
    EXPECT_EQ(
        calls(slackService.seen),
        (std::vector<QByteArray>{"GET /api/users.profile.get", "POST /api/users.profile.set",
                                 "GET /api/users.profile.get", "POST /api/users.profile.set"}));
    const QByteArray path = "/_matrix/client/v3/presence/%40alice%3Aexample.org/status";
    EXPECT_EQ(calls(matrixService.seen), (std::vector<QByteArray>{"GET " + path, "PUT " + path,
                                                                  "GET " + path, "PUT " + path}));
    EXPECT_EQ(slackService.seen[1].authorization, "Bearer xoxp");
    EXPECT_EQ(matrixService.seen[1].authorization, "Bearer syt");
}

}  // namespace
}  // namespace rumo
