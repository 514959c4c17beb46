#include "settings/schema.h"

#include <cstdio>
#include <cstdlib>

namespace rumo {

std::string memoSection(int memo) {
    return "Config/Minf" + std::to_string(memo);
}

SettingKey configKey(std::string_view key) {
    return {std::string(kConfig), std::string(key)};
}

SettingKey placeKey(int n) {
    return configKey("Place" + std::to_string(n));
}

SettingKey placeImageKey(int n) {
    return {std::string(kGazoSection), "Gazo" + std::to_string(n)};
}

SettingKey memoKey(int n) {
    return configKey("Memo" + std::to_string(n));
}

SettingKey memoGroupKey(std::string_view stem, int n) {
    return {memoSection(n), std::string(stem) + std::to_string(n)};
}

SettingKey memoPositionKey(char axis, int n) {
    return {memoSection(n), "Memo" + std::to_string(n) + axis};
}

std::string_view noticeWhereDefault() {
    return "ＥＳＣキーを押して下さい";
}

namespace {

SettingDef integer(SettingKey id, int fallback) {
    return {std::move(id), SettingType::Integer, fallback, {}};
}

SettingDef text(SettingKey id, std::string fallback = {}) {
    return {std::move(id), SettingType::Text, 0, std::move(fallback)};
}

std::vector<SettingDef> buildSchema() {
    std::vector<SettingDef> s;
    auto configInt = [&](const char* key, int fallback) {
        s.push_back(integer(configKey(key), fallback));
    };
    auto configText = [&](const char* key, std::string fallback = {}) {
        s.push_back(text(configKey(key), std::move(fallback)));
    };

    configText("Where");
    configText("Name");
    for (int n = 1; n <= kPlaceCount; ++n) {
        s.push_back(text(placeKey(n)));
    }
    configInt("Screen", 0);
    configInt("Mojimove", 0);
    configInt("Mtype", 0);
    configInt("Riseki", 0);
    configInt("Daytime", 0);
    configInt("Esc", 0);
    configInt("Passcheck", 0);
    configText("Password");
    configInt("White", 0);
    configInt("Black", 0);
    configInt("Mojicol", 0);
    configInt("Bitshow", 0);
    configInt("Bitall", 0);
    configText("Bitmap");
    configText("Bitmap2");
    configInt("ColorR", 0);
    configInt("ColorG", 0);
    configInt("ColorB", 0);
    configText("Font", "ＭＳ Ｐゴシック");
    configInt("Size", 240);
    configInt("Bold", 0);
    configInt("Italic", 0);
    configInt("Torikeshi", 0);
    configInt("ULine", 0);
    configInt("FColorR", 255);
    configInt("FColorG", 0);
    configInt("FColorB", 0);
    for (int n = 1; n <= kMemoCount; ++n) {
        s.push_back(text(memoKey(n)));
    }
    configInt("Desktop", 1);
    configInt("Left", 1);
    configInt("Top", 1);
    configInt("Endflg", 0);
    configText("Path");
    configText("Scrfile");

    for (int n = 1; n <= kMemoCount; ++n) {
        s.push_back(integer(memoPositionKey('x', n), 0));
        s.push_back(integer(memoPositionKey('y', n), 0));
        s.push_back(text(memoGroupKey("MFont", n), "ＭＳ Ｐ明朝"));
        s.push_back(integer(memoGroupKey("MSize", n), 240));
        s.push_back(integer(memoGroupKey("MBold", n), 0));
        s.push_back(integer(memoGroupKey("MItalic", n), 0));
        s.push_back(integer(memoGroupKey("MTorikeshi", n), 0));
        s.push_back(integer(memoGroupKey("MULine", n), 0));
        s.push_back(integer(memoGroupKey("MColorR", n), 0));
        s.push_back(integer(memoGroupKey("MColorG", n), 255));
        s.push_back(integer(memoGroupKey("MColorB", n), 0));
    }

    for (int n = 1; n <= kPlaceCount; ++n) {
        s.push_back(text(placeImageKey(n)));
    }
    return s;
}

}  // namespace

const std::vector<SettingDef>& settingsSchema() {
    static const std::vector<SettingDef> schema = buildSchema();
    return schema;
}

const SettingDef& settingDef(const SettingKey& key) {
    for (const SettingDef& def : settingsSchema()) {
        if (def.id == key) {
            return def;
        }
    }
    std::fprintf(stderr, "rumo: unknown setting %s/%s\n", key.section.c_str(), key.key.c_str());
    std::abort();
}

}  // namespace rumo
