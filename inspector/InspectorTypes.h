// Enumerations, option sets and small records the inspector and its rows share.
#pragma once

#include "platform/core/Set.h"
#include "platform/core/Types.h"

#include <cstdint>

class TzqInspectorNode;

// The published options, bit n of the stored word for value n.
enum class TzqDBInspectorOption {
    dioAutoBandCount,
    dioAutoWidth,
    dioBandSizing,
    dioCancelOnExit,
    dioColumnSizing,
    dioDrawEndEllipsis,
    dioDynamicColumnSizing,
    dioEditing,
    dioEnterThrough,
    dioNoCancel,
    dioRowAutoHeight,
    dioRowSizing,
    dioStoreToRegistry,
    dioTabs,
    dioTabThrough
};
using TzqDBInspectorOptions = TSet<TzqDBInspectorOption, uint16_t>;

// The default options: stored as the word 222.
inline constexpr TzqDBInspectorOptions zqDefaultInspectorOptions{
    TzqDBInspectorOption::dioAutoWidth,      TzqDBInspectorOption::dioBandSizing,
    TzqDBInspectorOption::dioCancelOnExit,   TzqDBInspectorOption::dioColumnSizing,
    TzqDBInspectorOption::dioDynamicColumnSizing, TzqDBInspectorOption::dioEditing};

// The word the inspector works on, derived from the published options.
namespace zqInspectorOption {
inline constexpr uint16_t BandLayout = 0x0001;
inline constexpr uint16_t AutoWidth = 0x0002;
inline constexpr uint16_t BandSizing = 0x0004;
inline constexpr uint16_t ColumnSizing = 0x0008;
inline constexpr uint16_t DrawEndEllipsis = 0x0010;
inline constexpr uint16_t DynamicColumnSizing = 0x0020;
inline constexpr uint16_t Editing = 0x0040;
inline constexpr uint16_t EnterThrough = 0x0080;
inline constexpr uint16_t RowAutoHeight = 0x0100;
inline constexpr uint16_t RowSizing = 0x0200;
inline constexpr uint16_t StoreToRegistry = 0x0400;
inline constexpr uint16_t TabThrough = 0x0800;
inline constexpr uint16_t Tabs = 0x1000;
inline constexpr uint16_t Default = 0x006E;
} // namespace zqInspectorOption

// The internal word for a set of published options (dioCancelOnExit and dioNoCancel have
// no bit of their own).
uint16_t InspectorOptionWord(TzqDBInspectorOptions Options);

enum class TzqInspectorPaintStyle { ipsStandard, ipsSimple, ipsExtended, ipsNET, ipsCategorized };

// What lies under a point of the inspector.
enum class TzqInspectorHitKind : uint8_t {
    ihtNone = 0,       // inside, below or beside all lines
    ihtDivider = 1,    // within 2 pixels of the divider of a data line
    ihtIndent = 2,
    ihtButton = 3,     // the expand button
    ihtImage = 4,      // the image, where it lies inside the indent
    ihtCaption = 5,
    ihtValue = 6,
    ihtOutside = 7,    // outside the client area
    ihtBandEdge = 8,
    ihtItemGap = 9,    // between two items of a complex row
    ihtRowBottom = 10  // the bottom 2 pixels of a line (row sizing)
};

struct TzqInspectorHitInfo {
    TzqInspectorHitKind Kind = TzqInspectorHitKind::ihtOutside;
    TzqInspectorNode* Node = nullptr;
    int Band = 0;
    // The item of a complex row under the point; -1 when none.
    int ItemIndex = -1;
};

// How MoveTo attaches a node to its destination.
enum class TzqInspectorMoveMode { imAdd = 0, imAddChild = 1, imInsert = 2 };

// What the inspector's mouse is doing.
enum class TzqInspectorMouseState : uint8_t {
    msNone = 0,
    msDividerSizing = 1,
    msRowPressed = 2,
    msDragging = 3,
    msBandSizing = 4,
    msRowSizing = 5
};
