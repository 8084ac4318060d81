// The edit-mask engine without a window: reading masks, what each position takes, values
// laid into masks and taken back out, and the caret, keys and pastes of a masked editor.
#include "editors/EditMask.h"
#include "editors/MaskEditState.h"

#include "platform/core/Utf8.h"

#include <gtest/gtest.h>

namespace {

const char* const Phone = "(999) 000-0000;1;_";

std::u32string U(const std::string& s)
{
    return Utf8ToUtf32(s);
}

TEST(EditMaskTest, ReadsSectionsLengthAndEmptyText)
{
    struct Case {
        const char* mask;
        int length;
        bool saveLiterals;
        char32_t blank;
        const char* emptyText;
    };
    const Case cases[] = {
        {"(999) 000-0000;1;_", 14, true, U'_', "(___) ___-____"},
        {"(999) 000-0000;0;*", 14, false, U'*', "(***) ***-****"},
        {"000;;_", 3, true, U'_', "___"},          // empty flag section: literals saved
        {"000;1", 3, true, U'_', "___"},           // no blank section: "_"
        {">LL<ll", 4, true, U'_', "____"},         // directives take no position
        {"\\0\\;99", 4, true, U'_', "0;__"},       // escaped mask and section characters
        {"a;b;c;0;x", 5, false, U'x', "x;b;x"},    // only the tail holds sections
        {"", 0, true, U'_', ""},
        {";", 0, true, U'_', ""},
        {"99\\", 2, true, U'_', "__"},             // a trailing "\" is dropped
        {"!><>", 0, true, U'_', ""},               // directives only
        {"00;1;0", 2, true, U'0', "00"},           // a mask character as the blank
        {"cc;1;\t", 2, true, U'_', "__"},          // a control character is no blank
        {"ÄL-é", 4, true, U'_', "Ä_-é"},           // one position per code point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        const TzqEditMask mask(c.mask, TLocaleSettings{});
        EXPECT_EQ(mask.Length(), c.length);
        EXPECT_EQ(mask.Empty(), c.length == 0);
        EXPECT_EQ(mask.SaveLiterals(), c.saveLiterals);
        EXPECT_EQ(mask.Blank(), c.blank);
        EXPECT_EQ(Utf32ToUtf8(mask.EmptyText()), c.emptyText);
    }
}

TEST(EditMaskTest, SeparatorsFollowTheLocale)
{
    TLocaleSettings dmy;
    dmy.ShortDateFormat = "d.m.yyyy";
    dmy.DateSeparator = ".";
    dmy.TimeSeparator = "h";
    EXPECT_EQ(Utf32ToUtf8(TzqEditMask("99/99/0000 99:99", dmy).EmptyText()), "__.__.____ __h__");
    EXPECT_EQ(Utf32ToUtf8(TzqEditMask("99/99/0000 99:99", TLocaleSettings{}).EmptyText()), "__/__/____ __:__");
    // An escaped separator is the character itself.
    EXPECT_EQ(Utf32ToUtf8(TzqEditMask("99\\/99", dmy).EmptyText()), "__/__");
    // A value written with the locale's separators is read with them.
    EXPECT_EQ(TzqEditMask("99/99;1;_", dmy).FormatUtf8("31.12"), "31.12");
}

TEST(EditMaskTest, AcceptsCharactersByClassAndCase)
{
    struct Case {
        const char* mask;
        char32_t typed;
        char32_t stored; // 0: refused
    };
    const Case cases[] = {
        {"L", U'a', U'a'},   {"L", U'1', 0},      {"L", U'é', U'é'},  {"l", U'-', 0},
        {">L", U'a', U'A'},  {"<L", U'Q', U'q'},  {"<>L", U'q', U'q'}, {"><>L", U'q', U'q'},
        {"A", U'5', U'5'},   {"a", U'z', U'z'},   {"A", U'-', 0},     {"A", U' ', 0},
        {"C", U'-', U'-'},   {"c", U' ', U' '},   {"C", U'\t', 0},    {"C", 0x7F, 0},
        {"C", 0x301, 0x301}, // a combining mark is a character of its own
        {"0", U'7', U'7'},   {"9", U'x', 0},      {"0", 0x663, 0},    // only ASCII digits
        {"#", U' ', U' '},   {"#", U'+', U'+'},   {"#", U'-', U'-'},  {"#", U'x', 0},
        {"-", U'-', 0},      // a literal position takes nothing, not even itself
        {"\\L", U'L', 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " typed " + Utf32ToUtf8(c.typed));
        const TzqEditMask mask(c.mask, TLocaleSettings{});
        ASSERT_EQ(mask.Length(), 1);
        EXPECT_EQ(mask.Accept(0, c.typed), c.stored);
    }
}

TEST(EditMaskTest, FormatsValuesAndTakesThemBack)
{
    struct Case {
        const char* mask;
        const char* value;
        const char* text;
        const char* valueBack;
    };
    const Case cases[] = {
        // Literals saved: found in the value, or fields taken by their length.
        {Phone, "", "(___) ___-____", "(   )    -    "},
        {Phone, "(555) 123-4567", "(555) 123-4567", "(555) 123-4567"},
        {Phone, "5551234567", "(555) 123-4567", "(555) 123-4567"},
        {Phone, "(55) 1-45", "(55_) 1__-45__", "(55 ) 1  -45  "},
        {"99-99;1;_", "123-4", "12-4_", "12-4 "},                   // a field cut
        // Literals not saved: the characters in order.
        {"(999) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567"},
        {"(999) 000-0000;0;_", "555", "(555) ___-____", "555"},
        {"000;0;_", "1a2", "1_2", "1 2"},                           // a misfit shows blank
        {"000;0;_", "12345", "123", "123"},
        {"000;0;*", "1 2", "1*2", "1 2"},                           // spaces are blanks
        // "!" fills from the right and drops blanks from the front.
        {"!99999;0;_", "42", "___42", "42"},
        {"!99999;0;_", "1234567", "34567", "34567"},
        {"!99-99;1;_", "1-2", "_1-_2", " 1- 2"},
        // Case directives apply to values too.
        {">LL<LL;0;_", "abCD", "ABcd", "ABcd"},
        // Hostile masks.
        {"---;1;_", "abc", "---", "---"},
        {"", "anything", "", ""},
        {"9_9;1;_", "1_2", "1_2", "1_2"},                          // a literal that looks blank
        {"9_9;1;_", "", "___", " _ "},
        {"cc;0;_", "e\xCC\x81", "e\xCC\x81", "e\xCC\x81"},            // combining mark: 2 positions
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.value + "\"");
        const TzqEditMask mask(c.mask, TLocaleSettings{});
        const std::string text = mask.FormatUtf8(c.value);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(mask.ValueUtf8(text), c.valueBack);
        // The value read back shows the same text again.
        EXPECT_EQ(mask.FormatUtf8(mask.ValueUtf8(text)), text);
    }
}

