// TCustomzqInspector: a scrollable two-column grid of lines (caption | value) in a tree.
// It holds the node tree, measures and lays out the lines (one column, or newspaper
// bands side by side), answers what lies under a point, and lays the in-place editor
// of the focused line over its value cell. It knows what a line shows only through the
// virtual node questions a derived inspector answers.
#pragma once

#include "editors/CustomzqContainer.h"
#include "inspector/InspectorNode.h"
#include "inspector/InspectorTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCanvas;
class TImageList;
class TzqInplaceEdit;
class TzqInplaceEditClass;
class TzqContainerHintWindow;

using TzqInspectorChangeNodeEvent =
    std::function<void(TObject* Sender, TzqInspectorNode* OldNode, TzqInspectorNode* Node)>;

// The parts of one line.
struct TzqInspectorLineGeometry {
    TRect Line;
    TRect Indent;
    TRect Button;   // empty for nodes without children
    TRect Image;    // empty without an image
    TRect Caption;
    TRect Value;    // empty for categories
};

class TCustomzqInspector : public TCustomzqContainer {
public:
    static constexpr int DefaultBandWidth = 200;
    static constexpr int LeastBandWidth = 43;
    static constexpr int LeastColumnWidth = 20;
    static constexpr int BandSeparatorWidth = 3;
    // Line heights are kept below this, so sums over any number of lines stay in 64 bits
    // and one band's sum in 32.
    static constexpr int MaxLineHeight = 32767;

    explicit TCustomzqInspector(TComponent* AOwner);
    ~TCustomzqInspector() override;

    // ---- Updates ----
    void BeginUpdate();
    // At 0 the layout is recomputed and the control repainted.
    void EndUpdate();
    bool IsUpdating() const { return m_updateCount > 0; }

    // ---- Nodes ----
    int Count() const { return static_cast<int>(m_nodes.size()); }
    TzqInspectorNode* Items(int Index) const;
    // A new node (CreateNode) appended to Parent's children, or to the top level.
    TzqInspectorNode* AddNode(TzqInspectorNode* Parent);
    void ClearNodes();
    TzqInspectorNode* FocusedNode() const { return m_focusedNode; }
    // Made visible, stored, the editor closed and OnChangeNode fired (only stored while
    // updating).
    void SetFocusedNode(TzqInspectorNode* Node);
    TzqInspectorNode* TopNode() const { return m_topNode; }
    // Position of the focused line among all lines; -1 without one.
    int FocusedIndex() const;
    // Clamped to the lines; a change fires OnClick.
    void SetFocusedIndex(int Index);
    int TopIndex() const;
    // Clamped to 0 .. line count - fully visible line count.
    void SetTopIndex(int Index);
    int VisibleLineCount() const { return m_visibleLineCount; }
    int FullyVisibleLineCount() const { return m_fullyVisibleLineCount; }
    // Lines of the whole expanded tree, in view or not.
    int LineCount() const;
    TzqInspectorNode* LineNode(int Index) const;
    int LineIndex(const TzqInspectorNode* Node) const;
    void FullExpand();
    void FullCollapse();

    // ---- Editing ----
    void ShowEditor();
    void HideEditor();
    void PostEditor();
    // Places, loads or closes the editor of the focused line.
    void UpdateEditor(bool Force, bool Reload);
    // Writes the editor's value back; with KeepFocus the editor stays where it is.
    void CloseEditor(bool KeepFocus);
    TzqInplaceEdit* Editor() const { return m_editor; }
    TzqInspectorNode* EditingNode() const { return m_editingNode; }
    int FocusedItemIndex() const { return m_focusedItemIndex; }
    void SetFocusedItemIndex(int Index);
    TzqInspectorMouseState MouseState() const { return m_mouseState; }

