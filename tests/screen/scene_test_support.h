// Helpers shared by the notice's core tests: a scene loaded from a store with a few settings.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace rumo::testing {

struct IntSetting {
    const char* key;
    int value;
};

inline AwayScene sceneWith(std::initializer_list<IntSetting> ints, const std::string& where = {}) {
    MemoryStore store;
    for (const IntSetting& s : ints) {
        store.writeInt(configKey(s.key), s.value);
    }
    if (!where.empty()) {
        store.writeText(configKey("Where"), where);
    }
    return loadAwayScene(store);
}

}  // namespace rumo::testing