TEST(EditMaskTest, FindsTheFirstEmptyRequiredPosition)
{
    struct Case {
        const char* mask;
        const char* text;
        int invalid;
    };
    const Case cases[] = {
        {Phone, "(555) ___-____", 6},
        {Phone, "(___) 123-4567", -1},   // the area code is optional
        {Phone, "(555) 123-456_", 13},
        {"LL", "a_", 1},
        {"0", " ", 0},                   // a space does not fill a required digit
        {"CC", " x", -1},                // ... but it does fill a "C"
        {"CC", "x_", 1},
        {"00;1;*", "1*", 1},
        {"ccc", "___", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " / " + c.text);
        const TzqEditMask mask(c.mask, TLocaleSettings{});
        EXPECT_EQ(mask.FirstInvalidPosition(U(c.text)), c.invalid);
    }
}

// Runs a key script: characters are typed; {L} {R} {H} {E} move, {SL} {SR} {SH} {SE}
// extend, {BS} and {DEL} erase. Returns the number of refused characters.
int Play(TzqMaskEditState& state, const std::string& script)
{
    int refused = 0;
    const std::u32string keys = U(script);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != U'{') {
            refused += state.Type(keys[i]) ? 0 : 1;
            continue;
        }
        const size_t close = keys.find(U'}', i);
        const std::string name = Utf32ToUtf8(keys.substr(i + 1, close - i - 1));
        i = close;
        if (name == "L") state.Move(TzqMaskMove::Left, false);
        else if (name == "R") state.Move(TzqMaskMove::Right, false);
        else if (name == "H") state.Move(TzqMaskMove::Home, false);
        else if (name == "E") state.Move(TzqMaskMove::End, false);
        else if (name == "SL") state.Move(TzqMaskMove::Left, true);
        else if (name == "SR") state.Move(TzqMaskMove::Right, true);
        else if (name == "SH") state.Move(TzqMaskMove::Home, true);
        else if (name == "SE") state.Move(TzqMaskMove::End, true);
        else if (name == "BS") state.Backspace();
        else if (name == "DEL") state.Delete();
        else ADD_FAILURE() << "unknown key " << name;
    }
    return refused;
}

