#include "orgchart/OcPdfLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Tiles of `tile` pixels, `step` apart, covering `size` pixels.
int TileCount(int64_t size, int64_t tile, int64_t step)
{
    if (size <= tile)
        return 1;
    return int(1 + (size - tile + step - 1) / step);
}

TzqOcPdfLayout Oriented(int64_t width, int64_t height, const TzqOcExportOptions& options, bool landscape)
{
    const TVectorPoint paper = PaperPoints(options.Paper);
    TzqOcPdfLayout l;
    l.PageWidth = landscape ? paper.Y : paper.X;
    l.PageHeight = landscape ? paper.X : paper.Y;
    const double w = l.PageWidth - 2 * l.Margin, h = l.PageHeight - 2 * l.Margin;
    if (options.Pages == TzqOcPdfPages::ppFitPage) {
        l.Scale = std::min(w / double(width), h / double(height));
        l.Left = l.Margin + (w - double(width) * l.Scale) / 2;
        l.Top = l.Margin + (h - double(height) * l.Scale) / 2;
        l.TileWidth = width;
        l.TileHeight = height;
        l.StepX = width;
        l.StepY = height;
        return l;
    }
    l.Scale = l.FullSize;
    if (options.PagesAcross > 0)
        l.Scale = std::min(l.Scale, (options.PagesAcross * (w - l.Overlap) + l.Overlap) / double(width));
    if (options.PagesDown > 0)
        l.Scale = std::min(l.Scale, (options.PagesDown * (h - l.Overlap) + l.Overlap) / double(height));
    l.Left = l.Margin;
    l.Top = l.Margin;
    l.TileWidth = std::max<int64_t>(1, int64_t(std::floor(w / l.Scale)));
    l.TileHeight = std::max<int64_t>(1, int64_t(std::floor(h / l.Scale)));
    l.StepX = std::max<int64_t>(1, int64_t(std::floor((w - l.Overlap) / l.Scale)));
    l.StepY = std::max<int64_t>(1, int64_t(std::floor((h - l.Overlap) / l.Scale)));
    l.Columns = TileCount(width, l.TileWidth, l.StepX);
    l.Rows = TileCount(height, l.TileHeight, l.StepY);
    return l;
}

} // namespace

TzqOcPdfLayout TzqOcPdfLayout::For(int64_t Width, int64_t Height, const TzqOcExportOptions& Options)
{
    Width = std::max<int64_t>(Width, 1);
    Height = std::max<int64_t>(Height, 1);
    const TzqOcPdfLayout portrait = Oriented(Width, Height, Options, false);
    const TzqOcPdfLayout landscape = Oriented(Width, Height, Options, true);
    if (Options.Pages == TzqOcPdfPages::ppFitPage)
        return landscape.Scale > portrait.Scale ? landscape : portrait;
    // Fewer pages first, then the larger print.
    if (landscape.PageCount() != portrait.PageCount())
        return landscape.PageCount() < portrait.PageCount() ? landscape : portrait;
    return landscape.Scale > portrait.Scale ? landscape : portrait;
}
