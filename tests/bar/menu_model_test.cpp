#include "bar/menu_model.h"

#include <gtest/gtest.h>

#include "bar/bar_commands.h"
#include "settings/memory_store.h"
#include "settings/return_setting.h"

namespace rumo::bar {
namespace {

Places placesOf(std::initializer_list<std::pair<int, std::string>> set) {
    Places places;
    for (const auto& [n, text] : set) {
        places[static_cast<std::size_t>(n - 1)] = text;
    }
    return places;
}

std::vector<std::string> textsOf(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) {
        texts.push_back(item.text);
    }
    return texts;
}

TEST(DestinationList, TrimsSkipsBlanksKeepsOrderAndDuplicates) {
    const Places places = placesOf({{1, "会議室  \t"},
                                    {2, ""},
                                    {3, "   "},
                                    {4, "食堂　"},  // ideographic space stays
                                    {5, "Lunch"},
                                    {9, "会議室"},
                                    {15, " 外出\r\n"}});
    EXPECT_EQ(destinationComboItems(places),
              (std::vector<std::string>{"会議室", "食堂　", "Lunch", "会議室", " 外出"}));
    EXPECT_TRUE(destinationComboItems(Places{}).empty());
}

TEST(DestinationList, ReadsPlacesFromTheStoreInKeyOrder) {
    MemoryStore store;
    store.set(settings::Place(3), "three");
    store.set(settings::Place(15), "fifteen");
    const Places places = readPlaces(store);
    EXPECT_EQ(places[2], "three");
    EXPECT_EQ(places[14], "fifteen");
    EXPECT_EQ(places[0], "");
}

TEST(DestinationList, SelectionIgnoresLetterCaseAndPicksTheFirstDuplicate) {
    const std::vector<std::string> items{"Office", "lunch", "Home", "LUNCH"};
    EXPECT_EQ(findDestination(items, "LUNCH"), 1);
    EXPECT_EQ(findDestination(items, "home"), 2);
    EXPECT_EQ(findDestination(items, "Lunch "), -1);  // Where itself is not trimmed
    EXPECT_EQ(findDestination(items, ""), -1);
    EXPECT_EQ(findDestination({}, "x"), -1);
}

TEST(DestinationMenu, CommandsFollowKeyNumbersAndChecksAreExact) {
    const Places places =
        placesOf({{1, "Lunch"}, {2, "  "}, {4, "lunch"}, {7, "会議室   "}, {12, "Lunch"}});
    const std::vector<MenuItem> menu = destinationMenu(places, "Lunch");
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(textsOf(menu), (std::vector<std::string>{"Lunch", "lunch", "会議室", "Lunch"}));
    EXPECT_EQ(menu[0].command, 32500);
    EXPECT_EQ(menu[1].command, 32503);
    EXPECT_EQ(menu[2].command, 32506);
    EXPECT_EQ(menu[3].command, 32511);
    // Both exact duplicates are ticked; the other letter case is not.
    EXPECT_TRUE(menu[0].checked);
    EXPECT_FALSE(menu[1].checked);
    EXPECT_FALSE(menu[2].checked);
    EXPECT_TRUE(menu[3].checked);

    // An untrimmed Where (written from a place with trailing spaces) ticks nothing.
    for (const MenuItem& item : destinationMenu(places, "会議室   ")) {
        EXPECT_FALSE(item.checked) << item.text;
    }
}

TEST(DestinationMenu, ADestinationInForceOutsideThePlacesIsAddedTickedAndAFirstStartSaysWhy) {
    const Places places = placesOf({{1, "Lunch"}, {3, "会議室  "}});
    // Case and trailing white space aside it is a place: nothing is added.
    EXPECT_EQ(otherDestination(places, "LUNCH"), std::nullopt);
    EXPECT_EQ(otherDestination(places, "会議室 "), std::nullopt);
    EXPECT_EQ(otherDestination(places, "  "), std::nullopt);
    EXPECT_EQ(otherDestination(places, "出張"), "出張");
    const std::vector<MenuItem> menu = destinationMenu(places, "出張");
    EXPECT_EQ(textsOf(menu), (std::vector<std::string>{"Lunch", "会議室", "出張"}));
    EXPECT_TRUE(menu[2].checked);
    EXPECT_EQ(menu[2].command, kOtherDestination);
    EXPECT_EQ(placeOfCommand(kOtherDestination), 0);

    // No place yet: a greyed hint and the way to add places, never an empty menu.
    const std::vector<MenuItem> first = destinationMenu(Places{}, "");
    EXPECT_EQ(textsOf(first), (std::vector<std::string>{"行先はﾌﾟﾛﾊﾟﾃｨで追加します", "ﾌﾟﾛﾊﾟﾃｨ"}));
    EXPECT_FALSE(first[0].enabled);
    EXPECT_EQ(first[1].command, kProperties);
    EXPECT_EQ(textsOf(destinationMenu(Places{}, "出張")),
              (std::vector<std::string>{"出張", "行先はﾌﾟﾛﾊﾟﾃｨで追加します", "ﾌﾟﾛﾊﾟﾃｨ"}));
}

TEST(DestinationMenu, TheCalendarsEntryComesFirstUntickedApartFromThePlaces) {
    const std::vector<MenuItem> menu =
        destinationMenu(placesOf({{1, "会議室B"}}), "会議室B", std::string("会議室B（予定表）"));
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, "会議室B（予定表）");
    EXPECT_EQ(menu[0].command, kCalendarDestination);
    EXPECT_FALSE(menu[0].checked);  // an offer, never the destination in force
    EXPECT_EQ(menu[1].kind, MenuItem::Kind::Separator);
    EXPECT_TRUE(menu[2].checked);
    EXPECT_EQ(placeOfCommand(kCalendarDestination), 0);
    // Without places the way to add them is still offered.
    EXPECT_EQ(destinationMenu(Places{}, "", std::string("X")).back().command, kProperties);
}

