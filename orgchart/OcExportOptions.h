// What an export of the whole chart drawing to a file includes.
#pragma once

#include <cstdint>

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
};
