#include "platform/settings/IniDocument.h"

#include "platform/core/Utf8.h"
#include "platform/settings/SettingsError.h"

namespace {

std::string_view Trim(std::string_view s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::string Fold(std::string_view s)
{
    return Utf8ToLower(std::string(s));
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool HasOuterBlanks(std::string_view s)
{
    return !s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t');
}

// A value that reading would change (outer blanks, outer quotes) is written in quotes.
std::string EncodeValue(std::string_view value)
{
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (HasOuterBlanks(value) || quoted)
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

} // namespace

void TIniDocument::Clear()
{
    m_sections.clear();
    m_sections.emplace_back();
    m_index.clear();
    m_eol = "\n";
}

void TIniDocument::Parse(std::string_view text)
{
    Clear();
    bool eolKnown = false;
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        Line line;
        if (end == std::string_view::npos) {
            line.raw = std::string(text.substr(pos));
            pos = text.size();
        } else {
            const bool crlf = end > pos && text[end - 1] == '\r';
            line.raw = std::string(text.substr(pos, end - pos - (crlf ? 1 : 0)));
            line.eol = crlf ? "\r\n" : "\n";
            pos = end + 1;
            if (!eolKnown) {
                m_eol = line.eol;
                eolKnown = true;
            }
        }
        std::string_view content = line.raw;
        if (first && content.substr(0, 3) == "\xEF\xBB\xBF")
            content.remove_prefix(3); // a byte order mark
        first = false;
        const std::string_view trimmed = Trim(content);
        if (line.raw.size() > kMaxIniLineLength) {
            // Kept as it is but not read; a section it would start cannot be reached.
            if (!trimmed.empty() && trimmed.front() == '[') {
                Section s;
                s.hasHeader = true;
                s.reachable = false;
                s.header = std::move(line);
                m_sections.push_back(std::move(s));
            } else {
                m_sections.back().lines.push_back(std::move(line));
            }
            continue;
        }
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            Section s;
            s.hasHeader = true;
            s.name = std::string(Trim(trimmed.substr(1, trimmed.size() - 2)));
            s.folded = Fold(s.name);
            s.header = std::move(line);
            m_sections.push_back(std::move(s));
            continue;
        }
        const size_t eq = trimmed.find('=');
        if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#' && eq != std::string_view::npos &&
            eq > 0) {
            line.entry = true;
            line.ident = std::string(Trim(trimmed.substr(0, eq)));
            line.folded = Fold(line.ident);
            std::string_view value = Trim(trimmed.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            line.value = std::string(value);
        }
        m_sections.back().lines.push_back(std::move(line));
    }
    RebuildIndex();
}

std::string TIniDocument::Text() const
{
    size_t size = 0;
    for (const Section& s : m_sections) {
        size += s.header.raw.size() + s.header.eol.size();
        for (const Line& l : s.lines)
            size += l.raw.size() + l.eol.size();
    }
    std::string out;
    out.reserve(size);
    for (const Section& s : m_sections) {
        if (s.hasHeader)
            out.append(s.header.raw).append(s.header.eol);
        for (const Line& l : s.lines)
            out.append(l.raw).append(l.eol);
    }
    return out;
}

void TIniDocument::RebuildIndex()
{
    m_index.clear();
    for (size_t i = 1; i < m_sections.size(); ++i) {
        m_sections[i].indexStale = true;
        if (m_sections[i].reachable)
            m_index.emplace(m_sections[i].folded, i);
    }
}

const TIniDocument::Section* TIniDocument::FindSection(std::string_view section) const
{
    const auto it = m_index.find(Fold(section));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

TIniDocument::Section* TIniDocument::FindSection(std::string_view section)
{
    return const_cast<Section*>(static_cast<const TIniDocument*>(this)->FindSection(section));
}

const TIniDocument::Line* TIniDocument::FindEntry(const Section& s, const std::string& folded) const
{
    if (s.indexStale) {
        s.index.clear();
        for (size_t i = 0; i < s.lines.size(); ++i)
            if (s.lines[i].entry)
                s.index.emplace(s.lines[i].folded, i);
        s.indexStale = false;
    }
    const auto it = s.index.find(folded);
    return it == s.index.end() ? nullptr : &s.lines[it->second];
}

bool TIniDocument::SectionExists(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> names;
    for (size_t i = 1; i < m_sections.size(); ++i) {
        const Section& s = m_sections[i];
        const auto it = m_index.find(s.folded);
        if (s.reachable && it != m_index.end() && it->second == i)
            names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> TIniDocument::Idents(std::string_view section) const
{
    std::vector<std::string> idents;
    const Section* s = FindSection(section);
    if (!s)
        return idents;
    for (const Line& l : s->lines)
        if (l.entry && FindEntry(*s, l.folded) == &l)
            idents.push_back(l.ident);
    return idents;
}

const std::string* TIniDocument::Value(std::string_view section, std::string_view ident) const
{
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const Line* l = FindEntry(*s, Fold(ident));
    return l ? &l->value : nullptr;
}

void TIniDocument::EnsureLastLineEnds()
{
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
        Line* last = !it->lines.empty() ? &it->lines.back() : (it->hasHeader ? &it->header : nullptr);
        if (!last)
            continue;
        if (last->eol.empty())
            last->eol = m_eol;
        return;
    }
}

void TIniDocument::SetValue(std::string_view section, std::string_view ident, std::string_view value)
{
    if (HasLineBreak(section) || HasOuterBlanks(section) || section.size() > kMaxIniLineLength - 2)
        throw EIniFileException("The section name " + QuotedName(section) + " cannot be kept in an INI file.");
    if (ident.empty() || HasLineBreak(ident) || HasOuterBlanks(ident) || ident.find('=') != std::string_view::npos ||
        ident.front() == '[' || ident.front() == ';' || ident.front() == '#')
        throw EIniFileException("The name " + QuotedName(ident) + " cannot be kept in an INI file.");
    if (HasLineBreak(value))
        throw EIniFileException("The value of " + QuotedName(ident) + " holds a line break, which an INI file cannot keep.");
    const std::string text = std::string(ident) + "=" + EncodeValue(value);
    if (text.size() > kMaxIniLineLength)
        throw EIniFileException("The value of " + QuotedName(ident) + " is too long for an INI file.");

    Section* s = FindSection(section);
    if (!s) {
        EnsureLastLineEnds();
        const Section& last = m_sections.back();
        const Line* lastLine = !last.lines.empty() ? &last.lines.back() : (last.hasHeader ? &last.header : nullptr);
        if (lastLine && !Trim(lastLine->raw).empty())
            m_sections.back().lines.push_back(Line{"", m_eol});
        Section fresh;
        fresh.hasHeader = true;
        fresh.name = std::string(section);
        fresh.folded = Fold(section);
        fresh.header.raw = "[" + fresh.name + "]";
        fresh.header.eol = m_eol;
        m_sections.push_back(std::move(fresh));
        m_index.emplace(m_sections.back().folded, m_sections.size() - 1);
        s = &m_sections.back();
    }
    const std::string folded = Fold(ident);
    if (const Line* found = FindEntry(*s, folded)) {
        Line& line = const_cast<Line&>(*found);
        if (line.value == value)
            return;
        line.raw = line.ident + "=" + EncodeValue(value);
        line.value = std::string(value);
        return;
    }
    // After the section's last entry, before the blank lines and comments that end it
    // (right after the header when it has no entry yet).
    size_t at = s->lines.size();
    while (at > 0 && !s->lines[at - 1].entry)
        --at;
    if (s->header.eol.empty())
        s->header.eol = m_eol;
    if (at > 0 && s->lines[at - 1].eol.empty())
        s->lines[at - 1].eol = m_eol;
    Line line;
    line.raw = text;
    line.eol = m_eol;
    line.entry = true;
    line.ident = std::string(ident);
    line.folded = folded;
    line.value = std::string(value);
    s->lines.insert(s->lines.begin() + std::ptrdiff_t(at), std::move(line));
    s->indexStale = true;
}

bool TIniDocument::EraseSection(std::string_view section)
{
    const std::string folded = Fold(section);
    const size_t before = m_sections.size();
    for (size_t i = m_sections.size(); i-- > 1;)
        if (m_sections[i].reachable && m_sections[i].folded == folded)
            m_sections.erase(m_sections.begin() + std::ptrdiff_t(i));
    if (m_sections.size() == before)
        return false;
    RebuildIndex();
    return true;
}

bool TIniDocument::DeleteKey(std::string_view section, std::string_view ident)
{
    Section* s = FindSection(section);
    if (!s)
        return false;
    const std::string folded = Fold(ident);
    const size_t before = s->lines.size();
    std::erase_if(s->lines, [&](const Line& l) { return l.entry && l.folded == folded; });
    if (s->lines.size() == before)
        return false;
    s->indexStale = true;
    return true;
}
