// TSvgWriter: a vector sink that writes an SVG file as the drawing arrives, so that a
// drawing of any size takes little memory. Shapes become rect, ellipse, polyline and
// polygon elements, text runs text elements (searchable and selectable in a viewer),
// pictures image elements with the PNG data inside, groups g elements carrying their
// kind as class and their name as title. The file appears complete or not at all: it
// is written beside the target and renamed on Finish.
#pragma once

#include "platform/drawing/VectorSink.h"

#include <memory>
#include <string>

class TSvgWriter : public TVectorSink {
public:
    // A drawing of Width x Height pixels; throws EFileError when the file cannot be
    // created, EPlatformError for a size below 1.
    TSvgWriter(const std::string& Path, int Width, int Height, const std::string& Title = {});
    ~TSvgWriter() override;
    TSvgWriter(const TSvgWriter&) = delete;
    TSvgWriter& operator=(const TSvgWriter&) = delete;

    // Ends the document and puts the file in place; throws EFileError when writing fails.
    void Finish();

    void SetClip(const std::vector<TRect>& Rects) override;
    void Shape(const TVectorShape& Shape) override;
    void Text(const TVectorText& Text) override;
    void Image(const TVectorImage& Image) override;
    void BeginGroup(const std::string& Kind, const std::string& Name) override;
    void EndGroup() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
