// The settings file as lines of bytes: values are looked up by name in any letter case, and a
// write replaces or adds only the lines of the keys it writes, leaving every other byte as it was
// (comments, order, unknown keys, undecodable bytes, odd quoting, line endings).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/settings_store.h"

namespace rumo {

// The name a key is matched by: section and key joined by '/', ASCII letters in lower case.
std::string foldedSettingPath(std::string_view section, std::string_view key);

class IniDocument {
public:
    explicit IniDocument(std::string bytes);

    // The stored value of a key as bytes, escapes and quotes undone; when a key stands more than
    // once (in any letter case) the last line counts, as it does for QSettings.
    std::optional<std::string> find(const SettingKey& key) const;

    // Tells whether a stored value already shows as the text about to be written; such a line is
    // left as it is, so bytes the program cannot show survive a save of what it showed.
    using ShowsAs = std::function<bool(std::string_view stored, std::string_view text)>;

    // The file's bytes after the writes (a later write of the same key wins). A key that is
    // present has its line replaced, spelled as the table spells it; a missing key is added after
    // the last key of its top-level section, which is added at the end when missing.
    std::string withValues(const std::vector<SettingWrite>& writes, const ShowsAs& showsAs) const;

    const std::string& bytes() const { return bytes_; }

private:
    struct KeyLine {
        std::size_t begin = 0;      // first byte of the line
        std::size_t end = 0;        // the line's end, before its line break
        std::size_t nameBegin = 0;  // the name as it stands in the file
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;  // first byte after '='
        std::size_t section = 0;     // index into sections_
    };
    struct Section {
        std::string name;  // folded; empty for keys outside any section
        std::size_t depth = 0;
    };
    // Lines by the hash of their folded name: one sort instead of a map node per line keeps a
    // file of tens of thousands of keys quick to open.
    struct IndexEntry {
        std::uint64_t hash;
        std::size_t line;
        friend bool operator<(const IndexEntry& a, const IndexEntry& b) {
            return a.hash != b.hash ? a.hash < b.hash : a.line < b.line;
        }
    };

    void parse();
    std::string lineName(const KeyLine& line) const;
    const KeyLine* findLine(const SettingKey& key) const;

    std::string bytes_;
    std::string lineBreak_ = "\n";
    std::vector<KeyLine> lines_;
    std::vector<Section> sections_;
    std::vector<IndexEntry> index_;
    // Where a new key of a top-level section goes: after the last key line of its last block
    // (blocks of nested sections such as [Config\Minf1] do not count).
    std::unordered_map<std::string, std::size_t> sectionInsertAt_;
};

}  // namespace rumo
