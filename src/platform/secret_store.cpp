#include "platform/secret_store.h"

#include <dbus/dbus.h>

#include <qt6keychain/keychain.h>
#include <QEventLoop>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/bus_thread.h"

namespace rumo {
namespace {

// The service the entries are filed under in the keyring, as a keyring browser shows them.
constexpr auto kService = "rumo";

// The keyrings QtKeychain talks to on this desktop: the Secret Service, or KWallet.
constexpr const char* kKeyringNames[] = {"org.freedesktop.secrets", "org.kde.kwalletd6",
                                         "org.kde.kwalletd5", "org.kde.kwalletd"};

// Asking the bus which names it has and can start takes it a moment; one that does not answer in
// this time has no keyring to offer us either.
constexpr std::chrono::milliseconds kBusWait{2000};
// A keyring may ask the user to unlock it, or to make a first keyring with a password: time enough
// for typing one, and no endless wait where nobody can answer (a keyring started without a
// prompter waits for ever).
constexpr std::chrono::milliseconds kKeyringWait{120000};

bool listHas(DBusConnection* bus, const char* method) {
    DBusMessage* call = dbus_message_new_method_call(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method);
    if (call == nullptr) {
        return false;
    }
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(
        bus, call, static_cast<int>(kBusWait.count()), &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    if (reply == nullptr) {
        return false;
    }
    bool found = false;
    char** names = nullptr;
    int count = 0;
    if (dbus_message_get_args(reply, nullptr, DBUS_TYPE_ARRAY, DBUS_TYPE_STRING, &names, &count,
                              DBUS_TYPE_INVALID)) {
        for (int i = 0; i < count && !found; ++i) {
            for (const char* keyring : kKeyringNames) {
                found = found || std::string_view(names[i]) == keyring;
            }
        }
        dbus_free_string_array(names);
    }
    dbus_message_unref(reply);
    return found;
}

// Whether a keyring runs on the session bus or can be started by it. Without this check QtKeychain
// only finds out after the bus's 25-second time-out.
bool keyringOnTheBus() {
    struct Answer {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool found = false;
    };
    auto answer = std::make_shared<Answer>();
    BusThread::start();
    BusThread::post([answer](BusThread::Buses& buses) {
        const bool found =
            buses.session != nullptr &&
            (listHas(buses.session, "ListNames") || listHas(buses.session, "ListActivatableNames"));
        const std::lock_guard lock(answer->mutex);
        answer->found = found;
        answer->finished = true;
        answer->done.notify_all();
    });
    // Two questions of kBusWait each, behind whatever the bus thread is busy with.
    std::unique_lock lock(answer->mutex);
    return answer->done.wait_for(lock, 3 * kBusWait, [&answer] { return answer->finished; }) &&
           answer->found;
}

SecretStatus statusOf(QKeychain::Error error) {
    switch (error) {
        case QKeychain::NoError:
            return SecretStatus::Ok;
        case QKeychain::EntryNotFound:
            return SecretStatus::NotFound;
        case QKeychain::NoBackendAvailable:
        case QKeychain::NotImplemented:
        case QKeychain::AccessDenied:
        case QKeychain::AccessDeniedByUser:
            return SecretStatus::NoKeyring;
        default:
            return SecretStatus::Failed;
    }
}

SecretResult noKeyring(const QString& why) {
    return {SecretStatus::NoKeyring,
            {},
            QStringLiteral("no keyring (Secret Service) is available: %1").arg(why)};
}

// Runs the job and waits for its answer, at most kKeyringWait. The job lives on its own after a
// time-out and deletes itself when the keyring finally answers.
SecretResult run(QKeychain::Job* job, const QString& name) {
    if (!keyringOnTheBus()) {
        delete job;
        return noKeyring(QStringLiteral("no keyring service on the session bus"));
    }
    // Never the library's plain-text fallback file: a secret goes to the keyring or nowhere.
    job->setInsecureFallback(false);
    job->setAutoDelete(true);
    job->setKey(name);
    auto result = std::make_shared<SecretResult>();
    result->error = QStringLiteral("the keyring did not answer within %1 seconds")
                        .arg(kKeyringWait.count() / 1000);
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [result, &loop](QKeychain::Job* done) {
        result->status = statusOf(done->error());
        result->error.clear();
        if (result->ok()) {
            if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(done)) {
                result->secret = read->textData();
            }
        } else if (result->status == SecretStatus::NoKeyring) {
            *result = noKeyring(done->errorString());
        } else {
            result->error = done->errorString();
        }
        loop.quit();
    });
    QTimer::singleShot(kKeyringWait, &loop, &QEventLoop::quit);
    job->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(job, nullptr, &loop, nullptr);
    return *result;
}

}  // namespace

SecretResult readSecret(const QString& name) {
    return run(new QKeychain::ReadPasswordJob(QString::fromLatin1(kService)), name);
}

SecretResult storeSecret(const QString& name, const QString& secret) {
    auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService));
    job->setTextData(secret);
    return run(job, name);
}

SecretResult forgetSecret(const QString& name) {
    SecretResult result =
        run(new QKeychain::DeletePasswordJob(QString::fromLatin1(kService)), name);
    if (result.status == SecretStatus::NotFound) {
        result = SecretResult{SecretStatus::Ok, {}, {}};
    }
    return result;
}

}  // namespace rumo
