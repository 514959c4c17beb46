#include "team/board_model.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

std::string message(const std::string& name, const char* state) {
    return R"({"v":1,"name":")" + name + R"(","state":")" + state + R"("})";
}

std::vector<std::string> ids(const BoardModel& board) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < board.size(); ++i) {
        out.push_back(board.row(i).id);
    }
    return out;
}

TEST(BoardModel, SortsByNameOrByStateAndFollowsChangesAndRemovals) {
    BoardModel board;
    EXPECT_TRUE(board.apply("c", message("Chiba", "off")));
    EXPECT_TRUE(board.apply("a", message("Aoki", "away")));
    EXPECT_TRUE(board.apply("b", message("", "present")));  // no name: shown by its id
    EXPECT_TRUE(board.apply("d", message("Aoki", "present")));
    EXPECT_FALSE(board.apply("e", "not json"));
    board.sort(BoardOrder::ByName);
    EXPECT_EQ(ids(board), (std::vector<std::string>{"a", "d", "c", "b"}));
    board.sort(BoardOrder::ByState);
    EXPECT_EQ(ids(board), (std::vector<std::string>{"d", "b", "a", "c"}));

    // The topic names the row, whatever id the message claims.
    EXPECT_TRUE(board.apply("c", R"({"id":"a","name":"Chiba","state":"present"})"));
    EXPECT_TRUE(board.apply("d", ""));
    EXPECT_FALSE(board.apply("zz", ""));
    board.sort();
    EXPECT_EQ(ids(board), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_FALSE(board.contains("d"));
    // A slot freed by a removal serves the next newcomer.
    EXPECT_TRUE(board.apply("f", message("Abe", "away")));
    board.sort(BoardOrder::ByName);
    EXPECT_EQ(ids(board), (std::vector<std::string>{"f", "a", "c", "b"}));
}

}  // namespace
}  // namespace rumo
