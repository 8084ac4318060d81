#include "editors/InplaceImageEdit.h"

#include "editors/CellText.h"
#include "editors/EditDrawing.h"
#include "editors/InplacePopupControl.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/TextCompare.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <charconv>

namespace {

// A whole number with blanks around it; -1 for anything else.
int ParseImageIndex(const std::string& text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return -1;
    const size_t e = text.find_last_not_of(" \t") + 1;
    int value = -1;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+')
        ++first;
    const auto r = std::from_chars(first, last, value);
    if (r.ec != std::errc() || r.ptr != last)
        return -1;
    return value;
}

int ImageIndexOf(const TStrings& imageIndexes, bool defaultImages, int position)
{
    if (position < 0)
        return -1;
    if (defaultImages)
        return position;
    return position < imageIndexes.Count() ? ParseImageIndex(imageIndexes.Strings(position)) : -1;
}

bool ValidImage(const TImageList* images, int index)
{
    return images && index >= 0 && index < images->Count();
}

} // namespace

TzqImageLookup LookupImageValue(const TStrings& Values, const TStrings& Descriptions, const TStrings& ImageIndexes,
                                bool DefaultImages, const std::string& V)
{
    TzqImageLookup result;
    for (int i = 0; i < Values.Count(); ++i)
        if (Values.Strings(i) == V) {
            result.Position = i;
            break;
        }
    if (result.Position < 0)
        return result;
    if (result.Position < Descriptions.Count())
        result.Description = Descriptions.Strings(result.Position);
    result.ImageIndex = ImageIndexOf(ImageIndexes, DefaultImages, result.Position);
    return result;
}

// ---- The class ----

TzqInplaceEdit* TzqInplaceImageEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceImageEdit(AOwner);
}

TzqEditViewDataClass TzqInplaceImageEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqImageEditViewData>;
}

bool TzqInplaceImageEditClass::DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint,
                                           TzqEditViewData& ViewData) const
{
    auto* data = dynamic_cast<TzqImageEditViewData*>(&ViewData);
    if (!data)
        return TzqInplaceDropDownEditClass::DrawContent(DC, Rect, IsWindowPaint, ViewData);
    if (!DC || (data->Transparent && IsWindowPaint))
        return true;
    TzqInplaceEditClass::DrawContent(DC, Rect, IsWindowPaint, ViewData);
    const TImageList* images = data->Images;
    const bool hasImage = ValidImage(images, data->ImageIndex);
    if (!data->ShowDescription) {
        if (hasImage)
            DrawImageListItem(DC, Rect.Left + (Rect.Width() - images->Width()) / 2,
                              Rect.Top + (Rect.Height() - images->Height()) / 2, images, data->ImageIndex);
        return true;
    }
    const int imageWidth = images ? images->Width() : 0;
    if (hasImage)
        DrawImageListItem(DC, Rect.Left, Rect.Top + (Rect.Height() - images->Height()) / 2, images, data->ImageIndex);
    TRect text(Rect.Left + imageWidth + data->TextOffsets.Left, Rect.Top, Rect.Right, Rect.Bottom);
    if (imageWidth > 0)
        text.Left += 2;
    if (text.IsEmpty() || data->Description.empty())
        return true;
    TColor textColor = data->TextColor, bkColor = data->BkColor;
    if (data->Focused && data->Enabled) {
        // The focused editor shows its description selected.
        const int width = std::min(text.Width(), MeasureText(*data->Font, data->Description).cx + 4);
        const TRect selected(text.Left, text.Top + 1, text.Left + width, text.Bottom - 1);
        FillRectColor(DC, selected, clHighlight);
        textColor = ColorToRGB(clHighlightText);
        bkColor = ColorToRGB(clHighlight);
        text.Left += 2;
    } else {
        text.Left += 1;
    }
    DrawCellText(DC, data->Description, -1, nullptr, textColor, bkColor, data->Font, data->Brush,
                 CTF_VCENTER | CTF_TRANSPARENT | CTF_END_ELLIPSIS, text, text);
    return true;
}

