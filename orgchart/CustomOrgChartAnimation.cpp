// TzqCustomOrgChart: preparing the animation of an expansion or collapse. Before the
// node changes, the positioning pass records every node's place as its start position;
// the repaint that follows moves the boxes from there to their new places in 16 frames.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/Bitmap.h"

bool TzqCustomOrgChart::PrepareAnimation(TzqOcNode* Node)
{
    if (m_animationSuppressed || !m_options.contains(TzqOcOption::ocAnimate) || !HandleAllocated() ||
        !Node->IsVisible())
        return false;
    m_animatedNode = Node;
    const TRect client = ClientRect();
    PositionNodes(ToScreen(TRect64::From(client)), true);
    if (!m_animationBitmap)
        m_animationBitmap = std::make_unique<TBitmap>(Width(), Height());
    return true;
}
