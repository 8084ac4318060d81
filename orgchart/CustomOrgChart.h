// TzqCustomOrgChart: a windowed control showing a tree of TzqOcNode boxes as an
// organisation chart, each parent above its children and children side by side,
// joined by lines. It owns the nodes, the selection and the layout: subtree extents
// (cached per node at full size), the positioning pass, slot rectangles, the zoom that
// shrinks the drawing into the window, the rotation that grows it from left to right,
// and scrolling. Painting and mouse and keyboard handling live in their own files.
//
// The layout works in layout coordinates: "across" is the direction in which siblings
// follow one another, "down" the direction from parent to children. Without Rotated
// across is the screen's x; with Rotated the two are exchanged. All layout arithmetic is
// 64-bit; what is handed to the platform saturates at the 32-bit limits.
//
// The operations a data-bound descendant overrides (InsertNode, MoveNode, DeleteNode,
// NodeChanged, Change, Changing, CreateNode, CreateEditor, ShowEditor) are virtual and
// carry out the whole base behaviour when called from the override.
#pragma once

#include "orgchart/OcGeometry.h"
#include "orgchart/OcExportOptions.h"
#include "orgchart/OcNode.h"
#include "orgchart/OcTypes.h"
#include "platform/controls/CustomControl.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TBitmap;
class TChangeLink;
class TProgressIndicator;
class TImageList;
class TzqOcInplaceEdit;

class TzqCustomOrgChart : public TCustomControl {
public:
    explicit TzqCustomOrgChart(TComponent* AOwner);
    ~TzqCustomOrgChart() override;

    // ---- Tree ----
    TzqOcNode* RootNode() const { return m_root; }
    // Nodes linked into the chart at all levels (the root is not counted).
    int Count() const { return m_count; }
    // Top-level node at Index; none outside 0..top-level count - 1.
    TzqOcNode* Items(int Index) const;
    TzqOcNode* GetFirstNode() const;
    // The last node in tree order (the deepest last child of the last top-level node).
    TzqOcNode* GetLastNode() const;

    // ---- Finding ----
    // The next node in tree order, collapsed branches included, whose shown caption
    // contains Text with case and accents aside: after From (at From itself with
    // IncludeFrom), forwards or backwards, going round past the end. From none starts
    // at the first node (the last one backwards). None when no node matches or Text is
    // empty; Wrapped, when given, tells whether the search went round.
    TzqOcNode* FindNode(const std::string& Text, TzqOcNode* From, bool Forward, bool IncludeFrom,
                        bool* Wrapped = nullptr) const;
    // Expands the collapsed ancestors of Node, scrolls it into view and selects it.
    void RevealNode(TzqOcNode* Node);
    // New last child of Node's parent (none: last top-level node).
    TzqOcNode* Add(TzqOcNode* Node, uint32_t Data);
    // New last child of Node (none: last top-level node).
    TzqOcNode* AddChild(TzqOcNode* Node, uint32_t Data);
    // New node just before Node; none when Node is none.
    TzqOcNode* Insert(TzqOcNode* Node, uint32_t Data);
    // Creates a node and links it under Parent (none: the top level) at Index; an Index
    // below 0 or past the children means the end.
    virtual TzqOcNode* InsertNode(TzqOcNode* Parent, uint32_t Data, int Index);
    // Takes Node out and links it under Parent at Index (< 0 or past the end: the end).
    // Refuses moves that would make a cycle or cross charts.
    virtual void MoveNode(TzqOcNode* Parent, TzqOcNode* Node, int Index);
    // Deletes Node with its whole subtree, firing OnDeletion parent first.
    virtual void DeleteNode(TzqOcNode* Node);
    void Clear();
    void FullExpand();
    void FullCollapse();

    TzqOcNode* Selected() const { return m_selected; }
    void SetSelected(TzqOcNode* Node);

