#include "inspector/CustomzqInspectorControl.h"

#include "editors/InplaceEdit.h"
#include "editors/TextEditViewData.h"
#include "inspector/InspectorComplexRow.h"
#include "inspector/InspectorLayoutData.h"
#include "inspector/InspectorRow.h"
#include "platform/core/TextCompare.h"
#include "platform/core/Utf8.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>
#include <unordered_map>

TCustomzqInspectorControl::TCustomzqInspectorControl(TComponent* AOwner) : TCustomzqInspector(AOwner) {}

TCustomzqInspectorControl::~TCustomzqInspectorControl()
{
    BeforeDestruction();
    // No node outlives its rows, and no row keeps pointing here.
    ClearNodes();
    for (TzqInspectorRow* row : m_rows)
        row->m_inspector = nullptr;
    m_rows.clear();
    m_complexRows.clear();
}

// ---- Rows ----

TzqInspectorRow* TCustomzqInspectorControl::CreateRow(TzqInspectorRowClass RowClass)
{
    TComponent* owner = Owner() ? Owner() : this;
    TzqInspectorRow* row = RowClass(owner);
    for (int n = RowCount() + 1;; ++n) {
        const std::string name = Name() + "Row" + std::to_string(n);
        if (!owner->FindComponent(name)) {
            row->SetName(name);
            break;
        }
    }
    row->SetInspector(this);
    return row;
}

TzqInspectorRow* TCustomzqInspectorControl::FindRow(const std::string& Name) const
{
    for (TzqInspectorRow* row : m_rows)
        if (SameText(row->Name(), Name))
            return row;
    return nullptr;
}

TzqInspectorRow* TCustomzqInspectorControl::Rows(int Index) const
{
    if (Index < 0 || Index >= RowCount())
        return nullptr;
    return m_rows[static_cast<size_t>(Index)];
}

int TCustomzqInspectorControl::VisibleRowCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](auto* r) { return r->Node() != nullptr; }));
}

TzqInspectorRow* TCustomzqInspectorControl::RowOfNode(const TzqInspectorNode* Node)
{
    auto* rowNode = dynamic_cast<const TzqInspectorRowNode*>(Node);
    return rowNode ? rowNode->Row() : nullptr;
}

TzqInspectorRow* TCustomzqInspectorControl::EditingRow(const TzqInspectorNode* Node) const
{
    TzqInspectorRow* row = RowOfNode(Node);
    auto* complex = dynamic_cast<TzqInspectorComplexRow*>(row);
    if (!complex || complex->IsCategory())
        return row;
    const int index = std::max(FocusedItemIndex(), 0);
    TzqInspectorComplexRowItem* item = complex->Items(index);
    return item ? item->Row() : nullptr;
}

void TCustomzqInspectorControl::AttachRow(TzqInspectorRow* Row)
{
    Row->m_inspector = this;
    m_rows.push_back(Row);
    if (auto* complex = dynamic_cast<TzqInspectorComplexRow*>(Row))
        m_complexRows.push_back(complex);
    ShowRowLine(Row, Row->Visible());
    RefreshMetrics();
}

void TCustomzqInspectorControl::DetachRow(TzqInspectorRow* Row)
{
    BeginUpdate();
    // Detached first, so that complex rows letting go of it give it no line again.
    // From the end: rows go mostly in the reverse of their making.
    if (const auto it = std::find(m_rows.rbegin(), m_rows.rend(), Row); it != m_rows.rend())
        m_rows.erase(std::next(it).base());
    m_complexRows.erase(std::remove(m_complexRows.begin(), m_complexRows.end(), Row), m_complexRows.end());
    Row->m_inspector = nullptr;
    for (TzqInspectorComplexRow* complex : m_complexRows)
        complex->ForgetRow(Row);
    if (Row->Node())
        delete Row->Node();
    EndUpdate();
    RefreshMetrics();
}

bool TCustomzqInspectorControl::ShownInComplexRow(const TzqInspectorRow* Row) const
{
    for (TzqInspectorComplexRow* complex : m_complexRows)
        for (int i = 0; i < complex->ItemCount(); ++i)
            if (complex->Items(i)->Row() == Row)
                return true;
    return false;
}

void TCustomzqInspectorControl::ShowRowLine(TzqInspectorRow* Row, bool Show)
{
    if (Show && Row->Inspector() == this && !Row->Node() && !IsDestroying() && !ShownInComplexRow(Row)) {
        auto* node = new TzqInspectorRowNode(this, Row);
        Row->m_node = node;
        AdoptNode(node, nullptr);
    } else if (!Show && Row->Node()) {
        delete Row->Node();
    }
}

