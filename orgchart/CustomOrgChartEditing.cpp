// TzqCustomOrgChart: the seam of in-place caption editing. The chart decides when
// editing starts and ends (ShowEditor, HideEditor) and makes its editor through the
// virtual CreateEditor, which a descendant extends (the data-bound chart limits the
// text length there). The editor control itself, TzqOcInplaceEdit, is not part of this
// library yet: CreateEditor answers none, so ShowEditor stops after its checks,
// OnEditing and bringing the node into view, and no editor is ever showing.
#include "orgchart/CustomOrgChart.h"

TzqOcInplaceEdit* TzqCustomOrgChart::CreateEditor()
{
    return nullptr;
}

bool TzqCustomOrgChart::IsEditing() const
{
    return m_editor != nullptr && m_editorShowing;
}

void TzqCustomOrgChart::ShowEditor()
{
    if (!m_options.contains(TzqOcOption::ocEdit) || IsEditing() || ScaleInEffect() || !m_selected)
        return;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, m_selected, allow);
    if (!allow)
        return;
    m_selected->MakeVisible();
    if (!m_editor)
        m_editor = CreateEditor();
    if (!m_editor)
        return;
    m_editorShowing = true;
}

void TzqCustomOrgChart::HideEditor(bool Accept)
{
    if (!IsEditing())
        return;
    m_editorShowing = false;
}

void TzqCustomOrgChart::FreeEditor()
{
    // The editor is a component owned by the chart and is freed with it.
    m_editor = nullptr;
    m_editorShowing = false;
}

void TzqCustomOrgChart::EditModeChanged()
{
    // The editor's window styles follow EditMode; it is made again when it exists.
}
