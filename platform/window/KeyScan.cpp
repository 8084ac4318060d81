#include "platform/window/KeyScan.h"

#include "platform/core/VirtualKeys.h"
#include "platform/window/WindowSystem_p.h"

namespace {

struct PunctuationKey {
    char plain;
    char shifted;
    WORD vk;
};

// The punctuation keys of the US layout: what each types alone and with Shift.
constexpr PunctuationKey kPunctuation[] = {
    {';', ':', VK_OEM_1},     {'=', '+', VK_OEM_PLUS}, {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS},
    {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},   {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},
    {'\\', '|', VK_OEM_5},    {']', '}', VK_OEM_6},    {'\'', '"', VK_OEM_7},
};

// What Shift makes of the digit keys 0 to 9.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

int16_t Scan(WORD vk, int16_t shift)
{
    return static_cast<int16_t>(vk | shift);
}

} // namespace

int16_t VkKeyScanUS(char32_t ch)
{
    if (ch >= U'a' && ch <= U'z')
        return Scan(static_cast<WORD>('A' + (ch - U'a')), 0);
    if (ch >= U'A' && ch <= U'Z')
        return Scan(static_cast<WORD>(ch), KEYSCAN_SHIFT);
    if (ch >= U'0' && ch <= U'9')
        return Scan(static_cast<WORD>(ch), 0);
    for (int digit = 0; digit < 10; ++digit)
        if (ch == static_cast<char32_t>(kShiftedDigits[digit]))
            return Scan(static_cast<WORD>('0' + digit), KEYSCAN_SHIFT);
    for (const PunctuationKey& key : kPunctuation) {
        if (ch == static_cast<char32_t>(key.plain))
            return Scan(key.vk, 0);
        if (ch == static_cast<char32_t>(key.shifted))
            return Scan(key.vk, KEYSCAN_SHIFT);
    }
    switch (ch) {
    case U' ':
        return Scan(VK_SPACE, 0);
    case 0x08:
        return Scan(VK_BACK, 0);
    case U'\t':
        return Scan(VK_TAB, 0);
    case U'\r':
        return Scan(VK_RETURN, 0);
    case U'\n':
        return Scan(VK_RETURN, KEYSCAN_CTRL);
    case 0x1B:
        return Scan(VK_ESCAPE, 0);
    default:
        break;
    }
    // The other control characters are Ctrl with a letter.
    if (ch >= 0x01 && ch <= 0x1A)
        return Scan(static_cast<WORD>('A' + (ch - 1)), KEYSCAN_CTRL);
    return -1;
}

int16_t VkKeyScan(char32_t ch)
{
    int16_t scan = -1;
    if (auto* backend = ws::S().backend.get(); backend && backend->KeyScan(ch, scan))
        return scan;
    return VkKeyScanUS(ch);
}
