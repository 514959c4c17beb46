#include "platform/session_bus_probe.h"

#include <dbus/dbus.h>

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace rumo {

namespace {

struct Probe {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

void greet(const std::string& address, const std::shared_ptr<Probe>& probe) {
    DBusError error;
    dbus_error_init(&error);
    // Not dbus_bus_get: it holds a lock every later bus connection of the process waits for.
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (connection != nullptr) {
        dbus_connection_set_exit_on_disconnect(connection, FALSE);
        dbus_bus_register(connection, &error);
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
    dbus_error_free(&error);
    const std::lock_guard lock(probe->mutex);
    probe->finished = true;
    probe->done.notify_all();
}

}  // namespace

bool sessionBusResponds(std::chrono::milliseconds wait) {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address == nullptr || *address == '\0') {
        return true;
    }
    dbus_threads_init_default();
    auto probe = std::make_shared<Probe>();
    std::thread(greet, std::string(address), probe).detach();
    std::unique_lock lock(probe->mutex);
    // A bus that refuses at once is no risk either: every later call fails as fast.
    return probe->done.wait_for(lock, wait, [&probe] { return probe->finished; });
}

}  // namespace rumo
