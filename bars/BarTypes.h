// Enumerations, option sets and event types shared by the bar manager's classes. The
// value order of every enumeration is the ordinal stored with a layout.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Set.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>

class TCanvas;
class TzqBar;
class TzqBarItem;
class TzqBarItemLink;
class TzqBarItemLinks;
class TzqBarManager;
class TzqBars;
class TzqDockControl;

enum class TzqBarItemVisible { ivNever, ivInCustomizing, ivAlways };

enum class TzqBarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using TzqBarDockingStyles = TSet<TzqBarDockingStyle, uint8_t>;

enum class TzqBarManagerStyle { bmsStandard, bmsEnhanced, bmsFlat };
enum class TzqBarMenuAnimations { maNone, maRandom, maUnfold, maSlide };
enum class TzqBarBorderStyle { bbsNone, bbsSingle };

enum class TzqBarUserDefine { udCaption, udGlyph, udPaintStyle, udWidth };
using TzqBarUserDefines = TSet<TzqBarUserDefine, uint8_t>;

enum class TzqBarPaintStyle { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum class TzqBarDockAlign { dalNone, dalTop, dalBottom, dalLeft, dalRight };
enum class TzqBarItemAlign { iaLeft, iaCenter, iaRight, iaClient };
enum class TzqBarButtonStyle { bsDefault, bsChecked, bsDropDown };

// Events of the manager: the manager is the sender.
using TzqBarEvent = std::function<void(TzqBarManager* Sender, TzqBar* ABar)>;
using TzqBarVisibleChangeEvent = std::function<void(TzqBarManager* Sender, TzqBar* ABar)>;
using TzqBarItemLinkEvent = std::function<void(TzqBarManager* Sender, TzqBarItemLink* AItemLink)>;
// The bar asking to dock is the sender; the handler may change CanDocking.
using TzqBarCanDockingEvent =
    std::function<void(TzqBar* Sender, TzqBarDockingStyle Style, TzqDockControl* DockControl, bool& CanDocking)>;
using TzqBarMenuMergeEvent = std::function<void(TzqBarManager* Sender, TzqBarManager* ChildBarManager, bool AddItems)>;
using TzqBarShowPopupEvent = std::function<void(TzqBarManager* Sender, TzqBarItemLinks* PopupItemLinks)>;
using TzqBarClickItemEvent = std::function<void(TzqBarManager* Sender, TzqBarItem* ClickedItem)>;
// Paints the side band of a submenu or popup menu.
using TzqBarPaintSubMenuBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;