TEST(MaskEditStateTest, KeysMoveTheCaretAndEditPositions)
{
    struct Case {
        const char* mask;
        const char* keys;
        const char* text;
        int cursor;
        int refused;
    };
    const Case cases[] = {
        {Phone, "", "(___) ___-____", 1, 0},                  // starts on the first input
        {Phone, "5551234567", "(555) 123-4567", 14, 0},
        {Phone, "555", "(555) ___-____", 6, 0},               // skips ") "
        {Phone, "555{L}", "(555) ___-____", 3, 0},
        {Phone, "555{L}{R}", "(555) ___-____", 6, 0},
        {Phone, "{E}", "(___) ___-____", 14, 0},
        {Phone, "{E}{L}", "(___) ___-____", 13, 0},
        {Phone, "555{H}", "(555) ___-____", 1, 0},
        {Phone, "{L}{L}", "(___) ___-____", 1, 0},            // nothing before the first input
        {Phone, "555{BS}", "(55_) ___-____", 3, 0},
        {Phone, "5551{BS}{BS}", "(55_) ___-____", 3, 0},      // back over the literals
        {Phone, "555{BS}{BS}{BS}{BS}", "(___) ___-____", 1, 0},
        {Phone, "5551{H}{SE}{DEL}", "(___) ___-____", 1, 0},
        {Phone, "123{H}{SR}{SR}9", "(9_3) ___-____", 2, 0},    // a wider selection is cleared first
        {Phone, "123{L}{DEL}", "(12_) ___-____", 3, 0},
        {Phone, "x", "(___) ___-____", 1, 1},                  // refused, caret stays
        {"000-000;1;_", "-", "___-___", 4, 0},                 // jumps past the hyphen
        {"000-000;1;_", "12-4", "12_-4__", 5, 0},
        {"000-000;1;_", "1/", "1__-___", 1, 1},                // no such literal further on
        {"000;1;_", "1234", "123", 3, 1},                      // nothing after the end
        {">LL;1;_", "ab", "AB", 2, 0},
        {"---", "a-", "---", 3, 2},                            // no input position at all
        {"", "abc", "", 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " keys " + c.keys);
        TzqMaskEditState state(TzqEditMask(c.mask, TLocaleSettings{}));
        EXPECT_EQ(Play(state, c.keys), c.refused);
        EXPECT_EQ(state.TextUtf8(), c.text);
        EXPECT_EQ(state.Cursor(), c.cursor);
        EXPECT_GE(state.SelStart(), 0);
        EXPECT_LE(state.SelStart() + state.SelLength(), state.Mask().Length());
    }
}

TEST(MaskEditStateTest, CaretIsOneSelectedCharacterUntilTheEnd)
{
    TzqMaskEditState state(TzqEditMask(Phone, TLocaleSettings{}));
    EXPECT_EQ(state.SelStart(), 1);
    EXPECT_EQ(state.SelLength(), 1);
    Play(state, "{SR}{SR}{SR}");
    EXPECT_EQ(state.SelStart(), 1);
    EXPECT_EQ(state.SelLength(), 3);
    Play(state, "{SL}");
    EXPECT_EQ(state.SelLength(), 2);
    Play(state, "{E}");
    EXPECT_EQ(state.SelStart(), 14);
    EXPECT_EQ(state.SelLength(), 0);
    // A click reported by the control lands on the nearest input position.
    state.SetSelection(4, 0);
    EXPECT_EQ(state.Cursor(), 6);
}

TEST(MaskEditStateTest, PasteTypesUntilTheFirstMisfit)
{
    struct Case {
        const char* mask;
        const char* typedFirst;
        std::string pasted;
        const char* text;
        size_t used;
        int invalid;
    };
    const Case cases[] = {
        {Phone, "", "555123", "(555) 123-____", 6, 10},       // incomplete: validation fails
        {Phone, "", "5551234567", "(555) 123-4567", 10, -1},
        {"000-000;1;_", "", "555-123", "555-123", 7, -1},
        {Phone, "", "(555) 123-4567", "(555) 123-4567", 14, -1}, // literals as they come
        {Phone, "", "(555) x", "(555) ___-____", 6, 6},
        {"000;0;_", "", "12x4", "12_", 2, 2},
        {"CCC;1;_", "", "a\tb", "a__", 1, 1},                 // a control character ends it
        {"000;1;_", "9", std::string(1 << 20, '1'), "911", 2, -1},
        {"000;1;_", "98{H}{SE}", "7", "7__", 1, 1},           // the selection is cleared first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " paste " + c.pasted.substr(0, 20));
        TzqMaskEditState state(TzqEditMask(c.mask, TLocaleSettings{}));
        Play(state, c.typedFirst);
        EXPECT_EQ(state.Paste(U(c.pasted)), c.used);
        EXPECT_EQ(state.TextUtf8(), c.text);
        EXPECT_EQ(state.FirstInvalidPosition(), c.invalid);
    }
}

TEST(MaskEditStateTest, ClearBlanksEveryPositionAndSetTextKeepsLiterals)
{
    TzqMaskEditState state(TzqEditMask(Phone, TLocaleSettings{}));
    Play(state, "5551234567");
    state.Clear();
    EXPECT_EQ(state.TextUtf8(), "(___) ___-____");
    EXPECT_EQ(state.Cursor(), 1);

    state.SetText(U("x12y 45"));
    EXPECT_EQ(state.TextUtf8(), "(12_) 5__-____") << "literals kept, misfits blank";
}

} // namespace
