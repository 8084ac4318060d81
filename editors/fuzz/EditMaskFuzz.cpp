// Fuzz target: the edit-mask engine with any mask, value, keys and pastes. With a mask
// the text always has one character per mask position, the caret and the selection stay
// within the mask, and the value read from the text is read back unchanged once
// formatted again.
//
// Input: the mask, a newline, the value, a newline, then the script: bytes 1 to 12 are
// keys (see Apply), byte 13 pastes the text up to the next byte 13, any other byte
// starts a UTF-8 character that is typed.
#include "editors/EditMask.h"
#include "editors/MaskEditState.h"
#include "platform/core/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "Broken: %s\n", what);
        std::abort();
    }
}

// The text's length and the caret, after every step.
void CheckShape(const TzqMaskEditState& state)
{
    const int length = state.Mask().Length();
    Check(int(state.Text().size()) == length, "text length");
    Check(state.Cursor() >= 0 && state.Cursor() <= length, "cursor range");
    Check(state.SelStart() >= 0 && state.SelLength() >= 0 && state.SelStart() + state.SelLength() <= length, "selection range");
}

// The shape, and the value read back unchanged once formatted again: a whole pass over
// the text, so a long script checks it every few steps and at its end.
void CheckInvariants(const TzqMaskEditState& state)
{
    CheckShape(state);
    const TzqEditMask& mask = state.Mask();
    const int length = mask.Length();
    const std::u32string value = state.Value();
    const std::u32string again = mask.Format(value);
    Check(int(again.size()) == length, "formatted length");
    if (mask.Value(again) != value)
        std::fprintf(stderr, "text [%s] value [%s] formatted [%s] read back [%s]\n", Utf32ToUtf8(state.Text()).c_str(),
                     Utf32ToUtf8(value).c_str(), Utf32ToUtf8(again).c_str(), Utf32ToUtf8(mask.Value(again)).c_str());
    Check(mask.Value(again) == value, "value read back");
    Check(mask.Format(mask.Value(again)) == again, "text formatted again");
}

bool Apply(TzqMaskEditState& state, uint8_t key)
{
    switch (key) {
    case 1: state.Move(TzqMaskMove::Left, false); return true;
    case 2: state.Move(TzqMaskMove::Right, false); return true;
    case 3: state.Move(TzqMaskMove::Home, false); return true;
    case 4: state.Move(TzqMaskMove::End, false); return true;
    case 5: state.Move(TzqMaskMove::Left, true); return true;
    case 6: state.Move(TzqMaskMove::Right, true); return true;
    case 7: state.Move(TzqMaskMove::Home, true); return true;
    case 8: state.Move(TzqMaskMove::End, true); return true;
    case 9: state.Backspace(); return true;
    case 10: state.Delete(); return true;
    case 11: state.Clear(); return true;
    case 12: state.SetSelection(state.Cursor() - 2, 3); return true;
    default: return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t maskEnd = input.find('\n');
    const std::string mask(input.substr(0, maskEnd));
    const size_t valueStart = maskEnd == std::string_view::npos ? input.size() : maskEnd + 1;
    const size_t valueEnd = std::min(input.find('\n', valueStart), input.size());
    const std::string value(input.substr(valueStart, valueEnd - valueStart));
    const std::string_view script = input.substr(std::min(valueEnd + 1, input.size()));

    TLocaleSettings locale;
    locale.DateSeparator.assign(1, '.');
    TzqMaskEditState state(TzqEditMask(mask, locale));
    state.SetValue(Utf8ToUtf32(value));
    CheckInvariants(state);

    constexpr unsigned kFullCheckEvery = 16;
    unsigned steps = 0;
    for (size_t i = 0; i < script.size();) {
        const uint8_t byte = uint8_t(script[i]);
        if (Apply(state, byte)) {
            ++i;
        } else if (byte == 13) {
            const size_t end = std::min(script.find('\r', i + 1), script.size());
            state.Paste(Utf8ToUtf32(std::string(script.substr(i + 1, end - i - 1))));
            i = end + 1;
        } else {
            size_t n = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
            n = std::min(n, script.size() - i);
            const std::u32string typed = Utf8ToUtf32(std::string(script.substr(i, n)));
            for (char32_t ch : typed)
                state.Type(ch);
            i += n;
        }
        if (++steps % kFullCheckEvery == 0 || i >= script.size())
            CheckInvariants(state);
        else
            CheckShape(state);
    }
    return 0;
}
