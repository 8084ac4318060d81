#include "inspector/CustomzqInspector.h"

#include "editors/ContainerHintWindow.h"
#include "editors/InplaceEdit.h"
#include "editors/InplaceTextEdit.h"
#include "inspector/InspectorEditStyle.h"
#include "platform/controls/Application.h"
#include "platform/core/WindowStyles.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TCustomzqInspector::TCustomzqInspector(TComponent* AOwner) : TCustomzqContainer(AOwner)
{
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(Left(), Top(), 150, 250);
    // The divider starts at half the initial width, remembered for dioAutoWidth.
    m_autoDivider = m_dividerPos;
    m_autoWidth = Width();
    m_controlStyle.include(TControlStyleFlag::csOpaque);
    m_controlStyle.include(TControlStyleFlag::csCaptureMouse);
    m_controlStyle.include(TControlStyleFlag::csDoubleClicks);
}

TCustomzqInspector::~TCustomzqInspector()
{
    BeforeDestruction();
    ++m_updateCount;
    ClearNodes();
}

// ---- Updates ----

void TCustomzqInspector::BeginUpdate()
{
    ++m_updateCount;
}

void TCustomzqInspector::EndUpdate()
{
    if (m_updateCount <= 0)
        return;
    if (--m_updateCount > 0)
        return;
    if (m_metricsPending)
        RefreshMetrics();
    else
        RelayoutAndPaint();
}

void TCustomzqInspector::RelayoutAndPaint()
{
    if (IsUpdating() || IsDestroying())
        return;
    RecalcLayout();
    Invalidate();
}

// ---- Nodes ----

TzqInspectorNode* TCustomzqInspector::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return m_nodes[static_cast<size_t>(Index)];
}

TzqInspectorNode* TCustomzqInspector::CreateNode()
{
    return new TzqInspectorNode(this);
}

TzqInspectorNode* TCustomzqInspector::AddNode(TzqInspectorNode* Parent)
{
    TzqInspectorNode* node = CreateNode();
    AdoptNode(node, Parent);
    return node;
}

void TCustomzqInspector::AdoptNode(TzqInspectorNode* node, TzqInspectorNode* Parent)
{
    node->m_parent = Parent;
    (Parent ? Parent->m_children : m_nodes).push_back(node);
    if (!m_topNode)
        m_topNode = node;
    // The first line is the focused one until the focus is moved.
    if (!m_focusedNode)
        m_focusedNode = node;
    RelayoutAndPaint();
}

void TCustomzqInspector::ClearNodes()
{
    BeginUpdate();
    while (!m_nodes.empty())
        delete m_nodes.back();
    EndUpdate();
}

void TCustomzqInspector::NodeDestroyed(TzqInspectorNode* Node, TzqInspectorNode* Prev, TzqInspectorNode* Next)
{
    TzqInspectorNode* successor = Prev ? Prev : Next;
    // The lines in view may hold the node until the next layout.
    ++m_layoutGeneration;
    m_visible.erase(std::remove_if(m_visible.begin(), m_visible.end(),
                                   [Node](const TVisibleLine& line) { return line.Node == Node; }),
                    m_visible.end());
    if (m_topNode == Node)
        m_topNode = successor;
    if (m_focusedNode == Node)
        m_focusedNode = successor;
    if (m_hotNode == Node)
        m_hotNode = nullptr;
    if (m_pressedNode == Node)
        m_pressedNode = nullptr;
    if (m_clickNode == Node)
        m_clickNode = nullptr;
    if (m_hintNode == Node) {
        HideRowHint();
        ResetRowHint();
    }
    if (m_sizeNode == Node) {
        m_sizeLine = -1;
        m_sizeNode = nullptr;
        if (m_mouseState == TzqInspectorMouseState::msRowSizing)
            m_mouseState = TzqInspectorMouseState::msNone;
    }
    if (m_editingNode == Node) {
        // The line being edited is going: its editor is closed without a value to write
        // back to.
        m_editingNode = nullptr;
        if (m_editor)
            m_editor->Hide();
        m_editor = nullptr;
        SetActiveEdit(nullptr);
    }
    if (m_nodes.empty()) {
        m_topNode = m_focusedNode = m_editingNode = m_hotNode = m_pressedNode = m_clickNode = nullptr;
        m_lines.clear();
        m_visibleLineCount = m_fullyVisibleLineCount = 0;
    }
    RelayoutAndPaint();
}

