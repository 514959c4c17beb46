// Built without the Wayland protocols: the notice on Wayland keeps only what Qt gives it.
#include "platform/notice_hold.h"

namespace rumo {

void holdWaylandSurface(QWindow* /*window*/, bool /*shortcuts*/) {}

}  // namespace rumo
