// Where the calendar's texts come from: a local .ics file, or an http(s) URL of an .ics feed or a
// CalDAV collection.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace rumo {

// The form a source is kept in: an absolute path to an existing file, or an http(s) URL
// (webcal:// read as https://). Empty, with the reason in `error`, when it cannot be used; a URL
// carrying a user name or password is refused, since the settings file is no place for secrets.
QString sourceToKeep(const QString& given, QString& error);

// The text of a local source; empty, with the reason in `error`, when it cannot be read. URLs are
// read through their kept copies (kept_copy.h, source_fetch.h).
std::optional<std::string> readSource(const QString& path, QString& error);

}  // namespace rumo