    // ---- Properties ----
    int BandWidth() const { return m_bandWidth; }
    void SetBandWidth(int Value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    // The window is made again.
    void SetBorderStyle(TBorderStyle Value);
    const std::string& ComplexRowSeparator() const { return m_complexRowSeparator; }
    void SetComplexRowSeparator(const std::string& Value);
    int DividerPos() const { return m_dividerPos; }
    void SetDividerPos(int Value);
    bool Flat() const { return FlatScrollBars(); }
    void SetFlat(bool Value) { SetFlatScrollBars(Value); }
    TColor GridColor() const { return m_gridColor; }
    void SetGridColor(TColor Value);
    bool IsGridColorStored() const;
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* Value);
    int MaxRowTextLineCount() const { return m_maxRowTextLineCount; }
    void SetMaxRowTextLineCount(int Value);
    int MinBandWidth() const { return m_minBandWidth; }
    void SetMinBandWidth(int Value);
    int MinColumnWidth() const { return m_minColumnWidth; }
    void SetMinColumnWidth(int Value);
    TzqDBInspectorOptions Options() const { return m_options; }
    void SetOptions(TzqDBInspectorOptions Value);
    // The word the inspector works on (zqInspectorOption bits).
    uint16_t OptionWord() const { return m_optionWord; }
    TzqInspectorPaintStyle PaintStyle() const { return m_paintStyle; }
    void SetPaintStyle(TzqInspectorPaintStyle Value);
    int RowHeight() const { return m_rowHeight; }
    // Never below the default line height; equal to it, it counts as not set.
    void SetRowHeight(int Value);
    bool IsRowHeightStored() const { return m_rowHeightAssigned; }
    bool ShowRowHint() const { return m_showRowHint; }
    // True switches the control's own ShowHint off.
    void SetShowRowHint(bool Value);
    TColor ValueColor() const { return m_valueColor; }
    void SetValueColor(TColor Value);
    // The value text colour painted: ValueColor, inverted on a black button face.
    TColor EffectiveValueColor() const;
    // The category under the mouse (ipsCategorized), drawn raised.
    TzqInspectorNode* HotNode() const { return m_hotNode; }
    // The line the left button holds down.
    TzqInspectorNode* PressedNode() const { return m_pressedNode; }
    // The window row hints show in (null until the first one).
    TzqContainerHintWindow* RowHintWindow() const;

