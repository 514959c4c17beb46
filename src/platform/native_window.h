// Questions about another program's native window (the preview's parent).
#pragma once

#include <QSize>
#include <cstdint>
#include <optional>

namespace rumo {

// The size of the window's client area, or nothing when no such window exists or the platform
// cannot tell.
std::optional<QSize> nativeWindowSize(std::uint64_t windowId);

// Sends the requests made so far to the window system now (on X11 Qt sends a raise only with
// whatever comes next, which for a still notice can be a second away).
void flushWindowRequests();

// Asks that a window of ours, not mapped yet, get no taskbar or pager entry (what a tool window
// has on Windows; Qt's tool windows get one from several X11 taskbars). Nothing off X11.
void keepOffTaskbar(std::uint64_t windowId);

// Asks, of Openbox alone, that a window of ours not mapped yet get only the close box: Openbox
// gives tool windows iconify and maximise buttons and ignores the Motif hints that ask otherwise,
// while it draws a toolbar (a strip of controls torn off a program) with its close box alone.
// Nothing under other window managers, which read the tool window as asked.
void keepToTheCloseBox(std::uint64_t windowId);

// Asks the window manager to unroll a shaded (rolled-up) window of ours. Nothing off X11.
void unshade(std::uint64_t windowId);

}  // namespace rumo
