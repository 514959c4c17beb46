// The last good text of each calendar URL, kept in the user's cache folder so that the program
// works offline and asks the server only for what changed.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace rumo {

// A source as the settings keep it: a local path or a URL, and the user name it is read with.
struct CalendarSourceRef {
    QString location;
    QString user;
    bool isUrl() const;
    // Where its password is filed in the keyring.
    QString secretName() const;
};

struct KeptCopy {
    enum class Kind { Feed, CalDav };
    Kind kind = Kind::Feed;
    // An .ics feed's validators for a conditional GET.
    QByteArray etag;
    QByteArray lastModified;
    // A CalDAV collection's tag (getctag, or the sync token) and the time range the text holds.
    QByteArray collectionTag;
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::int64_t fetchedAt = 0;
    std::string text;
};

std::optional<KeptCopy> readKeptCopy(const CalendarSourceRef& source);
// Replaces the copy at once (never half written), readable by the user alone.
bool keepCopy(const CalendarSourceRef& source, const KeptCopy& copy, QString& error);
void forgetKeptCopy(const CalendarSourceRef& source);

}  // namespace rumo
