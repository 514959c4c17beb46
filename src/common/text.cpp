#include "common/text.h"

namespace rumo {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Decodes one UTF-8 sequence at text[i]; returns its length in bytes, or 0 when it is invalid.
std::size_t sequenceLength(std::string_view text, std::size_t i, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    codePoint = value;
    return length;
}

}  // namespace

int cp932Length(std::string_view utf8) {
    int bytes = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t codePoint = 0;
        const std::size_t length = sequenceLength(utf8, i, codePoint);
        if (length == 0) {
            bytes += 1;
            i += 1;
            continue;
        }
        const bool singleByte = codePoint < 0x80 || (codePoint >= 0xFF61 && codePoint <= 0xFF9F);
        bytes += singleByte ? 1 : 2;
        i += length;
    }
    return bytes;
}

std::string trimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0) {
        const char c = text[end - 1];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
            --end;
        } else {
            break;
        }
    }
    return std::string(text.substr(0, end));
}

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t nextCharacter(std::string_view text, std::size_t at) {
    std::size_t next = at + 1;
    while (next < text.size() && isContinuationByte(text[next])) {
        ++next;
    }
    return next;
}

std::string_view cutAtCharacter(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = maxBytes;
    while (end > 0 && isContinuationByte(text[end])) {
        --end;
    }
    return text.substr(0, end);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

}  // namespace rumo
