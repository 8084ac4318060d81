// TzqInspectorMaskRow: a text row edited through a mask editor. The mask, while not
// set, follows GetDefaultEditMask (empty here; data-bound rows take the field's).
//
// TzqInspectorMaskEdit is the mask editor class of these rows, so the inspector's editor
// cache keeps one mask editor apart from the plain text editor.
#pragma once

#include "editors/InplaceMaskEdit.h"
#include "inspector/InspectorTextRow.h"

class TzqInspectorMaskEdit : public TzqInplaceMaskEdit {
public:
    using TzqInplaceMaskEdit::TzqInplaceMaskEdit;
    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override { return StaticClass(); }
};

class TzqInspectorMaskRow : public TzqInspectorTextRow {
public:
    using TzqInspectorTextRow::TzqInspectorTextRow;

    std::string EditMask() const;
    void SetEditMask(const std::string& Value);
    bool IsEditMaskStored() const;
    bool IgnoreMaskBlank() const { return m_ignoreMaskBlank; }
    void SetIgnoreMaskBlank(bool Value) { m_ignoreMaskBlank = Value; }

    virtual std::string GetDefaultEditMask() const { return {}; }

    const TzqInplaceEditClass& GetEditorClass() const override;
    void InitEditor(TzqInplaceEdit* Editor) override;
    // The text goes through the editor's masked setter; the masked text is reported.
    void LoadEditor(TzqInplaceEdit* Editor, Variant& Value) override;
    // The editor's masked text is stored.
    void ReadEditorValue(TzqInplaceEdit* Editor, Variant& Value) override;
    void RestoreDefaults() override;

private:
    std::string m_editMask;
    bool m_editMaskAssigned = false;
    bool m_ignoreMaskBlank = false;
};
