#include "settings/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "settings/ini_text.h"

namespace rumo {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), foldAscii);
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t componentCount(std::string_view path) {
    return path.empty() ? 0
                        : static_cast<std::size_t>(std::count(path.begin(), path.end(), '/')) + 1;
}

// The path without its first `count` components.
std::string_view dropComponents(std::string_view path, std::size_t count) {
    for (; count > 0; --count) {
        const std::size_t slash = path.find('/');
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return path;
}

// FNV-1a: names are short, and the index only has to tell them apart, not order them.
std::uint64_t pathHash(std::string_view path) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : path) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return hash;
}

std::string spelledPath(const SettingKey& key) {
    return key.section.empty() ? key.key : key.section + '/' + key.key;
}

}  // namespace

std::string foldedSettingPath(std::string_view section, std::string_view key) {
    std::string path = folded(section);
    if (!path.empty()) {
        path += '/';
    }
    path += folded(key);
    return path;
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    parse();
}

void IniDocument::parse() {
    std::size_t section = 0;   // index into sections_
    sections_.emplace_back();  // keys before any header
    std::size_t* insertAt = nullptr;
    bool breakSeen = false;
    lines_.reserve(static_cast<std::size_t>(std::count(bytes_.begin(), bytes_.end(), '\n')) + 1);
    // A byte-order mark stays in front of the first line, whatever happens to that line.
    std::size_t pos = bytes_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (pos < bytes_.size()) {
        const std::size_t lineBegin = pos;
        const std::size_t end = bytes_.find_first_of("\r\n", pos);
        const std::size_t lineEnd = end == std::string::npos ? bytes_.size() : end;
        std::size_t next = lineEnd;
        if (next < bytes_.size()) {
            next += bytes_.compare(next, 2, "\r\n") == 0 ? 2 : 1;
            if (!breakSeen) {
                lineBreak_ = bytes_.substr(lineEnd, next - lineEnd);
                breakSeen = true;
            }
        }
        const std::string_view line = trimmed(std::string_view(bytes_).substr(pos, lineEnd - pos));
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            std::string name = folded(unescapeIniName(trimmed(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1))));
            if (name == "general") {
                name.clear();
            }
            const std::size_t depth = componentCount(name);
            insertAt = depth == 1 ? &sectionInsertAt_[name] : nullptr;
            if (insertAt) {
                *insertAt = next;
            }
            section = sections_.size();
            sections_.push_back({std::move(name), depth});
        } else if (!line.empty() && line.front() != ';') {
            const std::size_t equals = line.find('=');
            if (equals != std::string_view::npos) {
                const std::string_view name = trimmed(line.substr(0, equals));
                const auto lineStart = static_cast<std::size_t>(line.data() - bytes_.data());
                const auto nameBegin = static_cast<std::size_t>(name.data() - bytes_.data());
                lines_.push_back({lineBegin, lineEnd, nameBegin, nameBegin + name.size(),
                                  lineStart + equals + 1, section});
                if (insertAt) {
                    *insertAt = next;
                }
            }
        }
        pos = next;
    }
    index_.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        index_.push_back({pathHash(lineName(lines_[i])), i});
    }
    std::sort(index_.begin(), index_.end());
}

std::string IniDocument::lineName(const KeyLine& line) const {
    return foldedSettingPath(sections_[line.section].name,
                             unescapeIniName(std::string_view(bytes_).substr(
                                 line.nameBegin, line.nameEnd - line.nameBegin)));
}

const IniDocument::KeyLine* IniDocument::findLine(const SettingKey& key) const {
    const std::string path = foldedSettingPath(key.section, key.key);
    const std::uint64_t hash = pathHash(path);
    auto at = std::upper_bound(index_.begin(), index_.end(),
                               IndexEntry{hash, std::numeric_limits<std::size_t>::max()});
    while (at != index_.begin()) {
        --at;
        if (at->hash != hash) {
            break;
        }
        if (lineName(lines_[at->line]) == path) {
            return &lines_[at->line];  // the last line of that name
        }
    }
    return nullptr;
}

