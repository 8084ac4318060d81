// The SVG writer: a drawing made on a vector canvas comes out as a well-formed SVG file
// whose text is text, whose pictures are PNG data that decode to the same pixels, whose
// groups hold their drawing and whose clip areas are named where they are used; a file
// not finished, or one in a missing folder, is never left behind.
#include "platform/core/AtomicFile.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/SvgWriter.h"
#include "platform/drawing/VectorCanvas.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    int depth = 0;
};

// Every element of the file in document order, with its attributes and its own text.
std::vector<TElement> ReadElements(const fs::path& path, std::string& error)
{
    QFile file(QString::fromStdString(path.string()));
    std::vector<TElement> out;
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open";
        return out;
    }
    QXmlStreamReader xml(&file);
    std::vector<size_t> open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            TElement e;
            e.name = xml.name().toString().toStdString();
            for (const auto& a : xml.attributes())
                e.attributes[a.qualifiedName().toString().toStdString()] = a.value().toString().toStdString();
            e.depth = int(open.size());
            open.push_back(out.size());
            out.push_back(e);
        } else if (xml.isEndElement()) {
            open.pop_back();
        } else if (xml.isCharacters() && !open.empty()) {
            out[open.back()].text += xml.text().toString().toStdString();
        }
    }
    if (xml.hasError())
        error = xml.errorString().toStdString();
    return out;
}

class SvgWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("svg-writer-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

} // namespace

TEST_F(SvgWriterTest, ADrawingComesOutWithTextAsTextPicturesAsPngAndOneGroupPerItem)
{
    const fs::path file = folder / "drawing.svg";
    {
        TSvgWriter svg(file.string(), 300, 200, "Sample & co");
        TVectorCanvas canvas(svg, TRect(0, 0, 300, 200));
        canvas.Brush()->SetColor(RGB(255, 240, 200));
        canvas.FillRect(TRect(0, 0, 300, 200));
        BeginCanvasGroup(&canvas, "node", "Research <R&D>");
        canvas.Pen()->SetColor(RGB(0, 0, 255));
        canvas.Rectangle(10, 10, 110, 60);
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect cell(12, 12, 108, 58);
        canvas.DrawText("Research <R&D>", cell, DT_CENTER | DT_NOPREFIX);
        TBitmap picture(3, 2);
        picture.Canvas()->SetPixel(0, 0, clRed);
        canvas.Draw(20, 30, &picture);
        EndCanvasGroup(&canvas);
        BeginCanvasGroup(&canvas, "node", "Sales");
        cell = TRect(150, 10, 250, 60);
        canvas.DrawText("Sales", cell, 0);
        EndCanvasGroup(&canvas);
        svg.Finish();
    }
    std::string error;
    const auto elements = ReadElements(file, error);
    ASSERT_EQ(error, "");
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0].name, "svg");
    EXPECT_EQ(elements[0].attributes.at("width"), "300");
    EXPECT_EQ(elements[0].attributes.at("viewBox"), "0 0 300 200");
    EXPECT_EQ(elements[1].text, "Sample & co");

    std::vector<std::string> groupTexts;
    int rects = 0;
    for (size_t i = 0; i < elements.size(); ++i) {
        const TElement& e = elements[i];
        if (e.name == "rect" && e.depth == 1)
            ++rects;
        if (e.name == "g") {
            EXPECT_EQ(e.attributes.at("class"), "node");
            std::string texts;
            for (size_t j = i + 1; j < elements.size() && elements[j].depth > e.depth; ++j)
                if (elements[j].name == "text")
                    texts += elements[j].text;
            groupTexts.push_back(texts);
        }
        if (e.name == "rect" && e.depth == 2) {
            // The box: a one-pixel outline centred on the border pixels.
            EXPECT_EQ(e.attributes.at("x"), "10.5");
            EXPECT_EQ(e.attributes.at("width"), "99");
            EXPECT_EQ(e.attributes.at("stroke"), "#0000ff");
        }
        if (e.name == "image") {
            const std::string href = e.attributes.at("xlink:href");
            const std::string prefix = "data:image/png;base64,";
            ASSERT_EQ(href.substr(0, prefix.size()), prefix);
            const QImage decoded = QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(href.substr(prefix.size()))), "PNG");
            ASSERT_EQ(decoded.width(), 3);
            EXPECT_EQ(decoded.pixel(0, 0) & 0xFFFFFFu, 0xFF0000u);
            EXPECT_EQ(decoded.pixel(1, 1) & 0xFFFFFFu, 0xFFFFFFu);
            EXPECT_EQ(e.attributes.at("x"), "20");
            EXPECT_EQ(e.attributes.at("height"), "2");
        }
    }
    EXPECT_EQ(rects, 1) << "the background";
    EXPECT_EQ(groupTexts, (std::vector<std::string>{"Research <R&D>", "Sales"}));
}

TEST_F(SvgWriterTest, ClippedDrawingsNameTheirClipArea)
{
    const fs::path file = folder / "clip.svg";
    {
        TSvgWriter svg(file.string(), 100, 100);
        TVectorCanvas canvas(svg, TRect(0, 0, 100, 100));
        canvas.IntersectClipRect(TRect(10, 10, 50, 50));
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(TRect(0, 0, 100, 100));
        svg.Finish();
    }
    std::string error;
    const auto elements = ReadElements(file, error);
    ASSERT_EQ(error, "");
    std::string clipId, used;
    for (const TElement& e : elements) {
        if (e.name == "clipPath")
            clipId = e.attributes.at("id");
        if (e.name == "rect" && e.attributes.count("fill"))
            used = e.attributes.at("clip-path");
    }
    ASSERT_FALSE(clipId.empty());
    EXPECT_EQ(used, "url(#" + clipId + ")");
}

TEST_F(SvgWriterTest, AnUnfinishedDrawingOrAMissingFolderLeavesNoFile)
{
    {
        TSvgWriter svg((folder / "dropped.svg").string(), 10, 10);
        TVectorCanvas canvas(svg, TRect(0, 0, 10, 10));
        canvas.FillRect(TRect(0, 0, 5, 5));
    }
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_THROW(TSvgWriter((folder / "missing" / "x.svg").string(), 10, 10), EFileError);
    EXPECT_THROW(TSvgWriter((folder / "x.svg").string(), 0, 10), EPlatformError);
    EXPECT_TRUE(fs::is_empty(folder));
}
