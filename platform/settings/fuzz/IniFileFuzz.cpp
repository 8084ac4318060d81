// The INI reader on any bytes: the text comes back byte for byte, and a value written
// into it reads back while every other section keeps its values.
#include "platform/settings/IniDocument.h"
#include "platform/settings/SettingsError.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TIniDocument doc;
    doc.Parse(text);
    if (doc.Text() != text)
        std::abort();

    const auto sections = doc.SectionNames();
    const std::string target = sections.empty() ? "Fuzz" : sections.front();
    // Every other section's entries before the change.
    const auto entriesOf = [](const TIniDocument& d, const std::string& section) {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const std::string& ident : d.Idents(section))
            entries.emplace_back(ident, *d.Value(section, ident));
        return entries;
    };
    std::vector<std::vector<std::pair<std::string, std::string>>> before;
    for (size_t i = 1; i < sections.size() && i < 8; ++i)
        before.push_back(entriesOf(doc, sections[i]));
    try {
        doc.SetValue(target, "FuzzIdent", " written \"value\" ");
    } catch (const EIniFileException&) {
        return 0; // a section name the file cannot hold again (outer blanks...)
    }
    TIniDocument reread;
    reread.Parse(doc.Text());
    const std::string* v = reread.Value(target, "FuzzIdent");
    if (!v || *v != " written \"value\" ")
        std::abort();
    for (size_t i = 1; i < sections.size() && i < 8; ++i)
        if (entriesOf(reread, sections[i]) != before[i - 1])
            std::abort();
    return 0;
}