// ---- Node questions ----

int TCustomzqInspectorControl::GetNodeHeight(const TzqInspectorNode* Node)
{
    TzqInspectorRow* row = RowOfNode(Node);
    const int own = row ? row->OwnRowHeight() : 0;
    if (own > RowHeight()) {
        const bool categorized = PaintStyle() == TzqInspectorPaintStyle::ipsCategorized;
        return own - (categorized && row->IsCategory() ? 2 : 0);
    }
    return TCustomzqInspector::GetNodeHeight(Node);
}

void TCustomzqInspectorControl::GetNodeTexts(const TzqInspectorNode* Node, std::string& Caption, std::string& Value)
{
    Caption.clear();
    Value.clear();
    if (TzqInspectorRow* row = RowOfNode(Node)) {
        Caption = row->Caption();
        row->GetDisplayText(Value);
    }
}

bool TCustomzqInspectorControl::IsCategory(const TzqInspectorNode* Node)
{
    TzqInspectorRow* row = RowOfNode(Node);
    return row && row->IsCategory();
}

bool TCustomzqInspectorControl::IsComplex(const TzqInspectorNode* Node)
{
    TzqInspectorRow* row = RowOfNode(Node);
    return dynamic_cast<TzqInspectorComplexRow*>(row) && !row->IsCategory();
}

int TCustomzqInspectorControl::GetImageIndex(const TzqInspectorNode* Node)
{
    TzqInspectorRow* row = RowOfNode(Node);
    return row ? row->ImageIndex() : -1;
}

const TzqInplaceEditClass* TCustomzqInspectorControl::GetEditorClass(const TzqInspectorNode* Node)
{
    TzqInspectorRow* row = EditingRow(Node);
    return row ? &row->GetEditorClass() : nullptr;
}

void TCustomzqInspectorControl::InitEditor(TzqInplaceEdit* Edit)
{
    TCustomzqInspector::InitEditor(Edit);
    if (TzqInspectorRow* row = EditingRow(FocusedNode()))
        row->InitEditor(Edit);
}

void TCustomzqInspectorControl::LoadEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value)
{
    if (TzqInspectorRow* row = EditingRow(Node))
        row->LoadEditor(Edit, Value);
}

void TCustomzqInspectorControl::SaveEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value)
{
    TzqInspectorRow* row = EditingRow(Node);
    if (!row || !(Edit->GetModified() || m_forceWrite))
        return;
    m_forceWrite = false;
    row->ReadEditorValue(Edit, Value);
    m_lastValue = Value;
    Edit->SetModified(false);
    row->DoEdited();
}

void TCustomzqInspectorControl::SetNodeHeight(TzqInspectorNode* Node, int Height)
{
    if (TzqInspectorRow* row = RowOfNode(Node))
        row->SetRowHeight(Height);
}

int TCustomzqInspectorControl::GetNodeMinHeight(const TzqInspectorNode* Node, TCanvas* Canvas)
{
    TzqInspectorRow* row = RowOfNode(Node);
    return row ? row->GetMinHeight(Canvas) : TCustomzqInspector::GetNodeMinHeight(Node, Canvas);
}

std::vector<TRect> TCustomzqInspectorControl::ComplexItemRects(const TzqInspectorNode* Node, const TRect& Cell)
{
    auto* complex = dynamic_cast<TzqInspectorComplexRow*>(RowOfNode(Node));
    return complex ? complex->ItemRects(Cell, SeparatorWidth()) : std::vector<TRect>();
}

int TCustomzqInspectorControl::MeasureAutoHeight(const TzqInspectorNode* Node, int ValueWidth)
{
    TzqInspectorRow* row = RowOfNode(Node);
    if (!row || row->OwnRowHeight() > 0)
        return 0;
    // The value's text laid out by the row's editor class in a cell as wide as the value
    // column, in measuring mode.
    TzqEditViewData& view = row->ViewData();
    auto* text = dynamic_cast<TzqTextEditViewData*>(&view);
    if (!text)
        return 0;
    std::string value;
    row->GetDisplayText(value);
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(*Font());
    m_cellViewData = TzqInspectorCellViewData();
    m_cellViewData.Font = Font();
    m_cellViewData.Text = value;
    m_cellViewData.Bounds = TRect(0, 0, ValueWidth, MaxLineHeight);
    row->FillViewData(view, m_cellViewData);
    text->LayoutMode = 3; // word-wrapped lines
    text->MeasureOnly = true;
    row->GetEditorClass().DrawContent(scratch.Canvas()->Handle(), view.Bounds, false, view);
    text->MeasureOnly = false;
    int lines = text->LineCount;
    if (MaxRowTextLineCount() > 0)
        lines = std::min(lines, MaxRowTextLineCount());
    const int height = lines * text->LineHeight + GridLineWidth() + 3 + (row->IsCategory() ? 0 : 2 * CellMargin());
    return ClampHeight(height);
}

