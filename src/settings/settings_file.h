// The settings file on disk: read whole for a snapshot; written under an exclusive lock held over
// the whole read-modify-write, through a temporary file in the same folder that is synced and
// renamed over the file, mode 0600, through symbolic links. No caching: every read and every
// write starts from the file itself.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rumo {

// The file's text as UTF-8 (a UTF-16 file, recognised by its byte-order mark, is converted) and
// the way back to the file's own encoding, so a UTF-16 file stays UTF-16.
struct SettingsFileText {
    enum class Encoding { Utf8, Utf16LE, Utf16BE };
    std::string utf8;
    Encoding encoding = Encoding::Utf8;
};
SettingsFileText decodeSettingsFile(std::string bytes);
std::string encodeSettingsFile(std::string utf8, SettingsFileText::Encoding encoding);

// The whole file, or nothing when it is missing or cannot be read (then every value reads as
// its default).
std::optional<std::string> readSettingsFile(const std::string& path);

// Runs `edit` on the file's current bytes (empty for a missing file) under the lock and stores
// what it returns (nothing: the file stays as it is). Returns the reason of a failure, empty on
// success; after a failure the file is as it was.
std::string editSettingsFile(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string&)>& edit);

}  // namespace rumo