    // ---- Metrics ----
    // Runs the measuring (not while loading), the layout, the scroll bars and a repaint.
    void RefreshMetrics();
    int IndentWidth() const { return m_indentWidth; }
    int CategoryButtonWidth() const { return m_categoryButtonWidth; }
    int GridLineWidth() const { return m_gridLineWidth; }
    int CellMargin() const { return m_cellMargin; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    int SingleLineHeight() const { return m_singleLineHeight; }
    int SeparatorWidth() const { return m_separatorWidth; }

    // ---- Layout ----
    void RecalcLayout();
    // The lines may have moved or changed height: layout, scroll bars, repaint (once at
    // the end of an update).
    void RelayoutAndPaint();
    bool BandMode() const { return (m_optionWord & zqInspectorOption::BandLayout) != 0; }
    int BandCount() const { return m_bandCount; }
    int FullBandCount() const { return m_fullBandCount; }
    int VisibleBandCount() const { return m_visibleBandCount; }
    int FirstBand() const { return m_firstBand; }
    // Kept within 0 .. band count - fully visible bands.
    void SetFirstBand(int Value);
    // The band width a band-edge drag released at X gives, for a drag that began at the
    // edge of StartBand (the bands may have scrolled meanwhile).
    int BandWidthAfterDrag(int X, int StartBand) const;
    // The line's rectangle in the client area; empty when the line is not in view.
    TRect LineRect(const TzqInspectorNode* Node) const;
    TzqInspectorLineGeometry LineGeometry(const TzqInspectorNode* Node, const TRect& Line);
    // The value cell of the node (for a complex row the cell of the item).
    TRect EditorRect(const TzqInspectorNode* Node, int ItemIndex);
    TzqInspectorHitInfo GetHitInfo(TPoint Point);
    // The height of the node's line.
    int NodeHeight(const TzqInspectorNode* Node) { return ClampHeight(GetNodeHeight(Node)); }

    TzqInspectorChangeNodeEvent OnChangeNode;

    void WndProc(TMessage& Message) override;

    // ---- Host answers ----
    bool CanEditModify() override { return true; }
    bool CanEditAcceptKey(char32_t) override { return true; }
    std::unique_ptr<TzqEditStyle> CreateEditStyle(TzqInplaceEdit* Edit) override;
    bool EmulateEditDblClick() override { return true; }
    bool EditWantsTab() override;
    void EditKeyDown(WORD& Key, TShiftState Shift) override;
    void EditFocusChanged() override;

protected:
    // ---- Node questions ----
    virtual int GetNodeHeight(const TzqInspectorNode* Node);
    virtual void GetNodeTexts(const TzqInspectorNode* Node, std::string& Caption, std::string& Value);
    virtual bool IsCategory(const TzqInspectorNode* Node) { return false; }
    virtual bool IsComplex(const TzqInspectorNode* Node) { return false; }
    virtual int GetImageIndex(const TzqInspectorNode* Node) { return -1; }
    virtual TzqInspectorNode* CreateNode();
    virtual const TzqInplaceEditClass* GetEditorClass(const TzqInspectorNode* Node);
    virtual void InitEditor(TzqInplaceEdit* Edit);
    virtual void LoadEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value);
    virtual void SaveEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value);
    virtual void DrawCaption(const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect, const std::string& Text);
    virtual void DrawValue(const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect);
    // Lets handlers draw a caption (IsValue false) or value cell instead; Color is the
    // cell's brush colour, which they may change. True: drawn, nothing more to do.
    virtual bool CustomDrawCell(const TzqInspectorNode* Node, bool IsValue, TCanvas* Canvas, const TRect& Rect,
                                std::string& Text, TColor& Color)
    {
        return false;
    }
    virtual void SetNodeHeight(TzqInspectorNode* Node, int Height) {}
    // The least height the node's row needs (the default line height takes the largest).
    virtual int GetNodeMinHeight(const TzqInspectorNode* Node, TCanvas* Canvas);
    // The item cells of a complex line's caption or value cell: one rectangle per item,
    // left to right, with the separator gaps between them.
    virtual std::vector<TRect> ComplexItemRects(const TzqInspectorNode* Node, const TRect& Cell) { return {}; }
    // The measured value height with dioRowAutoHeight (0: none of its own).
    virtual int MeasureAutoHeight(const TzqInspectorNode* Node, int ValueWidth) { return 0; }
    virtual bool CanShowEditor();
    // The hint over a caption or value cell (Item: of a complex line, or -1): a row's
    // own hint (Delayed) or the full text the cell cuts off.
    virtual bool GetRowHint(const TzqInspectorNode* Node, bool IsValue, int Item, const TRect& Cell,
                            std::string& Text, bool& Delayed)
    {
        return false;
    }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // True while a customization window is open (there is none yet).
    virtual bool CustomizingOpen() const { return false; }

    // Takes a new node into the tree at the end of Parent's children (or the top level).
    void AdoptNode(TzqInspectorNode* Node, TzqInspectorNode* Parent);
    void SetMouseState(TzqInspectorMouseState Value) { m_mouseState = Value; }
    int ClampHeight(int Height) const;
    // Runs a callback on a memory canvas carrying the control's font.
    template <typename F>
    auto WithMeasureCanvas(F&& f);

    void Paint() override;
    void Loaded() override;
    void FontChanged() override;
    void Resize() override;
    void WindowCreated() override;
    void CreateParams(TCreateParams& Params) override;
    void DoExit() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // A node is going: the top and focused lines move to Prev (or Next).
    virtual void NodeDestroyed(TzqInspectorNode* Node, TzqInspectorNode* Prev, TzqInspectorNode* Next);

