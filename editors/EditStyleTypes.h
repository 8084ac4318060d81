// The enumerations of an in-place editor's look: border, buttons, edges, popup border
// and the values an edit style may set explicitly. Their order is fixed: they are
// stored and streamed as their ordinal.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Set.h"

#include <cstdint>
#include <functional>

enum class TzqEditBorderStyle : uint8_t { xbsNone, xbsSingle, xbsThick, xbsFlat, xbs3D };
enum class TzqEditButtonViewStyle : uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat };
enum class TzqEditButtonTransparence : uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive };
enum class TzqEditEdge : uint8_t { edgLeft, edgTop, edgRight, edgBottom };
using TzqEditEdges = TSet<TzqEditEdge, uint8_t>;
enum class TzqPopupBorder : uint8_t { pbDefault, pbSingle, pbFrame3D, pbFlat };
enum class TzqEditStyleValue : uint8_t {
    svBorderColor,
    svBorderStyle,
    svButtonStyle,
    svButtonTransparence,
    svEdges,
    svHotTrack,
    svShadow
};
using TzqEditStyleValues = TSet<TzqEditStyleValue, uint8_t>;

// Sender: the controller; Link: the subscribed object the change is published to.
using TzqStyleChangedEvent = std::function<void(TObject* Sender, TObject* Link)>;

constexpr TzqEditEdges zqAllEdges{TzqEditEdge::edgLeft, TzqEditEdge::edgTop, TzqEditEdge::edgRight,
                                  TzqEditEdge::edgBottom};
constexpr TzqEditStyleValues zqAllStyleValues = TzqEditStyleValues::FromWord(0x7F);

// Whether a value read from a stream or handed to a setter is one of the type's values;
// setters ignore the others.
constexpr bool IsValidOrdinal(TzqEditBorderStyle v) { return static_cast<unsigned>(v) <= 4; }
constexpr bool IsValidOrdinal(TzqEditButtonViewStyle v) { return static_cast<unsigned>(v) <= 4; }
constexpr bool IsValidOrdinal(TzqEditButtonTransparence v) { return static_cast<unsigned>(v) <= 3; }
constexpr bool IsValidOrdinal(TzqPopupBorder v) { return static_cast<unsigned>(v) <= 3; }
// Only the four edges and the seven style values have bits; others are dropped.
constexpr TzqEditEdges ValidEdges(TzqEditEdges v) { return v * zqAllEdges; }
constexpr TzqEditStyleValues ValidStyleValues(TzqEditStyleValues v) { return v * zqAllStyleValues; }