    // ---- Export ----
    // Writes the whole drawing (not the window's view) to a file, as the chart paints
    // it, without the selection's highlight; the file's extension chooses the format:
    // .png a picture, .svg a drawing (captions as text, a group per node), .pdf pages
    // (one fitted or tiles, as Options say). The file appears whole or not at all.
    // Answers the scale of a picture: 1 at full size, less when the drawing was larger
    // than Options.MaxSide and was scaled down to fit (SVG and PDF drawings keep their
    // full size up to 67,108,864 pixels a side).
    // Throws EFileError when the file cannot be written and EInvalidOperation for a
    // name without one of those extensions or an empty chart.
    double ExportToFile(const std::string& FileName, const TzqOcExportOptions& Options = {});
    // Prints the whole drawing: the PDF pages ExportToFile makes with Options go to the
    // desktop's print service under the job name Title. Answers what the service said
    // (its job number); throws EPrintError when there is no print service or it refuses
    // the job, EInvalidOperation for an empty chart.
    std::string Print(const TzqOcExportOptions& Options = {}, const std::string& Title = "Org chart");

    void BeginUpdate();
    void EndUpdate();
    int UpdateDepth() const { return m_updateDepth; }
    // Repaints the area of one node; true when an area was invalidated.
    bool InvalidateNode(TzqOcNode* Node);
    // A full repaint; inside BeginUpdate/EndUpdate only the first request reaches the
    // window.
    void Invalidate() override;

    // ---- Scrolling ----
    int LeftPos();
    void SetLeftPos(int Value) { ScrollTo(Value, TopPos()); }
    int TopPos();
    void SetTopPos(int Value) { ScrollTo(LeftPos(), Value); }
    void ScrollTo(int64_t X, int64_t Y);

    // ---- Hit testing ----
    TzqOcNode* GetNodeAt(int X, int Y);
    TzqOcHitTests GetHitTestInfoAt(int X, int Y);

    // ---- In-place editing ----
    virtual void ShowEditor();
    void HideEditor(bool Accept);
    bool IsEditing() const;
    TzqOcInplaceEdit* Editor() const { return m_editor; }

