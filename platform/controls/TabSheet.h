// A page of a page control: a container whose Caption is its tab's text. Only the
// active page is shown; TabVisible hides a page's tab (and the page) without taking it
// out of the page control.
#pragma once

#include "platform/controls/CustomControl.h"

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return m_pageControl; }
    // Moves the page into a page control (null takes it out).
    void SetPageControl(TPageControl* value);
    // The place among the page control's pages.
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
    bool m_tabVisible = true;
};
