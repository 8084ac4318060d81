// The platform's drag machinery: a drag started by a control follows the pointer,
// asks the control under it whether it accepts (drag over with enter, move and leave),
// drops on release and is cancelled by Esc or a lost capture.
#pragma once

#include "platform/controls/ControlTypes.h"

class TControl;

// What is being dragged. A source's OnStartDrag (DoStartDrag) may hand the drag
// machinery an object of its own, which it keeps and frees itself once the drag ended;
// without one the machinery makes a TDragControlObject for the source and frees it.
class TDragObject : public TObject {
public:
    explicit TDragObject(TControl* control = nullptr) : m_control(control) {}
    TControl* Control() const { return m_control; }

    // The cursor shown while the pointer is at the screen point, over a target that
    // accepts the drag or not: the control's DragCursor (crDrag without a control) when
    // accepted, crNoDrop otherwise. The machinery asks at every move.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    // The Source handed to the targets' drag events: the drag object itself.
    virtual TObject* DragSource() { return this; }

private:
    TControl* m_control;
};

// The drag of a control: targets see the control itself as the drag's Source.
class TDragControlObject : public TDragObject {
public:
    using TDragObject::TDragObject;
    TObject* DragSource() override;
};

namespace DragManager {

// Starts a drag of `source`; with Immediate false it begins once the pointer moved
// `threshold` pixels from where it is now.
void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag in progress: dropping on the current target when `drop` and it accepts,
// cancelling otherwise.
void End(bool drop);
bool IsDragging(const TControl* source = nullptr);
// The drag object of the drag in progress, or null.
TDragObject* DragObject();
// A control that is being destroyed leaves the drag.
void Forget(TControl* control);
// The control under a screen point that could take a drop (disabled ones excluded).
TControl* FindDragTarget(TPoint screenPt);

} // namespace DragManager
