// logind's object for the session this program runs in, asked on a system-bus connection the
// caller holds (libdbus, so it can be asked from a thread of the caller's own).
#pragma once

#include <string>

struct DBusConnection;

namespace rumo {

// The session's object path, by XDG_SESSION_ID where the session gave one, else by this process;
// empty when logind does not answer within the time-out or knows no such session.
std::string logindSessionPath(DBusConnection* system, int timeoutMs);

}  // namespace rumo