TEST(ExportedIconMenu, ReachesTheBarAndTheDestinationsAheadOfTheMainMenu) {
    const std::vector<MenuItem> destinations = destinationMenu(placesOf({{2, "Home"}}), "Home");
    const std::vector<MenuItem> menu = exportedIconMenu({}, destinations);
    ASSERT_EQ(menu.size(), 3 + mainMenu({}).size());
    EXPECT_EQ(menu[0].text, "バーを表示");
    EXPECT_EQ(menu[0].command, kShowBar);
    EXPECT_EQ(menu[1].text, "行先");
    EXPECT_EQ(menu[1].children, destinations);
    EXPECT_EQ(menu[2].kind, MenuItem::Kind::Separator);
    EXPECT_EQ(std::vector<MenuItem>(menu.begin() + 3, menu.end()), mainMenu({}));
}

TEST(ReturnMenu, PicksAreCommandsAndThirtyMinutesStoresNowPlusThirty) {
    const LocalDateTime now{2026, 12, 9, 23, 45, 50};
    const MenuItem none = returnSubmenu(std::nullopt, now);
    EXPECT_EQ(none.kind, MenuItem::Kind::Submenu);
    EXPECT_EQ(none.text, "戻り予定");
    EXPECT_EQ(textsOf(none.children),
              (std::vector<std::string>{"15分後", "30分後", "1時間後", "2時間後", "昼休み明け",
                                        "定時", "指定…", "なし"}));
    for (std::size_t i = 0; i < none.children.size(); ++i) {
        EXPECT_EQ(returnPickOfCommand(none.children[i].command), returnMenuEntries()[i].pick);
    }
    EXPECT_FALSE(returnPickOfCommand(kFirstReturnPick - 1));
    EXPECT_FALSE(returnPickOfCommand(kFirstReturnPick + 8));
    EXPECT_FALSE(returnPickOfCommand(kOtherDestination));

    // Chosen from the menu: half an hour on, across midnight, seconds dropped.
    MemoryStore store;
    const int thirty = none.children[1].command;
    ASSERT_EQ(returnPickOfCommand(thirty), ReturnPick::In30);
    EXPECT_TRUE(storeReturnPick(store, *returnPickOfCommand(thirty), now).ok());
    EXPECT_EQ(store.raw(settings::Modori), "2026-12-10 00:15");

    // The return in force heads the menu, greyed; the picks keep their commands. なし clears it.
    const MenuItem set = returnSubmenu(readReturnTime(store.snapshot()), now);
    ASSERT_EQ(set.children.size(), none.children.size() + 1);
    EXPECT_EQ(set.children[0].text, "12/10 0:15 戻り予定");  // tomorrow, so dated
    EXPECT_FALSE(set.children[0].enabled);
    EXPECT_EQ(std::vector<MenuItem>(set.children.begin() + 1, set.children.end()), none.children);
    EXPECT_TRUE(storeReturnPick(store, *returnPickOfCommand(none.children[7].command), now).ok());
    EXPECT_FALSE(readReturnTime(store.snapshot()));

    const std::vector<MenuItem> menu =
        destinationMenuWithReturn(destinationMenu(placesOf({{1, "会議室"}}), ""), none);
    ASSERT_EQ(menu.size(), 3U);
    EXPECT_EQ(menu[1].kind, MenuItem::Kind::Separator);
    EXPECT_EQ(menu[2], none);
}

