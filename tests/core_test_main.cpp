// Runs the core tests with the Japanese interface texts, read from the translation file itself,
// so every expectation of a shown text holds the exact bytes Japanese users see.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "common/translate.h"

namespace {

std::map<std::string, std::string>& japanese() {
    static std::map<std::string, std::string> texts;
    return texts;
}

std::string key(const std::string& context, const std::string& source,
                const std::string& disambiguation) {
    return context + '\x1f' + source + '\x1f' + disambiguation;
}

std::string unescaped(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::char_traits<char>::length(entity), character);
        }
    }
    return text;
}

void readTranslations(const char* path) {
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    const std::regex context(R"(<name>([\s\S]*?)</name>([\s\S]*?)</context>)");
    const std::regex message(
        R"(<source>([\s\S]*?)</source>\s*(?:<comment>([\s\S]*?)</comment>\s*)?)"
        R"(<translation>\s*(?:<numerusform>)?([\s\S]*?)(?:</numerusform>\s*)?</translation>)");
    for (std::sregex_iterator c(text.begin(), text.end(), context), end; c != end; ++c) {
        const std::string name = unescaped((*c)[1]);
        const std::string body = (*c)[2];
        for (std::sregex_iterator m(body.begin(), body.end(), message); m != end; ++m) {
            japanese()[key(name, unescaped((*m)[1]), unescaped((*m)[2]))] = unescaped((*m)[3]);
        }
    }
}

std::string translateToJapanese(const char* context, const char* source, const char* disambiguation,
                                int n) {
    const auto found = japanese().find(key(context, source, disambiguation ? disambiguation : ""));
    std::string text = found == japanese().end() ? source : found->second;
    if (n >= 0) {
        for (std::size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n")) {
            text.replace(at, 2, std::to_string(n));
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    readTranslations(RUMO_SOURCE_DIR "/translations/rumo_ja.ts");
    if (japanese().empty()) {
        std::fprintf(stderr, "no Japanese texts in translations/rumo_ja.ts\n");
        return 1;
    }
    rumo::setTranslator(&translateToJapanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
