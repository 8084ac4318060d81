// The sizes a submenu window is made of, computed from its font and the manager's
// style, and where a submenu goes on the screen: beside the menu item that opened it,
// below (or above) a bar's item, or at a point, flipped and cut to fit the work area of
// the monitor under it.
#pragma once

#include "platform/core/Types.h"

#include <functional>
#include <string>

class TFont;

struct TzqBarSubMenuMetrics {
    int TextHeight = 0;         // height of "0"
    int TextRowHeight = 0;
    int ArrowSize = 0;          // the submenu arrow
    int ChevronSize = 0;        // the expand button's chevrons
    int ExpandButtonHeight = 0;
    int GlyphBandWidth = 0;
    int SeparatorHeight = 0;
    int ItemHeight = 0;
    int DetachBarHeight = 0;    // the strip of a detachable menu
    int ExtraWidth = 0;         // frame and margins across
    int ExtraHeight = 0;        // frame and margins along
    int Border = 0;             // the frame's width on each side
    bool Flat = false;

    static TzqBarSubMenuMetrics For(const TFont& Font, bool Flat);
    // The width of an item row: the caption (without "&"), the glyph and arrow
    // columns, and the shortcut column when there is a shortcut text.
    int ItemWidth(int CaptionWidth, int ShortCutWidth) const;
    // The menu's width for its widest item and side band (100 when empty).
    int MenuWidth(int WidestItem, int BarSize, bool Empty) const;
};

// Where the menu is opened from.
enum class TzqBarMenuAnchor {
    FromMenu,          // beside a menu item
    FromVerticalBar,   // beside an item of a vertical bar
    FromHorizontalBar, // below an item of a horizontal bar
    AtPoint,           // a popup menu at a screen point
};

struct TzqBarMenuPlacement {
    TRect Bounds;
    bool OpensLeft = false;
    bool OpensUp = false;
    // Cut to the work area: the menu scrolls.
    bool Cut = false;
};

// Places a menu of `Size`. `Opener` is the opening item's screen rectangle (for AtPoint
// its top-left is the point); PreferLeft: the menu that opened it went left, so this one
// continues left while it fits. WorkAreaAt answers the work area of the monitor under a
// point.
TzqBarMenuPlacement PlaceSubMenu(TSize Size, TzqBarMenuAnchor Anchor, const TRect& Opener, bool PreferLeft, bool Flat,
                                 const std::function<TRect(TPoint)>& WorkAreaAt);
