#include "inspector/InspectorMaskRow.h"

const TzqInplaceEditClass& TzqInspectorMaskEdit::StaticClass()
{
    static const TzqInplaceEditClassOf<TzqInspectorMaskEdit, TzqInplaceMaskEditClass> instance;
    return instance;
}

std::string TzqInspectorMaskRow::EditMask() const
{
    return m_editMaskAssigned ? m_editMask : GetDefaultEditMask();
}

void TzqInspectorMaskRow::SetEditMask(const std::string& Value)
{
    m_editMask = Value;
    m_editMaskAssigned = true;
    LayoutChanged();
}

bool TzqInspectorMaskRow::IsEditMaskStored() const
{
    return m_editMaskAssigned && m_editMask != GetDefaultEditMask();
}

const TzqInplaceEditClass& TzqInspectorMaskRow::GetEditorClass() const
{
    return TzqInspectorMaskEdit::StaticClass();
}

void TzqInspectorMaskRow::InitEditor(TzqInplaceEdit* Editor)
{
    TzqInspectorTextRow::InitEditor(Editor);
    if (auto* mask = dynamic_cast<TzqInplaceMaskEdit*>(Editor))
        mask->SetEditMask(EditMask());
}

void TzqInspectorMaskRow::LoadEditor(TzqInplaceEdit* Editor, Variant& Value)
{
    std::string text;
    GetValueText(text);
    Editor->SetEditValue(Variant(text));
    Editor->GetEditValue(Value);
}

void TzqInspectorMaskRow::ReadEditorValue(TzqInplaceEdit* Editor, Variant& Value)
{
    Variant edited;
    Editor->GetEditValue(edited);
    SetValueText(edited.IsClear() ? std::string() : edited.AsString());
    std::string text;
    GetValueText(text);
    Value = Variant(text);
}

void TzqInspectorMaskRow::RestoreDefaults()
{
    TzqInspectorTextRow::RestoreDefaults();
    m_editMask.clear();
    m_editMaskAssigned = false;
    m_ignoreMaskBlank = false;
}