TEST(DestinationMenu, CommandsMapBackToPlaces) {
    EXPECT_EQ(placeOfCommand(32500), 1);
    EXPECT_EQ(placeOfCommand(32514), 15);
    EXPECT_EQ(placeOfCommand(32499), 0);
    EXPECT_EQ(placeOfCommand(32515), 0);
}

TEST(SaverMenu, NoProgramsGivesOneGreyedNoneWhateverIsChosen) {
    const SaverMenu menu = saverMenu({}, "swirl", "");
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].text, "なし");
    EXPECT_FALSE(menu.items[0].enabled);
    EXPECT_FALSE(menu.items[0].checked);
    EXPECT_EQ(menu.fileOf(menu.items[0].command), "");
}

TEST(SaverMenu, ListsInGivenOrderAndTicksIgnoringCase) {
    const SaverMenu menu =
        saverMenu({"Mystify.scr", "bubbles.SCR", "Ribbons.scr"}, "BUBBLES.scr", ".scr");
    EXPECT_EQ(textsOf(menu.items), (std::vector<std::string>{"Mystify", "bubbles", "Ribbons"}));
    EXPECT_EQ(menu.items[0].command, 32802);
    EXPECT_EQ(menu.items[2].command, 32804);
    EXPECT_FALSE(menu.items[0].checked);
    EXPECT_TRUE(menu.items[1].checked);
    // The command gives the whole file name, extension included.
    EXPECT_EQ(menu.fileOf(32803), "bubbles.SCR");
    EXPECT_EQ(menu.fileOf(32801), "");
    EXPECT_EQ(menu.fileOf(32805), "");
}

TEST(SaverMenu, VanishedChoiceAddsATickedEntryWithoutAFile) {
    const SaverMenu menu = saverMenu({"swirl", "galaxy"}, "gone", "");
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[2].text, "gone");
    EXPECT_TRUE(menu.items[2].checked);
    EXPECT_EQ(menu.items[2].command, 32804);
    EXPECT_EQ(menu.fileOf(32804), "");
    EXPECT_FALSE(menu.items[0].checked || menu.items[1].checked);

    // With a suffix the stored name is shown without it; nothing extra when nothing is chosen.
    EXPECT_EQ(saverMenu({"a.scr"}, "old.scr", ".scr").items.back().text, "old");
    EXPECT_EQ(saverMenu({"a.scr"}, "", ".scr").items.size(), 1u);
}

