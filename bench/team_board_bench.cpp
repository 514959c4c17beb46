// The office board with 5,000 people: their retained states published to a local mosquitto,
// then a board window opening on them (time until every row is in the view, and the memory the
// board takes), and a stream of changes after that (how many per second the board takes in).
#include <benchmark/benchmark.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "team/board_window.h"
#include "team/member_status.h"

namespace {

constexpr int kPeople = 5000;

int freePort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

struct Broker {
    QTemporaryDir folder;
    QProcess process;
    int port = freePort();
    Broker() {
        const QString config = folder.filePath(QStringLiteral("mosquitto.conf"));
        QFile file(config);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray("listener ") + QByteArray::number(port) +
                   " 127.0.0.1\nallow_anonymous true\npersistence false\nmax_queued_messages 0\n");
        file.close();
        process.start(QStringLiteral("/usr/sbin/mosquitto"), {QStringLiteral("-c"), config});
        process.waitForStarted();
    }
    ~Broker() {
        process.terminate();
        process.waitForFinished();
    }
};

// A plain client publishing people's states as fast as the broker takes them.
struct Publisher {
    mosquitto* client;
    explicit Publisher(int port) {
        client = mosquitto_new(nullptr, true, nullptr);
        while (mosquitto_connect(client, "127.0.0.1", port, 60) != MOSQ_ERR_SUCCESS) {
            usleep(50000);
        }
        mosquitto_loop_start(client);
    }
    ~Publisher() {
        mosquitto_disconnect(client);
        mosquitto_loop_stop(client, false);
        mosquitto_destroy(client);
    }
    void publish(int person, rumo::Presence state, const std::string& where) {
        const rumo::MemberStatus status{"u" + std::to_string(person),
                                        "社員" + std::to_string(person),
                                        state,
                                        where,
                                        1796839359,
                                        1796835000};
        const std::string topic = "bench/u" + std::to_string(person);
        const std::string payload = rumo::statusJson(status);
        mosquitto_publish(client, nullptr, topic.c_str(), static_cast<int>(payload.size()),
                          payload.data(), 1, true);
    }
};

void waitUntil(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void BoardOfFiveThousand(benchmark::State& state) {
    Broker broker;
    {
        Publisher publisher(broker.port);
        for (int i = 0; i < kPeople; ++i) {
            publisher.publish(i, i % 3 == 0 ? rumo::Presence::Away : rumo::Presence::Present,
                              "会議室" + std::to_string(i % 12));
        }
        usleep(500000);  // the publisher's thread hands the last ones over
    }
    rumo::BrokerAddress address;
    address.host = "127.0.0.1";
    address.port = broker.port;
    address.team = "bench";
    for (auto _ : state) {
        const long before = residentKiB();
        QElapsedTimer clock;
        clock.start();
        rumo::BoardWindow window(address, {}, false);
        window.show();
        waitUntil([&] { return window.table().rowCount() == kPeople; });
        QCoreApplication::processEvents();  // the view paints its first screen
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        state.counters["board_KiB"] = static_cast<double>(residentKiB() - before);

        // A steady stream: every change is a person's new destination; the board must take them
        // in faster than 100 a second.
        Publisher publisher(broker.port);
        constexpr int kChanges = 2000;
        QElapsedTimer stream;
        stream.start();
        for (int i = 0; i < kChanges; ++i) {
            publisher.publish(i % kPeople, rumo::Presence::Away, "出張" + std::to_string(i));
        }
        const std::string last = "出張" + std::to_string(kChanges - 1);
        waitUntil([&] {
            const rumo::BoardModel& board = window.table().board();
            for (std::size_t row = 0; row < board.size(); ++row) {
                if (board.row(row).where == last) {
                    return true;
                }
            }
            return false;
        });
        state.counters["changes_per_s"] =
            kChanges / (static_cast<double>(stream.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BoardOfFiveThousand)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
