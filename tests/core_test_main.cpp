// Runs the core tests with the Japanese interface texts, read from the translation file itself,
// so every expectation of a shown text holds the exact bytes Japanese users see.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

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

// The text between `open` and the next `close` at or after `from`, which moves past it; nothing
// when either is missing. (No std::regex: GCC 12 warns inside it in the sanitizer build.)
std::optional<std::string> between(const std::string& text, std::size_t& from,
                                   std::string_view open, std::string_view close) {
    const std::size_t start = text.find(open, from);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t end = text.find(close, start + open.size());
    if (end == std::string::npos) {
        return std::nullopt;
    }
    from = end + close.size();
    return text.substr(start + open.size(), end - start - open.size());
}

void readMessage(const std::string& name, const std::string& message) {
    std::size_t at = 0;
    const std::optional<std::string> source = between(message, at, "<source>", "</source>");
    std::size_t commentAt = 0;
    const std::string comment =
        between(message, commentAt, "<comment>", "</comment>").value_or(std::string());
    // Only finished translations: an unfinished or vanished one carries a type attribute.
    std::optional<std::string> translation =
        between(message, at, "<translation>", "</translation>");
    if (!source || !translation) {
        return;
    }
    std::size_t formAt = 0;
    if (const auto form = between(*translation, formAt, "<numerusform>", "</numerusform>")) {
        translation = form;
    }
    japanese()[key(name, unescaped(*source), unescaped(comment))] = unescaped(*translation);
}

void readTranslations(const char* path) {
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    std::size_t at = 0;
    while (const std::optional<std::string> context =
               between(text, at, "<context>", "</context>")) {
        std::size_t inside = 0;
        const std::string name =
            unescaped(between(*context, inside, "<name>", "</name>").value_or(std::string()));
        while (const std::optional<std::string> message =
                   between(*context, inside, "<message", "</message>")) {
            readMessage(name, *message);
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
