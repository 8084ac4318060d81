// Enumerations and event types shared by the side bar's classes.
#pragma once

#include <functional>

class TObject;
class TzqSideBar;
class TzqSideGroup;
class TzqSideBarItem;

// How the side bar draws its headers, items and border.
enum class TzqsbPaintStyle { sbpsStandard, sbpsFlat, sbpsXP, sbpsW2K };

// Large icons: image above, caption centred below. Small icons: image left, caption right.
enum class TzqSideGroupIconType { zqsgLargeIcon, zqsgSmallIcon };

// The background gradient: none, bands running down, or bands running right.
enum class TzqSideBarFillStyle { bfsNone, bfsHorz, bfsVert };

// Where the drop marker stands relative to the drop target item.
enum class TzqSideBarDropPosition { dpNone, dpBefore, dpAfter };

using TzqSideBarItemClickEvent = std::function<void(TObject* Sender, TzqSideBarItem* Item)>;
using TzqSideBarDeleteItemEvent = std::function<void(TObject* Sender, TzqSideBarItem* Item)>;
using TzqSideBarChangeGroupCaptionEvent = std::function<void(TObject* Sender, TzqSideGroup* Group)>;
using TzqSideBarDragDropItemEvent =
    std::function<void(TObject* Sender, TzqSideBarItem* Source, TzqSideBarItem* Target, bool IsCopy)>;