TEST(SaverMenu, StopsAt256AndSkipsOverlongNames) {
    std::vector<std::string> files;
    files.push_back(std::string(257, 'x'));
    for (int i = 0; i < 300; ++i) {
        files.push_back("hack" + std::to_string(i));
    }
    const SaverMenu menu = saverMenu(files, "hack299", "");
    // 256 programs plus the entry for the choice that is beyond the list.
    ASSERT_EQ(menu.items.size(), 257u);
    EXPECT_EQ(menu.items[0].text, "hack0");
    EXPECT_EQ(menu.items[255].text, "hack255");
    EXPECT_EQ(menu.items[255].command, kLastListedSaver);
    EXPECT_EQ(menu.fileOf(kLastListedSaver), "hack255");
    EXPECT_TRUE(menu.items[256].checked);
    EXPECT_EQ(menu.fileOf(menu.items[256].command), "");
}

TEST(SaverMenu, ResolvesTheChosenFileToTheListedNameOnly) {
    const std::vector<std::string> files{"Swirl", "swirl", "galaxy"};
    EXPECT_EQ(resolveSaverFile(files, "swirl"), "swirl");
    EXPECT_EQ(resolveSaverFile(files, "SWIRL"), "Swirl");
    // Anything else names no screen saver of the desktop and starts nothing.
    EXPECT_EQ(resolveSaverFile(files, "gone"), std::nullopt);
    EXPECT_EQ(resolveSaverFile(files, ""), std::nullopt);
    EXPECT_EQ(resolveSaverFile(files, "../galaxy"), std::nullopt);
    EXPECT_EQ(resolveSaverFile({}, "swirl"), std::nullopt);
}

TEST(SaverMenu, NothingListableIsLikeNoPrograms) {
    const SaverMenu menu = saverMenu({"", std::string(300, 'y')}, "swirl", "");
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].text, "なし");
    EXPECT_FALSE(menu.items[0].enabled);
    EXPECT_EQ(menu.fileOf(menu.items[0].command), "");
}

TEST(MainMenu, ItemsTextsOrderAndSeparators) {
    const std::vector<MenuItem> menu = mainMenu(saverMenu({}, "", "").items);
    ASSERT_EQ(menu.size(), 9u);
    using Kind = MenuItem::Kind;
    const std::vector<std::pair<int, std::string>> expected{{kStartNotice, "RUMO?の起動"},
                                                            {kStartScreenSaver, "ｽｸﾘｰﾝｾｲﾊﾞｰの起動"},
                                                            {0, "ｽｸﾘｰﾝｾｲﾊﾞｰの選択"},
                                                            {kProperties, "ﾌﾟﾛﾊﾟﾃｨ"},
                                                            {kBoard, "行先掲示板"},
                                                            {0, ""},
                                                            {kDisplaySettings, "画面のﾌﾟﾛﾊﾟﾃｨ"},
                                                            {0, ""},
                                                            {kExit, "RUMO?の終了"}};
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].command, expected[i].first) << i;
        EXPECT_EQ(menu[i].text, expected[i].second) << i;
        EXPECT_TRUE(menu[i].enabled);
        EXPECT_FALSE(menu[i].checked);
    }
    EXPECT_EQ(menu[2].kind, Kind::Submenu);
    EXPECT_EQ(menu[2].children.size(), 1u);
    EXPECT_EQ(menu[5].kind, Kind::Separator);
    EXPECT_EQ(menu[7].kind, Kind::Separator);
    EXPECT_EQ(kExit, 32773);
    EXPECT_EQ(kStartScreenSaver, 32771);
    EXPECT_EQ(kProperties, 32772);
    EXPECT_EQ(kDisplaySettings, 32785);
}

}  // namespace
}  // namespace rumo::bar
