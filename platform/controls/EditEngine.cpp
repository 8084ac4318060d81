#include "platform/controls/EditEngine.h"

#include "platform/controls/PopupList.h"
#include "platform/controls/WinControl.h"

#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// The width of the selection bar.
constexpr int kSelectionBarWidth = 8;

bool IsLineBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

// Keeps the first line of text for a single-line control.
std::u32string FirstLine(const std::u32string& s)
{
    const size_t cut = s.find_first_of(U"\r\n");
    return cut == std::u32string::npos ? s : s.substr(0, cut);
}

// Normalises line breaks to CR LF, as a multi-line control stores them.
std::u32string NormaliseBreaks(const std::u32string& s)
{
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == U'\r') {
            out += U"\r\n";
            if (i + 1 < s.size() && s[i + 1] == U'\n')
                ++i;
        } else if (s[i] == U'\n') {
            out += U"\r\n";
        } else {
            out += s[i];
        }
    }
    return out;
}

} // namespace

TEditEngine::TEditEngine(TWinControl& window, TEditEngineClient& client) : m_window(window), m_client(client) {}

TEditEngine::~TEditEngine() = default;

void TEditEngine::WindowCreated()
{
    ReadStyles();
    m_buffer.SetMaxLength(static_cast<size_t>(std::max(0, m_maxLength)));
    Relayout();
}

void TEditEngine::SetMaxLength(int value)
{
    m_maxLength = std::max(0, value);
    m_buffer.SetMaxLength(static_cast<size_t>(m_maxLength));
}

void TEditEngine::SetPasswordChar(char32_t value)
{
    if (value == m_passwordChar)
        return;
    m_passwordChar = value;
    m_layoutValid = false;
    m_window.Invalidate();
}

void TEditEngine::SetTextColor(TColor value)
{
    if (value == m_textColor)
        return;
    m_textColor = value;
    m_window.Invalidate();
}

TPoint TEditEngine::CaretPoint()
{
    return PosToPoint(m_buffer.Caret());
}

void TEditEngine::ReplaceText(const std::u32string& text, size_t anchor, size_t caret)
{
    m_buffer.Select(0, m_buffer.Length());
    m_buffer.ReplaceSelection(text);
    m_buffer.Select(std::min(anchor, m_buffer.Length()), std::min(caret, m_buffer.Length()));
    Edited();
}

void TEditEngine::LoadText(const std::string& value)
{
    std::u32string text = Utf8ToUtf32(value);
    text = MultiLine() ? NormaliseBreaks(text) : FirstLine(text);
    m_buffer.SetText(text);
    m_buffer.ClearUndo();
    m_buffer.SetModified(false);
    m_scrollX = 0;
    m_topLine = 0;
    Changed(false);
    CheckSelectionChange();
}

void TEditEngine::FontChanged()
{
    m_charWidths.clear();
    m_lineHeight = 0;
    m_layoutValid = false;
}

void TEditEngine::Resized()
{
    m_layoutValid = false;
    UpdateCaret();
}

void TEditEngine::WindowProc(TMessage& Message)
{
    if (!HandleWindowMessage(Message) && !HandleEditMessage(Message)) {
        if (m_window.HandleAllocated())
            Message.Result = DefWindowProc(m_window.Handle(), Message.Msg, Message.WParam, Message.LParam);
        else
            Message.Result = 0;
    }
    // Whatever the message did to the selection is reported once it is handled.
    CheckSelectionChange();
}

bool TEditEngine::SetBarCursor(TMessage& Message)
{
    if (!m_selectionBar || static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) != HTCLIENT)
        return false;
    TPoint p;
    GetCursorPos(p);
    if (!InSelectionBar(m_window.ScreenToClient(p)))
        return false;
    ::SetCursor(IDC_ARROW);
    Message.Result = 1;
    return true;
}

