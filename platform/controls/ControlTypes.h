// Types shared by the controls: alignment, shift state, messages, events and cursors.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Set.h"
#include "platform/core/Types.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WindowTypes.h"

#include <functional>

class TControl;
class TDragObject;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag, uint8_t>;

enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum class TDragMode { dmManual, dmAutomatic };
enum class TBorderStyle { bsNone, bsSingle };

// What a control is made to do by the framework.
enum class TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
};
using TControlStyle = TSet<TControlStyleFlag, uint32_t>;

enum class TControlStateFlag { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = TSet<TControlStateFlag, uint16_t>;

using TCursor = HCURSOR;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = IDC_ARROW;
constexpr TCursor crIBeam = IDC_IBEAM;
constexpr TCursor crHourGlass = IDC_WAIT;
constexpr TCursor crCross = IDC_CROSS;
constexpr TCursor crSizeWE = IDC_SIZEWE;
constexpr TCursor crSizeNS = IDC_SIZENS;
constexpr TCursor crSizeAll = IDC_SIZEALL;
constexpr TCursor crNo = IDC_NO;
constexpr TCursor crHandPoint = IDC_HAND;
constexpr TCursor crHSplit = IDC_HSPLIT;
constexpr TCursor crVSplit = IDC_VSPLIT;
constexpr TCursor crDrag = IDC_DRAG;
constexpr TCursor crMultiDrag = IDC_MULTIDRAG;
constexpr TCursor crNoDrop = IDC_NODROP;

// A window message as a control's message handlers see it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Whether a WM_CONTEXTMENU came from the keyboard (its point is -1, -1).
constexpr bool IsKeyboardContextMenu(LPARAM lParam)
{
    return lParam == -1 || (GetXLParam(lParam) == -1 && GetYLParam(lParam) == -1);
}

// The shift state of a mouse message's key flags, or of the keyboard now.
TShiftState ShiftStateFromMouseFlags(WPARAM flags);
TShiftState KeyboardShiftState();
TShiftState KeyDataToShiftState(LPARAM keyData);