void TCustomzqInspector::SetFocusedNode(TzqInspectorNode* Node)
{
    if (IsUpdating()) {
        m_focusedNode = Node;
        return;
    }
    if (Node)
        MakeNodeVisible(Node);
    if (Node == m_focusedNode)
        return;
    TzqInspectorNode* old = m_focusedNode;
    InvalidateNode(old);
    // The old line's value is written back before the focus moves (it may refuse).
    if (m_editor)
        CloseEditor(false);
    m_focusedNode = Node;
    InvalidateNode(Node);
    m_focusedItemIndex = -1;
    if (OnChangeNode)
        OnChangeNode(this, old, Node);
    UpdateEditor(false, false);
}

int TCustomzqInspector::FocusedIndex() const
{
    return LineIndex(m_focusedNode);
}

void TCustomzqInspector::SetFocusedIndex(int Index)
{
    if (Index == FocusedIndex())
        return;
    const int count = LineCount();
    if (count == 0)
        return;
    Index = std::clamp(Index, 0, count - 1);
    TzqInspectorNode* node = LineNode(Index);
    if (node != m_focusedNode)
        SetFocusedNode(node);
    if (OnClick)
        OnClick(this);
}

std::vector<TzqInspectorNode*> TCustomzqInspector::AllLines() const
{
    std::vector<TzqInspectorNode*> lines;
    std::vector<TzqInspectorNode*> pending(m_nodes.rbegin(), m_nodes.rend());
    while (!pending.empty()) {
        TzqInspectorNode* n = pending.back();
        pending.pop_back();
        lines.push_back(n);
        if (n->m_expanded)
            pending.insert(pending.end(), n->m_children.rbegin(), n->m_children.rend());
    }
    return lines;
}

int TCustomzqInspector::LineCount() const
{
    return static_cast<int>(AllLines().size());
}

TzqInspectorNode* TCustomzqInspector::LineNode(int Index) const
{
    const auto lines = AllLines();
    if (Index < 0 || Index >= static_cast<int>(lines.size()))
        return nullptr;
    return lines[static_cast<size_t>(Index)];
}

