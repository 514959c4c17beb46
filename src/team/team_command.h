// The team board's command-line options: --publish ADDRESS|off, --publish-as ID, --board
// [ADDRESS], --fullscreen. They work alone, without a run mode.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace rumo {

class SettingsStore;

struct TeamRequest {
    std::optional<QString> publish;    // an address, or "off"
    std::optional<QString> publishAs;  // the user id
    bool board = false;
    QString boardAddress;  // empty: the one publishing uses
    bool fullscreen = false;
    QString error;  // one line; the program then ends with status 2

    bool any() const { return publish || publishAs || board || fullscreen; }
};

// Takes the team's options out of `arguments` and returns the rest.
QStringList takeTeamOptions(const QStringList& arguments, TeamRequest& request);

// --publish and --publish-as: stores the settings (the password, read from standard input when
// the address names a user, goes to the keyring first; nothing is stored when that fails).
int runPublishRequest(SettingsStore& store, const TeamRequest& request);

// The address publishing uses, "mqtt://host:1883/office", or empty when it is off.
QString publishingAddress(SettingsStore& store);

QString teamUsageText();

// One line of standard input, not echoed when typed at a terminal (after `prompt` there).
std::optional<std::string> readSecretLine(const char* prompt);

}  // namespace rumo
