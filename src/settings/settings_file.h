// The settings file on disk: read whole for a snapshot; written under an exclusive lock held over
// the whole read-modify-write, through a temporary file in the same folder that is synced and
// renamed over the file, mode 0600, through symbolic links. No caching: every read and every
// write starts from the file itself.
//
// The store acts for the user who owns the settings folder. Anyone else is refused, except root
// (sudo with HOME kept), which acts as that user: it creates only files of the user's, and may
// open only what the user may. A folder others can write to, a file or lock of another user's
// (through a link or not) and a lock that is not a plain file are refused with the name of the
// file at fault.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rumo {

// The file's text as UTF-8 (a UTF-16 file, recognised by its byte-order mark or by an ASCII
// character paired with a zero byte at its start, is converted) and the way back to the file's
// own encoding, so a UTF-16 file stays UTF-16, with or without its mark.
struct SettingsFileText {
    enum class Encoding { Utf8, Utf16LE, Utf16BE };
    std::string utf8;
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    // Converting the text back gives the file's bytes (false for UTF-16 with an unpaired
    // surrogate or an odd last byte, which no write could keep).
    bool exact = true;
};
SettingsFileText decodeSettingsFile(std::string bytes);
std::string encodeSettingsFile(std::string utf8, SettingsFileText::Encoding encoding,
                               bool byteOrderMark);

// The whole file, or nothing when it is missing or cannot be read (then every value reads as
// its default).
std::optional<std::string> readSettingsFile(const std::string& path);

// Runs `edit` on the file's current bytes (empty for a missing file) under the lock and stores
// what it returns (nothing: the file stays as it is). Returns the reason of a failure, empty on
// success; after a failure the file is as it was. A lock held by another writer for more than a
// few seconds is such a failure.
std::string editSettingsFile(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string&)>& edit);

}  // namespace rumo
