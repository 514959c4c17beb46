// The session and system buses, talked to from a thread of their own. A bus that accepts and then
// never answers (a stopped or overloaded daemon) blocks whoever waits on it, so the windows' thread
// never does: it hands jobs over and waits, where it must, only as long as it chooses.
#pragma once

#include <chrono>
#include <functional>

struct DBusConnection;

namespace rumo {

class BusThread {
public:
    // The bus connections as the thread holds them; a job runs with them and may keep state of its
    // own, since every job runs on the same thread, one after the other, in the order posted.
    struct Buses {
        DBusConnection* session = nullptr;  // null when there is no session bus
        DBusConnection* system();           // connected on first use; null when there is none
    };
    using Job = std::function<void(Buses&)>;

    // Starts the thread and its connection to the session bus, once per process.
    static void start();
    static void post(Job job);
    // True when the session bus answered within the wait (or had answered before).
    static bool sessionAnswered(std::chrono::milliseconds wait);
    // True when every job posted so far is done within the wait.
    static bool drained(std::chrono::milliseconds wait);
};

}  // namespace rumo
