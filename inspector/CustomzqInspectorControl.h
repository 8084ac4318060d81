// TCustomzqInspectorControl: the inspector whose lines are rows (TzqInspectorRow)
// owned by the form. It answers the node questions from the rows, keeps one editor per
// editor class, and reads and writes the layout of its tree as the "Data" stream.
#pragma once

#include "inspector/CustomzqInspector.h"
#include "editors/InplaceEdit.h"
#include "inspector/InspectorCellViewData.h"
#include "platform/drawing/Font.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TzqInspectorComplexRow;
class TzqInspectorRow;
struct TzqInspectorLayoutData;

using TzqInspectorEditingEvent =
    std::function<void(TObject* Sender, TzqInspectorNode* Node, TzqInspectorRow* Row, bool& Allow)>;
using TzqInspectorEditedEvent = std::function<void(TObject* Sender, TzqInspectorNode* Node, TzqInspectorRow* Row)>;
// Custom drawing of a caption or value cell (Sender: the row); ADone skips the
// inspector's own drawing.
using TzqInspectorRowDrawValue = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                                                    std::string& AText, TFont* AFont, TColor& AColor, bool& ADone)>;
using TzqInspectorGetEditColor = std::function<void(TObject* Sender, TColor& AColor)>;
using TzqInspectorGetEditFont = std::function<void(TObject* Sender, TFont& AFont)>;
// Makes a row of one kind, owned by AOwner.
using TzqInspectorRowClass = TzqInspectorRow* (*)(TComponent* AOwner);
template <typename T>
TzqInspectorRow* NewInspectorRowOf(TComponent* AOwner)
{
    return new T(AOwner);
}

class TCustomzqInspectorControl : public TCustomzqInspector {
public:
    explicit TCustomzqInspectorControl(TComponent* AOwner);
    ~TCustomzqInspectorControl() override;

    // A row owned by the inspector's owner, named <inspector>Row<n> with the first free n
    // from the row count + 1, attached to this inspector.
    TzqInspectorRow* CreateRow(TzqInspectorRowClass RowClass);
    template <typename T>
    T* CreateRow()
    {
        return static_cast<T*>(CreateRow(&NewInspectorRowOf<T>));
    }
    // Case-insensitive; null when none.
    TzqInspectorRow* FindRow(const std::string& Name) const;
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    TzqInspectorRow* Rows(int Index) const;
    int VisibleRowCount() const;
    static TzqInspectorRow* RowOfNode(const TzqInspectorNode* Node);
    // The row whose value the editor edits now: for a complex line the focused item's row.
    TzqInspectorRow* EditingRow(const TzqInspectorNode* Node) const;

    // ---- The layout stream ----
    // Written only with nodes and rows that are stored with the form.
    virtual bool StoresData() const;
    std::vector<uint8_t> WriteData() const;
    TzqInspectorLayoutData LayoutData() const;
    // Kept while loading and applied when loading ends; otherwise applied at once.
    void ReadData(const std::vector<uint8_t>& Bytes);
    // Reorders, nests and expands the lines as the layout says; a row it names that the
    // inspector lacks ends it where it stands.
    void ApplyLayoutData(const TzqInspectorLayoutData& Data);

    const Variant& LastWrittenValue() const { return m_lastValue; }
    // The next write-back writes the editor's value even when it is not modified.
    void SetForceWrite(bool Value) { m_forceWrite = Value; }
    virtual bool RowValueEquals(const Variant& Value, TzqInspectorRow* Row) { return false; }

    TColor GetEditColor() override;
    const TFont* GetEditFont() override;

    TzqInspectorEditingEvent OnEditing;
    TNotifyEvent OnEditChange;
    TzqInspectorEditedEvent OnEdited;
    TzqEditValidateEvent OnEditValidate;
    TzqInspectorGetEditColor OnGetEditColor;
    TzqInspectorGetEditFont OnGetEditFont;
    TzqInspectorRowDrawValue OnDrawCaption;
    TzqInspectorRowDrawValue OnDrawValue;

protected:
    int GetNodeHeight(const TzqInspectorNode* Node) override;
    void GetNodeTexts(const TzqInspectorNode* Node, std::string& Caption, std::string& Value) override;
    bool IsCategory(const TzqInspectorNode* Node) override;
    bool IsComplex(const TzqInspectorNode* Node) override;
    int GetImageIndex(const TzqInspectorNode* Node) override;
    const TzqInplaceEditClass* GetEditorClass(const TzqInspectorNode* Node) override;
    void InitEditor(TzqInplaceEdit* Edit) override;
    void LoadEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value) override;
    void SaveEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value) override;
    void DrawValue(const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect) override;
    bool CustomDrawCell(const TzqInspectorNode* Node, bool IsValue, TCanvas* Canvas, const TRect& Rect,
                        std::string& Text, TColor& Color) override;
    void SetNodeHeight(TzqInspectorNode* Node, int Height) override;
    int GetNodeMinHeight(const TzqInspectorNode* Node, TCanvas* Canvas) override;
    std::vector<TRect> ComplexItemRects(const TzqInspectorNode* Node, const TRect& Cell) override;
    int MeasureAutoHeight(const TzqInspectorNode* Node, int ValueWidth) override;
    bool CanShowEditor() override;
    bool GetRowHint(const TzqInspectorNode* Node, bool IsValue, int Item, const TRect& Cell, std::string& Text,
                    bool& Delayed) override;
    void Loaded() override;

private:
    friend class TzqInspectorRow;
    friend class TzqInspectorComplexRowItem;

    void AttachRow(TzqInspectorRow* Row);
    void DetachRow(TzqInspectorRow* Row);
    // A line for a visible row at the end of the top level (unless a complex row shows
    // it), or none for a hidden one.
    void ShowRowLine(TzqInspectorRow* Row, bool Show);
    bool ShownInComplexRow(const TzqInspectorRow* Row) const;
    void DrawRowValue(TzqInspectorRow* Row, const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect);

    std::vector<TzqInspectorRow*> m_rows; // owned by the form
    std::vector<TzqInspectorComplexRow*> m_complexRows; // those of m_rows
    Variant m_lastValue;
    std::unique_ptr<TFont> m_editFont;
    std::vector<uint8_t> m_pendingData;
    bool m_hasPendingData = false;
    bool m_forceWrite = false;
    TzqInspectorCellViewData m_cellViewData;
};
