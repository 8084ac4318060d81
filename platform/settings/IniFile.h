// INI objects: named sections of "ident=value" entries.
//   TCustomIniFile  the operations every INI object offers;
//   TMemIniFile     the whole file read into memory, written back by UpdateFile;
//   TIniFile        the same, also written back (when changed) when destroyed.
// Names compare ignoring case. Booleans are written "1" and "0" and read from any
// integer (0 false) or "true"/"false"; an integer that is not a number reads as the
// default. Lines that are not changed are written back byte for byte (IniDocument.h).
// The file is replaced at once under its lock; a write that fails raises
// EIniFileException naming the file.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/StringList.h"
#include "platform/settings/IniDocument.h"
#include "platform/settings/SettingsError.h"

#include <cstdint>
#include <string>
#include <string_view>

// Decimal with an optional sign, or hexadecimal written "0x1F" or "$1F"; within 32 bits.
bool TryReadIniInteger(std::string_view text, int32_t& value);
// An integer (0 false, any other true) or "true"/"false" in any case.
bool TryReadIniBool(std::string_view text, bool& value);

constexpr size_t kMaxIniFileSize = 64u << 20;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}
    const std::string& FileName() const { return m_fileName; }

    virtual bool SectionExists(std::string_view section) const = 0;
    virtual bool ValueExists(std::string_view section, std::string_view ident) const = 0;
    virtual std::string ReadString(std::string_view section, std::string_view ident,
                                   std::string_view defaultValue) const = 0;
    virtual void WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
    virtual int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const;
    virtual void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
    virtual bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;
    virtual void WriteBool(std::string_view section, std::string_view ident, bool value);
    // The idents of a section, the names of all sections, a section as "ident=value".
    virtual void ReadSection(std::string_view section, TStrings& strings) const = 0;
    virtual void ReadSections(TStrings& strings) const = 0;
    virtual void ReadSectionValues(std::string_view section, TStrings& strings) const;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
    virtual void UpdateFile() = 0;

private:
    std::string m_fileName;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Reads the file (a missing file is empty); throws EIniFileException naming it when
    // it cannot be read or is larger than 64 MiB.
    explicit TMemIniFile(std::string fileName);

    bool SectionExists(std::string_view section) const override;
    bool ValueExists(std::string_view section, std::string_view ident) const override;
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view defaultValue) const override;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& strings) const override;
    void ReadSections(TStrings& strings) const override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;
    // Writes the whole text back to the file.
    void UpdateFile() override;

    // Changed since read or last written.
    bool Modified() const { return m_modified; }
    // The text as it would be written.
    std::string Text() const { return m_document.Text(); }
    void SetText(std::string_view text);
    void Clear();

private:
    TIniDocument m_document;
    bool m_modified = false;
};

class TIniFile : public TMemIniFile {
public:
    using TMemIniFile::TMemIniFile;
    // Writes the changes back; a failure is reported (ReportSettingsProblem), since a
    // destructor cannot raise: call UpdateFile first to hear of it.
    ~TIniFile() override;
};
