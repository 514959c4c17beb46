// Where the calendar's texts come from: a local .ics file or an http(s) URL of an .ics feed.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace rumo {

// The form a source is kept in: an absolute path to an existing file, or an http(s) URL
// (webcal:// read as https://). Empty, with the reason in `error`, when it cannot be used; a URL
// carrying a user name or password is refused, since the settings file is no place for secrets.
QString sourceToKeep(const QString& given, QString& error);

// The text of a source; empty, with the reason in `error`, when it cannot be had in time. A
// URL is fetched over QtNetwork and needs a running QCoreApplication.
std::optional<std::string> readSource(const QString& source, QString& error);

}  // namespace rumo
