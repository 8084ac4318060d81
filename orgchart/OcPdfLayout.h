// TzqOcPdfLayout: where a drawing of a given size goes on PDF pages. One page holds
// the whole drawing scaled to fit, centred; tiles hold it at full size (or the size
// that fits the pages asked for), neighbouring tiles repeating a small strip of each
// other so that nothing is lost at a cut, each page with a margin for its number.
#pragma once

#include "orgchart/OcExportOptions.h"

#include <cstdint>

struct TzqOcPdfLayout {
    static constexpr double Margin = 36;  // points around the drawing on every side
    static constexpr double Overlap = 18; // points of drawing repeated by the next tile
    static constexpr double FullSize = 0.75; // points per pixel at 96 pixels to the inch

    double PageWidth = 0; // points
    double PageHeight = 0;
    double Scale = 1; // points per pixel of the drawing
    double Left = 0;  // where the page's part of the drawing starts, in points
    double Top = 0;
    int Columns = 1;
    int Rows = 1;
    int64_t TileWidth = 0; // pixels of the drawing on one page
    int64_t TileHeight = 0;
    int64_t StepX = 0; // pixels from one tile's start to the next one's
    int64_t StepY = 0;

    int PageCount() const { return Columns * Rows; }

    // The layout for a drawing of Width x Height pixels (each at least 1).
    static TzqOcPdfLayout For(int64_t Width, int64_t Height, const TzqOcExportOptions& Options);
};
