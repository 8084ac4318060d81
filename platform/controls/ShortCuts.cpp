#include "platform/controls/ShortCuts.h"

#include "platform/core/VirtualKeys.h"

#include <array>
#include <cctype>
#include <optional>
#include <string_view>

namespace {

struct KeyName {
    WORD key;
    const char* name;
};

// Names of the keys that are not letters, digits or function keys; the first name of a
// key is the one shown, the others are only read.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},        {VK_TAB, "Tab"},          {VK_RETURN, "Enter"},      {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},      {VK_PRIOR, "PgUp"},       {VK_NEXT, "PgDn"},         {VK_END, "End"},
    {VK_HOME, "Home"},        {VK_LEFT, "Left"},        {VK_UP, "Up"},             {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},        {VK_INSERT, "Ins"},       {VK_DELETE, "Del"},        {VK_OEM_1, ";"},
    {VK_OEM_PLUS, "="},       {VK_OEM_COMMA, ","},      {VK_OEM_MINUS, "-"},       {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},          {VK_OEM_3, "`"},          {VK_OEM_4, "["},           {VK_OEM_5, "\\"},
    {VK_OEM_6, "]"},          {VK_OEM_7, "'"},          {VK_MULTIPLY, "Num *"},    {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"},   {VK_DECIMAL, "Num ."},    {VK_DIVIDE, "Num /"},      {VK_BACK, "Backspace"},
    {VK_ESCAPE, "Escape"},    {VK_RETURN, "Return"},    {VK_PRIOR, "PageUp"},      {VK_NEXT, "PageDown"},
    {VK_INSERT, "Insert"},    {VK_DELETE, "Delete"},
};

std::string KeyText(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return "Num " + std::to_string(key - VK_NUMPAD0);
    for (const KeyName& k : kKeyNames)
        if (k.key == key)
            return k.name;
    return {};
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The key a name stands for.
std::optional<WORD> KeyOfName(std::string_view name)
{
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<WORD>(c);
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        bool digits = name.size() <= 3;
        for (size_t i = 1; i < name.size() && digits; ++i) {
            digits = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
            n = n * 10 + (name[i] - '0');
        }
        if (digits && n >= 1 && n <= 12)
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    if (name.size() == 5 && EqualNoCase(name.substr(0, 4), "num ") && name[4] >= '0' && name[4] <= '9')
        return static_cast<WORD>(VK_NUMPAD0 + (name[4] - '0'));
    for (const KeyName& k : kKeyNames)
        if (EqualNoCase(name, k.name))
            return k.key;
    return std::nullopt;
}

// A modifier name and its bit, or 0.
TShortCut ModifierOfName(std::string_view name)
{
    if (EqualNoCase(name, "Shift"))
        return scShift;
    if (EqualNoCase(name, "Ctrl") || EqualNoCase(name, "Control"))
        return scCtrl;
    if (EqualNoCase(name, "Alt"))
        return scAlt;
    return 0;
}

} // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift)
{
    if (Key == 0 || Key > 0xFF)
        return scNone;
    TShortCut result = Key;
    if (Shift.contains(TShiftStateFlag::ssShift))
        result |= scShift;
    if (Shift.contains(TShiftStateFlag::ssCtrl))
        result |= scCtrl;
    if (Shift.contains(TShiftStateFlag::ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift)
{
    Key = static_cast<WORD>(ShortCut & 0xFF);
    Shift = {};
    if (ShortCut & scShift)
        Shift.include(TShiftStateFlag::ssShift);
    if (ShortCut & scCtrl)
        Shift.include(TShiftStateFlag::ssCtrl);
    if (ShortCut & scAlt)
        Shift.include(TShiftStateFlag::ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut)
{
    const std::string name = KeyText(static_cast<WORD>(ShortCut & 0xFF));
    if (name.empty())
        return {};
    std::string text;
    if (ShortCut & scCtrl)
        text += "Ctrl+";
    if (ShortCut & scShift)
        text += "Shift+";
    if (ShortCut & scAlt)
        text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& Text)
{
    std::string_view rest = Trim(Text);
    TShortCut modifiers = 0;
    // Modifiers end with "+"; what follows the last of them names the key (which may
    // itself be "+" or end in one, as "Num +" does).
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string_view::npos || plus == 0)
            break;
        const TShortCut bit = ModifierOfName(Trim(rest.substr(0, plus)));
        if (!bit)
            break;
        if (modifiers & bit)
            return scNone; // "Ctrl+Ctrl+A" names no key
        modifiers |= bit;
        rest = Trim(rest.substr(plus + 1));
    }
    const std::optional<WORD> key = KeyOfName(rest);
    return key ? static_cast<TShortCut>(*key | modifiers) : scNone;
}
