// The bar's lists and menus as plain data: the destination combo box, the destination menu, the
// main popup menu and its screen-saver submenu. The widgets only turn these into Qt objects.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/return_time.h"
#include "settings/schema.h"

namespace rumo {

class SettingsStore;

namespace bar {

using Places = std::array<std::string, kPlaceCount>;

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    int command = 0;  // 0 for separators and submenus
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::vector<MenuItem> children;  // the submenu's items
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

// Place1..Place15 as stored (absent keys read as empty).
Places readPlaces(SettingsStore& store);

// The combo box's items: each place with trailing single-byte white space removed, blank places
// left out, key order, duplicates kept.
std::vector<std::string> destinationComboItems(const Places& places);

// Index of the first item equal to `where` ignoring ASCII letter case, or -1.
int findDestination(const std::vector<std::string>& items, std::string_view where);

// The destination in force when it is none of the places (typed in the window asking where, or
// given with --where): `where` itself, or nothing when it is blank or names a place (trailing
// white space and ASCII letter case aside). The list and the menus show it as an extra entry.
std::optional<std::string> otherDestination(const Places& places, std::string_view where);

// The left-button menu: one item per non-blank place (trimmed text), command 32500 + i - 1,
// checked where the trimmed text equals `where` exactly (case included); then the destination in
// force when it is none of the places, ticked. No place at all: a greyed line saying where places
// are added, and the properties command beside it. `calendarEntry`, the calendar's destination
// as the menu shows it (marked as the calendar's), comes first, apart from the rest.
std::vector<MenuItem> destinationMenu(const Places& places, std::string_view where,
                                      const std::optional<std::string>& calendarEntry = {});

// The place a destination command stands for (1..15), or 0 when the command is none of them.
int placeOfCommand(int command);

// The "戻り予定" submenu: the quick picks, commands kFirstReturnPick onwards in the picks' order,
// headed by a greyed line saying the return time in force ("14:30 戻り予定"), when one is.
MenuItem returnSubmenu(const std::optional<LocalMinute>& current, const LocalDateTime& now);

// The destination menu followed by the "戻り予定" submenu, as the icon's left button opens it.
std::vector<MenuItem> destinationMenuWithReturn(std::vector<MenuItem> destinations,
                                                MenuItem returnItems);

// The quick pick a command stands for, or nothing when it is none of them.
std::optional<ReturnPick> returnPickOfCommand(int command);

// The screen-saver submenu and the file names behind its commands.
struct SaverMenu {
    std::vector<MenuItem> items;
    // files[n] is the file behind command kSaverBase + n; files[0] is never used. An item whose
    // command has no file here (the entry for a vanished setting) changes nothing when chosen.
    std::vector<std::string> files;
    // The file name behind a command, or empty when the command names no file.
    std::string fileOf(int command) const;
};

// `files` in the order the platform lists them; `suffix` is the file-name ending the menu does not
// show (for example ".scr"; empty when the programs carry none). At most 256 files are listed;
// names longer than 256 bytes (and empty ones) are skipped. Nothing listable: a single greyed
// "なし". A `scrfile` matching no listed file (ignoring ASCII case) adds a final checked entry
// showing it.
SaverMenu saverMenu(const std::vector<std::string>& files, std::string_view scrfile,
                    std::string_view suffix);

// The listed file `scrfile` names: itself when listed, else the first listed file equal to it
// ignoring ASCII case (the menu ticks that one too). Nothing when no listed program matches: a
// stored value only ever starts one of the desktop's screen savers.
std::optional<std::string> resolveSaverFile(const std::vector<std::string>& files,
                                            std::string_view scrfile);

// The main popup menu, the given screen-saver submenu in its third place.
std::vector<MenuItem> mainMenu(std::vector<MenuItem> saverItems);

// The menu of an icon whose menu the desktop draws (StatusNotifierItem): such desktops may give
// no double click and no left-button menu, so it also holds "バーを表示" and the destination menu
// as a "行先" submenu, ahead of the main menu.
std::vector<MenuItem> exportedIconMenu(std::vector<MenuItem> saverItems,
                                       std::vector<MenuItem> destinationItems);

}  // namespace bar
}  // namespace rumo
