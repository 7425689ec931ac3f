#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/Text.h"

namespace tolvar {

// The parsed skin description: an ordered list of sections, each an ordered list of lines.
// Section names and keys compare without regard to ASCII letter case; of repeated sections
// the last one counts, and of repeated keys in a section the last occurrence.
class SkinDescription {
public:
    SkinDescription() = default;
    explicit SkinDescription(const TextLines& lines) { Parse(lines); }
    // The text as it lies in a package: lines split at CR, LF or CR LF, a NUL byte ends it.
    static SkinDescription FromText(std::string_view text);

    void Parse(const TextLines& lines);

    // Found and holding at least one line.
    bool SectionExists(std::string_view section) const;
    // The value, or `def` when the section or the key is absent. A key present with an empty
    // value gives the empty string.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // A value that does not read as an integer (decimal, or hexadecimal after "$" or "0x")
    // gives `def`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // Writing, for skin-authoring tools: a missing section is appended, a missing key is
    // appended to its section, a present key gets the new value.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Removes every section of that name.
    void EraseSection(std::string_view section);

    // The description as lines again ("[name]" and "key=value").
    TextLines ToLines() const;

    struct Line {
        std::string text;  // the trimmed line
        std::string key;   // empty unless the line holds "="
        std::string value;
        bool hasKey = false;
    };
    // Names compare without regard to ASCII case, and are looked up without a copy.
    struct NoCaseHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, size_t, NoCaseHash, NoCaseEqual>;

    struct Section {
        std::string name;
        std::vector<Line> lines;
        NameIndex keys;  // key -> its last line
    };
    const std::vector<Section>& Sections() const { return sections_; }

    // The section a lookup of that name finds (the last of its name), or none.
    const Section* FindSection(std::string_view section) const;
    // The value of a key, or none when the section or the key is absent.
    const std::string* FindValue(std::string_view section, std::string_view key) const {
        return FindValue(FindSection(section), key);
    }
    static const std::string* FindValue(const Section* section, std::string_view key);

private:
    const Line* FindLine(std::string_view section, std::string_view key) const;
    Section& Ensure(std::string_view section);
    void Reindex();

    std::vector<Section> sections_;
    NameIndex index_;  // name -> its last section
};

}  // namespace tolvar
