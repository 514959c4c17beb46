// What keeps the full-screen notice in place beyond its own windows: on Wayland the compositor's
// idle and shortcut inhibitors on each notice surface, and everywhere the desktop's own session
// lock for when the keyboard cannot be kept.
#pragma once

#include <functional>

class QWindow;

namespace rumo {

// Whether the notice can take the keyboard and pointer for itself (X11 can grab them); a Wayland
// client cannot keep them from the compositor.
bool canHoldKeyboard();

// On Wayland, for as long as the window shows: the compositor does not go idle (blank, dim, lock)
// and, with `shortcuts`, passes its own shortcuts to the window while it has the keyboard, where
// the compositor offers that. Follows the window's surface as it is made again; ends with the
// window. Does nothing elsewhere or where the compositor offers neither. Call it once the window
// is shown.
void holdWaylandSurface(QWindow* window, bool shortcuts);

// Locks the session with the desktop's own lock: org.freedesktop.ScreenSaver.Lock on the session
// bus, else logind's Lock for this session on the system bus. Returns at once; `done`, if given,
// is called later on the application's thread with whether a lock was accepted.
void lockSession(std::function<void(bool locked)> done = {});

}  // namespace rumo
