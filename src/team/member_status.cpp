#include "team/member_status.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <variant>

namespace rumo {

namespace {

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
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
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// The flat values of one JSON object; what is nested is skipped over, not kept.
using Value = std::variant<std::monostate, std::string, double, bool>;

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<std::map<std::string, Value>> object() {
        std::map<std::string, Value> fields;
        if (!take('{')) {
            return std::nullopt;
        }
        if (take('}')) {
            return finish(fields);
        }
        do {
            std::string key;
            if (!string(key) || !take(':')) {
                return std::nullopt;
            }
            Value value;
            if (!this->value(value, 0)) {
                return std::nullopt;
            }
            fields[key] = std::move(value);
        } while (take(','));
        if (!take('}')) {
            return std::nullopt;
        }
        return finish(fields);
    }

private:
    // Deep nesting is refused rather than followed down the stack.
    static constexpr int kMaxDepth = 32;

    std::optional<std::map<std::string, Value>> finish(std::map<std::string, Value>& fields) {
        skipSpace();
        if (at_ != text_.size()) {
            return std::nullopt;
        }
        return std::move(fields);
    }

    void skipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }
    bool take(char c) {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (text_.substr(at_, w.size()) == w) {
            at_ += w.size();
            return true;
        }
        return false;
    }

    static void appendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool hex4(std::uint32_t& code) {
        if (at_ + 4 > text_.size()) {
            return false;
        }
        const char* first = text_.data() + at_;
        const auto [end, error] = std::from_chars(first, first + 4, code, 16);
        if (error != std::errc() || end != first + 4) {
            return false;
        }
        at_ += 4;
        return true;
    }

    bool string(std::string& out) {
        if (!take('"')) {
            return false;
        }
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) {
                return false;
            }
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::uint32_t code = 0;
                    if (!hex4(code)) {
                        return false;
                    }
                    if (code >= 0xD800 && code < 0xDC00) {
                        std::uint32_t low = 0;
                        if (!word("\\u") || !hex4(low) || low < 0xDC00 || low >= 0xE000) {
                            return false;
                        }
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code < 0xE000) {
                        return false;
                    }
                    appendUtf8(out, code);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    bool value(Value& out, int depth) {
        skipSpace();
        if (at_ >= text_.size() || depth > kMaxDepth) {
            return false;
        }
        const char c = text_[at_];
        if (c == '"') {
            std::string s;
            if (!string(s)) {
                return false;
            }
            out = std::move(s);
            return true;
        }
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++at_;
            if (take(close)) {
                return true;
            }
            do {
                if (c == '{') {
                    std::string key;
                    if (!string(key) || !take(':')) {
                        return false;
                    }
                }
                Value ignored;
                if (!value(ignored, depth + 1)) {
                    return false;
                }
            } while (take(','));
            return take(close);
        }
        if (word("true")) {
            out = true;
            return true;
        }
        if (word("false")) {
            out = false;
            return true;
        }
        if (word("null")) {
            return true;
        }
        double number = 0;
        const char* first = text_.data() + at_;
        const auto [end, error] = std::from_chars(first, text_.data() + text_.size(), number);
        if (error != std::errc() || end == first) {
            return false;
        }
        at_ += static_cast<std::size_t>(end - first);
        out = number;
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<std::int64_t> wholeSeconds(const std::map<std::string, Value>& fields,
                                         const std::string& key) {
    const auto found = fields.find(key);
    if (found == fields.end()) {
        return std::nullopt;
    }
    const double* number = std::get_if<double>(&found->second);
    // Beyond the year 9999 or before 1970 is no time a person sets.
    if (number == nullptr || !(*number >= 0 && *number < 253402300800.0)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(*number);
}

std::string text(const std::map<std::string, Value>& fields, const std::string& key) {
    const auto found = fields.find(key);
    if (found == fields.end()) {
        return {};
    }
    const std::string* s = std::get_if<std::string>(&found->second);
    return s == nullptr ? std::string() : *s;
}

}  // namespace

std::string_view presenceName(Presence presence) {
    switch (presence) {
        case Presence::Present:
            return "present";
        case Presence::Away:
            return "away";
        case Presence::Off:
            break;
    }
    return "off";
}

std::string statusJson(const MemberStatus& status) {
    std::string out = "{\"v\":" + std::to_string(kMemberStatusVersion) + ",\"id\":";
    appendQuoted(out, status.id);
    out += ",\"name\":";
    appendQuoted(out, status.name);
    out += ",\"state\":";
    appendQuoted(out, presenceName(status.state));
    out += ",\"where\":";
    appendQuoted(out, status.where);
    if (status.back) {
        out += ",\"back\":" + std::to_string(*status.back);
    }
    if (status.since) {
        out += ",\"since\":" + std::to_string(*status.since);
    }
    out += '}';
    return out;
}

std::optional<MemberStatus> parseStatusJson(std::string_view json) {
    Reader reader(json);
    const std::optional<std::map<std::string, Value>> fields = reader.object();
    if (!fields) {
        return std::nullopt;
    }
    MemberStatus status;
    const std::string state = text(*fields, "state");
    if (state == "present") {
        status.state = Presence::Present;
    } else if (state == "away") {
        status.state = Presence::Away;
    } else if (state == "off") {
        status.state = Presence::Off;
    } else {
        return std::nullopt;
    }
    status.id = text(*fields, "id");
    status.name = text(*fields, "name");
    status.where = text(*fields, "where");
    status.back = wholeSeconds(*fields, "back");
    status.since = wholeSeconds(*fields, "since");
    return status;
}

bool isOverdue(const MemberStatus& status, std::int64_t now) {
    return status.state == Presence::Away && status.back && now > *status.back;
}

}  // namespace rumo