bool TEditEngine::HandleWindowMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        HandleKey(static_cast<WORD>(Message.WParam));
        Message.Result = 0;
        return true;
    case WM_CHAR:
        HandleChar(static_cast<char32_t>(Message.WParam));
        Message.Result = 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        HandleMouse(Message);
        return true;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (MultiLine() && m_client.EditWantsReturns())
            code |= DLGC_WANTALLKEYS;
        if (MultiLine() && m_client.EditWantsTabs())
            code |= DLGC_WANTTAB;
        Message.Result = code;
        return true;
    }
    case WM_SETFOCUS:
        Message.Result = DefWindowProc(m_window.Handle(), Message.Msg, Message.WParam, Message.LParam);
        m_caretCreated = false;
        if (m_autoSelect && !MultiLine() && !m_selecting && !(GetKeyState(VK_LBUTTON) < 0))
            m_buffer.Select(0, m_buffer.Length());
        UpdateCaret();
        m_window.Invalidate();
        return true;
    case WM_KILLFOCUS:
        Message.Result = DefWindowProc(m_window.Handle(), Message.Msg, Message.WParam, Message.LParam);
        if (m_caretCreated) {
            DestroyCaret();
            m_caretCreated = false;
        }
        m_window.Invalidate();
        return true;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_SETCURSOR:
        return SetBarCursor(Message);
    case WM_CONTEXTMENU: {
        // The edit's own menu, at the caret for a keyboard request, else at the pointer
        // when it is over the client area.
        TPoint at;
        if (IsKeyboardContextMenu(Message.LParam))
            at = KeyboardContextPoint();
        else
            at = m_window.ScreenToClient(PointFromLParam(Message.LParam));
        if (!IsKeyboardContextMenu(Message.LParam) && !m_window.ClientRect().Contains(at))
            return true;
        ShowEditMenu(m_window.ClientToScreen(at));
        Message.Result = 1;
        return true;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse: no selection drag goes on.
        m_selecting = false;
        return false;
    case WM_STYLECHANGED:
        ReadStyles();
        return false;
    case WM_SIZE:
        m_layoutValid = false;
        UpdateCaret();
        return false;
    default:
        return false;
    }
}

void TEditEngine::ReadStyles()
{
    if (!m_window.HandleAllocated())
        return;
    m_editStyle = static_cast<DWORD>(GetWindowLong(m_window.Handle(), GWL_STYLE));
    if (m_editStyle & ES_UPPERCASE)
        m_buffer.SetCharCase(TEditCharCase::ecUpperCase);
    else if (m_editStyle & ES_LOWERCASE)
        m_buffer.SetCharCase(TEditCharCase::ecLowerCase);
    else
        m_buffer.SetCharCase(TEditCharCase::ecNormal);
    m_readOnly = (m_editStyle & ES_READONLY) != 0;
    if (m_editStyle & ES_SELECTIONBAR)
        m_selectionBar = true;
    m_layoutValid = false;
}

int TEditEngine::LineCount()
{
    Relayout();
    return static_cast<int>(m_lines.size());
}

std::string TEditEngine::LineText(int index)
{
    Relayout();
    if (index < 0 || index >= static_cast<int>(m_lines.size()))
        return {};
    const Line& l = m_lines[static_cast<size_t>(index)];
    return Utf32ToUtf8(m_buffer.Text().substr(l.start, l.end - l.start));
}

void TEditEngine::SetSelectionBar(bool value)
{
    if (value == m_selectionBar)
        return;
    m_selectionBar = value;
    m_layoutValid = false;
    ScrollToCaret();
    m_window.Invalidate();
    UpdateCaret();
}

