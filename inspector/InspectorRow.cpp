#include "inspector/InspectorRow.h"

#include "platform/drawing/Brush.h"

#include "editors/InplaceTextEdit.h"
#include "editors/TextEditViewData.h"
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorCellViewData.h"
#include "inspector/InspectorNode.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"

#include <algorithm>

TzqInspectorRow::TzqInspectorRow(TComponent* AOwner) : TComponent(AOwner) {}

TzqInspectorRow::~TzqInspectorRow()
{
    SetInspector(nullptr);
}

void TzqInspectorRow::SetInspector(TCustomzqInspectorControl* Value)
{
    if (Value == m_inspector)
        return;
    if (m_inspector)
        m_inspector->DetachRow(this);
    if (Value)
        Value->AttachRow(this);
}

void TzqInspectorRow::LayoutChanged()
{
    if (m_inspector)
        m_inspector->RelayoutAndPaint();
}

void TzqInspectorRow::SetAlignment(TAlignment Value)
{
    if (Value == m_alignment)
        return;
    m_alignment = Value;
    LayoutChanged();
}

std::string TzqInspectorRow::Caption() const
{
    if (m_assigned & avCaption)
        return m_caption;
    std::string caption;
    GetDefaultCaption(caption);
    return caption;
}

void TzqInspectorRow::SetCaption(const std::string& Value)
{
    if ((m_assigned & avCaption) && Value == m_caption)
        return;
    m_caption = Value;
    m_assigned |= avCaption;
    LayoutChanged();
}

bool TzqInspectorRow::IsCaptionStored() const
{
    if (!(m_assigned & avCaption))
        return false;
    std::string caption;
    GetDefaultCaption(caption);
    return caption != m_caption;
}

void TzqInspectorRow::SetCharCase(TEditCharCase Value)
{
    if (Value == m_charCase)
        return;
    m_charCase = Value;
    LayoutChanged();
}

void TzqInspectorRow::SetImageIndex(int Value)
{
    if (Value == m_imageIndex)
        return;
    m_imageIndex = Value;
    LayoutChanged();
}

void TzqInspectorRow::SetIsCategory(bool Value)
{
    if (Value == m_isCategory)
        return;
    m_isCategory = Value;
    LayoutChanged();
}

int TzqInspectorRow::MaxLength() const
{
    return (m_assigned & avMaxLength) ? m_maxLength : GetDefaultMaxLength();
}

void TzqInspectorRow::SetMaxLength(int Value)
{
    m_maxLength = std::max(Value, 0);
    m_assigned |= avMaxLength;
    LayoutChanged();
}

bool TzqInspectorRow::ReadOnly() const
{
    if (m_inspector && m_inspector->IsEditReadOnly())
        return true;
    return (m_assigned & avReadOnly) ? m_readOnly : GetDefaultReadOnly();
}

void TzqInspectorRow::SetReadOnly(bool Value)
{
    m_readOnly = Value;
    m_assigned |= avReadOnly;
    LayoutChanged();
}

bool TzqInspectorRow::IsReadOnlyStored() const
{
    return (m_assigned & avReadOnly) && m_readOnly != GetDefaultReadOnly();
}

int TzqInspectorRow::GetDefaultRowHeight() const
{
    return m_inspector ? m_inspector->RowHeight() : 0;
}

int TzqInspectorRow::RowHeight() const
{
    const int standard = GetDefaultRowHeight();
    return IsRowHeightStored() ? std::max(m_rowHeight, standard) : standard;
}

void TzqInspectorRow::SetRowHeight(int Value)
{
    Value = std::min(Value, TCustomzqInspector::MaxLineHeight);
    if (Value <= GetDefaultRowHeight()) {
        m_rowHeight = 0;
        m_assigned &= static_cast<uint8_t>(~avRowHeight);
    } else {
        m_rowHeight = Value;
        m_assigned |= avRowHeight;
    }
    LayoutChanged();
}

void TzqInspectorRow::SetPasswordChar(char32_t Value)
{
    if (Value == m_passwordChar)
        return;
    m_passwordChar = Value;
    LayoutChanged();
}