    // ---- Properties ----
    uint16_t LineWidth() const { return m_lineWidth; }
    void SetLineWidth(uint16_t Value);
    uint16_t DefaultNodeWidth() const { return m_defaultNodeWidth; }
    void SetDefaultNodeWidth(uint16_t Value);
    uint16_t DefaultNodeHeight() const { return m_defaultNodeHeight; }
    void SetDefaultNodeHeight(uint16_t Value);
    uint16_t IndentX() const { return m_indentX; }
    void SetIndentX(uint16_t Value);
    uint16_t IndentY() const { return m_indentY; }
    void SetIndentY(uint16_t Value);
    TzqOcOptions Options() const { return m_options; }
    void SetOptions(TzqOcOptions Value);
    TzqOcEditMode EditMode() const { return m_editMode; }
    void SetEditMode(TzqOcEditMode Value);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* Value);
    TzqOcImageAlign DefaultImageAlign() const { return m_defaultImageAlign; }
    void SetDefaultImageAlign(TzqOcImageAlign Value) { m_defaultImageAlign = Value; }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Rotated() const { return m_rotated; }
    void SetRotated(bool Value);
    bool Zoom() const { return m_zoom; }
    void SetZoom(bool Value);

    // ---- Layout queries (effective values are scaled while the zoom is in effect) ----
    bool ScaleInEffect();
    int64_t Scale(int64_t Value);
    int64_t ZoomNumerator() const { return m_zoomNumerator; }
    int64_t ZoomDenominator() const { return m_zoomDenominator; }
    int64_t NodeWidth(const TzqOcNode* Node);
    int64_t NodeHeight(const TzqOcNode* Node);
    int64_t AcrossSize(const TzqOcNode* Node);   // w
    int64_t DownSize(const TzqOcNode* Node);     // h
    int64_t EffectiveLineWidth();                // lw
    int64_t GapAcross();                         // gx
    int64_t GapDown();                           // gy
    int64_t ChildrenWidth(TzqOcNode* Node);
    int64_t ChildrenHeight(TzqOcNode* Node);
    int64_t SubtreeWidth(TzqOcNode* Node);
    int64_t SubtreeHeight(TzqOcNode* Node);
    // Where the row of children starts inside the node's subtree column.
    int64_t ChildOffset(TzqOcNode* Node);
    // Left edge of the node's box inside a column starting at ColumnLeft.
    int64_t BoxLeft(TzqOcNode* Node, int64_t ColumnLeft);
    int64_t TotalWidth();
    int64_t TotalHeight();
    bool HasButton(TzqOcNode* Node);
    int MinNodeWidth() const;
    int MinNodeHeight() const;
    // The node's slot on the screen (empty for a hidden node).
    TRect NodeSlotRect(TzqOcNode* Node);
    // The node's text area on the screen for a slot rectangle.
    TRect NodeTextRect(TzqOcNode* Node, const TRect& Slot);
    // Takes the image's room out of a text area and answers where the image goes;
    // false when the node shows no image.
    bool ImagePosition(TzqOcNode* Node, TRect& TextArea, TPoint& ImagePos);
    // Formats a caption by EditMode (wrap, alignment, vertical centring).
    void DrawTextFlags(HDC DC, const std::string& Text, unsigned ExtraFlags, TRect& Rect);

    // Layout coordinates <-> screen: with Rotated the two directions are exchanged, so
    // the conversion is its own inverse.
    TPoint64 ToScreen(TPoint64 P) const { return m_rotated ? TPoint64{P.Y, P.X} : P; }
    TRect64 ToScreen(const TRect64& R) const { return m_rotated ? TRect64{R.Top, R.Left, R.Bottom, R.Right} : R; }

    // The layout-changed report and bringing the layout up to date.
    void LayoutChanged();
    void UpdateLayout();
    bool LayoutIsChanged() const { return m_layoutChanged; }

    // The node whose expansion or collapse is animating, and how many animation frames
    // have reached the window since the chart was made.
    TzqOcNode* AnimatedNode() const { return m_animatedNode; }
    int AnimationFrames() const { return m_animationFrames; }

    // ---- Events ----
    TzqOcEvent OnCreateNode;
    TzqOcEvent OnChange;
    TzqOcAllowEvent OnChanging;
    TzqOcEvent OnCollapsed;
    TzqOcAllowEvent OnCollapsing;
    TzqOcEvent OnDeletion;
    TzqOcEvent OnExpanded;
    TzqOcAllowEvent OnExpansion;
    TzqOcAllowEvent OnEditing;
    TzqOcGetTextEvent OnEdited;
    TzqOcFontEvent OnSetFont;
    TzqOcDrawEvent OnDrawNode;
    TzqOcGetTextEvent OnGetText;
    TzqOcSetTextEvent OnSetText;

    void WndProc(TMessage& Message) override;

