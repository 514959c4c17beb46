#include "bar/bar_command_dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/bar_commands.h"
#include "bar/bar_environment.h"
#include "bar/menu_model.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

class BarCommandDispatcherTest : public ::testing::Test {
protected:
    BarCommandDispatcher dispatcher() {
        return BarCommandDispatcher(
            store, environment, nullptr,
            {.reselectDestination = [this] { asked.push_back("reselect"); },
             .openProperties = [this] { asked.push_back("properties"); },
             .exit =
                 [this] {
                     asked.push_back("exit, Endflg " +
                                     std::to_string(store.read(settings::Endflg)));
                 }});
    }

    MemoryStore store;
    BarEnvironment environment;
    std::vector<std::string> asked;
};

TEST_F(BarCommandDispatcherTest, SaverChoicesReachThroughTheLastListedSlot) {
    std::vector<std::string> files;
    for (int i = 0; i < 300; ++i) {
        files.push_back("hack" + std::to_string(i));
    }
    const bar::SaverMenu full = bar::saverMenu(files, "gone", "");
    ASSERT_EQ(full.items.back().command, bar::kLastSaverCommand);  // the vanished choice
    BarCommandDispatcher commands = dispatcher();
    commands.dispatch(bar::kLastListedSaver, full);
    EXPECT_EQ(store.read(settings::Scrfile), "hack255");
    commands.dispatch(bar::kLastSaverCommand, full);  // keeps the setting
    EXPECT_EQ(store.read(settings::Scrfile), "hack255");
    EXPECT_TRUE(asked.empty());
}

TEST_F(BarCommandDispatcherTest, WindowCommandsAskTheWindowAfterTheSettingIsWritten) {
    store.set(settings::Place(2), "会議室  ");
    BarCommandDispatcher commands = dispatcher();
    commands.dispatch(bar::kFirstDestination + 1, {});
    EXPECT_EQ(store.read(settings::Where), "会議室  ");
    commands.dispatch(bar::kProperties, {});
    commands.dispatch(bar::kExit, {});
    EXPECT_EQ(asked, (std::vector<std::string>{"reselect", "properties", "exit, Endflg 1"}));
}

}  // namespace
}  // namespace rumo
