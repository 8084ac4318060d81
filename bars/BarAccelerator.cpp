#include "bars/BarAccelerator.h"

#include "platform/core/Utf8.h"
#include "platform/window/KeyScan.h"

namespace {

// The code point starting at byte `pos` of a UTF-8 text (0 at the end).
char32_t CodePointAt(const std::string& s, size_t pos)
{
    if (pos >= s.size())
        return 0;
    const std::u32string decoded = Utf8ToUtf32(s.substr(pos, 4));
    return decoded.empty() ? 0 : decoded.front();
}

} // namespace

char32_t AcceleratorOf(const std::string& Caption)
{
    char32_t accelerator = 0;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] != '&')
            continue;
        if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
            ++i; // a literal ampersand
            continue;
        }
        if (i + 1 < Caption.size())
            accelerator = CodePointAt(Caption, i + 1);
    }
    return accelerator;
}

bool AcceleratorMatches(char32_t Accelerator, WORD Key, TShiftState Shift)
{
    if (Accelerator == 0)
        return false;
    Shift.exclude(TShiftStateFlag::ssAlt);
    if (ToLowerChar(Accelerator) != Accelerator)
        Shift.exclude(TShiftStateFlag::ssShift);
    const char32_t c = ToLowerChar(Accelerator);
    const bool shifted = Shift.contains(TShiftStateFlag::ssShift);
    const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
    if (c >= U'0' && c <= U'9')
        return Key == static_cast<WORD>(c) && !shifted && !ctrl;
    const int16_t scan = VkKeyScan(c);
    if (scan == -1)
        return false;
    const bool needShift = (scan & KEYSCAN_SHIFT) != 0;
    const bool needCtrl = (scan & KEYSCAN_CTRL) != 0;
    return Key == static_cast<WORD>(scan & 0xFF) && shifted == needShift && ctrl == needCtrl;
}

std::string StripAccelerators(const std::string& Caption)
{
    std::string out;
    out.reserve(Caption.size());
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&') {
            if (i + 1 < Caption.size() && Caption[i + 1] == '&')
                out += Caption[++i];
            continue;
        }
        out += Caption[i];
    }
    return out;
}
