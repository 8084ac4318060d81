// TzqOcNode: one box of an org chart. A node holds the look of its box (size, shape,
// colour, image), its caption, a user value and its place in the tree. It neither lays
// itself out nor paints itself: its setters tell the chart what changed and the chart
// decides what to re-lay out or repaint.
//
// Nodes belong to their chart. The chart makes them (CreateNode), links them
// (InsertNode), moves them (MoveNode) and frees them (DeleteNode); deleting a node
// directly is turned into the chart's DeleteNode, which takes its subtree with it.
#pragma once

#include "orgchart/OcChildList.h"
#include "orgchart/OcText.h"
#include "orgchart/OcTypes.h"
#include "platform/core/Color.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TzqCustomOrgChart;
class TStream;

class TzqOcNode : public TObject {
public:
    explicit TzqOcNode(TzqCustomOrgChart* AChart);
    TzqOcNode(const TzqOcNode&) = delete;
    TzqOcNode& operator=(const TzqOcNode&) = delete;
    // Deleting a linked node that the chart is not already deleting hands it to the
    // chart's DeleteNode, so its subtree goes with it.
    ~TzqOcNode() override;

    TzqCustomOrgChart* Chart() const { return m_chart; }

    // Nodes come from the node allocator (sized delete: a descendant's size is known).
    static void* operator new(size_t Size);
    static void operator delete(void* Block, size_t Size) noexcept;

    // ---- Structure and navigation (none where the node asked for does not exist) ----
    int Count() const { return m_children ? m_children->Count() : 0; }
    TzqOcNode* Items(int Index) const;
    int Index() const;
    // The parent node; none for a top-level node (whose parent link is the hidden root).
    TzqOcNode* Parent() const;
    TzqOcNode* GetFirstChild() const { return Items(0); }
    TzqOcNode* GetLastChild() const { return Items(Count() - 1); }
    TzqOcNode* GetNextSibling() const;
    TzqOcNode* GetPrevSibling() const;
    TzqOcNode* GetNext() const;
    TzqOcNode* GetPrev() const;
    TzqOcNode* GetNextVisible() const;
    TzqOcNode* GetPrevVisible() const;
    // True for none, or when Node is an ancestor (the root counts); false for itself.
    bool HasAsParent(const TzqOcNode* Node) const;
    bool IsVisible() const;

    bool Selected() const;
    void SetSelected(bool Value);
    bool Focused() const;

    // ---- Attributes ----
    uint32_t Data() const { return m_data; }
    virtual void SetData(uint32_t Value);
    uint16_t Width() const { return m_width; }
    void SetWidth(uint16_t Value);
    uint16_t Height() const { return m_height; }
    void SetHeight(uint16_t Value);
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    TzqOcShape Shape() const { return m_shape; }
    void SetShape(TzqOcShape Value);
    int16_t ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int16_t Value);
    TzqOcImageAlign ImageAlign() const { return m_imageAlign; }
    void SetImageAlign(TzqOcImageAlign Value);
    TzqOcNodeAlign Align() const { return m_align; }
    void SetAlign(TzqOcNodeAlign Value);
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool Value);

    // The caption as shown (GetText) and its assignment: compared with the caption,
    // stored through SetText, the box grown to fit, the chart told.
    std::string Text() const { return GetText(); }
    void AssignText(const std::string& Value);

    // ---- Overridable operations (the data-bound node overrides some) ----
    // Called whenever a font is about to be used for the caption; fires OnSetFont.
    virtual void SetFont(TFont* Font);
    // The 13-byte attribute record, little-endian; raise EStreamError.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);
    // The caption from OnGetText when assigned, else the stored text.
    virtual std::string GetText() const;
    // Passes the text to OnSetText when assigned, else stores it.
    virtual void SetText(const std::string& Value);

    // ---- Operations ----
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    void MoveTo(TzqOcNode* Destination, TzqOcAttachMode Mode);
    void DeleteChildren();
    void MakeVisible();
    void AdjustSizeToText(const std::string& Text);

    // The stored caption, whatever OnGetText would answer.
    std::string StoredText() const { return m_text.Str(); }

protected:
    // Hands a linked node to the chart's DeleteNode unless the chart is already
    // deleting it. A descendant with state of its own calls this first in its
    // destructor, so that the chart's DeleteNode still sees the whole node.
    void ReleaseFromChart();
    // Called once the node has been put under another parent or taken from its parent
    // (OldParent is the parent before, nullptr for the top level or none).
    virtual void ParentChanged(TzqOcNode* OldParent) { (void)OldParent; }

private:
    friend class TzqCustomOrgChart;
    friend class TzqOcChildList;

    enum class CacheDirection : uint8_t { Across = 1, Down = 2, Both = 3 };

    bool IsLinked() const { return m_parent != nullptr; }
    bool IsRoot() const;
    // Clears the layout caches of this node and the ancestors that depend on it, then
    // asks for a re-layout or a repaint of this node when it is shown.
    void DropLayoutCaches(CacheDirection Direction);
    void DropSizeCaches(bool AcrossScreenWidth);
    void InsertChild(TzqOcNode* Child, int Position);
    void RemoveChild(TzqOcNode* Child);
    bool ExpandOne();
    bool CollapseOne();
    void RepaintAfterAlign();

    TzqCustomOrgChart* m_chart;
    TzqOcNode* m_parent = nullptr;
    std::unique_ptr<TzqOcChildList> m_children;
    // The chunk of the parent's child list holding this node, and its place there.
    TzqOcChildList::Chunk* m_chunk = nullptr;
    // Full-size layout caches (0: not computed), 64-bit so that wide charts never wrap.
    int64_t m_childrenWidth = 0;
    int64_t m_childrenHeight = 0;
    // Slot corner written by the positioning pass (layout coordinates). Where it was
    // when an animated expansion or collapse began is kept by the chart for the few
    // frames of the animation.
    int64_t m_currentX = 0;
    int64_t m_currentY = 0;
    TzqOcText m_text;
    // Where the node stood in its chunk when last asked (a hint the list corrects).
    mutable int32_t m_index = 0;
    uint32_t m_data = 0;
    TColor m_color = clNone;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    int16_t m_imageIndex = -1;
    TzqOcNodeAlign m_align = TzqOcNodeAlign::naCenter;
    TzqOcShape m_shape = TzqOcShape::shRectangle;
    TzqOcImageAlign m_imageAlign = TzqOcImageAlign::iaNone;
    bool m_expanded : 1 = false;
    // Set while the node is being deleted or while its children are being deleted.
    bool m_deleting : 1 = false;
    bool m_paint : 1 = false;
    // Set from the moment DeleteNode takes the node on until it is freed: a second
    // DeleteNode of it, or of anything below it, then does nothing.
    bool m_deletionUnderWay : 1 = false;
    // Set while the destructor runs, so that DeleteNode does not free it again.
    bool m_destroying : 1 = false;
};
