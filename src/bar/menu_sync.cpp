#include "bar/menu_sync.h"

#include <QMenu>

#include "bar/display_text.h"

namespace rumo {

namespace {

bool sameKind(const QAction& action, const bar::MenuItem& item) {
    switch (item.kind) {
        case bar::MenuItem::Kind::Separator:
            return action.isSeparator();
        case bar::MenuItem::Kind::Submenu:
            return action.menu() != nullptr;
        case bar::MenuItem::Kind::Command:
            return !action.isSeparator() && action.menu() == nullptr;
    }
    return false;
}

// Each setter below announces a change to an exporting desktop even when the value is the same
// in some Qt versions; only values that differ are set.
void update(QAction& action, const bar::MenuItem& item,
            const std::function<void(QAction&)>& added) {
    if (item.kind == bar::MenuItem::Kind::Separator) {
        return;
    }
    const QString text = shortenedForDisplay(item.text);
    if (action.text() != text) {
        action.setText(text);
    }
    if (item.kind == bar::MenuItem::Kind::Submenu) {
        syncMenu(*action.menu(), item.children, added);
        return;
    }
    const QVariant command(item.command);
    if (action.data() != command) {
        action.setData(command);
    }
    // Only a ticked item is checkable, so that no desktop draws empty boxes on the others.
    if (action.isCheckable() != item.checked) {
        action.setCheckable(item.checked);
    }
    if (action.isChecked() != item.checked) {
        action.setChecked(item.checked);
    }
    if (action.isEnabled() != item.enabled) {
        action.setEnabled(item.enabled);
    }
}

void add(QMenu& menu, const bar::MenuItem& item, const std::function<void(QAction&)>& added) {
    switch (item.kind) {
        case bar::MenuItem::Kind::Separator:
            menu.addSeparator();
            return;
        case bar::MenuItem::Kind::Submenu: {
            QMenu* submenu = menu.addMenu(shortenedForDisplay(item.text));
            syncMenu(*submenu, item.children, added);
            return;
        }
        case bar::MenuItem::Kind::Command: {
            QAction* action = menu.addAction(QString());
            update(*action, item, added);
            if (added) {
                added(*action);
            }
            return;
        }
    }
}

}  // namespace

void syncMenu(QMenu& menu, const std::vector<bar::MenuItem>& items,
              const std::function<void(QAction&)>& added) {
    const QList<QAction*> actions = menu.actions();
    qsizetype kept = 0;
    while (kept < actions.size() && static_cast<std::size_t>(kept) < items.size() &&
           sameKind(*actions[kept], items[static_cast<std::size_t>(kept)])) {
        update(*actions[kept], items[static_cast<std::size_t>(kept)], added);
        ++kept;
    }
    for (qsizetype i = kept; i < actions.size(); ++i) {
        QAction* action = actions[i];
        menu.removeAction(action);
        // A submenu's action belongs to its submenu; every other action to this menu.
        if (QMenu* submenu = action->menu()) {
            submenu->deleteLater();
        } else {
            action->deleteLater();
        }
    }
    for (std::size_t i = static_cast<std::size_t>(kept); i < items.size(); ++i) {
        add(menu, items[i], added);
    }
}

}  // namespace rumo