int TzqInplaceImageEditClass::GetDefaultHeight(const TzqEditViewData& ViewData) const
{
    int height = TzqInplaceDropDownEditClass::GetDefaultHeight(ViewData);
    if (const auto* data = dynamic_cast<const TzqImageEditViewData*>(&ViewData); data && data->Images)
        height = std::max(height, data->Images->Height());
    return height;
}

// ---- The editor ----

TzqInplaceImageEdit::TzqInplaceImageEdit(TComponent* AOwner)
    : TzqInplaceDropDownEdit(AOwner), m_descriptions(std::make_unique<TStringList>()),
      m_imageIndexes(std::make_unique<TStringList>()), m_values(std::make_unique<TStringList>())
{
    SetImmediateDrop(true);
    SetCursor(crArrow);
    m_list = new TzqPopupImageListBox(this);
    m_imagesLink.OnChange = [this](TObject*) { Invalidate(); };
    m_largeImagesLink.OnChange = [this](TObject*) { Invalidate(); };
}

TzqInplaceImageEdit::~TzqInplaceImageEdit()
{
    BeforeDestruction();
    SetImages(nullptr);
    SetLargeImages(nullptr);
}

const TzqInplaceEditClass& TzqInplaceImageEdit::StaticClass()
{
    static const TzqInplaceImageEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceImageEdit::EditClass() const
{
    return StaticClass();
}

void TzqInplaceImageEdit::SetDefaultImages(bool Value)
{
    m_defaultImages = Value;
    Invalidate();
}

void TzqInplaceImageEdit::SetImageList(TImageList*& Field, TImageList* Value)
{
    if (Field == Value)
        return;
    TChangeLink& link = &Field == &m_images ? m_imagesLink : m_largeImagesLink;
    const TImageList* other = &Field == &m_images ? m_largeImages : m_images;
    if (Field) {
        Field->UnRegisterChanges(&link);
        // The other reference may still want to hear of its destruction.
        if (Field != other)
            Field->RemoveFreeNotification(this);
    }
    Field = Value;
    if (Field) {
        Field->RegisterChanges(&link);
        Field->FreeNotification(this);
    }
    Invalidate();
}

void TzqInplaceImageEdit::SetImages(TImageList* Value)
{
    SetImageList(m_images, Value);
}

void TzqInplaceImageEdit::SetLargeImages(TImageList* Value)
{
    SetImageList(m_largeImages, Value);
}

void TzqInplaceImageEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TzqInplaceDropDownEdit::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_images)
        m_images = nullptr;
    if (AComponent == m_largeImages)
        m_largeImages = nullptr;
    if (m_list && (m_list->Images() == AComponent))
        m_list->SetImages(nullptr);
}

void TzqInplaceImageEdit::SetShowDescription(bool Value)
{
    m_showDescription = Value;
    Invalidate();
}

TzqImageLookup TzqInplaceImageEdit::Lookup(const std::string& Value) const
{
    return LookupImageValue(*m_values, *m_descriptions, *m_imageIndexes, m_defaultImages, Value);
}

std::unique_ptr<TzqEditViewData> TzqInplaceImageEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = TzqInplaceDropDownEdit::CreateViewData(IsPaintCopy);
    if (auto* image = dynamic_cast<TzqImageEditViewData*>(data.get())) {
        const TzqImageLookup found = Lookup(Text());
        image->Images = m_images;
        image->ImageIndex = found.ImageIndex;
        image->Description = found.Description;
        image->ShowDescription = m_showDescription;
    }
    return data;
}

bool TzqInplaceImageEdit::IsNativeEdit()
{
    return false;
}

bool TzqInplaceImageEdit::GetModified()
{
    return m_modified;
}

void TzqInplaceImageEdit::SetModified(bool Value)
{
    m_modified = Value;
}

void TzqInplaceImageEdit::ChooseValue(const std::string& Value)
{
    if (Value == Text() || !CanModify())
        return;
    SetText(Value);
    m_modified = true;
    Change();
    Invalidate();
}

void TzqInplaceImageEdit::Step(int Delta, bool)
{
    if (m_values->Empty() || !CanModify())
        return;
    const int position = Lookup(Text()).Position;
    const int index = position < 0 ? 0 : std::clamp(position + Delta, 0, m_values->Count() - 1);
    ChooseValue(m_values->Strings(index));
}

