#include "bar/menu_sync.h"

#include <gtest/gtest.h>
#include <QMenu>
#include <QSignalSpy>

#include "bar/bar_commands.h"

namespace rumo {
namespace {

// A desktop reading the exported menu must see no change where nothing changed, and only the
// changed items where something did.
TEST(MenuSync, KeepsEveryItemAndChangesOnlyWhatDiffers) {
    const bar::Places places{"Office", "Home"};
    QMenu menu;
    int added = 0;
    auto count = [&](QAction&) { ++added; };
    syncMenu(menu, bar::exportedIconMenu({}, bar::destinationMenu(places, "Office")), count);
    const QList<QAction*> before = menu.findChildren<QAction*>();
    const int made = added;
    ASSERT_GT(made, 0);

    QList<QSignalSpy*> spies;
    for (QAction* action : before) {
        spies << new QSignalSpy(action, &QAction::changed);
    }
    syncMenu(menu, bar::exportedIconMenu({}, bar::destinationMenu(places, "Office")), count);
    EXPECT_EQ(menu.findChildren<QAction*>(), before);
    EXPECT_EQ(added, made);
    int changes = 0;
    for (QSignalSpy* spy : spies) {
        changes += static_cast<int>(spy->count());
    }
    EXPECT_EQ(changes, 0);

    // The tick moves: the same items, two of them changed.
    syncMenu(menu, bar::exportedIconMenu({}, bar::destinationMenu(places, "Home")), count);
    EXPECT_EQ(menu.findChildren<QAction*>(), before);
    QMenu* destinations = menu.actions()[1]->menu();
    ASSERT_NE(destinations, nullptr);
    EXPECT_FALSE(destinations->actions()[0]->isChecked());
    EXPECT_TRUE(destinations->actions()[1]->isChecked());
    EXPECT_EQ(destinations->actions()[1]->data().toInt(), bar::kFirstDestination + 1);
    qDeleteAll(spies);

    // A place added: one item more at the end of its submenu, the rest kept.
    const bar::Places more{"Office", "Home", "Lunch"};
    syncMenu(menu, bar::exportedIconMenu({}, bar::destinationMenu(more, "Home")), count);
    EXPECT_EQ(added, made + 1);
    EXPECT_EQ(destinations->actions().size(), 3);
    EXPECT_EQ(destinations->actions()[2]->text(), QStringLiteral("Lunch"));
}

}  // namespace
}  // namespace rumo
