#include "editors/PopupImageListBox.h"

#include "editors/CellText.h"
#include "editors/EditDrawing.h"
#include "platform/controls/TextMeasure.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>

namespace {

bool ValidImage(const TImageList* images, int index)
{
    return images && index >= 0 && index < images->Count();
}

} // namespace

TzqPopupImageListBox::TzqPopupImageListBox(TzqInplaceDropDownEdit* Edit) : TCustomzqPopupListBox(Edit) {}

int TzqPopupImageListBox::LineHeight() const
{
    const int text = FontLineHeight(*Font());
    return std::max(text, m_images ? m_images->Height() + 2 : 0);
}

void TzqPopupImageListBox::MeasureItem(int Index, int& Height)
{
    Height = LineHeight();
    if (!m_multiLine || Index < 0 || Index >= Count())
        return;
    const int imageWidth = m_images ? m_images->Width() : LineHeight();
    const int width = std::max(1, ClientWidth() - imageWidth - 5);
    TBitmap scratch(1, 1);
    TRect r(0, 0, width, 0);
    scratch.Canvas()->Font()->Assign(*Font());
    scratch.Canvas()->DrawText(Items()->Strings(Index), r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    Height = std::max(Height, r.Height());
}

void TzqPopupImageListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* c = Canvas();
    c->FillRect(Rect);
    const int image = Index < int(m_imageIndexes.size()) ? m_imageIndexes[size_t(Index)] : -1;
    int textLeft = Rect.Left + 1;
    if (m_images) {
        if (ValidImage(m_images, image))
            DrawImageListItem(c, Rect.Left + 1, Rect.Top + (Rect.Height() - m_images->Height()) / 2, m_images, image);
        textLeft += m_images->Width();
    }
    TRect text(textLeft + 3, Rect.Top, Rect.Right - 1, Rect.Bottom);
    const TColor textColor = ColorToRGB(c->Font()->Color());
    const TColor bkColor = ColorToRGB(c->Brush()->Color());
    const WORD flags = m_multiLine ? (CTF_WORDBREAK | CTF_END_ELLIPSIS | CTF_TRANSPARENT) : (CTF_VCENTER | CTF_TRANSPARENT);
    DrawCellText(c, Items()->Strings(Index), -1, nullptr, textColor, bkColor, c->Font(), nullptr, flags, text, text);
    (void)State;
}