// ---- Keys ----

void TzqInplaceImageEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE)
        m_search.clear();
    if ((Key == VK_LEFT || Key == VK_RIGHT) && !Shift.contains(TShiftStateFlag::ssAlt)) {
        NavigateHost(Key == VK_LEFT);
        Key = 0;
        return;
    }
    TzqInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TzqInplaceImageEdit::KeyPress(char32_t& Key)
{
    if (Key < 32) {
        TzqInplaceDropDownEdit::KeyPress(Key);
        return;
    }
    const char32_t typed = Key;
    Key = 0;
    const DWORD now = GetTickCount();
    if (DWORD(now - m_lastKeyTime) > SearchResetDelay)
        m_search.clear();
    m_lastKeyTime = now;
    const std::string search = m_search + Utf32ToUtf8(std::u32string(1, typed));
    const int count = std::min(m_values->Count(), m_descriptions->Count());
    if (count == 0)
        return;
    // From the current entry on, round the end.
    const int start = std::max(0, Lookup(Text()).Position);
    for (int step = 0; step < count; ++step) {
        const int i = (start + step) % count;
        if (StartsText(search, m_descriptions->Strings(i))) {
            m_search = search;
            ChooseValue(m_values->Strings(i));
            return;
        }
    }
}

void TzqInplaceImageEdit::WMSetFocus(TMessage& Message)
{
    m_search.clear();
    TzqInplaceDropDownEdit::WMSetFocus(Message);
}

void TzqInplaceImageEdit::HandleKillFocus(TMessage& Message)
{
    m_search.clear();
    TzqInplaceDropDownEdit::HandleKillFocus(Message);
}

// ---- The list ----

void TzqInplaceImageEdit::DropDown()
{
    if (!CanEditText() || !CanFocus() || m_values->Empty())
        return;
    if (HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    if (!HandleAllocated() || GetFocus() != Handle())
        return;
    DoDropDown();
    const TImageList* images = m_largeImages ? m_largeImages : m_images;
    m_list->SetColor(Color());
    m_list->Font()->Assign(*Font());
    m_list->SetPopupBorder(ResolvedPopupBorder());
    m_list->SetShadow(Style()->Shadow());
    m_list->SetImages(images);
    m_list->SetMultiLine(m_multiLineText);
    const int count = m_values->Count();
    std::vector<int> indexes(size_t(count), -1);
    int widest = 0;
    m_list->Items()->BeginUpdate();
    m_list->Items()->Clear();
    for (int i = 0; i < count; ++i) {
        const std::string description = i < m_descriptions->Count() ? m_descriptions->Strings(i) : std::string();
        m_list->Items()->Add(description);
        indexes[size_t(i)] = ImageIndexOf(*m_imageIndexes, m_defaultImages, i);
        widest = std::max(widest, MeasureText(*Font(), description).cx);
    }
    m_list->Items()->EndUpdate();
    m_list->SetImageIndexes(std::move(indexes));
    const int lineHeight = m_list->LineHeight();
    const int rows = std::min(DropDownRows(), count);
    int width = DropDownWidth();
    if (width <= 0) {
        width = std::max(10, widest + 2) + (images ? images->Width() : lineHeight) + 4;
        if (count > rows)
            width += GetSystemMetrics(SM_CXVSCROLL);
    }
    m_list->SetClientSizeOfPopup(width, rows * lineHeight);
    m_list->SetItemIndex(Lookup(Text()).Position);
    PositionPopup(m_list->Frame(), true);
    m_list->ShowPopup();
    SetDropDownWindow(m_list);
    SetDroppedDown(true);
}

void TzqInplaceImageEdit::CloseUp(bool Accept)
{
    if (!m_list->IsShown())
        return;
    const int index = m_list->ItemIndex();
    m_list->ClosePopup();
    Invalidate();
    if (index < 0 || index >= m_values->Count())
        return;
    std::string value = m_values->Strings(index);
    DoCloseUp(value, Accept);
    if (Accept)
        ChooseValue(value);
}
