#include "demo/FindBox.h"

#include "orgchart/CustomOrgChart.h"
#include "platform/controls/CustomEdit.h"
#include "platform/controls/Label.h"
#include "platform/core/VirtualKeys.h"

TFindBox::TFindBox(TComponent* AOwner, TWinControl* AParent, TzqCustomOrgChart* AChart)
    : TPanel(AOwner), m_chart(AChart)
{
    SetName("FindBox");
    SetParent(AParent);
    SetBevelOuter(TBevelCut::bvNone);
    SetCaption("");
    SetHeight(28);
    SetAlign(TAlign::alTop);
    SetVisible(false);

    auto* prompt = new TLabel(this);
    prompt->SetParent(this);
    prompt->SetCaption("Find:");
    prompt->SetBounds(8, 7, 32, 16);

    m_edit = new TEdit(this);
    m_edit->SetName("FindText");
    m_edit->SetParent(this);
    m_edit->SetBounds(44, 3, 220, 22);
    m_edit->OnChange = [this](TObject*) { Search(true, true); };
    m_edit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { EditKeyDown(Key, Shift); };

    m_status = new TLabel(this);
    m_status->SetName("FindStatus");
    m_status->SetParent(this);
    m_status->SetCaption("");
    m_status->SetBounds(274, 7, 400, 16);
}

std::string TFindBox::Status() const
{
    return m_status->Caption();
}

void TFindBox::SetStatus(const std::string& Text)
{
    m_status->SetCaption(Text);
}

void TFindBox::Open()
{
    SetVisible(true);
    m_edit->SetFocus();
    m_edit->SelectAll();
}

void TFindBox::Close()
{
    SetVisible(false);
    SetStatus("");
    if (m_chart->CanFocus())
        m_chart->SetFocus();
}

void TFindBox::FindNext(bool Forward)
{
    if (m_edit->Text().empty()) {
        Open();
        return;
    }
    Search(Forward, false);
}

void TFindBox::Search(bool Forward, bool IncludeSelected)
{
    const std::string text = m_edit->Text();
    if (text.empty()) {
        SetStatus("");
        return;
    }
    bool wrapped = false;
    TzqOcNode* found = m_chart->FindNode(text, m_chart->Selected(), Forward, IncludeSelected, &wrapped);
    if (!found) {
        SetStatus("No node's caption contains \"" + text + "\".");
        return;
    }
    m_chart->RevealNode(found);
    SetStatus(!wrapped ? "" : Forward ? "Passed the last node; continued from the first."
                                      : "Passed the first node; continued from the last.");
}

void TFindBox::EditKeyDown(WORD& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_RETURN:
        Search(!Shift.contains(TShiftStateFlag::ssShift), false);
        Key = 0;
        break;
    case VK_ESCAPE:
        Close();
        Key = 0;
        break;
    default:
        break;
    }
}
