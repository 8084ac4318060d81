#include "editors/TextEditDrawing.h"

#include "editors/CellText.h"
#include "platform/core/Utf8.h"

namespace {

// The selection bar's width.
constexpr int SelectionBarWidth = 8;

} // namespace

std::string TextEditDisplayText(TzqTextEditViewData& ViewData)
{
    std::string text = ViewData.Data.IsClear() ? std::string() : ViewData.Data.AsString();
    if (ViewData.TextLength < 0)
        ViewData.TextLength = int32_t(Utf8Length(text));
    if (ViewData.CharCase == TEditCharCase::ecUpperCase)
        text = Utf8ToUpper(text);
    else if (ViewData.CharCase == TEditCharCase::ecLowerCase)
        text = Utf8ToLower(text);
    if (ViewData.PasswordChar) {
        const std::string shown = Utf32ToUtf8(ViewData.PasswordChar);
        std::string hidden;
        for (int32_t i = 0; i < ViewData.TextLength; ++i)
            hidden += shown;
        return hidden;
    }
    return text;
}

TRect TextEditTextRect(const TRect& Rect, const TzqTextEditViewData& ViewData)
{
    TRect r = Rect;
    if (ViewData.OneBorder) {
        r.Left += 2;
        r.Top += 2;
        r.Right -= 2;
        r.Bottom -= 2;
    } else {
        r.Left += 1 + ViewData.TextOffsets.Left;
        r.Top += 1 + ViewData.TextOffsets.Top;
        r.Right -= 1 + ViewData.TextOffsets.Right;
        r.Bottom -= 1;
        if (ViewData.Alignment == TAlignment::taRightJustify)
            r.Right -= 1;
    }
    if (ViewData.SelectionBar)
        r.Left += SelectionBarWidth;
    return r;
}

TRect TextEditFormatRect(const TRect& Client, bool SelectionBar, TAlignment Alignment, const TRect& TextOffsets)
{
    TRect r(Client.Left + 1, Client.Top + 1, Client.Right - 1, Client.Bottom - 1);
    if (SelectionBar)
        r.Left += SelectionBarWidth;
    if (Alignment == TAlignment::taRightJustify)
        r.Right -= 1;
    r.Left += TextOffsets.Left;
    r.Top += TextOffsets.Top;
    r.Right -= TextOffsets.Right;
    return r;
}

WORD TextEditDrawFlags(const TzqTextEditViewData& ViewData)
{
    WORD flags = 0;
    switch (ViewData.Alignment) {
    case TAlignment::taLeftJustify: flags |= CTF_LEFT; break;
    case TAlignment::taCenter: flags |= CTF_CENTER; break;
    case TAlignment::taRightJustify: flags |= CTF_RIGHT; break;
    }
    switch (ViewData.LayoutMode) {
    case 1: flags |= CTF_VCENTER; break;
    case 2: flags |= CTF_BOTTOM; break;
    case 3: flags |= CTF_WORDBREAK; break;
    default: flags |= CTF_TOP; break;
    }
    if (ViewData.FocusRect && ViewData.Focused)
        flags |= CTF_FOCUSRECT;
    if (ViewData.EndEllipsis)
        flags |= CTF_END_ELLIPSIS;
    if (ViewData.Transparent)
        flags |= CTF_TRANSPARENT;
    return flags | CTF_KEEPBKMODE;
}

bool DrawTextEditContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqTextEditViewData& ViewData)
{
    if (ViewData.Transparent && IsWindowPaint)
        return false;
    const std::string text = TextEditDisplayText(ViewData);
    const TRect textRect = TextEditTextRect(Rect, ViewData);
    WORD flags = TextEditDrawFlags(ViewData);
    if (!ViewData.MeasureOnly) {
        DrawCellText(DC, text, -1, nullptr, ViewData.TextColor, ViewData.BkColor, ViewData.Font, ViewData.Brush, flags,
                     textRect, Rect);
        return true;
    }
    flags |= CTF_MEASURE;
    int lineHeight = 0;
    const int measured = DrawCellText(DC, text, -1, &lineHeight, ViewData.TextColor, ViewData.BkColor, ViewData.Font,
                                      ViewData.Brush, flags, textRect, Rect);
    ViewData.LineHeight = lineHeight;
    ViewData.TotalHeight = measured - 2 - (ViewData.OneBorder ? 0 : ViewData.TextOffsets.Top);
    ViewData.LineCount = lineHeight > 0 ? ViewData.TotalHeight / lineHeight : 0;
    return true;
}