std::optional<std::string> IniDocument::find(const SettingKey& key) const {
    const KeyLine* line = findLine(key);
    if (!line) {
        return std::nullopt;
    }
    return unescapeIniValue(
        std::string_view(bytes_).substr(line->valueBegin, line->end - line->valueBegin));
}

namespace {

struct TextEdit {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

// Sections the file does not have yet: the name as spelled and its lines.
using NewSections = std::vector<std::pair<std::string, std::string>>;

// A later write of the same key replaces an earlier one; the first one's place is kept.
std::vector<const SettingWrite*> lastWriteOfEachKey(const std::vector<SettingWrite>& writes) {
    std::vector<const SettingWrite*> latest;
    std::unordered_map<std::string, std::size_t> slot;
    for (const SettingWrite& write : writes) {
        const auto [it, added] =
            slot.try_emplace(foldedSettingPath(write.key.section, write.key.key), latest.size());
        if (added) {
            latest.push_back(&write);
        } else {
            latest[it->second] = &write;
        }
    }
    return latest;
}

void addToNewSection(NewSections& sections, const std::string& name, const std::string& entry) {
    const auto same = std::find_if(sections.begin(), sections.end(),
                                   [&](const auto& s) { return folded(s.first) == folded(name); });
    if (same != sections.end()) {
        same->second += entry;
    } else {
        sections.emplace_back(name, entry);
    }
}

// The bytes with the edits made (in file order) and the new sections added at the end.
std::string edited(const std::string& bytes, std::vector<TextEdit> edits,
                   const NewSections& newSections, const std::string& lineBreak) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const TextEdit& a, const TextEdit& b) { return a.begin < b.begin; });
    std::string out;
    out.reserve(bytes.size() + 256);
    std::size_t copied = 0;
    for (const TextEdit& edit : edits) {
        out.append(bytes, copied, edit.begin - copied);
        out += edit.text;
        copied = edit.end;
    }
    out.append(bytes, copied, std::string::npos);
    for (const auto& [name, lines] : newSections) {
        if (!out.empty()) {
            if (out.back() != '\n' && out.back() != '\r') {
                out += lineBreak;
            }
            out += lineBreak;
        }
        out += '[' + escapeIniName(name) + ']' + lineBreak + lines;
    }
    return out;
}

}  // namespace

std::string IniDocument::withValues(const std::vector<SettingWrite>& writes,
                                    const ShowsAs& showsAs) const {
    std::vector<TextEdit> edits;
    NewSections newSections;
    // The file's last line had no line break: the first key added after it brings one.
    bool endsOpen = !bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r';
    for (const SettingWrite* write : lastWriteOfEachKey(writes)) {
        const std::string path = spelledPath(write->key);
        if (const KeyLine* found = findLine(write->key)) {
            const KeyLine& line = *found;
            const std::string stored = unescapeIniValue(
                std::string_view(bytes_).substr(line.valueBegin, line.end - line.valueBegin));
            if (!showsAs(stored, write->text)) {
                edits.push_back(
                    {line.begin, line.end,
                     escapeIniName(dropComponents(path, sections_[line.section].depth)) + '=' +
                         escapeIniValue(write->text)});
            }
            continue;
        }
        const std::string top = path.substr(0, path.find('/'));
        const std::string entry =
            escapeIniName(dropComponents(path, 1)) + '=' + escapeIniValue(write->text) + lineBreak_;
        const auto insertAt = sectionInsertAt_.find(folded(top));
        if (insertAt == sectionInsertAt_.end()) {
            addToNewSection(newSections, top, entry);
            continue;
        }
        std::string text = entry;
        if (insertAt->second == bytes_.size() && endsOpen) {
            text = lineBreak_ + text;
            endsOpen = false;
        }
        edits.push_back({insertAt->second, insertAt->second, std::move(text)});
    }
    return edited(bytes_, std::move(edits), newSections, lineBreak_);
}

}  // namespace rumo
