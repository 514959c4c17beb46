// Keeps a Qt menu showing a menu model: the items that differ are updated in place, and only a
// change of the menu's shape adds or removes items. A desktop reading an exported menu sees no
// change at all while nothing it shows has changed.
#pragma once

#include <functional>
#include <vector>

#include "bar/menu_model.h"

class QAction;
class QMenu;

namespace rumo {

// Brings `menu` to show `items`; commands go into the actions' data. `added` is called for each
// command item made anew, submenus' included.
void syncMenu(QMenu& menu, const std::vector<bar::MenuItem>& items,
              const std::function<void(QAction&)>& added = {});

}  // namespace rumo
