// TPdfWriter: PDF pages that show a drawing made on a vector canvas: the drawing's
// pixels placed on a page at a scale, cut to a part of the drawing (a page of a tiled
// print shows its tile). Text stays text (searchable, selectable), pictures are
// embedded. Each page's content is written when the next page starts, so a document
// of many pages takes the memory of one. The file appears complete or not at all: it
// is written beside the target and renamed on Finish.
#pragma once

#include "platform/core/Types.h"
#include "platform/drawing/VectorSink.h"

#include <memory>
#include <string>

// Paper sizes, as width x height in points (1/72 inch) of the portrait page.
enum class TPaperSize { A4, A3, Letter, Legal };
TVectorPoint PaperPoints(TPaperSize Paper);

class TPdfWriter {
public:
    // Throws EFileError when the file cannot be created.
    explicit TPdfWriter(const std::string& Path, const std::string& Title = {});
    ~TPdfWriter();
    TPdfWriter(const TPdfWriter&) = delete;
    TPdfWriter& operator=(const TPdfWriter&) = delete;

    // Starts a page of Width x Height points (the first call starts the first page).
    void NewPage(double Width, double Height);
    // The sink for a drawing on the current page: the drawing's pixel (x, y) lands at
    // (Left + x * Scale, Top + y * Scale) points, and only its pixels inside Area show.
    TVectorSink& Drawing(double Scale, double Left, double Top, const TRect& Area);
    // A line of small text on the current page with its baseline's centre at (X, Y)
    // points (page numbers).
    void Label(const std::string& Text, double X, double Y);
    int PageCount() const;
    // Ends the document and puts the file in place; throws EFileError when writing fails.
    void Finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