protected:
    // ---- Overridable operations ----
    // Draws the node's image and caption inside its text area; OnDrawNode replaces it.
    virtual void DrawNode(TzqOcNode* Node, TCanvas* Canvas, const TRect& Rect);
    // Makes an unlinked node of this chart and fires OnCreateNode.
    virtual TzqOcNode* CreateNode();
    // Makes the in-place editor on the first ShowEditor.
    virtual TzqOcInplaceEdit* CreateEditor();
    // A caption or attribute of a linked node changed.
    virtual void NodeChanged(TzqOcNode* Node);
    // The selection changed; fires OnChange.
    virtual void Change(TzqOcNode* Node);
    // Asked before the user moves the selection; fires OnChanging.
    virtual void Changing(TzqOcNode* Node, bool& Allow);
    // Visits every node once, in the order that reads memory best: the order the nodes
    // were made where a descendant knows it (its nodes then sit side by side), tree
    // order here. Visit answers false to stop. Finding uses it to look at every caption
    // when the next match is not close by.
    virtual void ForEachStoredNode(const std::function<bool(TzqOcNode*)>& Visit) const;

    // ---- Platform control ----
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void WMSize(TMessage& Message) override;
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    void DragCanceled() override;
    void DblClick() override;
    void Ctl3DChanged() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Selects a node the way the user does: only when Changing allows it.
    bool SelectByUser(TzqOcNode* Node);
    // Ends editing before Node's branch (without Node itself when not NodeGoes) is
    // deleted: without storing when the edited node is in what goes, else storing the
    // text (which may raise).
    void EndEditingBefore(TzqOcNode* Node, bool NodeGoes = true);
    // The link step of MoveNode, without its checks: takes Node out and links it under
    // Target (the root for the top level) at Index. For a caller that has itself made
    // sure the move makes no cycle, as a load placing many nodes at once does, where a
    // walk up from every target would cost the depth of the tree each time.
    void RelinkNode(TzqOcNode* Target, TzqOcNode* Node, int Index);
    // Puts the first Ordered.size() children of Parent (the root for the top level) in
    // the order given; Ordered holds exactly those children.
    void ReorderChildren(TzqOcNode* Parent, const std::vector<TzqOcNode*>& Ordered);
    // Deletes every node like Clear when nothing watches the nodes go (no OnDeletion
    // handler): in one walk that visits each node once. For clearing a whole chart with
    // no override of DeleteNode to be told (the chart's own end, a rebinding).
    // AllNodes, when the caller has every node of the chart at hand (and only those),
    // gives the order to free them in: nodes made one after another sit side by side
    // in memory, so going in that order reads memory in sequence where the walk down
    // the tree jumps from node to node.
    void FreeAllNodes(const std::vector<TzqOcNode*>* AllNodes = nullptr);
    // A progress indicator that deletions step once per node freed (none: no steps),
    // counting on from Done.
    void SetDeletionProgress(TProgressIndicator* Progress, int64_t Done)
    {
        m_deletionProgress = Progress;
        m_deletionProgressDone = Done;
    }

