// The store's text form, one line each:
//   ; a comment
//   [\Software\Inspector]        a key, its names from the root apart by "\" ([\] the root)
//   BandWidth=int:120            a 32-bit integer
//   Caption=str:Main menu        a string
//   Nodes=bin:00ff10             binary data, two hexadecimal digits a byte
// Keys are written in tree order, each before its sub-keys, empty keys too. In names and
// strings "%" and control characters are written %XX; in key names also "]", in value
// names also "=", "[" and ";", so that every line reads back unchanged.
#include "platform/settings/UserStore_p.h"

#include "platform/core/Utf8.h"

#include <charconv>

namespace userstore {

namespace {

const char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(char ch, std::string_view extra)
{
    const unsigned char c = static_cast<unsigned char>(ch);
    return c < 0x20 || c == 0x7F || c == '%' || extra.find(ch) != std::string_view::npos;
}

void Escape(std::string& out, std::string_view s, std::string_view extra)
{
    // Runs of plain characters go in at once.
    size_t plain = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (!NeedsEscape(s[i], extra))
            continue;
        out.append(s, plain, i - plain);
        const unsigned char c = static_cast<unsigned char>(s[i]);
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
        plain = i + 1;
    }
    out.append(s, plain, s.size() - plain);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Unescape(std::string_view s, std::string& out)
{
    out.clear();
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return false;
        const int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        out += char(hi * 16 + lo);
        i += 2;
    }
    return true;
}

void WriteKey(std::string& out, const TUserStore::Key& key, std::string& path)
{
    const size_t mark = path.size();
    out += '[';
    out += path.empty() ? "\\" : path;
    out += "]\n";
    for (const TStoreValue& v : key.values) {
        Escape(out, v.Name, "=[;");
        switch (v.Type) {
        case TRegDataType::rdInteger:
            out += "=int:";
            out += std::to_string(v.Integer);
            break;
        case TRegDataType::rdBinary:
            out += "=bin:";
            for (unsigned char c : v.Data) {
                out += kHex[c >> 4];
                out += kHex[c & 15];
            }
            break;
        case TRegDataType::rdExpandString:
            out += "=xstr:";
            Escape(out, v.Data, {});
            break;
        default:
            out += "=str:";
            Escape(out, v.Data, {});
            break;
        }
        out += '\n';
    }
    for (const auto& child : key.children) {
        path += '\\';
        Escape(path, child->name, "]");
        WriteKey(out, *child, path);
        path.resize(mark);
    }
}

std::string LineError(size_t line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

} // namespace

std::string Fold(std::string_view name)
{
    // Names are nearly always ASCII: lowered in place, without decoding. Any other byte
    // takes the full case folding.
    std::string folded(name);
    for (char& c : folded) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return Utf8ToLower(std::string(name));
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return folded;
}

bool SameName(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80)
            return Fold(a) == Fold(b);
        if (x != y && (x | 0x20) != (y | 0x20))
            return false;
        if (x != y && !((x | 0x20) >= 'a' && (x | 0x20) <= 'z'))
            return false;
    }
    if (a.size() == b.size())
        return true;
    // A longer name with bytes beyond ASCII may still fold to the same text.
    const std::string_view rest = a.size() > b.size() ? a.substr(common) : b.substr(common);
    for (char c : rest)
        if (static_cast<unsigned char>(c) >= 0x80)
            return Fold(a) == Fold(b);
    return false;
}

std::string Serialize(const TUserStore::Key& root)
{
    std::string out = "; User settings: [\\key] lines, then name=int:N, name=str:text or name=bin:hex.\n";
    std::string path;
    WriteKey(out, root, path);
    return out;
}

bool Parse(std::string_view text, TUserStore::Key& root, std::string& error)
{
    TUserStore::Key* current = nullptr;
    size_t lineNo = 0;
    size_t pos = 0;
    std::string name, data;
    while (pos < text.size()) {
        ++lineNo;
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.size() < 3 || line.back() != ']' || line[1] != '\\') {
                error = LineError(lineNo, "a key must be written [\\name\\name]");
                return false;
            }
            std::string_view inner = line.substr(2, line.size() - 3);
            current = &root;
            size_t depth = 0;
            while (!inner.empty()) {
                const size_t cut = inner.find('\\');
                const std::string_view part = inner.substr(0, cut);
                inner = cut == std::string_view::npos ? std::string_view() : inner.substr(cut + 1);
                if (!Unescape(part, name) || name.empty() || name.size() > kMaxKeyNameLength) {
                    error = LineError(lineNo, "a key name is empty, too long or badly written");
                    return false;
                }
                if (++depth > kMaxKeyDepth) {
                    error = LineError(lineNo, "keys lie deeper than " + std::to_string(kMaxKeyDepth) + " levels");
                    return false;
                }
                TUserStore::Key* child = current->Child(name);
                current = child ? child : current->AddChild(name);
                if (cut == std::string_view::npos)
                    break;
                if (inner.empty()) {
                    error = LineError(lineNo, "a key name is empty");
                    return false;
                }
            }
            continue;
        }
        if (!current) {
            error = LineError(lineNo, "a value stands before any key");
            return false;
        }
        const size_t eq = line.find('=');
        const size_t colon = eq == std::string_view::npos ? eq : line.find(':', eq);
        if (colon == std::string_view::npos) {
            error = LineError(lineNo, "a value must be written name=type:data");
            return false;
        }
        if (!Unescape(line.substr(0, eq), name) || name.size() > kMaxValueNameLength) {
            error = LineError(lineNo, "a value name is too long or badly written");
            return false;
        }
        const std::string_view type = line.substr(eq + 1, colon - eq - 1);
        const std::string_view body = line.substr(colon + 1);
        TStoreValue v;
        v.Name = name;
        if (type == "int") {
            const char* first = body.data();
            const char* last = body.data() + body.size();
            const auto r = std::from_chars(first, last, v.Integer);
            if (body.empty() || r.ec != std::errc() || r.ptr != last) {
                error = LineError(lineNo, "an integer value is not a 32-bit number");
                return false;
            }
            v.Type = TRegDataType::rdInteger;
        } else if (type == "str" || type == "xstr") {
            if (body.size() > 3 * kMaxValueSize || !Unescape(body, v.Data) || v.Data.size() > kMaxValueSize) {
                error = LineError(lineNo, "a string value is too long or badly written");
                return false;
            }
            v.Type = type == "str" ? TRegDataType::rdString : TRegDataType::rdExpandString;
        } else if (type == "bin") {
            if (body.size() % 2 != 0 || body.size() / 2 > kMaxValueSize) {
                error = LineError(lineNo, "binary data is too long or badly written");
                return false;
            }
            v.Data.resize(body.size() / 2);
            for (size_t i = 0; i < v.Data.size(); ++i) {
                const int hi = HexDigit(body[2 * i]), lo = HexDigit(body[2 * i + 1]);
                if (hi < 0 || lo < 0) {
                    error = LineError(lineNo, "binary data holds a character that is not hexadecimal");
                    return false;
                }
                v.Data[i] = char(hi * 16 + lo);
            }
            v.Type = TRegDataType::rdBinary;
        } else {
            error = LineError(lineNo, "a value has an unknown type");
            return false;
        }
        current->SetValue(std::move(v));
    }
    return true;
}

} // namespace userstore
