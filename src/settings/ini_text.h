// The text forms of names and values in the settings file, as the file has always held them
// (the INI dialect Qt's QSettings reads and writes), so files written by earlier versions read the
// same and files we write stay readable by QSettings.
#pragma once

#include <string>
#include <string_view>

namespace rumo {

// A key or section name as it stands in the file: '\' separates groups, %XX and %UXXXX escape
// other characters. Unescaped, with '/' between groups.
std::string unescapeIniName(std::string_view text);
// The file's form of a name made of letters, digits and '/' (every name of the settings table).
std::string escapeIniName(std::string_view name);

// A value as it stands after '=': quotes, backslash escapes (\n, \", \\, \xNNNN, octal), blanks
// around unquoted text dropped, a leading "@@" for a value that starts with '@'. Bytes that are
// not escapes are kept as they are, valid UTF-8 or not; a comma is an ordinary character; an
// unquoted ';' starts a comment; a backslash before a non-ASCII character keeps the character.
// An unbalanced quote runs to the end of the line and a trailing backslash is dropped: neither
// reaches into the next line, as they would for QSettings.
std::string unescapeIniValue(std::string_view text);
// The file's form of a UTF-8 value: what QSettings writes for the same text, so that a value
// reads back unchanged through either.
std::string escapeIniValue(std::string_view value);

}  // namespace rumo