int TCustomzqInspector::LineIndex(const TzqInspectorNode* Node) const
{
    if (!Node)
        return -1;
    const auto lines = AllLines();
    const auto it = std::find(lines.begin(), lines.end(), Node);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

void TCustomzqInspector::FullExpand()
{
    BeginUpdate();
    for (TzqInspectorNode* n : std::vector<TzqInspectorNode*>(m_nodes))
        n->SetExpandedTree(true);
    EndUpdate();
}

void TCustomzqInspector::FullCollapse()
{
    BeginUpdate();
    for (TzqInspectorNode* n : std::vector<TzqInspectorNode*>(m_nodes))
        n->SetExpandedTree(false);
    EndUpdate();
}

// ---- Properties ----

void TCustomzqInspector::SetBandWidth(int Value)
{
    Value = std::max(Value, m_minBandWidth);
    if (Value == m_bandWidth)
        return;
    m_bandWidth = Value;
    RelayoutAndPaint();
}

void TCustomzqInspector::SetBorderStyle(TBorderStyle Value)
{
    if (Value == m_borderStyle)
        return;
    m_borderStyle = Value;
    RecreateWnd();
}

void TCustomzqInspector::SetComplexRowSeparator(const std::string& Value)
{
    if (Value == m_complexRowSeparator)
        return;
    m_complexRowSeparator = Value;
    RefreshMetrics();
}

void TCustomzqInspector::ApplyDividerPos(int Value)
{
    // Both columns keep at least MinColumnWidth where the line is wide enough.
    const int width = BandMode() ? m_bandWidth - BandSeparatorWidth : ClientWidth();
    if (width > 2 * m_minColumnWidth)
        Value = std::clamp(Value, m_minColumnWidth, width - m_minColumnWidth);
    else
        Value = std::max(Value, 0);
    if (Value == m_dividerPos)
        return;
    m_dividerPos = Value;
    Invalidate();
    UpdateEditor(false, false);
}

void TCustomzqInspector::SetDividerPos(int Value)
{
    ApplyDividerPos(Value);
    if (!m_inResize) {
        m_autoDivider = m_dividerPos;
        m_autoWidth = AutoWidthReference();
    }
}

int TCustomzqInspector::AutoWidthReference() const
{
    return BandMode() ? m_bandWidth - BandSeparatorWidth : Width();
}

void TCustomzqInspector::SetGridColor(TColor Value)
{
    if (Value == m_gridColor)
        return;
    m_gridColor = Value;
    RefreshMetrics();
}

bool TCustomzqInspector::IsGridColorStored() const
{
    const bool classic = m_paintStyle == TzqInspectorPaintStyle::ipsStandard ||
                         m_paintStyle == TzqInspectorPaintStyle::ipsExtended;
    return !(classic && m_gridColor == clBtnShadow);
}

void TCustomzqInspector::SetImages(TImageList* Value)
{
    if (Value == m_images)
        return;
    if (m_images)
        m_images->RemoveFreeNotification(this);
    m_images = Value;
    if (m_images)
        m_images->FreeNotification(this);
    RefreshMetrics();
}

void TCustomzqInspector::SetMaxRowTextLineCount(int Value)
{
    Value = std::max(Value, 0);
    if (Value == m_maxRowTextLineCount)
        return;
    m_maxRowTextLineCount = Value;
    RelayoutAndPaint();
}

void TCustomzqInspector::SetMinBandWidth(int Value)
{
    Value = std::max(Value, LeastBandWidth);
    if (Value == m_minBandWidth)
        return;
    m_minBandWidth = Value;
    SetBandWidth(m_bandWidth);
}

void TCustomzqInspector::SetMinColumnWidth(int Value)
{
    Value = std::max(Value, LeastColumnWidth);
    if (Value == m_minColumnWidth)
        return;
    m_minColumnWidth = Value;
    ApplyDividerPos(m_dividerPos);
}

void TCustomzqInspector::SetOptions(TzqDBInspectorOptions Value)
{
    if (Value == m_options)
        return;
    m_options = Value;
    const uint16_t word = InspectorOptionWord(Value);
    if (word == m_optionWord)
        return;
    m_optionWord = word;
    m_firstBand = 0;
    ApplyDividerPos(m_dividerPos);
    RefreshMetrics();
    UpdateEditor(false, false);
}

void TCustomzqInspector::SetPaintStyle(TzqInspectorPaintStyle Value)
{
    if (Value == m_paintStyle)
        return;
    using S = TzqInspectorPaintStyle;
    auto windowGroup = [](S style) { return style == S::ipsSimple || style == S::ipsNET; };
    // Colours still at the old group's defaults take the new group's.
    if (windowGroup(Value) != windowGroup(m_paintStyle)) {
        const bool toWindow = windowGroup(Value);
        const TColor fontColor = Font()->Color();
        if (toWindow && m_valueColor == clNavy)
            m_valueColor = fontColor;
        else if (!toWindow && m_valueColor == fontColor)
            m_valueColor = clNavy;
        if (m_gridColor == (toWindow ? clBtnShadow : clBtnFace))
            m_gridColor = toWindow ? clBtnFace : clBtnShadow;
        if (Color() == (toWindow ? clBtnFace : clWindow))
            SetColor(toWindow ? clWindow : clBtnFace);
    }
    m_paintStyle = Value;
    RefreshMetrics();
}

int TCustomzqInspector::ClampHeight(int Height) const
{
    return std::clamp(Height, 1, MaxLineHeight);
}

void TCustomzqInspector::SetRowHeight(int Value)
{
    Value = std::clamp(Value, m_defaultRowHeight, MaxLineHeight);
    const bool assigned = Value != m_defaultRowHeight;
    if (Value == m_rowHeight && assigned == m_rowHeightAssigned)
        return;
    m_rowHeight = Value;
    m_rowHeightAssigned = assigned;
    RelayoutAndPaint();
}

void TCustomzqInspector::SetShowRowHint(bool Value)
{
    if (Value == m_showRowHint)
        return;
    m_showRowHint = Value;
    if (Value) {
        SetShowHint(false);
    } else {
        HideRowHint();
        ResetRowHint();
    }
}

void TCustomzqInspector::SetValueColor(TColor Value)
{
    if (Value == m_valueColor)
        return;
    m_valueColor = Value;
    Invalidate();
}

// ---- Metrics ----

int TCustomzqInspector::GetNodeMinHeight(const TzqInspectorNode*, TCanvas* Canvas)
{
    return Canvas->TextHeight("Wg") + 3;
}

void TCustomzqInspector::CalcMetrics(TCanvas* Canvas)
{
    using S = TzqInspectorPaintStyle;
    m_categoryButtonWidth = 10;
    switch (m_paintStyle) {
    case S::ipsStandard: m_indentWidth = Canvas->TextWidth("+"); break;
    case S::ipsSimple:
    case S::ipsNET: m_indentWidth = 15; break;
    case S::ipsExtended:
    case S::ipsCategorized: m_indentWidth = 14; break;
    }
    m_separatorWidth = m_paintStyle == S::ipsCategorized ? 4 : Canvas->TextWidth(m_complexRowSeparator + "_");
    const bool categorized = m_paintStyle == S::ipsCategorized;
    m_gridLineWidth = categorized ? 0 : 1;
    m_cellMargin = categorized ? 2 : 0;
    m_singleLineHeight = Canvas->TextHeight("Wg") + 3;

    int tallest = m_singleLineHeight;
    std::vector<TzqInspectorNode*> pending(m_nodes.begin(), m_nodes.end());
    while (!pending.empty()) {
        TzqInspectorNode* n = pending.back();
        pending.pop_back();
        tallest = std::max(tallest, ClampHeight(GetNodeMinHeight(n, Canvas)));
        pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
    }
    m_defaultRowHeight = ClampHeight(tallest + m_gridLineWidth + 2 * m_cellMargin);

    if (!m_rowHeightAssigned || m_rowHeight <= m_defaultRowHeight) {
        m_rowHeight = m_defaultRowHeight;
        m_rowHeightAssigned = false;
    }
    m_imageWidth = m_images ? m_images->Width() : 0;
    m_imageHeight = m_images ? m_images->Height() : 0;
    if (m_images)
        m_rowHeight = std::max(m_rowHeight, ClampHeight(m_gridLineWidth + m_imageHeight + 2 * m_cellMargin));
}

template <typename F>
auto TCustomzqInspector::WithMeasureCanvas(F&& f)
{
    // A memory canvas measures with the control's font whether or not the window exists.
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(*Font());
    return f(scratch.Canvas());
}

void TCustomzqInspector::RefreshMetrics()
{
    if (IsLoading() || IsDestroying())
        return;
    // Inside an update the measuring waits for its end, and runs once.
    if (IsUpdating()) {
        m_metricsPending = true;
        return;
    }
    m_metricsPending = false;
    WithMeasureCanvas([this](TCanvas* canvas) { CalcMetrics(canvas); });
    RelayoutAndPaint();
    UpdateEditor(false, false);
}

void TCustomzqInspector::Loaded()
{
    TCustomzqContainer::Loaded();
    RefreshMetrics();
}

void TCustomzqInspector::FontChanged()
{
    TCustomzqContainer::FontChanged();
    RefreshMetrics();
}

void TCustomzqInspector::Resize()
{
    TCustomzqContainer::Resize();
    m_inResize = true;
    if ((m_optionWord & zqInspectorOption::AutoWidth) && !IsLoading() && m_autoWidth > 0) {
        // The divider keeps its fraction of the width it was set at.
        ApplyDividerPos(static_cast<int>(int64_t(m_autoDivider) * AutoWidthReference() / m_autoWidth));
    } else {
        ApplyDividerPos(m_dividerPos);
    }
    m_inResize = false;
    RelayoutAndPaint();
    UpdateEditor(false, false);
}

void TCustomzqInspector::WindowCreated()
{
    TCustomzqContainer::WindowCreated();
    RefreshMetrics();
}

void TCustomzqInspector::CreateParams(TCreateParams& Params)
{
    TCustomzqContainer::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | WS_TABSTOP | WS_VSCROLL;
    Params.WindowClassStyle |= CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    if (m_borderStyle == TBorderStyle::bsSingle && !Flat()) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    Params.WinClassName = "TzqInspector";
}

std::unique_ptr<TzqEditStyle> TCustomzqInspector::CreateEditStyle(TzqInplaceEdit* Edit)
{
    return std::make_unique<TzqInspectorEditStyle>(Edit, this);
}

bool TCustomzqInspector::EditWantsTab()
{
    return (m_optionWord & zqInspectorOption::Tabs) != 0 && GetKeyState(VK_CONTROL) >= 0;
}

void TCustomzqInspector::EditFocusChanged()
{
    InvalidateNode(m_focusedNode);
}

void TCustomzqInspector::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomzqContainer::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_hintWindow)
        m_hintWindow = nullptr;
}

void TCustomzqInspector::DoExit()
{
    HideEditor();
    TCustomzqContainer::DoExit();
}
