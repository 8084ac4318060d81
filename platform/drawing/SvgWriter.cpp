#include "platform/drawing/SvgWriter.h"

#include "platform/core/AtomicFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <charconv>
#include <cmath>

namespace {

// A number with at most three decimals, without trailing zeros.
void AppendNumber(std::string& out, double value)
{
    if (std::abs(value) < 0.0005)
        value = 0;
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    char* last = end;
    while (last > buffer && last[-1] == '0')
        --last;
    if (last > buffer && last[-1] == '.')
        --last;
    out.append(buffer, last);
}

void AppendColor(std::string& out, TColor color)
{
    static const char digits[] = "0123456789abcdef";
    const unsigned rgb[3] = {unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF), unsigned((color >> 16) & 0xFF)};
    out += '#';
    for (unsigned c : rgb) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
}

// Characters that would end an attribute or start markup; characters XML does not
// allow at all (controls other than tab and line breaks) are left out.
void AppendEscaped(std::string& out, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20)
                out += c;
        }
    }
}

} // namespace

struct TSvgWriter::Private {
    TAtomicFile file;
    std::string buffer;
    std::string clipAttribute; // clip-path="..." of the clip in force, empty for none
    int clipCount = 0;
    int openGroups = 0;
    bool finished = false;

    explicit Private(const std::string& path) : file(path) {}

    void Flush(size_t above)
    {
        if (buffer.size() > above) {
            file.Write(buffer);
            buffer.clear();
        }
    }

    void Attribute(const char* name, double value)
    {
        buffer += ' ';
        buffer += name;
        buffer += "=\"";
        AppendNumber(buffer, value);
        buffer += '"';
    }

    void Paint(const TVectorFill* fill, const TVectorPen* pen)
    {
        buffer += " fill=\"";
        if (fill)
            AppendColor(buffer, fill->Color);
        else
            buffer += "none";
        buffer += '"';
        if (fill && !fill->EvenOdd)
            buffer += " fill-rule=\"nonzero\"";
        if (!pen)
            return;
        buffer += " stroke=\"";
        AppendColor(buffer, pen->Color);
        buffer += '"';
        if (pen->Width != 1)
            Attribute("stroke-width", pen->Width);
        if (pen->SquareCaps)
            buffer += " stroke-linecap=\"square\"";
        if (!pen->Dashes.empty()) {
            buffer += " stroke-dasharray=\"";
            for (size_t i = 0; i < pen->Dashes.size(); ++i) {
                if (i)
                    buffer += ',';
                AppendNumber(buffer, pen->Dashes[i]);
            }
            buffer += '"';
            if (pen->DashOffset != 0)
                Attribute("stroke-dashoffset", pen->DashOffset);
        }
    }

    void Points(const std::vector<TVectorPoint>& points)
    {
        buffer += " points=\"";
        for (size_t i = 0; i < points.size(); ++i) {
            if (i)
                buffer += ' ';
            AppendNumber(buffer, points[i].X);
            buffer += ',';
            AppendNumber(buffer, points[i].Y);
        }
        buffer += '"';
    }

    void Close()
    {
        buffer += clipAttribute;
        buffer += "/>\n";
        Flush(1 << 16);
    }
};

TSvgWriter::TSvgWriter(const std::string& Path, int Width, int Height, const std::string& Title)
{
    if (Width < 1 || Height < 1)
        throw EPlatformError("A drawing of " + std::to_string(Width) + " x " + std::to_string(Height) +
                             " pixels cannot be written.");
    d = std::make_unique<Private>(Path);
    std::string& out = d->buffer;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    d->Attribute("width", Width);
    d->Attribute("height", Height);
    out += " viewBox=\"0 0 " + std::to_string(Width) + ' ' + std::to_string(Height) + "\">\n";
    if (!Title.empty()) {
        out += "<title>";
        AppendEscaped(out, Title);
        out += "</title>\n";
    }
}

TSvgWriter::~TSvgWriter() = default;

void TSvgWriter::Finish()
{
    if (d->finished)
        return;
    while (d->openGroups > 0)
        EndGroup();
    d->buffer += "</svg>\n";
    d->Flush(0);
    d->file.Commit();
    d->finished = true;
}

