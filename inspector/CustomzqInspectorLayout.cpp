// The inspector's layout: which lines are in view and where, the bands of the band
// layout, the scroll bars, line geometry and hit testing.
#include "inspector/CustomzqInspector.h"

#include "editors/InplaceEdit.h"
#include "platform/core/Messages.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

int IndexIn(const std::vector<TzqInspectorNode*>& lines, const TzqInspectorNode* node)
{
    const auto it = std::find(lines.begin(), lines.end(), node);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

} // namespace

int TCustomzqInspector::GetNodeHeight(const TzqInspectorNode* Node)
{
    int height = m_rowHeight;
    const bool category = IsCategory(Node);
    if (category && m_paintStyle == TzqInspectorPaintStyle::ipsCategorized)
        height -= 2;
    if (m_optionWord & zqInspectorOption::RowAutoHeight) {
        const int width = (BandMode() ? m_bandWidth - BandSeparatorWidth : ClientWidth()) - m_dividerPos - 1;
        height = std::max(height, MeasureAutoHeight(Node, std::max(width, 0)));
    }
    return height;
}

void TCustomzqInspector::GetNodeTexts(const TzqInspectorNode*, std::string& Caption, std::string& Value)
{
    Caption.clear();
    Value.clear();
}

void TCustomzqInspector::RecalcLayout()
{
    ++m_layoutGeneration;
    m_lines = AllLines();
    // A top line hidden by a collapse gives way to its nearest shown ancestor.
    while (m_topNode && IndexIn(m_lines, m_topNode) < 0)
        m_topNode = m_topNode->Parent();
    if (!m_topNode && !m_lines.empty())
        m_topNode = m_lines.front();
    // A scroll bar that appears or goes changes the client area: lay out once more.
    for (int pass = 0; pass < 2; ++pass) {
        const TRect client = ClientRect();
        if (BandMode())
            LayoutBands(m_lines);
        else
            LayoutLines();
        UpdateScrollBars();
        if (ClientRect() == client)
            break;
    }
}

void TCustomzqInspector::LayoutLines()
{
    m_visible.clear();
    m_lineBands.clear();
    m_bandCount = m_fullBandCount = m_visibleBandCount = 1;
    m_firstBand = 0;
    const int clientHeight = ClientHeight();
    const int clientWidth = ClientWidth();
    const int count = static_cast<int>(m_lines.size());
    int top = std::max(IndexIn(m_lines, m_topNode), 0);
    for (int pass = 0; pass < 2; ++pass) {
        m_visible.clear();
        int64_t y = 0;
        int i = top;
        for (; i < count && y < clientHeight; ++i) {
            const int h = NodeHeight(m_lines[static_cast<size_t>(i)]);
            m_visible.push_back({m_lines[static_cast<size_t>(i)],
                                 TRect(0, static_cast<int>(y), clientWidth, static_cast<int>(y + h)), 0});
            y += h;
        }
        m_visibleLineCount = static_cast<int>(m_visible.size());
        m_fullyVisibleLineCount = std::max(1, m_visibleLineCount - (y > clientHeight ? 1 : 0));
        // Room left below the last line: earlier lines move down into it.
        if (pass == 1 || top == 0 || i < count || y >= clientHeight)
            break;
        int newTop = top;
        while (newTop > 0 && y + NodeHeight(m_lines[static_cast<size_t>(newTop - 1)]) <= clientHeight)
            y += NodeHeight(m_lines[static_cast<size_t>(--newTop)]);
        if (newTop == top)
            break;
        top = newTop;
    }
    m_topNode = count > 0 ? m_lines[static_cast<size_t>(top)] : nullptr;
}

