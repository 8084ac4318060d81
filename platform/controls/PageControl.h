// The page control: a row of tabs in the classic look over a framed area showing the
// active page. Clicking a tab or pressing Left and Right on the focused control turns
// the page, and Ctrl+Tab (Ctrl+Shift+Tab backwards) does so from anywhere inside it.
// OnChanging may refuse a turn the user asks for; OnChange follows every turn the
// user makes. Tabs that do not fit the width are cut off at the right.
#pragma once

#include "platform/controls/CustomControl.h"

#include <vector>

class TTabSheet;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return m_activePage; }
    // Shows the page (one of ours, with its tab visible); no OnChanging or OnChange.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next (or previous) page with a visible tab after the active one, round the
    // ends; answers whether the page turned.
    bool SelectNextPage(bool goForward);

    // Where the pages lie (client coordinates) and each visible tab's rectangle.
    TRect DisplayRect();
    TRect TabRect(int pageIndex);
    // The page whose tab holds the client point, or -1.
    int IndexOfTabAt(int X, int Y);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    friend class TTabSheet;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& rect) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMDialogKey(TMessage& Message) override;
    void FontChanged() override;

    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PageTabChanged(TTabSheet* page);
    // A turn asked by the user: OnChanging may refuse; OnChange follows.
    bool ChangeActivePageByUser(TTabSheet* page);

private:
    int TabHeight();
    void ShowActivePage();
    void PaintTab(int index, bool selected);

    std::vector<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
};
