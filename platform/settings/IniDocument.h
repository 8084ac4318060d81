// An INI file's text as lines, for changing values without disturbing the rest: lines
// that are not changed are written back byte for byte (comments, blank lines, foreign
// sections, odd spacing, the file's line ends).
//
// Reading: "[name]" starts a section (the name trimmed); "ident=value" is an entry (both
// trimmed, one pair of double quotes around the value removed); lines starting with ";"
// or "#", blank lines and anything else are kept but mean nothing. Entries before the
// first section belong to none. Names compare ignoring case; the first of duplicate
// sections or entries counts. A line over 1 MiB is kept but not read (a section it
// starts cannot be reached).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

constexpr size_t kMaxIniLineLength = 1u << 20;

class TIniDocument {
public:
    void Parse(std::string_view text);
    std::string Text() const;
    void Clear();

    bool SectionExists(std::string_view section) const;
    std::vector<std::string> SectionNames() const;
    // The idents of a section (first spelling, file order).
    std::vector<std::string> Idents(std::string_view section) const;
    // Null when missing.
    const std::string* Value(std::string_view section, std::string_view ident) const;

    // Replaces the entry's line or adds one after the section's last entry (adding the
    // section at the end when missing). Throws EIniFileException for names or values the
    // file cannot hold (line breaks, "=" in an ident, a line over 1 MiB...).
    void SetValue(std::string_view section, std::string_view ident, std::string_view value);
    // Removes every section of that name with all its lines.
    bool EraseSection(std::string_view section);
    // Removes every line of that entry in the section.
    bool DeleteKey(std::string_view section, std::string_view ident);

private:
    struct Line {
        std::string raw; // without its line end
        std::string eol; // "\n", "\r\n" or "" (last line)
        bool entry = false;
        std::string ident;  // as written, trimmed
        std::string folded; // of the ident
        std::string value;  // as read
    };
    struct Section {
        std::string name;
        std::string folded;
        bool hasHeader = false;
        bool reachable = true;
        Line header;
        std::vector<Line> lines;
        // Entries by folded ident (first occurrence); rebuilt when stale.
        mutable std::unordered_map<std::string, size_t> index;
        mutable bool indexStale = true;
    };

    const Section* FindSection(std::string_view section) const;
    Section* FindSection(std::string_view section);
    const Line* FindEntry(const Section& s, const std::string& folded) const;
    void RebuildIndex();
    void EnsureLastLineEnds();

    std::vector<Section> m_sections; // the first holds the lines before any section
    std::unordered_map<std::string, size_t> m_index;
    std::string m_eol = "\n";
};
