#include "platform/secret_store.h"

#include <qt6keychain/keychain.h>
#include <QEventLoop>

namespace rumo {
namespace {

// The service the entries are filed under in the keyring, as a keyring browser shows them.
constexpr auto kService = "rumo";

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

SecretResult run(QKeychain::Job& job, const QString& name) {
    // Never the library's plain-text fallback file: a secret goes to the keyring or nowhere.
    job.setInsecureFallback(false);
    job.setAutoDelete(false);
    job.setKey(name);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    SecretResult result;
    result.status = statusOf(job.error());
    if (!result.ok()) {
        result.error = result.status == SecretStatus::NoKeyring
                           ? QStringLiteral("no keyring (Secret Service) is available: %1")
                                 .arg(job.errorString())
                           : job.errorString();
    }
    return result;
}

}  // namespace

SecretResult readSecret(const QString& name) {
    QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
    SecretResult result = run(job, name);
    if (result.ok()) {
        result.secret = job.textData();
    }
    return result;
}

SecretResult storeSecret(const QString& name, const QString& secret) {
    QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
    job.setTextData(secret);
    return run(job, name);
}

SecretResult forgetSecret(const QString& name) {
    QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
    SecretResult result = run(job, name);
    if (result.status == SecretStatus::NotFound) {
        result = SecretResult{SecretStatus::Ok, {}, {}};
    }
    return result;
}

}  // namespace rumo
