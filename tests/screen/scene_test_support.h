// Helpers shared by the notice's core tests: a scene loaded from a store with a few settings.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace rumo::testing {

struct IntSetting {
    SettingRef setting;
    int value;
};

inline NoticeScene sceneWith(std::initializer_list<IntSetting> ints,
                             const std::string& where = {}) {
    MemoryStore store;
    for (const IntSetting& s : ints) {
        store.write({integerWrite(s.setting, s.value)});
    }
    if (!where.empty()) {
        store.set(settings::Where, where);
    }
    return loadNoticeScene(store);
}

}  // namespace rumo::testing
