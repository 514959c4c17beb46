#include "platform/bus_thread.h"

#include <dbus/dbus.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace rumo {

namespace {

// Never destroyed: the thread may sit in a call that never returns when the process ends, and it
// must not find its state gone while static destructors run.
struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<BusThread::Job> jobs;
    bool connectDone = false;
    bool connected = false;
    bool started = false;
    bool busy = true;  // connecting first
};

State& state() {
    static State* const shared = new State;
    return *shared;
}

DBusConnection* connectTo(DBusBusType type) {
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_bus_get_private(type, &error);
    dbus_error_free(&error);
    if (connection != nullptr) {
        // Losing the bus is no reason to end the program.
        dbus_connection_set_exit_on_disconnect(connection, FALSE);
    }
    return connection;
}

void run() {
    State& s = state();
    BusThread::Buses buses;
    buses.session = connectTo(DBUS_BUS_SESSION);
    std::unique_lock lock(s.mutex);
    s.connectDone = true;
    s.connected = buses.session != nullptr;
    for (;;) {
        s.busy = false;
        s.changed.notify_all();
        s.changed.wait(lock, [&s] { return !s.jobs.empty(); });
        BusThread::Job job = std::move(s.jobs.front());
        s.jobs.pop_front();
        s.busy = true;
        lock.unlock();
        job(buses);
        lock.lock();
    }
}

}  // namespace

DBusConnection* BusThread::Buses::system() {
    static DBusConnection* const connection = connectTo(DBUS_BUS_SYSTEM);
    return connection;
}

void BusThread::start() {
    static const bool started = [] {
        dbus_threads_init_default();
        {
            const std::lock_guard lock(state().mutex);
            state().started = true;
        }
        std::thread(run).detach();
        return true;
    }();
    (void)started;
}

void BusThread::post(Job job) {
    start();
    State& s = state();
    {
        const std::lock_guard lock(s.mutex);
        s.jobs.push_back(std::move(job));
    }
    s.changed.notify_all();
}

bool BusThread::sessionAnswered(std::chrono::milliseconds wait) {
    start();
    State& s = state();
    std::unique_lock lock(s.mutex);
    s.changed.wait_for(lock, wait, [&s] { return s.connectDone; });
    return s.connected;
}

bool BusThread::drained(std::chrono::milliseconds wait) {
    State& s = state();
    std::unique_lock lock(s.mutex);
    return s.changed.wait_for(lock, wait,
                              [&s] { return !s.started || (s.jobs.empty() && !s.busy); });
}

}  // namespace rumo
