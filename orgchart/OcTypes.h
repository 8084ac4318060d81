// Enumerations, option sets and event types of the org chart control.
//
// Enumerations whose values can arrive from a table or a stream (shape, alignments)
// have an 8-bit underlying type and may hold values outside their named range: the
// chart keeps such a value as it came and treats it as its drawing and hit-testing
// rules say (for example a shape above shDiamond draws no box).
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Set.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <string>

class TzqOcNode;
class TCanvas;
class TFont;

// Where the box and the row of children sit inside the node's subtree column.
enum class TzqOcNodeAlign : uint8_t { naLeft, naCenter, naRight };

enum class TzqOcShape : uint8_t { shRectangle, shRoundRect, shEllipse, shDiamond };

// The thirteen places of a node's image: left column, right column, top row, bottom row.
enum class TzqOcImageAlign : uint8_t { iaNone, iaLT, iaLC, iaLB, iaRT, iaRC, iaRB, iaTL, iaTC, iaTR, iaBL, iaBC, iaBR };

// How TzqOcNode::MoveTo places the node relative to its destination.
enum class TzqOcAttachMode : uint8_t { amAdd, amAddFirst, amAddChild, amAddChildFirst, amInsert };

enum class TzqOcOption : uint8_t {
    ocSelect,
    ocFocus,
    ocButtons,
    ocDblClick,
    ocEdit,
    ocCanDrag,
    ocShowDrag,
    ocInsDel,
    ocRect3D,
    ocAnimate,
};
using TzqOcOptions = TSet<TzqOcOption, uint16_t>;

enum class TzqOcEditModeFlag : uint8_t { emLeft, emCenter, emRight, emVCenter, emWrap, emUpper, emLower, emGrow };
using TzqOcEditMode = TSet<TzqOcEditModeFlag, uint8_t>;

// Where a point lies relative to the node a hit test found.
enum class TzqOcHitTest : uint8_t { htNowhere, htLeft, htRight, htAbove, htBelow, htOnRect, htOnShape, htOnButton };
using TzqOcHitTests = TSet<TzqOcHitTest, uint8_t>;

using TzqOcEvent = std::function<void(TObject* Sender, TzqOcNode* Node)>;
using TzqOcAllowEvent = std::function<void(TObject* Sender, TzqOcNode* Node, bool& Allow)>;
using TzqOcGetTextEvent = std::function<void(TObject* Sender, TzqOcNode* Node, std::string& Text)>;
using TzqOcSetTextEvent = std::function<void(TObject* Sender, TzqOcNode* Node, const std::string& Text)>;
using TzqOcFontEvent = std::function<void(TObject* Sender, TzqOcNode* Node, TFont* Font)>;
using TzqOcDrawEvent = std::function<void(TObject* Sender, TzqOcNode* Node, TCanvas* Canvas, const TRect& Rect)>;
