// What an export of the whole chart drawing to a file includes, and how a PDF file
// lays it out on pages.
#pragma once

#include "platform/drawing/PdfWriter.h"

#include <cstdint>

// A PDF export: the whole drawing fitted onto one page, or printed at its full size
// (or at the size that fits the pages asked for) over as many pages as it needs.
enum class TzqOcPdfPages { ppFitPage, ppTiles };

struct TzqOcExportOptions {
    // The expand and collapse buttons under nodes with children; a picture for others
    // to read usually goes without them.
    bool Buttons = false;
    // The largest side of a picture file in pixels: a larger drawing is scaled down to
    // fit and the export answers the scale used.
    int MaxSide = 16384;
    // Rows of pixels painted at a time: a large picture is painted and compressed
    // strip by strip, so the memory it takes stays bounded.
    int StripHeight = 1024;

    // PDF files: the paper and the pages. Each page turns to the orientation that
    // suits the drawing (fewer pages, or a larger fitted drawing).
    TPaperSize Paper = TPaperSize::A4;
    TzqOcPdfPages Pages = TzqOcPdfPages::ppFitPage;
    // Tiles: at most this many pages across and down (0: no limit); the drawing is
    // printed at its full size (96 pixels to the inch) or smaller to fit them.
    int PagesAcross = 0;
    int PagesDown = 0;
};
