#include "common/translate.h"

#include <string_view>

namespace rumo {

namespace {

Translator installed = nullptr;

std::string withCount(const char* source, int n) {
    std::string text = source;
    if (n < 0) {
        return text;
    }
    const std::string count = std::to_string(n);
    for (std::size_t at = text.find("%n"); at != std::string::npos;
         at = text.find("%n", at + count.size())) {
        text.replace(at, 2, count);
    }
    return text;
}

}  // namespace

std::string translate(const char* context, const char* source, const char* disambiguation, int n) {
    if (installed != nullptr) {
        return installed(context, source, disambiguation, n);
    }
    return withCount(source, n);
}

std::string translateData(const char* context, std::string_view source) {
    return translate(context, std::string(source).c_str());
}

std::string withArgument(std::string text, std::string_view value) {
    // As QString::arg: the lowest-numbered marker, wherever it stands, so arguments chain.
    for (char digit = '1'; digit <= '9'; ++digit) {
        const std::string marker{'%', digit};
        std::size_t at = text.find(marker);
        if (at == std::string::npos) {
            continue;
        }
        for (; at != std::string::npos; at = text.find(marker, at + value.size())) {
            text.replace(at, 2, value);
        }
        break;
    }
    return text;
}

void setTranslator(Translator translator) {
    installed = translator;
}

}  // namespace rumo
