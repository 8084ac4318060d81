// The keys of a masked editor: which are handled by the mask, which go on to the edit
// control, and what they do to the text and the caret.
#include "editors/MaskEditKeys.h"

#include "platform/core/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

using F = TShiftStateFlag;
using A = TzqMaskKeyAction;

TEST(MaskEditKeysTest, KeysAreHandledByTheMaskOrPassedOn)
{
    struct Case {
        const char* name;
        const char* mask;
        WORD key;
        TShiftState shift;
        bool canModify;
        A action;
        const char* text; // after the key, from "(555) 123-____" with the caret at 10
        int cursor;
        bool changed;
    };
    const char* phone = "(999) 000-0000;1;_";
    const Case cases[] = {
        {"left", phone, VK_LEFT, {}, true, A::Consumed, "(555) 123-____", 8, false},
        {"right", phone, VK_RIGHT, {}, true, A::Consumed, "(555) 123-____", 11, false},
        {"ctrl+left", phone, VK_LEFT, {F::ssCtrl}, true, A::RecheckOnKeyUp, "(555) 123-____", 10, false},
        {"alt+left", phone, VK_LEFT, {F::ssAlt}, true, A::PassOn, "(555) 123-____", 10, false},
        {"up", phone, VK_UP, {}, true, A::Consumed, "(555) 123-____", 10, false},
        {"down", phone, VK_DOWN, {}, true, A::Consumed, "(555) 123-____", 10, false},
        {"home", phone, VK_HOME, {}, true, A::Consumed, "(555) 123-____", 1, false},
        {"end", phone, VK_END, {}, true, A::Consumed, "(555) 123-____", 14, false},
        {"backspace", phone, VK_BACK, {}, true, A::Consumed, "(555) 12_-____", 8, true},
        {"backspace, read-only", phone, VK_BACK, {}, false, A::Consumed, "(555) 123-____", 10, false},
        {"delete", phone, VK_DELETE, {}, true, A::Consumed, "(555) 123-____", 10, false},
        {"shift+delete", phone, VK_DELETE, {F::ssShift}, true, A::PassOn, "(555) 123-____", 10, false},
        {"ctrl+v", phone, 'V', {F::ssCtrl}, true, A::PostPaste, "(555) 123-____", 10, false},
        {"shift+insert", phone, VK_INSERT, {F::ssShift}, true, A::PostPaste, "(555) 123-____", 10, false},
        {"other key", phone, VK_TAB, {}, true, A::PassOn, "(555) 123-____", 10, false},
        {"no mask: left", "", VK_LEFT, {}, true, A::PassOn, "", 0, false},
        {"no mask: ctrl+v", "", 'V', {F::ssCtrl}, true, A::PostPaste, "", 0, false},
    };
    for (const Case& c : cases) {
        TzqMaskEditState state(TzqEditMask(c.mask, TLocaleSettings{}));
        for (char32_t ch : std::u32string(U"555123"))
            state.Type(ch);
        const TzqMaskKeyResult result = MaskEditKeyDown(state, c.key, c.shift, c.canModify);
        EXPECT_EQ(result.Action, c.action) << c.name;
        EXPECT_EQ(state.TextUtf8(), c.text) << c.name;
        EXPECT_EQ(state.Cursor(), c.cursor) << c.name;
        EXPECT_EQ(result.Changed, c.changed) << c.name;
    }
}

TEST(MaskEditKeysTest, ShiftExtendsTheSelectionFromTheCursor)
{
    TzqMaskEditState state(TzqEditMask("000-000;1;_", TLocaleSettings{}));
    MaskEditKeyDown(state, VK_RIGHT, {F::ssShift}, true);
    MaskEditKeyDown(state, VK_RIGHT, {F::ssShift}, true);
    EXPECT_EQ(state.SelStart(), 0);
    EXPECT_EQ(state.SelLength(), 2);
    MaskEditKeyDown(state, VK_END, {F::ssShift}, true);
    EXPECT_EQ(state.SelLength(), 7);
    // Delete then clears the whole selection, literals staying.
    for (char32_t ch : std::u32string(U"123456"))
        state.Type(ch);
    MaskEditKeyDown(state, VK_HOME, {}, true);
    MaskEditKeyDown(state, VK_END, {F::ssShift}, true);
    EXPECT_TRUE(MaskEditKeyDown(state, VK_DELETE, {}, true).Changed);
    EXPECT_EQ(state.TextUtf8(), "___-___");
    EXPECT_EQ(state.Cursor(), 0);
}

} // namespace