bool TCustomzqInspectorControl::CanShowEditor()
{
    if (!TCustomzqInspector::CanShowEditor())
        return false;
    TzqInspectorNode* node = FocusedNode();
    TzqInspectorRow* row = RowOfNode(node);
    if (auto* complex = dynamic_cast<TzqInspectorComplexRow*>(row); complex && !complex->HasItemRows())
        return false;
    if (!EditingRow(node))
        return false;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, node, row, allow);
    return allow;
}

bool TCustomzqInspectorControl::GetRowHint(const TzqInspectorNode* Node, bool IsValue, int Item, const TRect& Cell,
                                           std::string& Text, bool& Delayed)
{
    TzqInspectorRow* row = RowOfNode(Node);
    if (auto* complex = dynamic_cast<TzqInspectorComplexRow*>(row); complex && IsValue && Item >= 0)
        row = complex->Items(Item) ? complex->Items(Item)->Row() : nullptr;
    if (!row)
        return false;
    if (!IsValue && row->ShowHint() && !row->Hint().empty()) {
        Text = row->Hint();
        Delayed = true;
        return true;
    }
    Delayed = false;
    return row->GetHintText(IsValue, Cell, Text);
}

TColor TCustomzqInspectorControl::GetEditColor()
{
    TColor color = clWindow;
    if (OnGetEditColor)
        OnGetEditColor(EditingRow(FocusedNode()), color);
    return color;
}

const TFont* TCustomzqInspectorControl::GetEditFont()
{
    if (!OnGetEditFont)
        return Font();
    if (!m_editFont)
        m_editFont = std::make_unique<TFont>();
    m_editFont->Assign(*Font());
    OnGetEditFont(EditingRow(FocusedNode()), *m_editFont);
    return m_editFont.get();
}

// ---- Painting ----

void TCustomzqInspectorControl::DrawRowValue(TzqInspectorRow* Row, const TzqInspectorNode* Node, TCanvas* Canvas,
                                             const TRect& Rect)
{
    std::string text;
    Row->GetDisplayText(text);
    m_cellViewData.Brush = Canvas->Brush();
    m_cellViewData.Font = Canvas->Font();
    m_cellViewData.BkColor = Canvas->Brush()->Color();
    m_cellViewData.FontColor = Canvas->Font()->Color();
    m_cellViewData.Alignment = Row->Alignment();
    m_cellViewData.Text = text;
    m_cellViewData.EndEllipsis = (OptionWord() & zqInspectorOption::DrawEndEllipsis) != 0;
    m_cellViewData.Node = Node;
    m_cellViewData.IsHot = Node == HotNode();
    m_cellViewData.Bounds = Rect.Inflate(2, 2);
    TzqEditViewData& view = Row->ViewData();
    Row->FillViewData(view, m_cellViewData);
    Row->GetEditorClass().Draw(Canvas->Handle(), view, nullptr);
}

void TCustomzqInspectorControl::DrawValue(const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect)
{
    TzqInspectorRow* row = RowOfNode(Node);
    if (!row)
        return;
    auto* complex = dynamic_cast<TzqInspectorComplexRow*>(row);
    if (!complex) {
        DrawRowValue(row, Node, Canvas, Rect);
        return;
    }
    const std::vector<TRect> cells = ComplexItemRects(Node, Rect);
    for (size_t i = 0; i < cells.size(); ++i)
        if (TzqInspectorRow* itemRow = complex->Items(static_cast<int>(i))->Row())
            DrawRowValue(itemRow, Node, Canvas, cells[i]);
}

