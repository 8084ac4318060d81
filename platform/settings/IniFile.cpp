#include "platform/settings/IniFile.h"

#include "platform/core/TextCompare.h"
#include "platform/settings/SettingsFile.h"

#include <charconv>
#include <cstdint>

bool TryReadIniInteger(std::string_view text, int32_t& value)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    text = text.substr(b, text.find_last_not_of(" \t") - b + 1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return false;
    int64_t magnitude = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return false;
    const int64_t v = negative ? -magnitude : magnitude;
    // Hexadecimal may spell the bits of a negative number ("0xFFFFFFFF" is -1).
    if (base == 16 && !negative && v <= 0xFFFFFFFFLL) {
        value = static_cast<int32_t>(static_cast<uint32_t>(v));
        return true;
    }
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryReadIniBool(std::string_view text, bool& value)
{
    int32_t n = 0;
    if (TryReadIniInteger(text, n)) {
        value = n != 0;
        return true;
    }
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    text = text.substr(b, text.find_last_not_of(" \t") - b + 1);
    if (SameText(text, "true")) {
        value = true;
        return true;
    }
    if (SameText(text, "false")) {
        value = false;
        return true;
    }
    return false;
}

// ---- TCustomIniFile ----

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const
{
    int32_t value = defaultValue;
    if (!ValueExists(section, ident) || !TryReadIniInteger(ReadString(section, ident, ""), value))
        return defaultValue;
    return value;
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value)
{
    WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const
{
    bool value = defaultValue;
    if (!ValueExists(section, ident) || !TryReadIniBool(ReadString(section, ident, ""), value))
        return defaultValue;
    return value;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::ReadSectionValues(std::string_view section, TStrings& strings) const
{
    TStringList idents;
    ReadSection(section, idents);
    strings.BeginUpdate();
    strings.Clear();
    for (int i = 0; i < idents.Count(); ++i)
        strings.Add(idents.Strings(i) + "=" + ReadString(section, idents.Strings(i), ""));
    strings.EndUpdate();
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName))
{
    m_document.Clear();
    if (FileName().empty())
        return;
    std::string content;
    TFileReadResult result = TFileReadResult::Missing;
    try {
        result = ReadSettingsFile(ResolveSettingsPath(FileName()), kMaxIniFileSize, content);
    } catch (const ESettingsError& e) {
        throw EIniFileException(e.Message());
    }
    if (result == TFileReadResult::TooLarge)
        throw EIniFileException("The INI file '" + FileName() + "' is larger than " +
                                std::to_string(kMaxIniFileSize >> 20) + " MiB.");
    m_document.Parse(content);
}

bool TMemIniFile::SectionExists(std::string_view section) const
{
    return m_document.SectionExists(section);
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const
{
    return m_document.Value(section, ident) != nullptr;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view defaultValue) const
{
    const std::string* value = m_document.Value(section, ident);
    return value ? *value : std::string(defaultValue);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    const std::string* old = m_document.Value(section, ident);
    if (old && *old == value)
        return;
    m_document.SetValue(section, ident, value);
    m_modified = true;
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& strings) const
{
    strings.BeginUpdate();
    strings.Clear();
    for (const std::string& ident : m_document.Idents(section))
        strings.Add(ident);
    strings.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& strings) const
{
    strings.BeginUpdate();
    strings.Clear();
    for (const std::string& name : m_document.SectionNames())
        strings.Add(name);
    strings.EndUpdate();
}

void TMemIniFile::EraseSection(std::string_view section)
{
    if (m_document.EraseSection(section))
        m_modified = true;
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    if (m_document.DeleteKey(section, ident))
        m_modified = true;
}

void TMemIniFile::SetText(std::string_view text)
{
    m_document.Parse(text);
    m_modified = true;
}

void TMemIniFile::Clear()
{
    m_document.Clear();
    m_modified = true;
}

void TMemIniFile::UpdateFile()
{
    if (FileName().empty())
        throw EIniFileException("The INI file has no name to be written to.");
    const std::string path = ResolveSettingsPath(FileName());
    try {
        TSettingsFileLock lock(path, 0666);
        ReplaceSettingsFile(path, m_document.Text(), 0666);
    } catch (const ESettingsError& e) {
        throw EIniFileException(e.Message());
    }
    m_modified = false;
}

// ---- TIniFile ----

TIniFile::~TIniFile()
{
    if (!Modified() || FileName().empty())
        return;
    try {
        UpdateFile();
    } catch (const std::exception& e) {
        ReportSettingsProblem(e.what());
    }
}