void TSvgWriter::SetClip(const std::vector<TRect>& Rects)
{
    if (Rects.empty()) {
        d->clipAttribute.clear();
        return;
    }
    const std::string id = "clip" + std::to_string(++d->clipCount);
    std::string& out = d->buffer;
    out += "<clipPath id=\"" + id + "\">";
    for (const TRect& r : Rects) {
        out += "<rect";
        d->Attribute("x", r.Left);
        d->Attribute("y", r.Top);
        d->Attribute("width", r.Width());
        d->Attribute("height", r.Height());
        out += "/>";
    }
    out += "</clipPath>\n";
    d->clipAttribute = " clip-path=\"url(#" + id + ")\"";
}

void TSvgWriter::Shape(const TVectorShape& Shape)
{
    std::string& out = d->buffer;
    const TVectorRect& b = Shape.Bounds;
    switch (Shape.Kind) {
    case TVectorShapeKind::Rectangle:
        out += "<rect";
        d->Attribute("x", b.Left);
        d->Attribute("y", b.Top);
        d->Attribute("width", b.Width());
        d->Attribute("height", b.Height());
        if (Shape.RadiusX > 0 && Shape.RadiusY > 0) {
            d->Attribute("rx", Shape.RadiusX);
            d->Attribute("ry", Shape.RadiusY);
        }
        break;
    case TVectorShapeKind::Ellipse:
        out += "<ellipse";
        d->Attribute("cx", (b.Left + b.Right) / 2);
        d->Attribute("cy", (b.Top + b.Bottom) / 2);
        d->Attribute("rx", b.Width() / 2);
        d->Attribute("ry", b.Height() / 2);
        break;
    case TVectorShapeKind::Polyline:
        out += "<polyline";
        d->Points(Shape.Points);
        break;
    case TVectorShapeKind::Polygon:
        out += "<polygon";
        d->Points(Shape.Points);
        break;
    }
    d->Paint(Shape.Kind == TVectorShapeKind::Polyline ? nullptr : Shape.Fill, Shape.Pen);
    d->Close();
}

void TSvgWriter::Text(const TVectorText& Text)
{
    std::string& out = d->buffer;
    out += "<text xml:space=\"preserve\"";
    d->Attribute("x", Text.Origin.X);
    d->Attribute("y", Text.Origin.Y);
    out += " font-family=\"";
    AppendEscaped(out, Text.Family);
    out += ", sans-serif\"";
    d->Attribute("font-size", Text.PixelSize);
    if (Text.Weight != 400)
        d->Attribute("font-weight", Text.Weight);
    if (Text.Italic)
        out += " font-style=\"italic\"";
    out += " fill=\"";
    AppendColor(out, Text.Color);
    out += '"';
    // The viewer's font may be narrower or wider: the run keeps the canvas's width so
    // that it stays inside the box it was laid out for.
    if (Text.Width > 0)
        d->Attribute("textLength", Text.Width);
    if (Text.Angle != 0) {
        out += " transform=\"rotate(";
        AppendNumber(out, -Text.Angle);
        out += ' ';
        AppendNumber(out, Text.Origin.X);
        out += ' ';
        AppendNumber(out, Text.Origin.Y);
        out += ")\"";
    }
    out += d->clipAttribute;
    out += '>';
    AppendEscaped(out, Text.Text);
    out += "</text>\n";
    d->Flush(1 << 16);
}

void TSvgWriter::Image(const TVectorImage& Image)
{
    if (Image.Width <= 0 || Image.Height <= 0 || !Image.Pixels)
        return;
    const QImage picture(reinterpret_cast<const uchar*>(Image.Pixels), Image.Width, Image.Height, Image.Width * 4,
                         Image.HasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray png;
    QBuffer device(&png);
    device.open(QIODevice::WriteOnly);
    picture.save(&device, "PNG");
    std::string& out = d->buffer;
    out += "<image";
    d->Attribute("x", Image.Dest.Left);
    d->Attribute("y", Image.Dest.Top);
    d->Attribute("width", Image.Dest.Width());
    d->Attribute("height", Image.Dest.Height());
    out += " preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
    out += png.toBase64().toStdString();
    out += '"';
    d->Close();
}

void TSvgWriter::BeginGroup(const std::string& Kind, const std::string& Name)
{
    std::string& out = d->buffer;
    out += "<g";
    if (!Kind.empty()) {
        out += " class=\"";
        AppendEscaped(out, Kind);
        out += '"';
    }
    out += '>';
    if (!Name.empty()) {
        out += "<title>";
        AppendEscaped(out, Name);
        out += "</title>";
    }
    out += '\n';
    ++d->openGroups;
}

void TSvgWriter::EndGroup()
{
    if (d->openGroups == 0)
        return;
    --d->openGroups;
    d->buffer += "</g>\n";
    d->Flush(1 << 16);
}