bool TCustomzqInspectorControl::CustomDrawCell(const TzqInspectorNode* Node, bool IsValue, TCanvas* Canvas,
                                               const TRect& Rect, std::string& Text, TColor& Color)
{
    TzqInspectorRow* row = RowOfNode(Node);
    if (!row)
        return false;
    bool done = false;
    const TzqInspectorRowDrawValue& own = IsValue ? OnDrawValue : OnDrawCaption;
    if (own) {
        own(row, Canvas, Rect, Text, Canvas->Font(), Color, done);
        Canvas->Brush()->SetColor(Color);
    }
    // A handler that took the row away leaves nothing to draw.
    if (done || IsDestroying() || std::find(m_rows.begin(), m_rows.end(), row) == m_rows.end())
        return true;
    if (IsValue)
        row->DoDrawValue(Canvas, Rect, Text, Canvas->Font(), Canvas->Brush(), done);
    else
        row->DoDrawCaption(Canvas, Rect, Text, Canvas->Font(), Canvas->Brush(), done);
    return done || IsDestroying();
}

// ---- The layout stream ----

bool TCustomzqInspectorControl::StoresData() const
{
    return Count() > 0;
}

TzqInspectorLayoutData TCustomzqInspectorControl::LayoutData() const
{
    TzqInspectorLayoutData data;
    std::vector<TzqInspectorNode*> pending;
    for (int i = Count() - 1; i >= 0; --i)
        pending.push_back(Items(i));
    while (!pending.empty()) {
        TzqInspectorNode* node = pending.back();
        pending.pop_back();
        TzqInspectorRow* row = RowOfNode(node);
        data.Nodes.push_back({row ? row->Name() : std::string(), static_cast<uint32_t>(node->Count())});
        if (node->Expanded())
            data.Expanded.push_back(row ? row->Name() : std::string());
        for (int i = node->Count() - 1; i >= 0; --i)
            pending.push_back(node->Items(i));
    }
    data.HasExpandedSection = true;
    return data;
}

std::vector<uint8_t> TCustomzqInspectorControl::WriteData() const
{
    if (!StoresData())
        return {};
    return WriteInspectorLayout(LayoutData());
}

void TCustomzqInspectorControl::ReadData(const std::vector<uint8_t>& Bytes)
{
    if (IsLoading()) {
        m_pendingData = Bytes;
        m_hasPendingData = true;
        return;
    }
    ApplyLayoutData(ReadInspectorLayout(Bytes));
}

void TCustomzqInspectorControl::ApplyLayoutData(const TzqInspectorLayoutData& Data)
{
    std::unordered_map<std::string, TzqInspectorRow*> byName;
    for (TzqInspectorRow* row : m_rows)
        byName.emplace(Utf8ToLower(row->Name()), row);
    auto find = [&byName](const std::string& name) -> TzqInspectorRow* {
        const auto it = byName.find(Utf8ToLower(name));
        return it == byName.end() ? nullptr : it->second;
    };

    BeginUpdate();
    bool stopped = false;
    struct Level {
        TzqInspectorNode* Node; // null: the record's row has no line
        uint32_t ChildrenLeft;
    };
    std::vector<Level> open;
    for (const TzqInspectorLayoutRecord& record : Data.Nodes) {
        while (!open.empty() && open.back().ChildrenLeft == 0)
            open.pop_back();
        const bool topLevel = open.empty();
        TzqInspectorNode* parent = topLevel ? nullptr : open.back().Node;
        if (!topLevel)
            --open.back().ChildrenLeft;
        TzqInspectorRow* row = find(record.Name);
        if (!row) {
            stopped = true;
            break;
        }
        TzqInspectorNode* node = row->Node();
        if (node && topLevel && Count() > 0)
            node->MoveTo(Items(0), TzqInspectorMoveMode::imAdd);
        else if (node && parent)
            node->MoveTo(parent, TzqInspectorMoveMode::imAddChild);
        open.push_back({topLevel || parent ? node : nullptr, record.ChildCount});
    }
    if (!stopped && Data.HasExpandedSection) {
        FullCollapse();
        for (const std::string& name : Data.Expanded) {
            TzqInspectorRow* row = find(name);
            if (!row)
                break;
            if (row->Node())
                row->Node()->Expand();
        }
    }
    EndUpdate();
    if (Count() > 0) {
        SetFocusedNode(Items(0));
        Items(0)->MakeVisible();
    }
}

void TCustomzqInspectorControl::Loaded()
{
    TCustomzqInspector::Loaded();
    if (m_hasPendingData) {
        ApplyLayoutData(ReadInspectorLayout(m_pendingData));
        m_pendingData.clear();
        m_pendingData.shrink_to_fit();
        m_hasPendingData = false;
    }
    BeginUpdate();
    for (TzqInspectorRow* row : m_rows)
        if (!row->Visible() && row->Node())
            delete row->Node();
    EndUpdate();
    if (Count() > 0)
        SetFocusedNode(Items(0));
}
