#include "platform/controls/ShortCuts.h"

#include "platform/core/VirtualKeys.h"
#include "platform/window/KeyScan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShortCut, TextAndValueRoundTrip)
{
    struct Case {
        TShortCut value;
        const char* text;
    };
    const Case cases[] = {
        {32856, "Alt+X"},
        {scCtrl | scShift | VK_F4, "Ctrl+Shift+F4"},
        {scCtrl | 'S', "Ctrl+S"},
        {scShift | VK_DELETE, "Shift+Del"},
        {scCtrl | VK_INSERT, "Ctrl+Ins"},
        {VK_RETURN, "Enter"},
        {scCtrl | VK_RETURN, "Ctrl+Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_BACK, "BkSp"},
        {VK_TAB, "Tab"},
        {VK_SPACE, "Space"},
        {VK_PRIOR, "PgUp"},
        {scAlt | VK_NEXT, "Alt+PgDn"},
        {VK_LEFT, "Left"},
        {VK_UP, "Up"},
        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},
        {VK_HOME, "Home"},
        {VK_END, "End"},
        {VK_F12, "F12"},
        {scCtrl | scShift | scAlt | '9', "Ctrl+Shift+Alt+9"},
        {scCtrl | VK_OEM_PLUS, "Ctrl+="},
        {scCtrl | VK_OEM_MINUS, "Ctrl+-"},
        {VK_OEM_2, "/"},
        {VK_OEM_5, "\\"},
        {VK_NUMPAD7, "Num 7"},
        {scCtrl | VK_ADD, "Ctrl+Num +"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.value), c.text) << c.value;
        EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
    }
    // Reading ignores case, order of the modifiers and blanks, and takes long names.
    EXPECT_EQ(TextToShortCut("shift + CTRL + f4"), scCtrl | scShift | VK_F4);
    EXPECT_EQ(TextToShortCut("Control+Escape"), scCtrl | VK_ESCAPE);
    EXPECT_EQ(TextToShortCut("alt+x"), 32856);
    EXPECT_EQ(TextToShortCut("Delete"), VK_DELETE);
    EXPECT_EQ(TextToShortCut("PageDown"), VK_NEXT);
    // The value and its parts.
    EXPECT_EQ(ShortCut('X', {TShiftStateFlag::ssAlt}), 32856);
    EXPECT_EQ(ShortCut(VK_F4, {TShiftStateFlag::ssCtrl, TShiftStateFlag::ssShift}), scCtrl | scShift | VK_F4);
    EXPECT_EQ(ShortCut(0x1FF, {}), scNone);
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(scCtrl | scAlt | 'Q', key, shift);
    EXPECT_EQ(key, 'Q');
    EXPECT_TRUE(shift.contains(TShiftStateFlag::ssCtrl) && shift.contains(TShiftStateFlag::ssAlt));
    EXPECT_FALSE(shift.contains(TShiftStateFlag::ssShift));
}

TEST(ShortCut, TextsThatNameNoSingleKeyGiveZero)
{
    const std::string huge(10000, 'A');
    for (const std::string& text : {std::string(), std::string("Ctrl+"), std::string("Ctrl+Foo"), std::string("Hyper+A"),
                                    std::string("Ctrl+Ctrl+A"), std::string("F13"), std::string("F0"),
                                    std::string("AB"), std::string("+"), std::string("Num 10"), huge,
                                    "Ctrl+" + huge, std::string(10000, '+')})
        EXPECT_EQ(TextToShortCut(text), scNone) << text.substr(0, 20);
    // Keys without a name give no text.
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCutToText(scCtrl | VK_LWIN), "");
}

TEST(VkKeyScan, LettersDigitsAndPunctuationOfTheUsLayout)
{
    struct Case {
        char32_t ch;
        int16_t scan;
    };
    const Case cases[] = {
        {U'a', 'A'},
        {U'z', 'Z'},
        {U'Q', KEYSCAN_SHIFT | 'Q'},
        {U'0', '0'},
        {U'7', '7'},
        {U'!', KEYSCAN_SHIFT | '1'},
        {U')', KEYSCAN_SHIFT | '0'},
        {U'-', VK_OEM_MINUS},
        {U'_', KEYSCAN_SHIFT | VK_OEM_MINUS},
        {U'=', VK_OEM_PLUS},
        {U'+', KEYSCAN_SHIFT | VK_OEM_PLUS},
        {U';', VK_OEM_1},
        {U':', KEYSCAN_SHIFT | VK_OEM_1},
        {U'/', VK_OEM_2},
        {U'?', KEYSCAN_SHIFT | VK_OEM_2},
        {U'[', VK_OEM_4},
        {U'}', KEYSCAN_SHIFT | VK_OEM_6},
        {U'\'', VK_OEM_7},
        {U'"', KEYSCAN_SHIFT | VK_OEM_7},
        {U' ', VK_SPACE},
        {U'\r', VK_RETURN},
        {0x01, KEYSCAN_CTRL | 'A'},
        {U'\u00e9', -1},
        {U'\u20ac', -1},
        {0x7F, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VkKeyScanUS(c.ch), c.scan) << static_cast<uint32_t>(c.ch);
        EXPECT_EQ(VkKeyScan(c.ch), c.scan) << "no back end: the US layout";
    }
}

} // namespace
