// A small reader of the XML the chart's SVG export writes: elements with their
// attributes, their own text and their depth, in document order. It knows what that
// file uses (declarations, elements, attributes in double quotes, the five named
// entities and numeric ones) and reports anything else as an error.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

struct TXmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    int depth = 0;
    size_t end = 0; // index of the first element after this one's content
};

inline std::string XmlUnescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const size_t semi = s.find(';', i);
        if (semi == std::string::npos)
            throw std::runtime_error("unterminated entity");
        const std::string name = s.substr(i + 1, semi - i - 1);
        if (name == "amp") out += '&';
        else if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "quot") out += '"';
        else if (name == "apos") out += '\'';
        else if (!name.empty() && name[0] == '#') {
            const unsigned code = unsigned(std::stoul(name.substr(1)));
            if (code >= 0x80)
                throw std::runtime_error("only ASCII character references expected");
            out += char(code);
        } else
            throw std::runtime_error("unknown entity &" + name + ";");
        i = semi;
    }
    return out;
}

inline std::vector<TXmlElement> ParseXml(const std::string& xml)
{
    std::vector<TXmlElement> out;
    std::vector<size_t> open;
    size_t i = 0;
    auto skipSpace = [&] {
        while (i < xml.size() && std::isspace(static_cast<unsigned char>(xml[i])))
            ++i;
    };
    while (i < xml.size()) {
        if (xml[i] != '<') {
            const size_t next = xml.find('<', i);
            const std::string text = xml.substr(i, next - i);
            if (!open.empty())
                out[open.back()].text += XmlUnescape(text);
            i = next == std::string::npos ? xml.size() : next;
            continue;
        }
        if (xml.compare(i, 2, "<?") == 0) {
            i = xml.find("?>", i);
            if (i == std::string::npos)
                throw std::runtime_error("unterminated declaration");
            i += 2;
            continue;
        }
        if (xml.compare(i, 2, "</") == 0) {
            const size_t close = xml.find('>', i);
            const std::string name = xml.substr(i + 2, close - i - 2);
            if (open.empty() || out[open.back()].name != name)
                throw std::runtime_error("mismatched </" + name + ">");
            out[open.back()].end = out.size();
            open.pop_back();
            i = close + 1;
            continue;
        }
        TXmlElement e;
        ++i;
        while (i < xml.size() && !std::isspace(static_cast<unsigned char>(xml[i])) && xml[i] != '>' && xml[i] != '/')
            e.name += xml[i++];
        e.depth = int(open.size());
        bool selfClosing = false;
        for (;;) {
            skipSpace();
            if (i >= xml.size())
                throw std::runtime_error("unterminated <" + e.name);
            if (xml[i] == '>') {
                ++i;
                break;
            }
            if (xml.compare(i, 2, "/>") == 0) {
                i += 2;
                selfClosing = true;
                break;
            }
            const size_t eq = xml.find('=', i);
            const std::string key = xml.substr(i, eq - i);
            if (eq == std::string::npos || xml[eq + 1] != '"')
                throw std::runtime_error("attribute without a quoted value in <" + e.name);
            const size_t endQuote = xml.find('"', eq + 2);
            e.attributes[key] = XmlUnescape(xml.substr(eq + 2, endQuote - eq - 2));
            i = endQuote + 1;
        }
        out.push_back(e);
        if (selfClosing)
            out.back().end = out.size();
        else
            open.push_back(out.size() - 1);
    }
    if (!open.empty())
        throw std::runtime_error("unclosed <" + out[open.back()].name + ">");
    return out;
}
