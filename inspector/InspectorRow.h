// TzqInspectorRow: the base of a row of a row-based inspector. A row supplies the
// caption, the value text and the in-place editor of its line; the inspector only lays
// rows out. Caption, read-only, maximum length and row height remember whether they were
// set; while not set they follow their defaults (which derived rows take from elsewhere).
#pragma once

#include "editors/EditViewData.h"
#include "editors/InplaceEdit.h"
#include "platform/controls/EditBuffer.h"
#include "platform/core/Component.h"
#include "platform/data/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TBrush;
class TCanvas;
class TCustomzqInspectorControl;
class TFont;
class TzqInspectorCellViewData;
class TzqInspectorRowNode;

class TzqInspectorRow : public TComponent {
public:
    // Bits of AssignedValues().
    static constexpr uint8_t avCaption = 0x01;
    static constexpr uint8_t avReadOnly = 0x02;
    static constexpr uint8_t avMaxLength = 0x04;
    static constexpr uint8_t avRowHeight = 0x08;

    explicit TzqInspectorRow(TComponent* AOwner);
    ~TzqInspectorRow() override;

    TCustomzqInspectorControl* Inspector() const { return m_inspector; }
    // Attaches the row to an inspector (a visible row gets a line at the end of the top
    // level), or detaches it with null.
    void SetInspector(TCustomzqInspectorControl* Value);
    TzqInspectorRowNode* Node() const { return m_node; }

    // ---- Properties ----
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Value);
    std::string Caption() const;
    void SetCaption(const std::string& Value);
    bool IsCaptionStored() const;
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase Value);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& Value) { m_hint = Value; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    bool IsCategory() const { return m_isCategory; }
    void SetIsCategory(bool Value);
    int MaxLength() const;
    void SetMaxLength(int Value);
    bool IsMaxLengthStored() const { return (m_assigned & avMaxLength) != 0; }
    // True also when the inspector makes its editors read-only.
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    bool IsReadOnlyStored() const;
    // The larger of the own height and the inspector's line height.
    int RowHeight() const;
    // A height not above the inspector's line height is not kept.
    void SetRowHeight(int Value);
    bool IsRowHeightStored() const { return (m_assigned & avRowHeight) != 0; }
    // The height set on the row (0 when none).
    int OwnRowHeight() const { return IsRowHeightStored() ? m_rowHeight : 0; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool Value) { m_showHint = Value; }
    char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t Value);
    bool Visible() const { return m_visible; }
    // Hiding removes the row's line and the lines below it; showing appends a new line at
    // the end of the top level.
    void SetVisible(bool Value);
    uint8_t AssignedValues() const { return m_assigned; }

    // ---- Operations the inspector calls ----
    virtual void Changed();
    virtual void DoEdited();
    virtual void DoValidate(std::string& ErrorText, bool& Accept);
    virtual void GetDisplayText(std::string& Text) = 0;
    virtual int GetDataSize() { return 0; }
    virtual void GetFieldEditMask(std::string& Mask) { Mask.clear(); }
    virtual void GetValueText(std::string& Text) = 0;
    virtual int GetMinHeight(TCanvas* Canvas);
    virtual void SetValueText(const std::string& Text) = 0;
    virtual void ReadEditorValue(TzqInplaceEdit* Editor, Variant& Value);
    virtual const TzqInplaceEditClass& GetEditorClass() const;
    virtual void InitEditor(TzqInplaceEdit* Editor);
    virtual void LoadEditor(TzqInplaceEdit* Editor, Variant& Value);
    virtual bool ValueEquals(const Variant& Value);
    // The value (or caption) as a hint text; true when it is wider than Rect (only while
    // the inspector has a window).
    virtual bool GetHintText(bool IsValue, const TRect& Rect, std::string& Text);
    virtual void FillViewData(TzqEditViewData& ViewData, const TzqInspectorCellViewData& Cell);
    virtual void GetDefaultCaption(std::string& Caption) const { Caption.clear(); }
    virtual int GetDefaultMaxLength() const { return 0; }
    virtual bool GetDefaultReadOnly() const { return false; }
    virtual int GetDefaultRowHeight() const;
    virtual bool CanModify() { return true; }
    virtual bool IsValidChar(char32_t Key) { return true; }
    virtual void RestoreDefaults();
    // Copies the common properties of another row inside one update of the inspector.
    virtual void Assign(const TzqInspectorRow& Source);

    // OnDrawCaption / OnDrawValue with the brush colour as AColor, written back.
    void DoDrawCaption(TCanvas* Canvas, const TRect& Rect, std::string& Text, TFont* Font, TBrush* Brush, bool& Done);
    void DoDrawValue(TCanvas* Canvas, const TRect& Rect, std::string& Text, TFont* Font, TBrush* Brush, bool& Done);

    // The view data this row paints its value with (of its editor class's kind).
    TzqEditViewData& ViewData();

    TNotifyEvent OnChange;
    TzqEditValidateEvent OnValidate;
    // Custom drawing of the row's caption or value cell; ADone skips the own drawing.
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, std::string& AText, TFont* AFont,
                       TColor& AColor, bool& ADone)>
        OnDrawCaption, OnDrawValue;

protected:
    // Relayout of the inspector after a change that can move lines.
    void LayoutChanged();
    // The assigned-values copy of Assign.
    virtual void AssignRow(const TzqInspectorRow& Source);

private:
    friend class TCustomzqInspectorControl;
    friend class TzqInspectorRowNode;

    TCustomzqInspectorControl* m_inspector = nullptr;
    TzqInspectorRowNode* m_node = nullptr;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    std::string m_caption;
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    std::string m_hint;
    int m_imageIndex = -1;
    bool m_isCategory = false;
    int m_maxLength = 0;
    bool m_readOnly = false;
    int m_rowHeight = 0;
    bool m_showHint = false;
    uint8_t m_assigned = 0;
    char32_t m_passwordChar = 0;
    std::unique_ptr<TzqEditViewData> m_viewData;
    bool m_visible = true;
};