private:
    friend class TzqInspectorNode;

    void CalcMetrics(TCanvas* Canvas);
    void LayoutLines();
    void LayoutBands(const std::vector<TzqInspectorNode*>& Lines);
    void UpdateScrollBars();
    void ScrollVertical(int Code, int TrackPos);
    void ScrollHorizontal(int Code, int TrackPos);
    void MakeNodeVisible(TzqInspectorNode* Node);
    // All lines of the expanded tree in display order.
    std::vector<TzqInspectorNode*> AllLines() const;
    // The same, from the last layout where that is current.
    const std::vector<TzqInspectorNode*>& CurrentLines() const;
    int BandOfLine(int LineIndex) const;
    void LoadEditor();
    void InvalidateNode(const TzqInspectorNode* Node);
    void ApplyDividerPos(int Value);
    // Band mode: the band under x (or -1 beyond all bands) and whether x is on an edge.
    int BandAt(int X, bool& OnEdge) const;
    void HitInLine(const TzqInspectorNode* Node, const TRect& Line, TPoint Point, TzqInspectorHitInfo& Info);

    // ---- Keys (CustomzqInspectorKeyboard.cpp) ----
    int ComplexItemCount(const TzqInspectorNode* Node);
    // The key would leave the first or last line, where there is nowhere to go.
    bool KeyAtEdge(WORD Key, TShiftState Shift);
    void NavigateByKey(WORD Key, TShiftState Shift);
    void TabToItem(bool Backward);
    bool CategoryKeys(WORD& Key, TShiftState Shift);
    void GetDialogCode(TMessage& Message);

    // ---- Mouse (CustomzqInspectorMouse.cpp) ----
    bool IsSizing() const;
    bool HasFocusInside();
    void PressAt(TMouseButton Button, TShiftState Shift, int X, int Y);
    void PressLine(const TzqInspectorHitInfo& Hit, bool DoubleClick, int X, int Y);
    void FocusLastLine(int Band);
    // Ends a press or drag: timer stopped, state and pressed line cleared.
    void EndPress();
    void MovePressed(TShiftState Shift, int X, int Y);
    void SetHotNode(TzqInspectorNode* Node);
    void TrackHotNode(TPoint Point);
    void PressTimer();
    void ReleasePress(int X, int Y);
    int SizingBandLeft() const;
    int ClampedDivider(int X) const;
    int ClampedSizingY(int Y);
    void BeginSizing(TzqInspectorMouseState State, const TzqInspectorHitInfo& Hit, int X, int Y);
    void MoveSizing(int X, int Y);
    void FinishSizing(int X, int Y);
    void CancelSizing();
    void DrawSizingLine(int Pos);
    void EraseSizingLine();
    void XorSizingLine(int Pos);
    TCursor CursorAt(TPoint Point);
    bool HandleInputMessage(TMessage& Message);
    // The divider width dioAutoWidth keeps the divider's fraction of.
    int AutoWidthReference() const;

    // ---- Row hints (CustomzqInspectorHints.cpp) ----
    void UpdateRowHint(TPoint Point);
    void ActivateRowHint();
    void HideRowHint();
    void ResetRowHint();
    bool HandleHintMessage(TMessage& Message);

    // ---- Painting (CustomzqInspectorPaint.cpp) ----
    struct TPaintContext;
    struct TVisibleLine;
    void PaintFocusFrame(TPaintContext& Context);
    void PaintBands(TPaintContext& Context);
    void PaintLine(TPaintContext& Context, const TVisibleLine& Line);
    void PaintGridLine(TPaintContext& Context, const TVisibleLine& Line);
    void PaintIndent(TPaintContext& Context, const TVisibleLine& Line, const TzqInspectorLineGeometry& Geometry);
    // The shadow under a category (or a data line's margin frames), or its edges.
    void PaintCategoryFrame(TPaintContext& Context, const TVisibleLine& Line, bool Edges);
    void PaintExpandButton(TPaintContext& Context, const TzqInspectorNode* Node, const TRect& Button);
    void PaintCaption(TPaintContext& Context, const TVisibleLine& Line, const TzqInspectorLineGeometry& Geometry);
    void PaintDivider(TPaintContext& Context, const TVisibleLine& Line);
    void PaintValue(TPaintContext& Context, const TVisibleLine& Line, const TzqInspectorLineGeometry& Geometry);

    std::vector<TzqInspectorNode*> m_nodes; // owned top-level nodes
    int32_t m_updateCount = 0;
    bool m_metricsPending = false;
    TzqInspectorNode* m_focusedNode = nullptr;
    TzqInspectorNode* m_topNode = nullptr;
    TzqInspectorMouseState m_mouseState = TzqInspectorMouseState::msNone;
    TzqInspectorNode* m_hotNode = nullptr;
    TzqInspectorNode* m_pressedNode = nullptr;
    TPoint m_pressPoint;
    // What a press on a value cell remembered for the click-through on release.
    TzqInspectorNode* m_clickNode = nullptr;
    TzqInplaceEdit* m_clickEditor = nullptr;
    int m_clickItem = -1;
    // Sizing: the value at its start, the band it began in, the line sized, the line
    // drawn (-1: none) and whether the value changed while dragging.
    int m_sizeStartValue = 0;
    int m_sizeStartBand = 0;
    TzqInspectorNode* m_sizeNode = nullptr;
    int m_sizeLine = -1;
    bool m_sizeChangedLive = false;
    // dioAutoWidth: the divider and the width it was set at.
    int m_autoDivider = 0;
    int m_autoWidth = 0;
    bool m_inResize = false;
    // Row hints: the window, the cell the hint belongs to, and the hint waiting to show.
    TzqContainerHintWindow* m_hintWindow = nullptr;
    TzqInspectorNode* m_hintNode = nullptr;
    TzqInspectorHitKind m_hintKind = TzqInspectorHitKind::ihtOutside;
    int m_hintItem = -1;
    std::string m_hintText;
    TPoint m_hintPoint;

    // Metrics
    int m_indentWidth = 6;
    int m_categoryButtonWidth = 10;
    int m_gridLineWidth = 1;
    int m_cellMargin = 0;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_defaultRowHeight = 18;
    int m_singleLineHeight = 18;
    int m_separatorWidth = 0;

    // Layout
    int m_visibleLineCount = 0;
    int m_fullyVisibleLineCount = 0;
    struct TVisibleLine {
        TzqInspectorNode* Node;
        TRect Rect;
        int Band;
    };
    // The lines in view with their rectangles, and the band of every line (band mode).
    std::vector<TVisibleLine> m_visible;
    std::vector<int> m_lineBands;
    std::vector<TzqInspectorNode*> m_lines;
    mutable std::vector<TzqInspectorNode*> m_updatingLines;
    // Counts layouts: a paint whose lines were laid out again under it stops.
    uint32_t m_layoutGeneration = 0;
    int m_bandCount = 1;
    int m_fullBandCount = 1;
    int m_visibleBandCount = 1;
    int m_firstBand = 0;

    // Editing
    TzqInplaceEdit* m_editor = nullptr;
    TzqInspectorNode* m_editingNode = nullptr;
    int m_focusedItemIndex = -1;
    int m_editingItemIndex = -1;
    bool m_closingEditor = false;

    // Properties
    int m_bandWidth = DefaultBandWidth;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    std::string m_complexRowSeparator;
    int m_dividerPos = 75;
    TColor m_gridColor = clBtnShadow;
    TImageList* m_images = nullptr;
    int m_maxRowTextLineCount = 3;
    int m_minBandWidth = LeastBandWidth;
    int m_minColumnWidth = 30;
    TzqDBInspectorOptions m_options = zqDefaultInspectorOptions;
    uint16_t m_optionWord = zqInspectorOption::Default;
    TzqInspectorPaintStyle m_paintStyle = TzqInspectorPaintStyle::ipsStandard;
    int m_rowHeight = 18;
    bool m_rowHeightAssigned = false;
    bool m_showRowHint = false;
    TColor m_valueColor = clNavy;
};
