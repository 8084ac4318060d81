#include "platform/controls/TabSheet.h"

#include "platform/controls/PageControl.h"
#include "platform/drawing/Canvas.h"

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csAcceptsControls);
    SetVisible(false);
    SetParentColor(true);
}

TTabSheet::~TTabSheet()
{
    BeforeDestruction();
    if (m_pageControl)
        m_pageControl->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TTabSheet";
}

void TTabSheet::SetPageControl(TPageControl* value)
{
    if (value == m_pageControl)
        return;
    if (m_pageControl)
        m_pageControl->RemovePage(this);
    SetParent(value);
    if (value)
        value->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!m_pageControl)
        return -1;
    for (int i = 0; i < m_pageControl->PageCount(); ++i)
        if (m_pageControl->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetPageIndex(int value)
{
    if (m_pageControl)
        m_pageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == m_tabVisible)
        return;
    m_tabVisible = value;
    if (m_pageControl)
        m_pageControl->PageTabChanged(this);
}

void TTabSheet::TextChanged()
{
    TCustomControl::TextChanged();
    if (m_pageControl)
        m_pageControl->PageTabChanged(this);
}

void TTabSheet::Paint()
{
    FillRectColor(Canvas(), ClientRect(), Color());
}
