#include "team/board_model.h"

#include <algorithm>
#include <tuple>

namespace rumo {

namespace {

int stateRank(Presence state) {
    switch (state) {
        case Presence::Present:
            return 0;
        case Presence::Away:
            return 1;
        case Presence::Off:
            break;
    }
    return 2;
}

const std::string& shownName(const MemberStatus& status) {
    return status.name.empty() ? status.id : status.name;
}

}  // namespace

bool BoardModel::apply(std::string_view id, std::string_view payload) {
    const std::string key(id);
    const auto found = slotOf_.find(key);
    if (payload.empty()) {
        if (found == slotOf_.end()) {
            return false;
        }
        const std::size_t slot = found->second;
        slotOf_.erase(found);
        rows_.erase(std::find(rows_.begin(), rows_.end(), slot));
        members_[slot] = {};
        free_.push_back(slot);
        return true;
    }
    std::optional<MemberStatus> status = parseStatusJson(payload);
    if (!status) {
        return false;
    }
    // The topic names the person; a message cannot speak for someone else's row.
    status->id = key;
    if (found != slotOf_.end()) {
        members_[found->second] = std::move(*status);
        return true;
    }
    std::size_t slot = members_.size();
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
        members_[slot] = std::move(*status);
    } else {
        members_.push_back(std::move(*status));
    }
    slotOf_.emplace(key, slot);
    rows_.push_back(slot);
    return true;
}

void BoardModel::sort(BoardOrder order) {
    order_ = order;
    const auto byName = [this](std::size_t a, std::size_t b) {
        const MemberStatus& x = members_[a];
        const MemberStatus& y = members_[b];
        return std::tie(shownName(x), x.id) < std::tie(shownName(y), y.id);
    };
    if (order == BoardOrder::ByName) {
        std::sort(rows_.begin(), rows_.end(), byName);
    } else {
        std::sort(rows_.begin(), rows_.end(), [this, &byName](std::size_t a, std::size_t b) {
            const int x = stateRank(members_[a].state);
            const int y = stateRank(members_[b].state);
            return x != y ? x < y : byName(a, b);
        });
    }
}

}  // namespace rumo
