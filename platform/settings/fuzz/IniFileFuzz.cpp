// The INI reader on any bytes: the text comes back byte for byte, and a value written
// into it reads back while every other section keeps its values.
#include "platform/settings/IniDocument.h"
#include "platform/settings/SettingsError.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TIniDocument doc;
    doc.Parse(text);
    if (doc.Text() != text)
        std::abort();

    const auto sections = doc.SectionNames();
    const std::string target = sections.empty() ? "Fuzz" : sections.front();
    // Every other section's values before the change.
    std::vector<std::pair<std::string, std::vector<std::string>>> before;
    for (size_t i = 1; i < sections.size() && i < 8; ++i) {
        std::vector<std::string> values;
        for (const std::string& ident : doc.Idents(sections[i]))
            values.push_back(*doc.Value(sections[i], ident));
        before.emplace_back(sections[i], std::move(values));
    }
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
    for (const auto& [section, values] : before) {
        if (reread.SectionNames() == std::vector<std::string>{})
            std::abort();
        size_t k = 0;
        for (const std::string& ident : reread.Idents(section)) {
            if (ident == "FuzzIdent")
                continue;
            if (k >= values.size() || *reread.Value(section, ident) != values[k++])
                std::abort();
        }
    }
    return 0;
}
