// The office board's contents without any window: everyone's latest state by user id, in the
// order the board shows them. Messages come in batches; the order is worked out once per batch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "team/member_status.h"

namespace rumo {

enum class BoardOrder {
    ByName,   // by name (the id where there is none), then id
    ByState,  // present, away, off; then by name
};

class BoardModel {
public:
    // The message retained on `<team>/<id>`: an empty payload removes the person (the broker
    // forgets a retained message so). A payload that is no status changes nothing; false then.
    bool apply(std::string_view id, std::string_view payload);
    // After a batch of apply(): the rows in order again.
    void sort(BoardOrder order);
    void sort() { sort(order_); }
    BoardOrder order() const { return order_; }

    std::size_t size() const { return rows_.size(); }
    bool contains(std::string_view id) const { return slotOf_.contains(std::string(id)); }
    // The i-th row in the order of the last sort(); people added since come last until then.
    const MemberStatus& row(std::size_t i) const { return members_[rows_[i]]; }

private:
    std::vector<MemberStatus> members_;  // slots; a removed person leaves a free slot
    std::vector<std::size_t> free_;
    std::unordered_map<std::string, std::size_t> slotOf_;
    std::vector<std::size_t> rows_;  // slots in board order
    BoardOrder order_ = BoardOrder::ByName;
};

}  // namespace rumo
