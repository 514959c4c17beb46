// Whether the session bus answers at all, asked without risk to the caller: a bus that accepts
// connections and never answers (a stopped or overloaded daemon) blocks whoever waits on it.
#pragma once

#include <chrono>

namespace rumo {

// True when the session bus named by DBUS_SESSION_BUS_ADDRESS greets a connection of its own, or
// refuses it, within the wait (or when no address is set): false only for a bus that keeps
// callers waiting. The connection is opened on a thread of
// its own that is left behind if the bus never answers, and without libdbus's shared bus lock,
// so a silent bus holds up no connection made later to another address.
bool sessionBusResponds(std::chrono::milliseconds wait);

}  // namespace rumo
