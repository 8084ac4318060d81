#include "editors/CellText.h"

#include "platform/core/Utf8.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

namespace {

// What DrawCellText changes on the device context, put back however it returns.
class TDcStateGuard {
public:
    int BkMode() const { return m_bkMode; }

    explicit TDcStateGuard(TCanvas& dc)
        : m_dc(dc), m_textColor(dc.TextColor()), m_bkColor(dc.BkColor()), m_bkMode(dc.BkMode())
    {
        m_font.Assign(*dc.Font());
    }
    ~TDcStateGuard()
    {
        // The font first: changing it resets the text colour.
        m_dc.Font()->Assign(m_font);
        m_dc.SetTextColor(m_textColor);
        m_dc.SetBkColor(m_bkColor);
        m_dc.SetBkMode(m_bkMode);
    }
    TDcStateGuard(const TDcStateGuard&) = delete;
    TDcStateGuard& operator=(const TDcStateGuard&) = delete;

private:
    TCanvas& m_dc;
    TColor m_textColor;
    TColor m_bkColor;
    int m_bkMode;
    TFont m_font;
};

bool IsClear(const TBrush* brush)
{
    return !brush || (brush->Style() == TBrushStyle::bsClear && !brush->HasPattern());
}

// Fills with the brush without leaving it on the device context (whose background
// colour and mode follow its own brush again afterwards, so callers set theirs after).
void FillWithBrush(TCanvas& dc, const TRect& rect, const TBrush* brush)
{
    if (IsClear(brush) || rect.IsEmpty())
        return;
    if (!brush->HasPattern() && brush->Style() == TBrushStyle::bsSolid) {
        FillRectColor(&dc, rect, brush->Color());
        return;
    }
    TBrush saved;
    saved.Assign(*dc.Brush());
    dc.SetBrush(*brush);
    dc.FillRect(rect);
    dc.SetBrush(saved);
}

unsigned AlignmentFormat(WORD flags)
{
    switch (flags & 3) {
    case CTF_CENTER:
        return DT_CENTER;
    case CTF_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

enum class TLineMode { Top, Center, Bottom, Wrapped };

TLineMode LineModeOf(WORD flags)
{
    if (flags & CTF_WORDBREAK)
        return TLineMode::Wrapped;
    if (flags & CTF_BOTTOM)
        return TLineMode::Bottom;
    if (flags & CTF_VCENTER)
        return TLineMode::Center;
    return TLineMode::Top;
}

unsigned LineModeFormat(TLineMode mode)
{
    switch (mode) {
    case TLineMode::Center:
        return DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    case TLineMode::Bottom:
        return DT_EXPANDTABS | DT_SINGLELINE | DT_BOTTOM;
    case TLineMode::Wrapped:
        return DT_EXPANDTABS | DT_WORDBREAK;
    default:
        return DT_EXPANDTABS | DT_SINGLELINE;
    }
}

// A block of the given size placed in the rectangle by the alignment and line mode.
TRect PlaceBlock(const TRect& r, TSize size, WORD flags, TLineMode mode)
{
    int x = r.Left;
    switch (flags & 3) {
    case CTF_CENTER:
        x = r.Left + (r.Width() - size.cx) / 2;
        break;
    case CTF_RIGHT:
        x = r.Right - size.cx;
        break;
    default:
        break;
    }
    int y = r.Top;
    if (mode == TLineMode::Center)
        y = r.Top + (r.Height() - size.cy) / 2;
    else if (mode == TLineMode::Bottom)
        y = r.Bottom - size.cy;
    return TRect::FromSize(x, y, size.cx, size.cy);
}

// Far-away coordinates gain nothing but overflowing arithmetic: nothing that far is
// ever drawn, so rectangles are brought within a range where widths fit 32 bits.
TRect Tame(const TRect& r)
{
    static constexpr int32_t kFar = 1 << 28;
    auto c = [](int32_t v) { return std::clamp(v, -kFar, kFar); };
    return TRect(c(r.Left), c(r.Top), c(r.Right), c(r.Bottom));
}

int NeededHeight(const TRect& textRect, const TRect& backRect, int textHeight)
{
    return Saturate32(int64_t(backRect.Bottom) + textRect.Top + textHeight - backRect.Top - textRect.Bottom);
}

} // namespace

int DrawCellText(HDC DC, const std::string& Text, int Count, int* Height, TColor TextColor, TColor BkColor,
                 const TFont* Font, const TBrush* Brush, WORD Flags, const TRect& TextRectIn, const TRect& BackRectIn)
{
    const TRect TextRect = Tame(TextRectIn);
    const TRect BackRect = Tame(BackRectIn);
    if (!DC)
        return 0;
    TCanvas& dc = *DC;
    const std::string text = Count < 0 ? Text : Utf8Left(Text, static_cast<size_t>(Count));
    const bool measureOnly = Flags & CTF_MEASURE;
    const bool transparent = Flags & CTF_TRANSPARENT;
    const TLineMode mode = LineModeOf(Flags);

    TDcStateGuard restore(dc);
    if (Font)
        dc.Font()->Assign(*Font);
    dc.SetTextColor(TextColor);
    dc.SetBkColor(BkColor);

    const TSize extent = dc.TextExtent(text);
    if (measureOnly && Height) {
        *Height = extent.cy;
        if (extent.cy == 0)
            return 0;
    }
    const bool tooWide = extent.cx > TextRect.Width();
    const bool hasLineBreak = text.find_first_of("\r\n") != std::string::npos;
    const bool ellipsis = Flags & (CTF_END_ELLIPSIS | CTF_PATH_ELLIPSIS);
    const bool useDrawText = (Flags & (CTF_WORDBREAK | CTF_PREFIX)) ||
                             ((ellipsis || mode == TLineMode::Wrapped) && (tooWide || hasLineBreak));

    int textHeight = extent.cy;
    TRect textBlock; // where the text's own rectangle lies (for the focus rectangle)
    if (useDrawText) {
        unsigned format = AlignmentFormat(Flags) | LineModeFormat(mode);
        if (!tooWide)
            format |= DT_NOCLIP;
        if (!(Flags & CTF_PREFIX))
            format |= DT_NOPREFIX;
        if (Flags & CTF_END_ELLIPSIS)
            format |= DT_END_ELLIPSIS;
        if (Flags & CTF_PATH_ELLIPSIS)
            format |= DT_PATH_ELLIPSIS;
        TRect calc = TextRect;
        dc.DrawText(text, calc, format | DT_CALCRECT);
        textHeight = calc.Height();
        if (!measureOnly) {
            if (!transparent)
                FillWithBrush(dc, BackRect, Brush);
            dc.SetBkColor(BkColor);
            dc.SetBkMode((Flags & CTF_KEEPBKMODE) ? restore.BkMode() : TRANSPARENT);
            TRect r = TextRect;
            dc.DrawText(text, r, format);
            textBlock = PlaceBlock(TextRect, TSize(std::min(calc.Width(), TextRect.Width()), calc.Height()), Flags,
                                   mode == TLineMode::Wrapped ? TLineMode::Top : mode);
        }
    } else if (!measureOnly) {
        TRect clip = BackRect;
        TRect block;
        if (tooWide) {
            // Cut at the text rectangle's right; the rest of the background is filled.
            clip.Right = std::max(clip.Left, std::min(clip.Right, TextRect.Right));
            if (!transparent)
                FillWithBrush(dc, TRect(clip.Right, BackRect.Top, BackRect.Right, BackRect.Bottom), Brush);
            block = PlaceBlock(TextRect, extent, CTF_LEFT, mode);
        } else {
            block = PlaceBlock(TextRect, extent, Flags, mode);
        }
        dc.SetBkColor(BkColor);
        dc.SetBkMode((Flags & CTF_KEEPBKMODE) ? restore.BkMode() : TRANSPARENT);
        dc.ExtTextOut(block.Left, block.Top, ETO_CLIPPED | (transparent ? 0u : ETO_OPAQUE), &clip, text);
        textBlock = block;
        textBlock.Right = std::min(textBlock.Right, TextRect.Right);
    }

    if (!measureOnly && (Flags & CTF_FOCUSRECT)) {
        const bool aroundText = Flags & CTF_FOCUSTEXT;
        if (!aroundText || !text.empty()) {
            dc.SetBkColor(clBlack);
            dc.SetTextColor(clWhite);
            dc.DrawFocusRect((aroundText ? textBlock : TextRect).Inflate(1, 1));
        }
    }
    return NeededHeight(TextRect, BackRect, textHeight);
}
