#include "platform/controls/BitBtn.h"

#include "platform/controls/KindGlyphs.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

namespace {

struct KindSpec {
    const char* caption;
    TModalResult result;
    bool isDefault;
    bool isCancel;
};

KindSpec SpecOf(TBitBtnKind kind)
{
    switch (kind) {
    case TBitBtnKind::bkOK: return {"OK", mrOk, true, false};
    case TBitBtnKind::bkCancel: return {"Cancel", mrCancel, false, true};
    case TBitBtnKind::bkHelp: return {"&Help", mrNone, false, false};
    case TBitBtnKind::bkYes: return {"&Yes", mrYes, true, false};
    case TBitBtnKind::bkNo: return {"&No", mrNo, false, true};
    case TBitBtnKind::bkClose: return {"&Close", mrNone, false, false};
    case TBitBtnKind::bkAbort: return {"Abort", mrAbort, false, true};
    case TBitBtnKind::bkRetry: return {"&Retry", mrRetry, false, false};
    case TBitBtnKind::bkIgnore: return {"&Ignore", mrIgnore, false, false};
    case TBitBtnKind::bkAll: return {"&All", mrAll, true, false};
    case TBitBtnKind::bkCustom: break;
    }
    return {"", mrNone, false, false};
}

} // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), m_glyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind value)
{
    if (value == m_kind)
        return;
    m_kind = value;
    m_kindGlyph = MakeKindGlyph(value);
    if (value != TBitBtnKind::bkCustom) {
        const KindSpec spec = SpecOf(value);
        SetCaption(spec.caption);
        SetModalResult(spec.result);
        if (spec.isDefault)
            SetDefault(true);
        if (spec.isCancel)
            SetCancel(true);
    }
    Invalidate();
}

TBitmap* TBitBtn::Glyph() const
{
    return m_glyph.get();
}

void TBitBtn::SetGlyph(const TBitmap* value)
{
    if (value)
        m_glyph->Assign(*value);
    else
        m_glyph->SetSize(0, 0);
    // A picture with several parts says how many by its proportions.
    if (!m_glyph->Empty() && m_glyph->Height() > 0 && m_glyph->Width() % m_glyph->Height() == 0) {
        const int parts = m_glyph->Width() / m_glyph->Height();
        if (parts >= 1 && parts <= 4)
            m_numGlyphs = parts;
    }
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int value)
{
    if (value < 1 || value > 4 || value == m_numGlyphs)
        return;
    m_numGlyphs = value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value)
{
    value = std::max(-1, value);
    if (value == m_margin)
        return;
    m_margin = value;
    Invalidate();
}

void TBitBtn::SetSpacing(int value)
{
    value = std::max(0, value);
    if (value == m_spacing)
        return;
    m_spacing = value;
    Invalidate();
}

void TBitBtn::Click()
{
    if (m_kind == TBitBtnKind::bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

const TBitmap* TBitBtn::ShownGlyph() const
{
    if (m_glyph && !m_glyph->Empty())
        return m_glyph.get();
    return m_kindGlyph.get();
}

void TBitBtn::DrawGlyph(TCanvas* c, int x, int y, bool pressed)
{
    const TBitmap* glyph = ShownGlyph();
    const bool own = glyph == m_glyph.get();
    const int parts = own ? m_numGlyphs : 1;
    const int w = glyph->Width() / parts, h = glyph->Height();
    // Picture 1 is the disabled look and picture 2 the pressed one, when present.
    int part = 0;
    if (!Enabled() && parts > 1)
        part = 1;
    else if (pressed && parts > 2)
        part = 2;
    const bool emboss = !Enabled() && parts == 1;
    const TColor transparent = glyph->TransparentColor();
    for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
            const TColor pixel = glyph->Pixel(part * w + px, py);
            if (pixel == transparent)
                continue;
            if (emboss) {
                // Disabled without a picture of its own: the shape in highlight under
                // the same shape in shadow, one pixel up and left.
                c->SetPixel(x + px + 1, y + py + 1, ColorToRGB(clBtnHighlight));
            } else {
                c->SetPixel(x + px, y + py, pixel);
            }
        }
    }
    if (emboss)
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                if (glyph->Pixel(px, py) != transparent)
                    c->SetPixel(x + px, y + py, ColorToRGB(clBtnShadow));
}

void TBitBtn::PaintContent(TRect rect, bool pressed)
{
    const TBitmap* glyph = ShownGlyph();
    if (!glyph || glyph->Empty()) {
        TButton::PaintContent(rect, pressed);
        return;
    }
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    c->SetBkMode(TRANSPARENT);
    if (pressed)
        rect = rect.Offset(1, 1);

    const bool own = glyph == m_glyph.get();
    const TSize glyphSize{glyph->Width() / (own ? m_numGlyphs : 1), glyph->Height()};
    TRect textSize(0, 0, rect.Width(), 0);
    const bool hasText = !Caption().empty();
    if (hasText)
        c->DrawText(Caption(), textSize, DT_SINGLELINE | DT_CALCRECT);
    const int spacing = hasText ? m_spacing : 0;
    const bool horizontal = m_layout == TButtonLayout::blGlyphLeft || m_layout == TButtonLayout::blGlyphRight;
    const int room = horizontal ? rect.Width() : rect.Height();
    const int total = horizontal ? glyphSize.cx + spacing + textSize.Width() : glyphSize.cy + spacing + textSize.Height();
    const int margin = m_margin < 0 ? std::max(0, (room - total) / 2) : m_margin;

    TPoint glyphAt, textAt;
    switch (m_layout) {
    case TButtonLayout::blGlyphLeft:
        glyphAt = {rect.Left + margin, rect.Top + (rect.Height() - glyphSize.cy) / 2};
        textAt = {glyphAt.X + glyphSize.cx + spacing, rect.Top + (rect.Height() - textSize.Height()) / 2};
        break;
    case TButtonLayout::blGlyphRight:
        glyphAt = {rect.Right - margin - glyphSize.cx, rect.Top + (rect.Height() - glyphSize.cy) / 2};
        textAt = {glyphAt.X - spacing - textSize.Width(), rect.Top + (rect.Height() - textSize.Height()) / 2};
        break;
    case TButtonLayout::blGlyphTop:
        glyphAt = {rect.Left + (rect.Width() - glyphSize.cx) / 2, rect.Top + margin};
        textAt = {rect.Left + (rect.Width() - textSize.Width()) / 2, glyphAt.Y + glyphSize.cy + spacing};
        break;
    case TButtonLayout::blGlyphBottom:
        glyphAt = {rect.Left + (rect.Width() - glyphSize.cx) / 2, rect.Bottom - margin - glyphSize.cy};
        textAt = {rect.Left + (rect.Width() - textSize.Width()) / 2, glyphAt.Y - spacing - textSize.Height()};
        break;
    }
    DrawGlyph(c, glyphAt.X, glyphAt.Y, pressed);
    if (hasText) {
        TRect text = TRect::FromSize(textAt.X, textAt.Y, textSize.Width(), textSize.Height());
        c->DrawText(Caption(), text, DT_SINGLELINE);
    }
}