void TEditEngine::CheckSelectionChange()
{
    const size_t start = m_buffer.SelStart(), end = m_buffer.SelEnd();
    if (start == m_reportedSelStart && end == m_reportedSelEnd)
        return;
    m_reportedSelStart = start;
    m_reportedSelEnd = end;
    if (!(m_eventMask & ENM_SELCHANGE) || !m_window.HandleAllocated() || !m_window.Parent() || !m_window.Parent()->HandleAllocated())
        return;
    SELCHANGE notice;
    notice.nmhdr.hwndFrom = m_window.Handle();
    notice.nmhdr.idFrom = static_cast<uintptr_t>(GetDlgCtrlID(m_window.Handle()));
    notice.nmhdr.code = EN_SELCHANGE;
    notice.chrg.cpMin = static_cast<LONG>(start);
    notice.chrg.cpMax = static_cast<LONG>(end);
    notice.seltyp = start == end ? SEL_EMPTY : SEL_TEXT;
    SendMessage(m_window.Parent()->Handle(), WM_NOTIFY, notice.nmhdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

bool TEditEngine::InSelectionBar(TPoint p) const
{
    return m_selectionBar && p.X >= 0 && p.X < FormatRect().Left;
}

void TEditEngine::SelectLines(int fromLine, int toLine)
{
    Relayout();
    const int last = static_cast<int>(m_lines.size()) - 1;
    fromLine = std::clamp(fromLine, 0, last);
    toLine = std::clamp(toLine, 0, last);
    const Line& first = m_lines[static_cast<size_t>(std::min(fromLine, toLine))];
    const Line& final = m_lines[static_cast<size_t>(std::max(fromLine, toLine))];
    // A line is selected with its line break, as far as the next line.
    if (toLine >= fromLine)
        m_buffer.Select(first.start, final.next);
    else
        m_buffer.Select(final.next, first.start);
}

void TEditEngine::NotifyParent(WORD code)
{
    if (m_window.HandleAllocated() && m_window.Parent() && m_window.Parent()->HandleAllocated())
        SendMessage(m_window.Parent()->Handle(), WM_COMMAND, MakeWParam(GetDlgCtrlID(m_window.Handle()), code),
                    reinterpret_cast<LPARAM>(m_window.Handle()));
}

void TEditEngine::Changed(bool modifiedByUser)
{
    m_layoutValid = false;
    m_desiredX = -1;
    ScrollToCaret();
    m_window.Invalidate();
    UpdateCaret();
    NotifyParent(EN_CHANGE);
    m_client.EditChanged();
}

TRect TEditEngine::FormatRect() const
{
    if (m_hasFormatRect)
        return m_formatRect;
    TRect r = m_window.ClientRect();
    r.Left += m_leftMargin;
    if (m_selectionBar)
        r.Left += kSelectionBarWidth;
    r.Right -= m_rightMargin;
    if (MultiLine())
        r.Top += 1;
    else {
        // A single line is centred vertically when the control is taller than a line.
        r.Top += 1;
    }
    r.Right = std::max(r.Right, r.Left);
    return r;
}

int TEditEngine::CharWidth(char32_t c)
{
    for (const auto& [ch, w] : m_charWidths)
        if (ch == c)
            return w;
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(*m_window.Font());
    const int w = scratch.Canvas()->TextWidth(Utf32ToUtf8(c == U'\t' ? U' ' : c));
    if (m_charWidths.size() > 512)
        m_charWidths.clear();
    m_charWidths.emplace_back(c, w);
    return w;
}

int TEditEngine::RunWidth(size_t start, size_t end)
{
    const std::u32string& t = m_buffer.Text();
    int w = 0;
    for (size_t i = start; i < end && i < t.size(); ++i)
        w += CharWidth(m_passwordChar ? m_passwordChar : t[i]);
    return w;
}

int TEditEngine::LineHeight()
{
    if (!m_lineHeight) {
        TBitmap scratch;
        scratch.SetSize(1, 1);
        scratch.Canvas()->Font()->Assign(*m_window.Font());
        m_lineHeight = std::max(1, scratch.Canvas()->GetTextMetrics().tmHeight);
    }
    return m_lineHeight;
}

void TEditEngine::Relayout()
{
    if (m_layoutValid)
        return;
    m_layoutValid = true;
    m_lines.clear();
    const std::u32string& t = m_buffer.Text();
    if (!MultiLine()) {
        m_lines.push_back({0, t.size(), t.size(), RunWidth(0, t.size())});
        return;
    }
    const int limit = Wraps() ? std::max(1, FormatRect().Width()) : INT32_MAX;
    size_t pos = 0;
    for (;;) {
        // One paragraph up to the next line break.
        size_t paraEnd = pos;
        while (paraEnd < t.size() && !IsLineBreak(t[paraEnd]))
            ++paraEnd;
        size_t lineStart = pos;
        while (true) {
            size_t i = lineStart;
            int width = 0;
            size_t lastBreak = std::u32string::npos;
            int widthAtBreak = 0;
            while (i < paraEnd) {
                const int cw = CharWidth(m_passwordChar ? m_passwordChar : t[i]);
                if (width + cw > limit && i > lineStart)
                    break;
                width += cw;
                ++i;
                if (t[i - 1] == U' ' || t[i - 1] == U'\t') {
                    lastBreak = i;
                    widthAtBreak = width;
                }
            }
            if (i >= paraEnd) {
                m_lines.push_back({lineStart, paraEnd, paraEnd, width});
                break;
            }
            // Break after the last space of the line, or inside a word longer than the line.
            if (lastBreak != std::u32string::npos && lastBreak > lineStart) {
                m_lines.push_back({lineStart, lastBreak, lastBreak, widthAtBreak});
                lineStart = lastBreak;
            } else {
                m_lines.push_back({lineStart, i, i, width});
                lineStart = i;
            }
        }
        if (paraEnd >= t.size())
            break;
        // Step over CR LF, CR or LF.
        size_t next = paraEnd + 1;
        if (t[paraEnd] == U'\r' && next < t.size() && t[next] == U'\n')
            ++next;
        m_lines.back().next = next;
        pos = next;
    }
}

int TEditEngine::LineOf(size_t pos)
{
    Relayout();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        const bool last = i + 1 == m_lines.size();
        if (pos < l.next || last)
            return static_cast<int>(i);
        // A wrapped line's end belongs to the next line unless the caret is at a break.
        if (pos == l.end && l.next == l.end && i + 1 < m_lines.size() && m_lines[i + 1].start != pos)
            return static_cast<int>(i);
    }
    return 0;
}

int TEditEngine::LineOffsetX(const Line& line) const
{
    const int width = FormatRect().Width();
    if (m_editStyle & ES_CENTER)
        return (width - line.width) / 2;
    if (m_editStyle & ES_RIGHT)
        return width - line.width;
    return 0;
}

TPoint TEditEngine::PosToPoint(size_t pos)
{
    Relayout();
    const int li = LineOf(pos);
    const Line& l = m_lines[static_cast<size_t>(li)];
    const TRect f = FormatRect();
    const int x = f.Left + LineOffsetX(l) + RunWidth(l.start, std::min(pos, l.end)) - m_scrollX;
    const int y = f.Top + (li - m_topLine) * LineHeight();
    return {x, y};
}

int TEditEngine::LineAtY(int y)
{
    Relayout();
    const TRect f = FormatRect();
    const int li = y < f.Top ? m_topLine - 1 : m_topLine + (y - f.Top) / std::max(1, LineHeight());
    return std::clamp(li, 0, static_cast<int>(m_lines.size()) - 1);
}

size_t TEditEngine::PointToPos(TPoint p)
{
    Relayout();
    const TRect f = FormatRect();
    int li = m_topLine + (p.Y - f.Top) / std::max(1, LineHeight());
    if (p.Y < f.Top)
        li = m_topLine - 1;
    li = std::clamp(li, 0, static_cast<int>(m_lines.size()) - 1);
    const Line& l = m_lines[static_cast<size_t>(li)];
    int x = f.Left + LineOffsetX(l) - m_scrollX;
    const std::u32string& t = m_buffer.Text();
    for (size_t i = l.start; i < l.end; ++i) {
        const int cw = CharWidth(m_passwordChar ? m_passwordChar : t[i]);
        if (p.X < x + cw / 2)
            return i;
        x += cw;
    }
    return l.end;
}

void TEditEngine::ScrollToCaret()
{
    if (!m_window.HandleAllocated())
        return;
    Relayout();
    const TRect f = FormatRect();
    const size_t caret = m_buffer.Caret();
    const int li = LineOf(caret);
    const int visibleLines = std::max(1, f.Height() / LineHeight());
    if (li < m_topLine)
        m_topLine = li;
    else if (li >= m_topLine + visibleLines)
        m_topLine = li - visibleLines + 1;
    if (!Wraps()) {
        const Line& l = m_lines[static_cast<size_t>(li)];
        const int x = LineOffsetX(l) + RunWidth(l.start, std::min(caret, l.end));
        const int width = f.Width();
        if (x - m_scrollX > width - 1) {
            m_scrollX = x - width + std::max(1, width / 3);
            m_window.Invalidate();
        } else if (x < m_scrollX) {
            m_scrollX = std::max(0, x - width / 3);
            m_window.Invalidate();
        }
        int widest = 0;
        for (const Line& any : m_lines)
            widest = std::max(widest, any.width);
        if (widest <= width)
            m_scrollX = 0;
    } else {
        m_scrollX = 0;
    }
}

void TEditEngine::UpdateCaret()
{
    if (!m_window.HandleAllocated() || !m_window.Focused())
        return;
    if (!m_caretCreated) {
        CreateCaret(m_window.Handle(), 1, LineHeight());
        m_caretCreated = true;
        ShowCaret(m_window.Handle());
    }
    const TPoint p = PosToPoint(m_buffer.Caret());
    SetCaretPos(p.X, p.Y);
}

std::u32string TEditEngine::DisplayText(size_t start, size_t end) const
{
    if (m_passwordChar)
        return std::u32string(end - start, m_passwordChar);
    std::u32string s = m_buffer.Text().substr(start, end - start);
    std::replace(s.begin(), s.end(), U'\t', U' ');
    return s;
}

void TEditEngine::Paint(TCanvas& canvas)
{
    Relayout();
    TCanvas* c = &canvas;
    const TRect client = m_window.ClientRect();
    const bool enabled = m_window.Enabled();
    FillRectColor(c, client, enabled ? m_window.Color() : clBtnFace);
    c->Font()->Assign(*m_window.Font());
    const TColor textColor = !enabled ? clGrayText : m_textColor != clNone ? m_textColor : m_window.Font()->Color();
    c->Font()->SetColor(textColor);
    c->SetBkMode(TRANSPARENT);
    const TRect f = FormatRect();
    c->IntersectClipRect(TRect(f.Left, client.Top, f.Right, client.Bottom));
    const bool showSelection = m_buffer.HasSelection() && (m_window.Focused() || (m_editStyle & ES_NOHIDESEL));
    const size_t selStart = m_buffer.SelStart(), selEnd = m_buffer.SelEnd();
    const int lh = LineHeight();
    for (int li = m_topLine; li < static_cast<int>(m_lines.size()); ++li) {
        const int y = f.Top + (li - m_topLine) * lh;
        if (y >= client.Bottom)
            break;
        const Line& l = m_lines[static_cast<size_t>(li)];
        int x = f.Left + LineOffsetX(l) - m_scrollX;
        // Three runs: before, inside and after the selection.
        const size_t cut[4] = {l.start, std::clamp(selStart, l.start, l.end), std::clamp(selEnd, l.start, l.end), l.end};
        for (int run = 0; run < 3; ++run) {
            if (cut[run + 1] <= cut[run])
                continue;
            const std::string text = Utf32ToUtf8(DisplayText(cut[run], cut[run + 1]));
            const int w = RunWidth(cut[run], cut[run + 1]);
            const bool selected = run == 1 && showSelection;
            if (selected) {
                FillRectColor(c, TRect(x, y, x + w, y + lh), clHighlight);
                c->Font()->SetColor(clHighlightText);
            }
            c->TextOut(x, y, text);
            if (selected)
                c->Font()->SetColor(textColor);
            x += w;
        }
        // A selected line break shows as a small highlighted space.
        if (showSelection && l.next > l.end && selStart <= l.end && selEnd > l.end)
            FillRectColor(c, TRect(x, y, x + CharWidth(U' '), y + lh), clHighlight);
    }
}

void TEditEngine::Edited()
{
    Changed(true);
    if (m_buffer.MaxLength() && m_buffer.Length() >= m_buffer.MaxLength())
        NotifyParent(EN_MAXTEXT);
}

void TEditEngine::HandleChar(char32_t ch)
{
    if (ch == 0x08 || ch == 0x1B || (ch == U'\t' && !(m_client.EditWantsTabs() && MultiLine())))
        return;
    if (ch < 0x20 && ch != U'\r' && ch != U'\t')
        return; // control characters of Ctrl+letter shortcuts
    if (ch == U'\r') {
        if (!MultiLine())
            return;
        ch = 0;
    }
    if (m_readOnly) {
        MessageBeep(0);
        return;
    }
    const std::u32string text = ch ? std::u32string(1, ch) : std::u32string(U"\r\n");
    if (!m_buffer.ReplaceSelection(text, ch != 0)) {
        MessageBeep(0);
        NotifyParent(EN_MAXTEXT);
        return;
    }
    Edited();
}

void TEditEngine::HandleKey(WORD key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    Relayout();
    const size_t caret = m_buffer.Caret();
    auto move = [&](size_t pos) {
        m_buffer.MoveCaret(pos, shift);
        if (key != VK_UP && key != VK_DOWN && key != VK_PRIOR && key != VK_NEXT)
            m_desiredX = -1;
        ScrollToCaret();
        m_window.Invalidate();
        UpdateCaret();
    };
    auto vertical = [&](int lines) {
        const int li = LineOf(caret);
        const int target = std::clamp(li + lines, 0, static_cast<int>(m_lines.size()) - 1);
        if (m_desiredX < 0)
            m_desiredX = PosToPoint(caret).X;
        const TPoint p = PosToPoint(caret);
        move(PointToPos({m_desiredX, p.Y + (target - li) * LineHeight()}));
    };
    switch (key) {
    case VK_LEFT:
        if (!shift && m_buffer.HasSelection() && !ctrl)
            move(m_buffer.SelStart());
        else
            move(ctrl ? m_buffer.PreviousWordStart(caret) : (caret > 0 ? caret - 1 - (caret >= 2 && m_buffer.Text()[caret - 1] == U'\n' && m_buffer.Text()[caret - 2] == U'\r') : 0));
        break;
    case VK_RIGHT:
        if (!shift && m_buffer.HasSelection() && !ctrl)
            move(m_buffer.SelEnd());
        else {
            const auto& t = m_buffer.Text();
            size_t next = caret < t.size() ? caret + 1 : caret;
            if (caret < t.size() && t[caret] == U'\r' && next < t.size() && t[next] == U'\n')
                ++next;
            move(ctrl ? m_buffer.NextWordStart(caret) : next);
        }
        break;
    case VK_HOME:
        move(ctrl || !MultiLine() ? 0 : m_lines[static_cast<size_t>(LineOf(caret))].start);
        break;
    case VK_END:
        move(ctrl || !MultiLine() ? m_buffer.Length() : m_lines[static_cast<size_t>(LineOf(caret))].end);
        break;
    case VK_UP:
        if (MultiLine())
            vertical(-1);
        break;
    case VK_DOWN:
        if (MultiLine())
            vertical(1);
        break;
    case VK_PRIOR:
        if (MultiLine())
            vertical(-std::max(1, FormatRect().Height() / LineHeight()));
        break;
    case VK_NEXT:
        if (MultiLine())
            vertical(std::max(1, FormatRect().Height() / LineHeight()));
        break;
    case VK_BACK:
        if (m_readOnly)
            break;
        if (m_buffer.DeleteBackward(ctrl))
            Edited();
        break;
    case VK_DELETE:
        if (shift && !ctrl) {
            m_window.Perform(WM_CUT);
            break;
        }
        if (m_readOnly)
            break;
        if (m_buffer.DeleteForward(ctrl))
            Edited();
        break;
    case VK_INSERT:
        if (ctrl && !shift)
            m_window.Perform(WM_COPY);
        else if (shift && !ctrl)
            m_window.Perform(WM_PASTE);
        break;
    case 'A':
        if (ctrl)
            m_window.Perform(EM_SETSEL, 0, -1);
        break;
    case 'C':
        if (ctrl)
            m_window.Perform(WM_COPY);
        break;
    case 'X':
        if (ctrl)
            m_window.Perform(WM_CUT);
        break;
    case 'V':
        if (ctrl)
            m_window.Perform(WM_PASTE);
        break;
    case 'Z':
        if (ctrl)
            m_window.Perform(shift ? EM_REDO : EM_UNDO);
        break;
    case 'Y':
        if (ctrl)
            m_window.Perform(EM_REDO);
        break;
    default:
        break;
    }
}

void TEditEngine::HandleMouse(TMessage& Message)
{
    const TPoint p = PointFromLParam(Message.LParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
        if (!m_window.Focused() && m_window.CanFocus())
            m_window.SetFocus();
        if (InSelectionBar(p)) {
            // The selection bar selects whole lines; dragging extends by lines.
            const int line = LineAtY(p.Y);
            const bool shift = (Message.WParam & MK_SHIFT) != 0;
            m_selectionBarAnchor = shift && m_selectionBarAnchor >= 0 ? m_selectionBarAnchor : line;
            SelectLines(m_selectionBarAnchor, line);
            m_selecting = true;
            SetCapture(m_window.Handle());
            break;
        }
        m_selectionBarAnchor = -1;
        const bool shift = (Message.WParam & MK_SHIFT) != 0;
        m_buffer.MoveCaret(PointToPos(p), shift);
        m_selecting = true;
        SetCapture(m_window.Handle());
        break;
    }
    case WM_LBUTTONDBLCLK: {
        size_t start, end;
        m_buffer.WordAt(PointToPos(p), start, end);
        m_buffer.Select(start, end);
        m_selecting = false;
        break;
    }
    case WM_MOUSEMOVE:
        if (!m_selecting || !(Message.WParam & MK_LBUTTON))
            return;
        if (m_selectionBarAnchor >= 0)
            SelectLines(m_selectionBarAnchor, LineAtY(p.Y));
        else
            m_buffer.MoveCaret(PointToPos(p), true);
        break;
    case WM_LBUTTONUP:
        if (m_selecting) {
            m_selecting = false;
            if (GetCapture() == m_window.Handle())
                ReleaseCapture();
        }
        return;
    default:
        return;
    }
    m_desiredX = -1;
    ScrollToCaret();
    m_window.Invalidate();
    UpdateCaret();
}

