// A file that belongs to one user and is kept private to them (mode 0600): read whole, and
// changed under an exclusive lock held over the whole read-modify-write, through a temporary file
// in the same folder that is synced and renamed over the file, through symbolic links.
//
// The file is handled for the user who owns its folder. Anyone else is refused, except root
// (sudo with HOME kept), which acts as that user: it creates only files of the user's, and may
// open only what the user may. A folder others can write to, a file or lock of another user's
// (through a link or not) and a lock that is not a plain file are refused with the name of the
// file at fault.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rumo {

// The whole file, or nothing when it is missing or cannot be read. Never blocks on a FIFO or a
// device put in the file's place.
std::optional<std::string> readPrivateFile(const std::string& path);

// Runs `edit` on the file's current bytes (empty for a missing file) under the lock and stores
// what it returns (nothing: the file stays as it is, made private if it was not). Makes the
// missing folders, private to the user. Returns the reason of a failure, empty on success; after
// a failure the file is as it was. A lock held by another writer for more than a few seconds is
// such a failure, told with `busy`.
std::string editPrivateFile(
    const std::string& path, const std::string& busy,
    const std::function<std::optional<std::string>(const std::string&)>& edit);

}  // namespace rumo
