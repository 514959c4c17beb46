#include "bar/menu_model.h"

#include "bar/bar_commands.h"
#include "common/text.h"
#include "common/translate.h"
#include "settings/settings_store.h"

namespace rumo::bar {

Places readPlaces(SettingsStore& store) {
    const SettingsSnapshot stored = store.snapshot();  // one reading of the file for all 15
    Places places;
    for (int i = 1; i <= kPlaceCount; ++i) {
        places[static_cast<std::size_t>(i - 1)] = stored.read(settings::Place(i));
    }
    return places;
}

std::vector<std::string> destinationComboItems(const Places& places) {
    std::vector<std::string> items;
    for (const std::string& place : places) {
        std::string shown = trimRight(place);
        if (!shown.empty()) {
            items.push_back(std::move(shown));
        }
    }
    return items;
}

int findDestination(const std::vector<std::string>& items, std::string_view where) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (equalsIgnoringAsciiCase(items[i], where)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> otherDestination(const Places& places, std::string_view where) {
    const std::string shown = trimRight(where);
    if (shown.empty() || findDestination(destinationComboItems(places), shown) >= 0) {
        return std::nullopt;
    }
    return std::string(where);
}

std::vector<MenuItem> destinationMenu(const Places& places, std::string_view where,
                                      const std::optional<std::string>& calendarEntry) {
    std::vector<MenuItem> items;
    if (calendarEntry) {
        MenuItem fromCalendar;
        fromCalendar.command = kCalendarDestination;
        fromCalendar.text = *calendarEntry;
        items.push_back(std::move(fromCalendar));
        MenuItem separator;
        separator.kind = MenuItem::Kind::Separator;
        items.push_back(separator);
    }
    const std::size_t fromCalendarItems = items.size();
    for (int i = 1; i <= kPlaceCount; ++i) {
        std::string shown = trimRight(places[static_cast<std::size_t>(i - 1)]);
        if (shown.empty()) {
            continue;
        }
        MenuItem item;
        item.command = kFirstDestination + i - 1;
        // Exact comparison here, unlike the combo box: `where` written from an untrimmed place
        // ticks nothing.
        item.checked = shown == where;
        item.text = std::move(shown);
        items.push_back(std::move(item));
    }
    const bool noPlaces = items.size() == fromCalendarItems;
    if (std::optional<std::string> other = otherDestination(places, where)) {
        MenuItem item;
        item.command = kOtherDestination;
        item.text = trimRight(*other);
        item.checked = true;
        items.push_back(std::move(item));
    }
    if (noPlaces) {
        // A first start has no places: an empty menu would not even open, leaving the user
        // without a hint of where they come from.
        MenuItem hint;
        hint.text = translate("TrayMenu", "Add destinations in Properties");
        hint.enabled = false;
        MenuItem properties;
        properties.command = kProperties;
        properties.text = translate("TrayMenu", "Properties");
        items.push_back(std::move(hint));
        items.push_back(std::move(properties));
    }
    return items;
}

int placeOfCommand(int command) {
    if (command < kFirstDestination || command > kLastDestination) {
        return 0;
    }
    return command - kFirstDestination + 1;
}

MenuItem returnSubmenu(const std::optional<LocalMinute>& current, const LocalDateTime& now) {
    MenuItem submenu;
    submenu.kind = MenuItem::Kind::Submenu;
    submenu.text = returnMenuTitle();
    if (const std::optional<LocalMinute> back = currentReturn(current, now)) {
        MenuItem shown;
        shown.text =
            withArgument(translate("ReturnTime", "Back at %1"), returnTimeLabel(*back, now));
        shown.enabled = false;
        submenu.children.push_back(std::move(shown));
    }
    int command = kFirstReturnPick;
    for (const ReturnMenuEntry& entry : returnMenuEntries()) {
        MenuItem item;
        item.command = command++;
        item.text = entry.shownLabel();
        submenu.children.push_back(std::move(item));
    }
    return submenu;
}

std::vector<MenuItem> destinationMenuWithReturn(std::vector<MenuItem> destinations,
                                                MenuItem returnItems) {
    MenuItem separator;
    separator.kind = MenuItem::Kind::Separator;
    destinations.push_back(separator);
    destinations.push_back(std::move(returnItems));
    return destinations;
}

std::optional<ReturnPick> returnPickOfCommand(int command) {
    const std::vector<ReturnMenuEntry>& entries = returnMenuEntries();
    const int slot = command - kFirstReturnPick;
    if (slot < 0 || slot >= static_cast<int>(entries.size())) {
        return std::nullopt;
    }
    return entries[static_cast<std::size_t>(slot)].pick;
}

std::string SaverMenu::fileOf(int command) const {
    const int slot = command - kSaverBase;
    if (slot < 1 || slot >= static_cast<int>(files.size())) {
        return {};
    }
    return files[static_cast<std::size_t>(slot)];
}

namespace {

// Longest file name a slot holds, in bytes.
constexpr std::size_t kMaxFileNameBytes = 256;

std::string withoutSuffix(std::string_view file, std::string_view suffix) {
    if (!suffix.empty() && file.size() >= suffix.size() &&
        equalsIgnoringAsciiCase(file.substr(file.size() - suffix.size()), suffix)) {
        file.remove_suffix(suffix.size());
    }
    return std::string(file);
}

}  // namespace

SaverMenu saverMenu(const std::vector<std::string>& files, std::string_view scrfile,
                    std::string_view suffix) {
    SaverMenu menu;
    menu.files.emplace_back();  // slot 0 stays empty
    bool marked = false;
    for (const std::string& file : files) {
        if (menu.files.size() > static_cast<std::size_t>(kMaxSavers)) {
            break;
        }
        if (file.empty() || file.size() > kMaxFileNameBytes) {
            continue;
        }
        MenuItem item;
        item.command = kSaverBase + static_cast<int>(menu.files.size());
        item.text = withoutSuffix(file, suffix);
        item.checked = equalsIgnoringAsciiCase(file, scrfile);
        marked = marked || item.checked;
        menu.items.push_back(std::move(item));
        menu.files.push_back(file);
    }
    if (menu.items.empty()) {
        // Nothing to choose from, whatever the setting names.
        MenuItem none;
        none.command = kSaverBase + 1;
        none.text = translate("TrayMenu", "None");
        none.enabled = false;
        menu.items.push_back(std::move(none));
        return menu;
    }
    if (!marked && !scrfile.empty()) {
        // The chosen program is gone; show the setting anyway. Its command has no file behind it,
        // so choosing it keeps the setting as it is.
        MenuItem gone;
        gone.command = kSaverBase + static_cast<int>(menu.files.size());
        gone.text = withoutSuffix(scrfile, suffix);
        gone.checked = true;
        menu.items.push_back(std::move(gone));
    }
    return menu;
}

std::optional<std::string> resolveSaverFile(const std::vector<std::string>& files,
                                            std::string_view scrfile) {
    if (scrfile.empty()) {
        return std::nullopt;
    }
    for (const std::string& file : files) {
        if (file == scrfile) {
            return file;
        }
    }
    for (const std::string& file : files) {
        if (equalsIgnoringAsciiCase(file, scrfile)) {
            return file;
        }
    }
    return std::nullopt;
}

std::vector<MenuItem> mainMenu(std::vector<MenuItem> saverItems) {
    auto command = [](int id, std::string text) {
        MenuItem item;
        item.command = id;
        item.text = std::move(text);
        return item;
    };
    MenuItem separator;
    separator.kind = MenuItem::Kind::Separator;
    MenuItem savers;
    savers.kind = MenuItem::Kind::Submenu;
    savers.text = translate("TrayMenu", "Screen saver");
    savers.children = std::move(saverItems);
    return {command(kStartNotice, translate("TrayMenu", "Start away notice")),
            command(kStartScreenSaver, translate("TrayMenu", "Start screen saver")),
            std::move(savers),
            command(kProperties, translate("TrayMenu", "Properties")),
            command(kBoard, translate("TrayMenu", "Team board")),
            separator,
            command(kDisplaySettings, translate("TrayMenu", "Display settings")),
            separator,
            command(kExit, translate("TrayMenu", "Exit RUMO?"))};
}

std::vector<MenuItem> exportedIconMenu(std::vector<MenuItem> saverItems,
                                       std::vector<MenuItem> destinationItems) {
    MenuItem showBar;
    showBar.command = kShowBar;
    showBar.text = translate("TrayMenu", "Show bar");
    MenuItem destinations;
    destinations.kind = MenuItem::Kind::Submenu;
    destinations.text = translate("TrayMenu", "Destinations");
    destinations.children = std::move(destinationItems);
    MenuItem separator;
    separator.kind = MenuItem::Kind::Separator;
    std::vector<MenuItem> items{std::move(showBar), std::move(destinations), separator};
    for (MenuItem& item : mainMenu(std::move(saverItems))) {
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace rumo::bar
