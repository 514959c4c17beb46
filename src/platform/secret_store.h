// The user's secrets (calendar and broker passwords, chat tokens) in the desktop's keyring through
// the Secret Service. Nothing is ever written anywhere else: where no keyring answers, the caller
// is told so and nothing is kept.
#pragma once

#include <QString>

namespace rumo {

enum class SecretStatus {
    Ok,
    NotFound,   // the keyring answers but holds nothing under that name
    NoKeyring,  // no Secret Service on the session bus, or it refused us
    Failed,
};

struct SecretResult {
    SecretStatus status = SecretStatus::Failed;
    QString secret;  // set by readSecret when the status is Ok
    QString error;   // one line for the user when the status is not Ok
    bool ok() const { return status == SecretStatus::Ok; }
};

// `name` tells the entry apart within the program's own entries, such as "calendar <url>". Each
// call waits for the keyring's answer (a QCoreApplication must exist); a keyring that asks the user
// to unlock it may make that take a while.
SecretResult readSecret(const QString& name);
SecretResult storeSecret(const QString& name, const QString& secret);
// Forgetting what is not there is not a failure.
SecretResult forgetSecret(const QString& name);

}  // namespace rumo