void TCustomzqInspector::LayoutBands(const std::vector<TzqInspectorNode*>& Lines)
{
    const int clientHeight = std::max(ClientHeight(), 0);
    const int clientWidth = std::max(ClientWidth(), 0);
    const int count = static_cast<int>(Lines.size());
    std::vector<int> heights(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        heights[static_cast<size_t>(i)] = NodeHeight(Lines[static_cast<size_t>(i)]);

    // Bands begun: a line that passes the client height opens the next band unless it
    // was alone in its band; an exact fit, or a line alone and too tall, leaves the next
    // band to begin empty with the following line.
    int64_t bands = 1;
    int64_t sum = 0;
    int inBand = 0;
    for (int h : heights) {
        sum += h;
        ++inBand;
        if (sum < clientHeight)
            continue;
        if (sum > clientHeight && inBand > 1) {
            ++bands;
            sum = h;
            inBand = 1;
            if (sum < clientHeight)
                continue;
        }
        ++bands;
        sum = 0;
        inBand = 0;
    }
    const int full = clientWidth / m_bandWidth;
    int bandCount = static_cast<int>(std::min<int64_t>(bands, INT32_MAX));
    m_fullBandCount = full;
    m_firstBand = std::clamp(m_firstBand, 0, std::max(0, std::max(bandCount, full) - full));
    int visible = full + ((clientWidth % m_bandWidth != 0 && m_firstBand != bandCount - 1) ? 1 : 0);
    visible = std::max(std::min(visible, bandCount), 1);
    bandCount = std::max(std::max(bandCount, full), 1);
    m_bandCount = bandCount;
    m_visibleBandCount = visible;
    m_firstBand = std::clamp(m_firstBand, 0, std::max(0, m_bandCount - full));

    // Placement: each band takes lines while they fit, and at least one.
    m_lineBands.assign(static_cast<size_t>(count), 0);
    m_visible.clear();
    int band = 0;
    int64_t y = 0;
    bool bandHasLines = false;
    const int lineWidth = m_bandWidth - BandSeparatorWidth;
    for (int i = 0; i < count; ++i) {
        const int h = heights[static_cast<size_t>(i)];
        if (bandHasLines && y + h > clientHeight) {
            ++band;
            y = 0;
        }
        m_lineBands[static_cast<size_t>(i)] = band;
        if (band >= m_firstBand && band < m_firstBand + m_visibleBandCount) {
            const int left = (band - m_firstBand) * m_bandWidth;
            m_visible.push_back({Lines[static_cast<size_t>(i)],
                                 TRect(left, static_cast<int>(y), left + lineWidth, static_cast<int>(y + h)), band});
        }
        y += h;
        bandHasLines = true;
    }
    m_visibleLineCount = static_cast<int>(m_visible.size());
    int fully = 0;
    m_topNode = nullptr;
    for (const TVisibleLine& line : m_visible) {
        if (!m_topNode && line.Band == m_firstBand)
            m_topNode = line.Node;
        if (line.Band < m_firstBand + full)
            ++fully;
    }
    m_fullyVisibleLineCount = std::max(1, fully);
}

int TCustomzqInspector::BandOfLine(int LineIndex) const
{
    if (LineIndex < 0 || LineIndex >= static_cast<int>(m_lineBands.size()))
        return 0;
    return m_lineBands[static_cast<size_t>(LineIndex)];
}

void TCustomzqInspector::UpdateScrollBars()
{
    if (!HandleAllocated())
        return;
    const HWND h = Handle();
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    SCROLLINFO none;
    none.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (BandMode()) {
        info.nMax = m_fullBandCount >= m_bandCount ? 0 : m_bandCount - 1;
        info.nPage = static_cast<UINT>(std::max(m_fullBandCount, 0));
        info.nPos = m_firstBand;
        SetScrollInfo(h, SB_VERT, none, true);
        SetScrollInfo(h, SB_HORZ, info, true);
    } else {
        const int count = static_cast<int>(m_lines.size());
        info.nMax = m_fullyVisibleLineCount >= count ? 0 : count - 1;
        info.nPage = static_cast<UINT>(m_fullyVisibleLineCount);
        info.nPos = std::max(IndexIn(m_lines, m_topNode), 0);
        SetScrollInfo(h, SB_HORZ, none, true);
        SetScrollInfo(h, SB_VERT, info, true);
    }
}

const std::vector<TzqInspectorNode*>& TCustomzqInspector::CurrentLines() const
{
    // The laid-out lines are current except inside an update, where the tree may have
    // changed since the last layout.
    if (!IsUpdating())
        return m_lines;
    m_updatingLines = AllLines();
    return m_updatingLines;
}

int TCustomzqInspector::TopIndex() const
{
    return std::max(IndexIn(CurrentLines(), m_topNode), 0);
}

void TCustomzqInspector::SetTopIndex(int Index)
{
    const std::vector<TzqInspectorNode*>& lines = CurrentLines();
    const int count = static_cast<int>(lines.size());
    if (count == 0)
        return;
    Index = std::clamp(Index, 0, std::max(0, count - m_fullyVisibleLineCount));
    TzqInspectorNode* node = lines[static_cast<size_t>(Index)];
    if (node == m_topNode)
        return;
    m_topNode = node;
    RelayoutAndPaint();
    UpdateEditor(false, false);
}

void TCustomzqInspector::SetFirstBand(int Value)
{
    Value = std::clamp(Value, 0, std::max(0, m_bandCount - m_fullBandCount));
    if (Value == m_firstBand)
        return;
    m_firstBand = Value;
    RelayoutAndPaint();
    UpdateEditor(false, false);
}

int TCustomzqInspector::BandWidthAfterDrag(int X, int StartBand) const
{
    // Bands that scrolled during the drag can leave the start band left of the first
    // visible band: the divisor then counts as 1.
    const int divisor = std::max(StartBand - m_firstBand + 1, 1);
    return std::max(X / divisor, m_minBandWidth);
}

void TCustomzqInspector::ScrollVertical(int Code, int TrackPos)
{
    const int top = TopIndex();
    switch (Code) {
    case SB_LINEUP: SetTopIndex(top - 1); break;
    case SB_LINEDOWN: SetTopIndex(top + 1); break;
    case SB_PAGEUP: SetTopIndex(top - m_fullyVisibleLineCount); break;
    case SB_PAGEDOWN: SetTopIndex(top + m_fullyVisibleLineCount); break;
    case SB_THUMBTRACK: {
        const int count = static_cast<int>(CurrentLines().size());
        SetTopIndex(TrackPos < 1 ? 0 : std::min(TrackPos, count));
        break;
    }
    default: break;
    }
}

void TCustomzqInspector::ScrollHorizontal(int Code, int TrackPos)
{
    switch (Code) {
    case SB_LINELEFT: SetFirstBand(m_firstBand - 1); break;
    case SB_LINERIGHT: SetFirstBand(m_firstBand + 1); break;
    case SB_PAGELEFT: SetFirstBand(m_firstBand - m_fullBandCount); break;
    case SB_PAGERIGHT: SetFirstBand(m_firstBand + m_fullBandCount); break;
    case SB_THUMBTRACK: SetFirstBand(TrackPos < 1 ? 0 : std::min(TrackPos, m_bandCount)); break;
    default: break;
    }
}

void TCustomzqInspector::MakeNodeVisible(TzqInspectorNode* Node)
{
    if (!Node)
        return;
    bool collapsedAncestor = false;
    for (TzqInspectorNode* p = Node->Parent(); p; p = p->Parent())
        collapsedAncestor = collapsedAncestor || !p->Expanded();
    if (collapsedAncestor) {
        BeginUpdate();
        for (TzqInspectorNode* p = Node->Parent(); p; p = p->Parent())
            p->Expand();
        EndUpdate();
    }
    if (IsUpdating())
        return;
    if (m_lines.empty() || collapsedAncestor)
        RecalcLayout();
    const int index = IndexIn(m_lines, Node);
    if (index < 0)
        return;
    if (BandMode()) {
        const int band = BandOfLine(index);
        if (band < m_firstBand)
            SetFirstBand(band);
        else if (band > m_firstBand + std::max(m_fullBandCount, 1) - 1)
            SetFirstBand(band - std::max(m_fullBandCount, 1) + 1);
        return;
    }
    const int top = std::max(IndexIn(m_lines, m_topNode), 0);
    if (index < top) {
        m_topNode = Node;
        RelayoutAndPaint();
        return;
    }
    if (index <= top + m_fullyVisibleLineCount - 1)
        return;
    // The node becomes the last line that is fully in view.
    int64_t sum = NodeHeight(Node);
    int newTop = index;
    while (newTop > 0 && sum + NodeHeight(m_lines[static_cast<size_t>(newTop - 1)]) <= ClientHeight())
        sum += NodeHeight(m_lines[static_cast<size_t>(--newTop)]);
    m_topNode = m_lines[static_cast<size_t>(newTop)];
    RelayoutAndPaint();
}

TRect TCustomzqInspector::LineRect(const TzqInspectorNode* Node) const
{
    for (const TVisibleLine& line : m_visible)
        if (line.Node == Node)
            return line.Rect;
    return TRect();
}

TzqInspectorLineGeometry TCustomzqInspector::LineGeometry(const TzqInspectorNode* Node, const TRect& Line)
{
    using S = TzqInspectorPaintStyle;
    TzqInspectorLineGeometry g;
    g.Line = Line;
    const bool category = IsCategory(Node);
    const int level = Node->Level();
    TRect r = Line;
    int indent = 0;
    if (m_paintStyle != S::ipsCategorized) {
        indent = (level + 1) * m_indentWidth + (m_paintStyle == S::ipsStandard ? 2 : 0);
    } else if (category) {
        r = r.Inflate(-1, -1);
        indent = level * m_indentWidth;
    } else {
        r = r.Inflate(-m_cellMargin, -m_cellMargin);
        const TzqInspectorNode* top = Node;
        while (top->Parent())
            top = top->Parent();
        indent = (level + 1) * m_indentWidth - (IsCategory(top) ? m_indentWidth : 0);
    }
    const int bottom = r.Bottom - m_gridLineWidth;
    g.Indent = TRect(r.Left, r.Top, r.Left + indent, bottom);
    int x = g.Indent.Right;
    if (Node->HasChildren() && !(m_paintStyle == S::ipsCategorized && category))
        g.Button = TRect(std::max(g.Indent.Right - m_indentWidth, g.Indent.Left), r.Top, g.Indent.Right, bottom);
    if (GetImageIndex(Node) != -1 && !(m_paintStyle == S::ipsCategorized && category)) {
        g.Image = TRect(x, r.Top, x + m_imageWidth, bottom);
        x = g.Image.Right;
    }
    if (m_paintStyle == S::ipsCategorized && category)
        ++x;
    const int divider = Line.Left + m_dividerPos;
    if (category) {
        g.Caption = TRect(x, r.Top, r.Right, bottom);
        if (m_paintStyle == S::ipsCategorized && Node->HasChildren())
            g.Button = TRect(r.Right - m_categoryButtonWidth, r.Top, r.Right, bottom);
        return g;
    }
    g.Caption = TRect(x, r.Top, std::max(x, divider), bottom);
    const int valueLeft = divider + 1 + (m_paintStyle == S::ipsSimple || m_paintStyle == S::ipsNET ? 0 : 1);
    g.Value = TRect(valueLeft, r.Top, std::max(valueLeft, r.Right), bottom);
    return g;
}

TRect TCustomzqInspector::EditorRect(const TzqInspectorNode* Node, int ItemIndex)
{
    const TRect line = LineRect(Node);
    if (line.IsEmpty())
        return TRect();
    TRect cell = LineGeometry(Node, line).Value;
    if (IsComplex(Node)) {
        const std::vector<TRect> items = ComplexItemRects(Node, cell);
        if (items.empty())
            return TRect();
        cell = items[static_cast<size_t>(std::clamp(ItemIndex, 0, static_cast<int>(items.size()) - 1))];
    }
    return cell;
}

int TCustomzqInspector::BandAt(int X, bool& OnEdge) const
{
    OnEdge = false;
    const int k = X / m_bandWidth;
    if (k >= m_visibleBandCount)
        return -1;
    const int right = (k + 1) * m_bandWidth;
    OnEdge = X >= right - BandSeparatorWidth ||
             (m_visibleBandCount == 1 && X >= ClientWidth() - BandSeparatorWidth);
    return k;
}

TzqInspectorHitInfo TCustomzqInspector::GetHitInfo(TPoint Point)
{
    TzqInspectorHitInfo info;
    if (Point.X < 0 || Point.Y < 0 || Point.X >= ClientWidth() || Point.Y >= ClientHeight())
        return info; // 7: outside
    info.Kind = TzqInspectorHitKind::ihtNone;
    int bandLeft = 0;
    int band = 0;
    if (BandMode()) {
        bool onEdge = false;
        const int k = BandAt(Point.X, onEdge);
        if (k < 0)
            return info;
        band = m_firstBand + k;
        info.Band = band;
        if (onEdge) {
            info.Kind = TzqInspectorHitKind::ihtBandEdge;
            return info;
        }
        bandLeft = k * m_bandWidth;
    }
    const TVisibleLine* hit = nullptr;
    for (const TVisibleLine& line : m_visible)
        if (line.Band == band && Point.Y >= line.Rect.Top && Point.Y < line.Rect.Bottom) {
            hit = &line;
            break;
        }
    const int divider = bandLeft + m_dividerPos;
    if (std::abs(Point.X - divider) <= 2 && (!hit || !IsCategory(hit->Node))) {
        info.Kind = TzqInspectorHitKind::ihtDivider;
        info.Node = hit ? hit->Node : nullptr;
        return info;
    }
    if (!hit)
        return info;
    info.Node = hit->Node;
    if ((m_optionWord & zqInspectorOption::RowSizing) && Point.Y >= hit->Rect.Bottom - 2) {
        info.Kind = TzqInspectorHitKind::ihtRowBottom;
        return info;
    }
    HitInLine(hit->Node, hit->Rect, Point, info);
    return info;
}

void TCustomzqInspector::HitInLine(const TzqInspectorNode* Node, const TRect& Line, TPoint Point,
                                   TzqInspectorHitInfo& Info)
{
    const TzqInspectorLineGeometry g = LineGeometry(Node, Line);
    const bool category = IsCategory(Node);
    int indentRight = g.Indent.Right;
    if (m_paintStyle == TzqInspectorPaintStyle::ipsCategorized && category && !Node->Parent())
        indentRight += m_indentWidth;
    if (g.Button.Contains(Point)) {
        Info.Kind = TzqInspectorHitKind::ihtButton;
        return;
    }
    if (Point.X < indentRight) {
        Info.Kind = g.Image.Contains(Point) && g.Image.Right <= indentRight ? TzqInspectorHitKind::ihtImage
                                                                           : TzqInspectorHitKind::ihtIndent;
        return;
    }
    const bool inCaption = category || Point.X < Line.Left + m_dividerPos;
    Info.Kind = inCaption ? TzqInspectorHitKind::ihtCaption : TzqInspectorHitKind::ihtValue;
    if (category || !IsComplex(Node))
        return;
    const std::vector<TRect> items = ComplexItemRects(Node, inCaption ? g.Caption : g.Value);
    for (size_t i = 0; i < items.size(); ++i)
        if (Point.X >= items[i].Left && Point.X < items[i].Right) {
            Info.ItemIndex = static_cast<int>(i);
            return;
        }
    if (!items.empty() && Point.X >= items.front().Left && Point.X < items.back().Right)
        Info.Kind = TzqInspectorHitKind::ihtItemGap;
}

void TCustomzqInspector::InvalidateNode(const TzqInspectorNode* Node)
{
    if (!Node || !HandleAllocated())
        return;
    const TRect r = LineRect(Node);
    if (!r.IsEmpty())
        InvalidateRect(Handle(), &r, false);
}

void TCustomzqInspector::WndProc(TMessage& Message)
{
    if (HandleInputMessage(Message) || HandleHintMessage(Message))
        return;
    switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const int code = LoWord(Message.WParam);
        int track = HiWord(Message.WParam);
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        if (code == SB_THUMBTRACK && HandleAllocated() &&
            GetScrollInfo(Handle(), Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, info) &&
            (info.nTrackPos & 0xFFFF) == track)
            track = info.nTrackPos;
        if (Message.Msg == WM_HSCROLL) {
            if (BandMode())
                ScrollHorizontal(code, track);
        } else if (!BandMode()) {
            ScrollVertical(code, track);
        }
        Message.Result = 0;
        return;
    }
    case WM_SETFOCUS:
        TCustomzqContainer::WndProc(Message);
        InvalidateNode(m_focusedNode);
        if (!m_editor || reinterpret_cast<HWND>(Message.WParam) != m_editor->Handle())
            UpdateEditor(true, false);
        return;
    case WM_KILLFOCUS:
        TCustomzqContainer::WndProc(Message);
        InvalidateNode(m_focusedNode);
        // The focus going to the line's own editor keeps the press.
        if (m_mouseState == TzqInspectorMouseState::msRowPressed &&
            !(m_editor && m_editor->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == m_editor->Handle()))
            EndPress();
        return;
    case WM_CANCELMODE:
        CancelSizing();
        if (m_editor && m_editor->HandleAllocated())
            SendMessage(m_editor->Handle(), WM_CANCELMODE, 0, 0);
        break;
    default: break;
    }
    TCustomzqContainer::WndProc(Message);
}
