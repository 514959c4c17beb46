// The chat status's command-line option: --chat SERVICE ADDRESS [USER], --chat off SERVICE,
// --chat list. It works alone, without a run mode; a token comes on standard input, never on
// the command line.
#pragma once

#include <QString>
#include <QStringList>

namespace rumo {

class SettingsStore;

struct ChatRequest {
    QStringList words;  // what followed --chat
    QString error;      // one line; the program then ends with status 2
    bool any() const { return !words.isEmpty() || !error.isEmpty(); }
};

// Takes --chat and its words out of `arguments` and returns the rest.
QStringList takeChatOptions(const QStringList& arguments, ChatRequest& request);

int runChatRequest(SettingsStore& store, const ChatRequest& request);

QString chatUsageText();

}  // namespace rumo
