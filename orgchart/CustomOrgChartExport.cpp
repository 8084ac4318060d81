// TzqCustomOrgChart: export of the whole drawing to a picture file. The drawing is
// painted by the same code that paints the window, strip by strip onto one bitmap, as
// if the window were exactly as wide as the drawing and scrolled down a strip at a
// time; each strip goes to the file's compressor before the next one is painted.
#include "orgchart/CustomOrgChart.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngStreamWriter.h"

#include <algorithm>
#include <cctype>

namespace {

bool HasExtension(const std::string& name, const std::string& extension)
{
    if (name.size() <= extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char wanted, char given) { return wanted == std::tolower(static_cast<unsigned char>(given)); });
}

} // namespace

// The chart's view set up for an export: scrolled as the export asks, at the export's
// scale, without the selection's highlight and, unless asked for, without buttons.
// Everything goes back as it was when the scope ends, also after an error.
class TzqCustomOrgChart::ExportScope {
public:
    ExportScope(TzqCustomOrgChart* chart, const TzqOcExportOptions& options, int64_t numerator, int64_t denominator)
        : m_chart(chart),
          m_zoom(chart->m_zoom),
          m_numerator(chart->m_zoomNumerator),
          m_denominator(chart->m_zoomDenominator),
          m_leftPos(chart->m_leftPos),
          m_topPos(chart->m_topPos),
          m_selected(chart->m_selected),
          m_options(chart->m_options),
          m_paintArea(chart->m_paintArea)
    {
        chart->m_zoom = numerator < denominator;
        chart->m_zoomNumerator = numerator;
        chart->m_zoomDenominator = denominator;
        chart->m_selected = nullptr;
        if (!options.Buttons)
            chart->m_options.exclude(TzqOcOption::ocButtons);
        // The rows' offset sums were taken at the window's scale.
        ++chart->m_layoutStamp;
    }
    ~ExportScope()
    {
        m_chart->m_zoom = m_zoom;
        m_chart->m_zoomNumerator = m_numerator;
        m_chart->m_zoomDenominator = m_denominator;
        m_chart->m_leftPos = m_leftPos;
        m_chart->m_topPos = m_topPos;
        m_chart->m_selected = m_selected;
        m_chart->m_options = m_options;
        m_chart->m_paintArea = m_paintArea;
        ++m_chart->m_layoutStamp;
    }
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    TzqCustomOrgChart* m_chart;
    bool m_zoom;
    int64_t m_numerator;
    int64_t m_denominator;
    int m_leftPos;
    int m_topPos;
    TzqOcNode* m_selected;
    TzqOcOptions m_options;
    TRect64 m_paintArea;
};

double TzqCustomOrgChart::ExportToFile(const std::string& FileName, const TzqOcExportOptions& Options)
{
    if (!HasExtension(FileName, ".png"))
        throw EInvalidOperation("Cannot export the chart to '" + FileName +
                                "': the file name must end in .png (a PNG picture).");
    if (m_root->Count() == 0)
        throw EInvalidOperation("The chart has no nodes to export.");
    // Settled first, so that nothing recomputes the window's zoom during the export.
    UpdateLayout();
    int64_t fullWidth;
    int64_t fullHeight;
    {
        FullSizeScope fullSize(this);
        fullWidth = TotalWidth();
        fullHeight = TotalHeight();
    }
    const int64_t maxSide = std::max(Options.MaxSide, 1);
    const int64_t largest = std::max<int64_t>({fullWidth, fullHeight, 1});
    const int64_t numerator = largest > maxSide ? maxSide : 1;
    const int64_t denominator = largest > maxSide ? largest : 1;

    ExportScope scope(this, Options, numerator, denominator);
    const int width = int(std::clamp<int64_t>(TotalWidth(), 1, maxSide));
    const int height = int(std::clamp<int64_t>(TotalHeight(), 1, maxSide));
    const int stripHeight = std::clamp(Options.StripHeight, 1, height);

    TBitmap strip(width, stripHeight);
    TPngStreamWriter picture(FileName, width, height);
    for (int top = 0; top < height; top += stripHeight) {
        const int rows = std::min(stripHeight, height - top);
        m_leftPos = 0;
        m_topPos = top;
        PaintAreaOn(strip.Canvas(), TRect{0, 0, width, rows});
        picture.AppendRows(strip, rows);
    }
    picture.Finish();
    return double(numerator) / double(denominator);
}