void TzqInspectorRow::SetVisible(bool Value)
{
    if (Value == m_visible)
        return;
    m_visible = Value;
    if (m_inspector)
        m_inspector->ShowRowLine(this, Value);
}

void TzqInspectorRow::Changed()
{
    if (m_inspector && m_inspector->EditorLoading())
        return;
    if (m_inspector && m_inspector->OnEditChange)
        m_inspector->OnEditChange(m_inspector);
    if (OnChange)
        OnChange(this);
}

void TzqInspectorRow::DoEdited()
{
    if (m_inspector && m_inspector->OnEdited)
        m_inspector->OnEdited(m_inspector, m_inspector->FocusedNode(), this);
}

void TzqInspectorRow::DoValidate(std::string& ErrorText, bool& Accept)
{
    if (m_inspector && m_inspector->EditorLoading())
        return;
    if (m_inspector && m_inspector->OnEditValidate)
        m_inspector->OnEditValidate(this, ErrorText, Accept);
    if (OnValidate)
        OnValidate(this, ErrorText, Accept);
}

int TzqInspectorRow::GetMinHeight(TCanvas* Canvas)
{
    return Canvas->TextHeight("Wg") + 3;
}

void TzqInspectorRow::ReadEditorValue(TzqInplaceEdit* Editor, Variant& Value)
{
    if (dynamic_cast<TzqInplaceTextEdit*>(Editor))
        SetValueText(Editor->Text());
    std::string text;
    GetValueText(text);
    Value = Variant(text);
}

const TzqInplaceEditClass& TzqInspectorRow::GetEditorClass() const
{
    return TzqInplaceTextEdit::StaticClass();
}

void TzqInspectorRow::InitEditor(TzqInplaceEdit* Editor)
{
    Editor->SetReadOnly(ReadOnly());
    Editor->SetStoredValues(static_cast<uint8_t>(Editor->StoredValues() | 0x40));
    Editor->OnChange = [this](TObject*) { Changed(); };
    Editor->OnValidate = [this](TObject*, std::string& ErrorText, bool& Accept) { DoValidate(ErrorText, Accept); };
    if (auto* text = dynamic_cast<TzqInplaceTextEdit*>(Editor)) {
        text->SetCharCase(m_charCase);
        text->SetMaxLength(MaxLength());
        text->SetPasswordChar(m_passwordChar);
    }
}

void TzqInspectorRow::LoadEditor(TzqInplaceEdit* Editor, Variant& Value)
{
    std::string text;
    GetValueText(text);
    Editor->SetEditValue(Variant(text));
    Value = Variant(Editor->Text());
}

bool TzqInspectorRow::ValueEquals(const Variant& Value)
{
    return m_inspector && m_inspector->RowValueEquals(Value, this);
}

bool TzqInspectorRow::GetHintText(bool IsValue, const TRect& Rect, std::string& Text)
{
    if (!m_inspector || !m_inspector->HandleAllocated())
        return false;
    if (IsValue)
        GetValueText(Text);
    else
        Text = Caption();
    TBitmap scratch(1, 1);
    TFont* font = scratch.Canvas()->Font();
    font->Assign(*m_inspector->Font());
    if (m_isCategory)
        font->SetStyle(font->Style() + TFontStyle::fsBold);
    return scratch.Canvas()->TextWidth(Text) > Rect.Width();
}