bool TEditEngine::HandleEditMessage(TMessage& Message)
{
    auto range = [&](LONG from, LONG to) {
        const size_t n = m_buffer.Length();
        size_t a = from < 0 ? n : std::min<size_t>(static_cast<size_t>(from), n);
        size_t b = to < 0 ? n : std::min<size_t>(static_cast<size_t>(to), n);
        if (from == 0 && to == -1)
            a = 0;
        if (from == -1) // -1 start: remove the selection, caret stays
            a = b = m_buffer.Caret();
        m_buffer.Select(a, b);
        ScrollToCaret();
        m_window.Invalidate();
        UpdateCaret();
    };
    switch (Message.Msg) {
    case EM_SETSEL:
        range(static_cast<LONG>(static_cast<intptr_t>(Message.WParam)), static_cast<LONG>(Message.LParam));
        return true;
    case EM_EXSETSEL: {
        const auto* cr = reinterpret_cast<const CHARRANGE*>(Message.LParam);
        if (cr)
            range(cr->cpMin, cr->cpMax);
        Message.Result = static_cast<LRESULT>(m_buffer.SelEnd());
        return true;
    }
    case EM_GETSEL: {
        const auto start = static_cast<DWORD>(m_buffer.SelStart());
        const auto end = static_cast<DWORD>(m_buffer.SelEnd());
        if (auto* s = reinterpret_cast<DWORD*>(Message.WParam))
            *s = start;
        if (auto* e = reinterpret_cast<DWORD*>(Message.LParam))
            *e = end;
        Message.Result = MakeLParam(static_cast<int>(std::min<DWORD>(start, 0xFFFF)), static_cast<int>(std::min<DWORD>(end, 0xFFFF)));
        return true;
    }
    case EM_EXGETSEL:
        if (auto* cr = reinterpret_cast<CHARRANGE*>(Message.LParam)) {
            cr->cpMin = static_cast<LONG>(m_buffer.SelStart());
            cr->cpMax = static_cast<LONG>(m_buffer.SelEnd());
        }
        return true;
    case EM_REPLACESEL: {
        const auto* text = reinterpret_cast<const std::string*>(Message.LParam);
        std::u32string t = text ? Utf8ToUtf32(*text) : std::u32string();
        t = MultiLine() ? NormaliseBreaks(t) : FirstLine(t);
        if (Message.WParam == 0) {
            // Not undoable: the undo history is dropped.
            m_buffer.ReplaceSelection(t);
            m_buffer.ClearUndo();
        } else {
            m_buffer.ReplaceSelection(t);
        }
        Edited();
        return true;
    }
    case EM_GETMODIFY:
        Message.Result = m_buffer.Modified() ? 1 : 0;
        return true;
    case EM_SETMODIFY:
        m_buffer.SetModified(Message.WParam != 0);
        return true;
    case EM_LIMITTEXT:
    case EM_EXLIMITTEXT: {
        const auto limit = static_cast<size_t>(Message.Msg == EM_LIMITTEXT ? Message.WParam : static_cast<WPARAM>(Message.LParam));
        m_maxLength = static_cast<int>(std::min<size_t>(limit, INT32_MAX));
        m_buffer.SetMaxLength(limit);
        return true;
    }
    case EM_GETLIMITTEXT:
        Message.Result = static_cast<LRESULT>(m_buffer.MaxLength());
        return true;
    case EM_CANUNDO:
        Message.Result = m_buffer.CanUndo() ? 1 : 0;
        return true;
    case EM_CANPASTE: {
        // Text is the only format the control takes (0: any format).
        const UINT format = static_cast<UINT>(Message.WParam);
        Message.Result = (format == 0 || format == CF_TEXT || format == CF_UNICODETEXT) && ClipboardHasText() ? 1 : 0;
        return true;
    }
    case EM_GETSELTEXT: {
        const std::u32string selected = m_buffer.SelectedText();
        if (auto* out = reinterpret_cast<std::string*>(Message.LParam))
            *out = Utf32ToUtf8(selected);
        Message.Result = static_cast<LRESULT>(selected.size());
        return true;
    }
    case EM_SETEVENTMASK:
        Message.Result = static_cast<LRESULT>(m_eventMask);
        m_eventMask = static_cast<DWORD>(Message.LParam);
        return true;
    case EM_GETEVENTMASK:
        Message.Result = static_cast<LRESULT>(m_eventMask);
        return true;
    case EM_SETOPTIONS: {
        const DWORD options = static_cast<DWORD>(Message.LParam) & ECO_SELECTIONBAR;
        const DWORD current = m_selectionBar ? DWORD(ECO_SELECTIONBAR) : 0u;
        DWORD next = current;
        switch (static_cast<UINT>(Message.WParam)) {
        case ECOOP_SET:
            next = options;
            break;
        case ECOOP_OR:
            next = current | options;
            break;
        case ECOOP_AND:
            next = current & options;
            break;
        case ECOOP_XOR:
            next = current ^ options;
            break;
        default:
            break;
        }
        SetSelectionBar((next & ECO_SELECTIONBAR) != 0);
        Message.Result = static_cast<LRESULT>(next);
        return true;
    }
    case EM_GETOPTIONS:
        Message.Result = m_selectionBar ? LRESULT(ECO_SELECTIONBAR) : 0;
        return true;
    case EM_CANREDO:
        Message.Result = m_buffer.CanRedo() ? 1 : 0;
        return true;
    case EM_UNDO:
    case WM_UNDO:
        if (!m_readOnly && m_buffer.Undo()) {
            Edited();
            Message.Result = 1;
        }
        return true;
    case EM_REDO:
        if (!m_readOnly && m_buffer.Redo()) {
            Edited();
            Message.Result = 1;
        }
        return true;
    case EM_EMPTYUNDOBUFFER:
        m_buffer.ClearUndo();
        return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (const auto* r = reinterpret_cast<const TRect*>(Message.LParam)) {
            m_formatRect = *r;
            m_hasFormatRect = true;
        } else {
            m_hasFormatRect = false;
        }
        m_layoutValid = false;
        m_window.Invalidate();
        UpdateCaret();
        return true;
    case EM_GETRECT:
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam))
            *r = FormatRect();
        return true;
    case EM_SETMARGINS:
        if (Message.WParam & EC_LEFTMARGIN)
            m_leftMargin = LoWord(static_cast<uintptr_t>(Message.LParam)) == EC_USEFONTINFO ? 2 : LoWord(static_cast<uintptr_t>(Message.LParam));
        if (Message.WParam & EC_RIGHTMARGIN)
            m_rightMargin = HiWord(static_cast<uintptr_t>(Message.LParam)) == EC_USEFONTINFO ? 2 : HiWord(static_cast<uintptr_t>(Message.LParam));
        m_layoutValid = false;
        m_window.Invalidate();
        return true;
    case EM_GETMARGINS:
        Message.Result = MakeLParam(m_leftMargin, m_rightMargin);
        return true;
    case EM_SETREADONLY:
        m_readOnly = Message.WParam != 0;
        if (m_window.HandleAllocated()) {
            const DWORD style = static_cast<DWORD>(GetWindowLong(m_window.Handle(), GWL_STYLE));
            SetWindowLong(m_window.Handle(), GWL_STYLE, static_cast<LONG>(m_readOnly ? style | ES_READONLY : style & ~ES_READONLY));
            m_editStyle = static_cast<DWORD>(GetWindowLong(m_window.Handle(), GWL_STYLE));
        }
        Message.Result = 1;
        return true;
    case EM_SETPASSWORDCHAR:
        m_passwordChar = static_cast<char32_t>(Message.WParam);
        m_layoutValid = false;
        m_window.Invalidate();
        return true;
    case EM_GETPASSWORDCHAR:
        Message.Result = static_cast<LRESULT>(m_passwordChar);
        return true;
    case EM_GETLINECOUNT:
        Message.Result = LineCount();
        return true;
    case EM_LINEFROMCHAR:
        Message.Result = LineOf(static_cast<intptr_t>(Message.WParam) < 0 ? m_buffer.Caret() : static_cast<size_t>(Message.WParam));
        return true;
    case EM_POSFROMCHAR: {
        const TPoint p = PosToPoint(static_cast<size_t>(Message.WParam));
        Message.Result = MakeLParam(p.X, p.Y);
        return true;
    }
    case EM_CHARFROMPOS:
        Message.Result = static_cast<LRESULT>(PointToPos(PointFromLParam(Message.LParam)));
        return true;
    case EM_SCROLLCARET:
        ScrollToCaret();
        UpdateCaret();
        return true;
    case WM_CUT:
        if (!m_buffer.HasSelection() || m_passwordChar)
            return true;
        SetClipboardText(Utf32ToUtf8(m_buffer.SelectedText()));
        if (!m_readOnly && m_buffer.ReplaceSelection(U""))
            Edited();
        return true;
    case WM_COPY:
        if (m_buffer.HasSelection() && !m_passwordChar)
            SetClipboardText(Utf32ToUtf8(m_buffer.SelectedText()));
        return true;
    case WM_PASTE: {
        std::string text;
        if (m_readOnly || !OpenClipboardText(text) || text.empty())
            return true;
        std::u32string t = Utf8ToUtf32(text);
        t = MultiLine() ? NormaliseBreaks(t) : FirstLine(t);
        if (m_buffer.ReplaceSelection(t))
            Edited();
        return true;
    }
    case WM_CLEAR:
        if (!m_readOnly && m_buffer.HasSelection() && m_buffer.ReplaceSelection(U""))
            Edited();
        return true;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const std::string*>(Message.LParam);
        m_window.SetText(text ? *text : std::string());
        Message.Result = 1;
        return true;
    }
    case WM_GETTEXT:
        if (auto* out = reinterpret_cast<std::string*>(Message.LParam))
            *out = m_buffer.TextUtf8();
        Message.Result = static_cast<LRESULT>(m_buffer.TextUtf8().size());
        return true;
    case WM_GETTEXTLENGTH:
        Message.Result = static_cast<LRESULT>(m_buffer.TextUtf8().size());
        return true;
    default:
        return false;
    }
}

