// A splitter: a thin bar without a window between an aligned control and the rest of
// its parent. Dragging it resizes that neighbour, keeping the neighbour at least
// MinSize and leaving at least MinSize of the parent's client area to the others.
// While dragging it shows an inverted line (rsLine, rsPattern) and resizes on
// release, or resizes live (rsUpdate). Esc during the drag puts everything back.
#pragma once

#include "platform/controls/CustomControl.h"

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;

    int MinSize() const { return m_minSize; }
    // At least 1.
    void SetMinSize(int value);
    TResizeStyle ResizeStyle() const { return m_resizeStyle; }
    void SetResizeStyle(TResizeStyle value) { m_resizeStyle = value; }
    // With AutoSnap, dragging the neighbour below MinSize hides it (size 0) instead of
    // stopping at MinSize.
    bool AutoSnap() const { return m_autoSnap; }
    void SetAutoSnap(bool value) { m_autoSnap = value; }
    bool Beveled() const { return m_beveled; }
    void SetBeveled(bool value);

    // The control the splitter resizes: the visible sibling with the same alignment
    // that touches the splitter on its aligned side (null when none).
    TControl* FindNeighbour() const;
    bool Dragging() const { return m_dragging; }

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

protected:
    void RequestAlign() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Horizontal() const; // splits left and right (alLeft, alRight)
    int NeighbourSize() const;
    // The size the neighbour may take at most, so that MinSize stays for the others.
    int MaxNeighbourSize() const;
    int SizeForOffset(int offset) const;
    void ApplySize(int size);
    void DrawDragLine();
    TRect DragLineRect() const;
    void EndDrag(bool apply);
    void InstallKeyHook();
    void RemoveKeyHook();

    int m_minSize = 30;
    TResizeStyle m_resizeStyle = TResizeStyle::rsPattern;
    bool m_autoSnap = false;
    bool m_beveled = false;

    bool m_dragging = false;
    TControl* m_neighbour = nullptr;
    int m_downPos = 0;     // mouse position along the split axis, in parent coordinates
    int m_startSize = 0;   // the neighbour's size when the drag began
    int m_newSize = 0;
    int m_maxSize = 0;
    bool m_lineShown = false;
    TRect m_lineRect;
    HHOOK m_keyHook = nullptr;
};
