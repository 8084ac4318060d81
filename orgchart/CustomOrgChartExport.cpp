// TzqCustomOrgChart: export of the whole drawing to a file. The drawing is painted by
// the same code that paints the window, as if the window were exactly as wide as the
// drawing: for a PNG picture strip by strip onto one bitmap (each strip goes to the
// file's compressor before the next one is painted), for an SVG drawing in one pass
// onto a vector canvas that writes as it goes, for PDF pages a tile per page.
#include "orgchart/CustomOrgChart.h"

#include "orgchart/OcPdfLayout.h"

#include "platform/core/Exception.h"
#include "platform/core/PrintService.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PdfWriter.h"
#include "platform/drawing/PngStreamWriter.h"
#include "platform/drawing/SvgWriter.h"
#include "platform/drawing/VectorCanvas.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <unistd.h>

namespace {

bool HasExtension(const std::string& name, const std::string& extension)
{
    if (name.size() <= extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char wanted, char given) { return wanted == std::tolower(static_cast<unsigned char>(given)); });
}

enum class TExportFormat { Png, Svg, Pdf };

TExportFormat FormatOf(const std::string& name)
{
    if (HasExtension(name, ".png"))
        return TExportFormat::Png;
    if (HasExtension(name, ".svg"))
        return TExportFormat::Svg;
    if (HasExtension(name, ".pdf"))
        return TExportFormat::Pdf;
    throw EInvalidOperation("Cannot export the chart to '" + name +
                            "': the file name must end in .png (a picture), .svg (a drawing) or .pdf (pages).");
}

// Vector drawings keep their coordinates well inside the canvas's range.
constexpr int kVectorMaxSide = 1 << 26;

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
    const TExportFormat format = FormatOf(FileName);
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
    const int64_t maxSide = format == TExportFormat::Png ? std::max(Options.MaxSide, 1) : kVectorMaxSide;
    const int64_t largest = std::max<int64_t>({fullWidth, fullHeight, 1});
    const int64_t numerator = largest > maxSide ? maxSide : 1;
    const int64_t denominator = largest > maxSide ? largest : 1;

    ExportScope scope(this, Options, numerator, denominator);
    const int width = int(std::clamp<int64_t>(TotalWidth(), 1, maxSide));
    const int height = int(std::clamp<int64_t>(TotalHeight(), 1, maxSide));
    switch (format) {
    case TExportFormat::Png: ExportPng(FileName, Options, width, height); break;
    case TExportFormat::Svg: ExportSvg(FileName, width, height); break;
    case TExportFormat::Pdf: ExportPdf(FileName, Options, width, height); break;
    }
    return double(numerator) / double(denominator);
}

// Strip by strip into one bitmap, each strip compressed before the next is painted.
void TzqCustomOrgChart::ExportPng(const std::string& FileName, const TzqOcExportOptions& Options, int Width, int Height)
{
    const int stripHeight = std::clamp(Options.StripHeight, 1, Height);
    TBitmap strip(Width, stripHeight);
    TPngStreamWriter picture(FileName, Width, Height);
    for (int top = 0; top < Height; top += stripHeight) {
        const int rows = std::min(stripHeight, Height - top);
        m_leftPos = 0;
        m_topPos = top;
        PaintAreaOn(strip.Canvas(), TRect{0, 0, Width, rows});
        picture.AppendRows(strip, rows);
    }
    picture.Finish();
}

// The whole drawing in one pass, written out as it is drawn.
void TzqCustomOrgChart::ExportSvg(const std::string& FileName, int Width, int Height)
{
    TSvgWriter drawing(FileName, Width, Height);
    TVectorCanvas canvas(drawing, TRect{0, 0, Width, Height});
    m_leftPos = 0;
    m_topPos = 0;
    PaintAreaOn(&canvas, TRect{0, 0, Width, Height});
    drawing.Finish();
}

// Page by page: each page paints its tile of the drawing (the whole drawing on a
// fitted page), scrolled there as the window would be.
void TzqCustomOrgChart::ExportPdf(const std::string& FileName, const TzqOcExportOptions& Options, int Width, int Height)
{
    const TzqOcPdfLayout layout = TzqOcPdfLayout::For(Width, Height, Options);
    TPdfWriter document(FileName);
    const int pages = layout.PageCount();
    for (int row = 0; row < layout.Rows; ++row)
        for (int column = 0; column < layout.Columns; ++column) {
            const int64_t left = column * layout.StepX;
            const int64_t top = row * layout.StepY;
            const int tileWidth = int(std::min<int64_t>(layout.TileWidth, Width - left));
            const int tileHeight = int(std::min<int64_t>(layout.TileHeight, Height - top));
            document.NewPage(layout.PageWidth, layout.PageHeight);
            const TRect tile{0, 0, tileWidth, tileHeight};
            TVectorCanvas canvas(document.Drawing(layout.Scale, layout.Left, layout.Top, tile), tile);
            m_leftPos = int(left);
            m_topPos = int(top);
            PaintAreaOn(&canvas, tile);
            if (pages > 1) {
                const int number = row * layout.Columns + column + 1;
                document.Label("Page " + std::to_string(number) + " of " + std::to_string(pages) + " (row " +
                                   std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ")",
                               layout.PageWidth / 2, layout.PageHeight - layout.Margin / 2);
            }
        }
    document.Finish();
}

std::string TzqCustomOrgChart::Print(const TzqOcExportOptions& Options, const std::string& Title)
{
    RequirePrintService();
    if (m_root->Count() == 0)
        throw EInvalidOperation("The chart has no nodes to print.");
    // The pages go to a file of their own in the temporary folder, removed once the
    // print service has taken (copied) it.
    static std::atomic<int> serial{0};
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
        ("velmora-print-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".pdf");
    struct Removal {
        const std::filesystem::path& file;
        ~Removal()
        {
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
        }
    } removal{file};
    ExportToFile(file.string(), Options);
    return PrintPdfFile(file.string(), Title);
}