TPoint TEditEngine::KeyboardContextPoint()
{
    // Below the caret's line, inside the control.
    const TPoint caret = PosToPoint(m_buffer.Caret());
    return {std::clamp(caret.X, 0, std::max(0, m_window.ClientWidth() - 1)), caret.Y + LineHeight()};
}

TPopupList* TEditEngine::EditMenu()
{
    if (!m_editMenu)
        m_editMenu = new TPopupList(&m_window);
    return m_editMenu;
}

void TEditEngine::ShowEditMenu(TPoint screenPt)
{
    if (!m_window.Focused() && m_window.CanFocus())
        m_window.SetFocus();
    const bool hasSelection = m_buffer.HasSelection();
    const bool hidden = m_passwordChar != 0;
    auto command = [this](UINT msg) { return [this, msg] { m_window.Perform(msg); }; };
    TPopupList* menu = EditMenu();
    menu->SetFont(*m_window.Font());
    menu->Clear();
    menu->Add({"&Undo", "", !m_readOnly && m_buffer.CanUndo(), false, command(WM_UNDO)});
    menu->AddSeparator();
    menu->Add({"Cu&t", "", !m_readOnly && hasSelection && !hidden, false, command(WM_CUT)});
    menu->Add({"&Copy", "", hasSelection && !hidden, false, command(WM_COPY)});
    menu->Add({"&Paste", "", !m_readOnly && ClipboardHasText(), false, command(WM_PASTE)});
    menu->Add({"&Delete", "", !m_readOnly && hasSelection, false, command(WM_CLEAR)});
    menu->AddSeparator();
    const bool allSelected = m_buffer.SelStart() == 0 && m_buffer.SelEnd() == m_buffer.Length();
    menu->Add({"Select &All", "", m_buffer.Length() > 0 && !allSelected, false, [this] { m_window.Perform(EM_SETSEL, 0, -1); }});
    menu->Popup(screenPt);
}