private:
    friend class TzqOcNode;
    class FullSizeScope;

    // ---- Model ----
    bool Owns(const TzqOcNode* Node) const;
    bool IsInTree(const TzqOcNode* Node) const;
    void LinkNode(TzqOcNode* Node, TzqOcNode* Parent, int Index);
    bool DeletionBlocks(const TzqOcNode* Node) const;
    // Whether the selection lies inside Node, which is about to be deleted.
    bool SelectionInside(const TzqOcNode* Node) const;
    void BeginNodeDeletion(TzqOcNode* Node);
    // Deletes Start's children (and Start itself when DeleteStart) without recursion.
    void RunDeletion(TzqOcNode* Start, bool DeleteStart);
    void FinishChildrenDeletion(TzqOcNode* Node);
    void FinishNodeDeletion(TzqOcNode* Node);
    void ForgetNode(TzqOcNode* Node);
    // Runs a notification made while a deletion runs (selection, OnDeletion, layout
    // change, which may store the editor's text). Its error is kept and raised once the
    // deletion is complete, so that the chart is never left half way.
    template <typename Step>
    void DuringDeletion(Step&& Notify);
    void RaiseDeletionFailure();
    void DropAllLayoutCaches(TzqOcNode::CacheDirection Direction);
    void DropCachesForSize(bool ScreenWidth);
    void ReleaseImages();
    void ImagesChanged(TObject* Sender);
    bool CanInvalidateNodes() const;
    void RepaintColumn(TzqOcNode* Node);
    void RepaintNow();
    // Marks the nodes whose column reaches into the area A (layout coordinates) and
    // writes their current (and with ResetStart their start) positions.
    void PositionNodes(const TRect64& A, bool ResetStart);

    // ---- Layout ----
    int64_t FullNodeWidth(const TzqOcNode* Node) const;
    int64_t FullNodeHeight(const TzqOcNode* Node) const;
    int64_t FullAcross(const TzqOcNode* Node) const;
    int64_t FullDown(const TzqOcNode* Node) const;
    int64_t FullGapAcross() const;
    int64_t FullGapDown() const;
    int64_t FullChildrenWidth(TzqOcNode* Node);
    int64_t FullChildrenHeight(TzqOcNode* Node);
    int64_t FullSubtreeWidth(TzqOcNode* Node);
    int64_t FullSubtreeHeight(TzqOcNode* Node);
    void FillCaches(TzqOcNode* Node, bool Across);
    // What a child adds to its parent's row across (its subtree width) or down (its
    // subtree height), from its own caches, which must be filled where it has shown
    // children.
    int64_t RowExtent(const TzqOcNode* Child, bool Across);
    // Adds a newly linked child to its parent's filled caches (the row's width grows by
    // the child's, its height is the larger of the two), so that a long row is not
    // summed again for one more child. False when the caches are not there to update.
    bool GrowRowCaches(TzqOcNode* Parent, TzqOcNode* Child);
    bool IsThreeDimensional(const TzqOcNode* Node) const;
    void ComputeZoomFactor();
    void UpdateScrollBars();
    TPoint64 LayoutOrigin();
    // The top-left of the node's subtree column (layout coordinates); false when hidden.
    bool NodeColumn(TzqOcNode* Node, TPoint64& Column);
    // Where Child's column starts in the row of Parent's children.
    int64_t OffsetInRow(TzqOcNode* Parent, TzqOcNode* Child);
    uint32_t OffsetStamp();
    TRect64 NodeSlotLayout(TzqOcNode* Node);
    void MakeNodeVisible(TzqOcNode* Node);
    void AdjustNodeSizeToText(TzqOcNode* Node, const std::string& Text);

    // ---- Interaction ----
    void ForgetHitTest();
    void HitTest(int X, int Y);
    bool InsideShape(TzqOcNode* Node, int64_t A, int64_t D, int64_t BL, int64_t BR, int64_t BT, int64_t BB);
    // Makes Node the animated node and records every node's start position; false when
    // no animation is to be played.
    bool PrepareAnimation(TzqOcNode* Node);

    // ---- Drawing ----
    struct PaintContext;
    void DrawImage(TzqOcNode* Node, TCanvas* Canvas, const TPoint& Pos);
    void PaintArea(const TRect& Clip);
    // The part Clip of the window's view painted onto Target, as PaintArea paints the
    // window (no animation frames).
    void PaintAreaOn(TCanvas* Target, const TRect& Clip);
    void PrepareFont(PaintContext& Ctx);
    class ExportScope;
    // The export's formats, the view already set up for the whole drawing.
    void ExportPng(const std::string& FileName, const TzqOcExportOptions& Options, int Width, int Height);
    void ExportSvg(const std::string& FileName, int Width, int Height);
    void ExportPdf(const std::string& FileName, const TzqOcExportOptions& Options, int Width, int Height);
    void FillBackground(PaintContext& Ctx);
    void DrawTree(PaintContext& Ctx);
    // The window area InvalidateNode repaints for a node; false when there is none.
    bool NodeRepaintArea(TzqOcNode* Node, TRect& Area);
    bool LiesOutside(const PaintContext& Ctx, TzqOcNode* N, const TRect64& R, const TPoint64& P, bool DrewChildren,
                     int64_t First, int64_t Last, const TPoint64& Q);
    // Lines to the children, then the node's box, shape, content and button.
    void FinishNode(PaintContext& Ctx, TzqOcNode* N, TRect64 R, TPoint64 P, bool DrewChildren, int64_t First,
                    int64_t Last, TPoint64 Q);
    void DrawShape(TCanvas* Canvas, TzqOcNode* Node, const TRect& S);
    void DrawButton(TCanvas* Canvas, int64_t X, int64_t Y, bool Expanded);
    void SetLinePen(TCanvas* Canvas);
    void LineLayout(TCanvas* Canvas, int64_t X1, int64_t Y1, int64_t X2, int64_t Y2);
    void PlayAnimation(PaintContext& Ctx);

    // ---- Keyboard and scroll bars ----
    TzqOcNode* Walk(TzqOcNode* (*Next)(TzqOcNode*));
    TzqOcNode* InsertByKey(bool AsChild);
    void ScrollBarNotification(TMessage& Message, int Bar);
    int64_t ThumbPosition(int Bar, int Notified);

    // ---- Dragging ----
    static bool DragButtonsHeld(TShiftState Shift);
    // Draws (or, drawn again, erases) the drop feedback: outline and elbow line.
    void DrawDragFeedback(TzqCustomOrgChart* Source);
    bool CheckAutoScroll(int X, int Y, TDragState State);
    void StopAutoScroll();
    void AutoScrollTick();

    // ---- Editing ----
    friend class TzqOcInplaceEdit;
    void FreeEditor();
    void EditModeChanged();
    // Keys the editor hands over: Alt+arrows as plain arrows, characters first, key-ups.
    void EditorArrowKey(WORD Key);
    void EditorKeyPress(char32_t& Key);
    void EditorKeyUp(WORD& Key, TShiftState Shift);

    TzqOcNode* m_root = nullptr;
    int m_count = 0;
    int m_updateDepth = 0;
    int m_leftPos = 0;
    int m_topPos = 0;
    uint16_t m_defaultNodeWidth = 64;
    uint16_t m_defaultNodeHeight = 40;
    uint16_t m_indentX = 16;
    uint16_t m_indentY = 16;
    TzqOcNode* m_selected = nullptr;
    TzqOcNode* m_hitNode = nullptr;
    TzqOcNode* m_animatedNode = nullptr;
    // Where each node stood when the running animation began.
    std::unordered_map<const TzqOcNode*, TPoint64> m_startPositions;
    TPoint m_hitPoint;
    // Full-size computations running; scaling is possible only while none is.
    int m_zoomSuspension = 0;
    bool m_zoom = false;
    int64_t m_zoomNumerator = 1;
    int64_t m_zoomDenominator = 1;
    TzqOcInplaceEdit* m_editor = nullptr;
    // The node whose caption is being edited; cleared when it is deleted meanwhile.
    TzqOcNode* m_editedNode = nullptr;
    bool m_hidingEditor = false;
    TzqOcEditMode m_editMode{TzqOcEditModeFlag::emWrap};
    TzqOcHitTests m_hitFlags;
    uint16_t m_lineWidth = 1;
    // Drag and drop of nodes (feedback geometry and auto-scroll).
    TzqOcNode* m_dropTarget = nullptr;
    TPoint m_feedbackPoint;
    TPoint m_targetPoint;
    int16_t m_autoScrollStepX = 0;
    int16_t m_autoScrollStepY = 0;
    uint32_t m_autoScrollTimer = 0;
    TImageList* m_images = nullptr;
    std::unique_ptr<TBitmap> m_animationBitmap;
    TzqOcImageAlign m_defaultImageAlign = TzqOcImageAlign::iaNone;
    bool m_layoutChanged = true;
    // Changes whenever every row's offset sums become stale (zoom factor, sizes, rotation).
    uint32_t m_layoutStamp = 1;
    bool m_fullRepaintRequested = false;
    TzqOcOptions m_options{TzqOcOption::ocSelect,  TzqOcOption::ocFocus,   TzqOcOption::ocButtons,
                           TzqOcOption::ocDblClick, TzqOcOption::ocEdit,   TzqOcOption::ocCanDrag,
                           TzqOcOption::ocShowDrag};
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_rotated = false;
    bool m_autoScrollStalled = false;
    bool m_dragArmed = false;
    bool m_animationSuppressed = false;
    std::unique_ptr<TChangeLink> m_imageChangeLink;

    // Deletion bookkeeping: how many deletions are running, and the child a running
    // deletion loop is handing to DeleteNode right now.
    int m_animationFrames = 0;
    TRect64 m_paintArea;
    int m_deletionsUnderWay = 0;
    TProgressIndicator* m_deletionProgress = nullptr;
    int64_t m_deletionProgressDone = 0;
    TzqOcNode* m_loopChild = nullptr;
    bool m_loopChildStarted = false;
    // The first error a notification raised while deletions ran.
    std::exception_ptr m_deletionFailure;
};

// Raises the zoom suspension for the duration of a full-size computation.
class TzqCustomOrgChart::FullSizeScope {
public:
    explicit FullSizeScope(TzqCustomOrgChart* chart) : m_chart(chart) { ++m_chart->m_zoomSuspension; }
    ~FullSizeScope() { --m_chart->m_zoomSuspension; }
    FullSizeScope(const FullSizeScope&) = delete;
    FullSizeScope& operator=(const FullSizeScope&) = delete;

private:
    TzqCustomOrgChart* m_chart;
};
