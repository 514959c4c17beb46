#include "settings/ini_text.h"

#include <cstdint>

namespace rumo {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code >= 0xD800 && code <= 0xDFFF) {
        code = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

constexpr char kHex[] = "0123456789abcdef";
constexpr char kUpperHex[] = "0123456789ABCDEF";

}  // namespace

std::string unescapeIniName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            out += '/';
        } else if (c == '%' && i + 5 < text.size() && text[i + 1] == 'U' &&
                   hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0 &&
                   hexDigit(text[i + 4]) >= 0 && hexDigit(text[i + 5]) >= 0) {
            std::uint32_t code = 0;
            for (std::size_t k = 2; k < 6; ++k) {
                code = code * 16 + static_cast<std::uint32_t>(hexDigit(text[i + k]));
            }
            appendUtf8(out, code);
            i += 5;
        } else if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            appendUtf8(out, static_cast<std::uint32_t>(hexDigit(text[i + 1]) * 16 +
                                                       hexDigit(text[i + 2])));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string escapeIniName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += kUpperHex[u >> 4];
            out += kUpperHex[u & 0x0F];
        }
    }
    return out;
}

namespace {

// A single character after a backslash, as the C escapes spell it; 0 when it is not one of them.
char simpleEscape(char e) {
    switch (e) {
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'v':
            return '\v';
        case '"':
        case '?':
        case '\'':
        case '\\':
            return e;
        default:
            return 0;
    }
}

// Reads digits of the given base from text at i into a 16-bit code; false when there were none.
bool readCode(std::string_view text, std::size_t& i, int base, std::uint32_t& code) {
    bool any = false;
    while (i < text.size()) {
        const int digit = base == 16 ? hexDigit(text[i])
                                     : (text[i] >= '0' && text[i] <= '7' ? text[i] - '0' : -1);
        if (digit < 0) {
            break;
        }
        code =
            (code * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit)) & 0xFFFF;
        any = true;
        ++i;
    }
    return any;
}

// The escape whose letter is at text[i - 1] (i just past it), appended to out.
void appendEscape(std::string_view text, std::size_t& i, std::string& out) {
    const char e = text[i - 1];
    if (const char simple = simpleEscape(e)) {
        out += simple;
        return;
    }
    std::uint32_t code = 0;
    if (e == 'x') {
        if (readCode(text, i, 16, code)) {
            appendUtf8(out, code);
        }
    } else if (e >= '0' && e <= '7') {
        code = static_cast<std::uint32_t>(e - '0');
        readCode(text, i, 8, code);
        appendUtf8(out, code);
    } else if (static_cast<unsigned char>(e) >= 0xC0) {
        // A backslash typed before a non-ASCII character: the whole character stays (QSettings
        // would drop its first byte and show the rest as garbage).
        out += e;
        for (int more = 0;
             more < 3 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
             ++more) {
            out += text[i++];
        }
    }
    // Any other escaped character is dropped, as QSettings does.
}

}  // namespace

std::string unescapeIniValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    bool quoted = false;
    // Blanks after this length may be dropped: they are unquoted and were not escaped.
    std::size_t keepUpTo = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
    };
    skipBlanks();
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '\\') {
            if (i >= text.size()) {
                break;
            }
            ++i;
            appendEscape(text, i, out);
            keepUpTo = out.size();
        } else if (c == ';' && !quoted) {
            break;  // the rest of the line is a comment, as QSettings reads it
        } else if (c == '"') {
            quoted = !quoted;
            if (!quoted) {
                keepUpTo = out.size();
                skipBlanks();
            }
        } else {
            out += c;
            if (quoted) {
                keepUpTo = out.size();
            }
        }
    }
    while (out.size() > keepUpTo && (out.back() == ' ' || out.back() == '\t')) {
        out.pop_back();
    }
    if (out.size() >= 2 && out[0] == '@' && out[1] == '@') {
        out.erase(0, 1);
    }
    return out;
}

std::string escapeIniValue(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    if (!value.empty() && value.front() == '@') {
        out += '@';
    }
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=') {
            needsQuotes = true;
        }
        if (escapeNextIfHex && hexDigit(c) >= 0) {
            // A hex digit right after \xNN would be read as part of that escape.
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
            continue;
        }
        escapeNextIfHex = false;
        switch (c) {
            case '\0':
                out += "\\0";
                escapeNextIfHex = true;
                break;
            case '\a':
                out += "\\a";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\v':
                out += "\\v";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (u <= 0x1F) {
                    out += "\\x";
                    if (u >= 0x10) {
                        out += kHex[u >> 4];
                    }
                    out += kHex[u & 0x0F];
                    escapeNextIfHex = true;
                } else {
                    out += c;
                }
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
        out = '"' + out + '"';
    }
    return out;
}

}  // namespace rumo
