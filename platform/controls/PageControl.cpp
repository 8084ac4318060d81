#include "platform/controls/PageControl.h"

#include "platform/controls/TabSheet.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

constexpr int kTabsLeft = 2;
constexpr int kTabPadding = 6;   // on each side of a tab's text
constexpr int kSelectedRise = 2; // the active tab stands out by this much
constexpr int kPageInset = 4;

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csAcceptsControls);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetParentColor(true);
}

TPageControl::~TPageControl()
{
    BeforeDestruction();
    // The pages go with their parent; they must not call back into us on the way.
    for (TTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

void TPageControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TPageControl";
    Params.Style |= WS_CLIPCHILDREN;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

int TPageControl::ActivePageIndex() const
{
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(Pages(index));
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && (page->m_pageControl != this || !page->TabVisible()))
        return;
    if (page == m_activePage)
        return;
    m_activePage = page;
    ShowActivePage();
}

void TPageControl::ShowActivePage()
{
    // The focus must not stay on a page that is going out of sight.
    const HWND focus = GetFocus();
    bool focusLeaving = false;
    for (TTabSheet* page : m_pages) {
        const bool show = page == m_activePage;
        if (!show && page->HandleAllocated() && focus && (focus == page->Handle() || IsChild(page->Handle(), focus)))
            focusLeaving = true;
    }
    if (focusLeaving && CanFocus())
        SetFocus();
    if (m_activePage) {
        const TRect r = DisplayRect();
        m_activePage->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        m_activePage->SetVisible(true);
        m_activePage->BringToFront();
    }
    for (TTabSheet* page : m_pages)
        if (page != m_activePage)
            page->SetVisible(false);
    Invalidate();
}

bool TPageControl::ChangeActivePageByUser(TTabSheet* page)
{
    if (!page || page == m_activePage)
        return false;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return false;
    SetActivePage(page);
    if (OnChange)
        OnChange(this);
    return true;
}

bool TPageControl::SelectNextPage(bool goForward)
{
    const int n = PageCount();
    if (n == 0)
        return false;
    int i = ActivePageIndex();
    for (int step = 0; step < n; ++step) {
        i = i < 0 ? (goForward ? 0 : n - 1) : (i + (goForward ? 1 : -1) + n) % n;
        TTabSheet* page = m_pages[static_cast<size_t>(i)];
        if (page == m_activePage)
            return false;
        if (page->TabVisible())
            return ChangeActivePageByUser(page);
    }
    return false;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    if (std::find(m_pages.begin(), m_pages.end(), page) != m_pages.end())
        return;
    m_pages.push_back(page);
    page->m_pageControl = this;
    // A page control always shows a page when it has one to show.
    if (!m_activePage && page->TabVisible())
        m_activePage = page;
    ShowActivePage();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    const int index = static_cast<int>(it - m_pages.begin());
    m_pages.erase(it);
    page->m_pageControl = nullptr;
    if (IsDestroying())
        return;
    if (page == m_activePage) {
        m_activePage = nullptr;
        // The neighbour takes its place: the one after it, or else the one before.
        for (int i = index; i < PageCount() && !m_activePage; ++i)
            if (m_pages[static_cast<size_t>(i)]->TabVisible())
                m_activePage = m_pages[static_cast<size_t>(i)];
        for (int i = index - 1; i >= 0 && !m_activePage; --i)
            if (m_pages[static_cast<size_t>(i)]->TabVisible())
                m_activePage = m_pages[static_cast<size_t>(i)];
    }
    ShowActivePage();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    m_pages.erase(it);
    index = std::clamp(index, 0, PageCount());
    m_pages.insert(m_pages.begin() + index, page);
    Invalidate();
}

void TPageControl::PageTabChanged(TTabSheet* page)
{
    if (page == m_activePage && !page->TabVisible()) {
        m_activePage = nullptr;
        for (TTabSheet* p : m_pages)
            if (p->TabVisible()) {
                m_activePage = p;
                break;
            }
    } else if (!m_activePage && page->TabVisible()) {
        m_activePage = page;
    }
    ShowActivePage();
}

int TPageControl::TabHeight()
{
    return FontLineHeight(*Font()) + 6;
}

TRect TPageControl::DisplayRect()
{
    const TRect client = ClientRect();
    TRect r(client.Left + kPageInset, TabHeight() + kSelectedRise + kPageInset, client.Right - kPageInset,
            client.Bottom - kPageInset);
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

TRect TPageControl::TabRect(int pageIndex)
{
    TTabSheet* target = Pages(pageIndex);
    if (!target || !target->TabVisible())
        return TRect();
    int x = kTabsLeft;
    for (TTabSheet* page : m_pages) {
        if (!page->TabVisible())
            continue;
        const int w = MeasureText(*Font(), page->Caption()).cx + 2 * kTabPadding;
        if (page == target)
            return TRect(x, kSelectedRise, x + w, TabHeight() + kSelectedRise);
        x += w;
    }
    return TRect();
}

int TPageControl::IndexOfTabAt(int X, int Y)
{
    // The active tab stands taller and wider: it is tried first.
    if (m_activePage) {
        const TRect r = TabRect(ActivePageIndex());
        if (TRect(r.Left - kSelectedRise, r.Top - kSelectedRise, r.Right + kSelectedRise, r.Bottom).Contains(X, Y))
            return ActivePageIndex();
    }
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains(X, Y))
            return i;
    return -1;
}

void TPageControl::AlignControls(TControl* AControl, TRect& rect)
{
    rect = DisplayRect();
    for (TTabSheet* page : m_pages)
        page->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    TCustomControl::AlignControls(AControl, rect);
}

void TPageControl::FontChanged()
{
    TCustomControl::FontChanged();
    Realign();
}

void TPageControl::PaintTab(int index, bool selected)
{
    TCanvas* c = Canvas();
    TRect r = TabRect(index);
    if (r.IsEmpty())
        return;
    if (selected)
        r = TRect(r.Left - kSelectedRise, r.Top - kSelectedRise, r.Right + kSelectedRise, r.Bottom + 1);
    // The face, over the frame's top line for the active tab.
    FillRectColor(c, TRect(r.Left + 1, r.Top + 1, r.Right - 2, r.Bottom), Color());
    // Highlight on the left and top with a cut corner; shadows on the right.
    FillRectColor(c, TRect(r.Left, r.Top + 2, r.Left + 1, r.Bottom), clBtnHighlight);
    c->SetPixel(r.Left + 1, r.Top + 1, ColorToRGB(clBtnHighlight));
    FillRectColor(c, TRect(r.Left + 2, r.Top, r.Right - 2, r.Top + 1), clBtnHighlight);
    c->SetPixel(r.Right - 2, r.Top + 1, ColorToRGB(cl3DDkShadow));
    FillRectColor(c, TRect(r.Right - 1, r.Top + 2, r.Right, r.Bottom), cl3DDkShadow);
    FillRectColor(c, TRect(r.Right - 2, r.Top + 2, r.Right - 1, r.Bottom), clBtnShadow);

    TTabSheet* page = Pages(index);
    c->Font()->Assign(*Font());
    if (!Enabled() || !page->Enabled())
        c->Font()->SetColor(clGrayText);
    c->SetBkMode(TRANSPARENT);
    TRect text = TabRect(index);
    if (selected)
        text = text.Offset(0, -1);
    c->DrawText(page->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (selected && Focused()) {
        c->SetTextColor(clBlack);
        c->SetBkColor(clWhite);
        c->DrawFocusRect(text.Inflate(-kTabPadding + 3, -2));
    }
}

void TPageControl::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    FillRectColor(c, client, Color());
    TRect frame(client.Left, TabHeight() + kSelectedRise, client.Right, client.Bottom);
    c->DrawEdge(frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i) != m_activePage)
            PaintTab(i, false);
    if (m_activePage)
        PaintTab(ActivePageIndex(), true);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft)
        return;
    const int index = IndexOfTabAt(X, Y);
    if (index < 0)
        return;
    ChangeActivePageByUser(Pages(index));
    if (CanFocus() && !Focused())
        SetFocus();
}

void TPageControl::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_RIGHT || Key == VK_LEFT) {
        SelectNextPage(Key == VK_RIGHT);
        Key = 0;
    }
}

void TPageControl::CMDialogKey(TMessage& Message)
{
    // Ctrl+Tab turns the page when the focus is on the control or inside it.
    const HWND focus = GetFocus();
    const bool inside = HandleAllocated() && focus && (focus == Handle() || IsChild(Handle(), focus));
    if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && inside) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(Message);
}

void TPageControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
