// Sizes of the classic non-client parts, in pixels.
#pragma once

namespace ws {

constexpr int kFrameBorder = 1;       // WS_BORDER
constexpr int kFrameDialog = 3;       // WS_DLGFRAME, dialog frames
constexpr int kFrameThick = 4;        // WS_THICKFRAME, sizeable frames
constexpr int kClientEdge = 2;        // WS_EX_CLIENTEDGE
constexpr int kStaticEdge = 1;        // WS_EX_STATICEDGE
constexpr int kCaptionHeight = 19;    // caption with its one-pixel separator
constexpr int kSmallCaptionHeight = 16;
constexpr int kScrollBarSize = 16;    // width of a vertical bar, height of a horizontal one
constexpr int kMinThumb = 8;          // the smallest thumb of a proportional bar
constexpr int kResizeCorner = 16;     // the corner zone of a sizeable frame

} // namespace ws
