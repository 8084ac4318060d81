// The platform's drag machinery: a drag started by a control follows the pointer,
// asks the control under it whether it accepts (drag over with enter, move and leave),
// drops on release and is cancelled by Esc or a lost capture.
#pragma once

#include "platform/controls/ControlTypes.h"

class TControl;

// What is being dragged; by default the source control itself.
class TDragObject : public TObject {
public:
    explicit TDragObject(TControl* control = nullptr) : m_control(control) {}
    TControl* Control() const { return m_control; }

private:
    TControl* m_control;
};

namespace DragManager {

// Starts a drag of `source`; with Immediate false it begins once the pointer moved
// `threshold` pixels from where it is now.
void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag in progress: dropping on the current target when `drop` and it accepts,
// cancelling otherwise.
void End(bool drop);
bool IsDragging(const TControl* source = nullptr);
// A control that is being destroyed leaves the drag.
void Forget(TControl* control);
// The control under a screen point that could take a drop (disabled ones excluded).
TControl* FindDragTarget(TPoint screenPt);

} // namespace DragManager
