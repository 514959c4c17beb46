// Keeps the desktop's screen saver and idle lock from starting while the full-screen notice
// shows: inhibitions held through the freedesktop screen-saver service and the desktop portal on
// the session bus, and the X server's own saver suspended. Any may be missing; the notice never
// depends on them, and never waits for the bus (its calls go through the bus thread).
#pragma once

#include <chrono>
#include <memory>

namespace rumo {

class ScreenSaverInhibitor {
public:
    ScreenSaverInhibitor();
    // Releases whatever is still held, waiting no longer than release() does.
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    void inhibit();
    // Waits at most `wait` for the services to have heard it. False when the bus thread is still
    // busy (a bus that does not answer): the process should then end without waiting for it.
    bool release(std::chrono::milliseconds wait = std::chrono::milliseconds(300));

private:
    struct Held;
    std::shared_ptr<Held> held_;  // touched on the bus thread only
    bool wanted_ = false;
    bool xSuspended_ = false;
};

}  // namespace rumo