void TzqInspectorRow::FillViewData(TzqEditViewData& ViewData, const TzqInspectorCellViewData& Cell)
{
    ViewData.Enabled = true;
    ViewData.Focused = false;
    ViewData.Hot = Cell.IsHot;
    ViewData.BorderColor = static_cast<TColor>(0x1FFFFFFF);
    const bool categorized = m_inspector && m_inspector->PaintStyle() == TzqInspectorPaintStyle::ipsCategorized;
    const bool raised = Cell.IsHot || (m_inspector && m_node && m_inspector->FocusedNode() == m_node);
    ViewData.BorderStyle = categorized && raised ? TzqEditBorderStyle::xbsFlat : TzqEditBorderStyle::xbsNone;
    ViewData.ButtonStyle = categorized || (m_inspector && m_inspector->Flat()) ? TzqEditButtonViewStyle::btsFlat
                                                                              : TzqEditButtonViewStyle::bts3D;
    ViewData.ButtonTransparent = false;
    ViewData.Edges = zqAllEdges;
    ViewData.Shadow = false;
    ViewData.Transparent = false;
    ViewData.TextOffsets = TRect(1, 0, 0, 0);
    ViewData.Bounds = Cell.Bounds;
    ViewData.LayoutMode = 0;
    ViewData.Font = Cell.Font;
    ViewData.Brush = Cell.Brush;
    ViewData.BkColor = ColorToRGB(Cell.BkColor);
    ViewData.TextColor = ColorToRGB(Cell.FontColor);
    ViewData.Alignment = Cell.Alignment;
    ViewData.IsNativeEdit = false;
    ViewData.Data = Variant(Cell.Text);
    ViewData.DataLength = static_cast<int32_t>(Cell.Text.size());
    if (auto* text = dynamic_cast<TzqTextEditViewData*>(&ViewData)) {
        text->MeasureOnly = false;
        text->TextLength = -1;
        text->CharCase = m_charCase;
        text->PasswordChar = m_passwordChar;
        text->EndEllipsis = Cell.EndEllipsis;
    }
}

TzqEditViewData& TzqInspectorRow::ViewData()
{
    // Made on first use: the editor class is a virtual question the constructor
    // cannot ask.
    if (!m_viewData)
        m_viewData = GetEditorClass().GetViewDataClass()();
    return *m_viewData;
}

void TzqInspectorRow::RestoreDefaults()
{
    m_assigned = 0;
    m_alignment = TAlignment::taLeftJustify;
    m_showHint = false;
    m_isCategory = false;
    m_charCase = TEditCharCase::ecNormal;
    m_rowHeight = 0;
}

void TzqInspectorRow::AssignRow(const TzqInspectorRow& Source)
{
    RestoreDefaults();
    m_alignment = Source.m_alignment;
    if (Source.m_assigned & avCaption)
        SetCaption(Source.m_caption);
    if (Source.m_assigned & avReadOnly)
        SetReadOnly(Source.m_readOnly);
    if (Source.m_assigned & avMaxLength)
        SetMaxLength(Source.m_maxLength);
    if (Source.m_assigned & avRowHeight)
        SetRowHeight(Source.m_rowHeight);
    m_hint = Source.m_hint;
    m_showHint = Source.m_showHint;
    m_isCategory = Source.m_isCategory;
    m_charCase = Source.m_charCase;
    SetVisible(Source.m_visible);
}

void TzqInspectorRow::Assign(const TzqInspectorRow& Source)
{
    if (m_inspector)
        m_inspector->BeginUpdate();
    try {
        AssignRow(Source);
    } catch (...) {
        if (m_inspector)
            m_inspector->EndUpdate();
        throw;
    }
    if (m_inspector)
        m_inspector->EndUpdate();
}

namespace {

template <typename Event>
void FireDrawEvent(const Event& event, TObject* sender, TCanvas* canvas, const TRect& rect, std::string& text,
                   TFont* font, TBrush* brush, bool& done)
{
    if (!event)
        return;
    TColor color = brush->Color();
    event(sender, canvas, rect, text, font, color, done);
    brush->SetColor(color);
}

} // namespace

void TzqInspectorRow::DoDrawCaption(TCanvas* Canvas, const TRect& Rect, std::string& Text, TFont* Font, TBrush* Brush,
                                    bool& Done)
{
    FireDrawEvent(OnDrawCaption, this, Canvas, Rect, Text, Font, Brush, Done);
}

void TzqInspectorRow::DoDrawValue(TCanvas* Canvas, const TRect& Rect, std::string& Text, TFont* Font, TBrush* Brush,
                                  bool& Done)
{
    FireDrawEvent(OnDrawValue, this, Canvas, Rect, Text, Font, Brush, Done);
}
