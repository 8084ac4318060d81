// Draws the program's icon: a rounded blue tile holding a small org chart (an amber
// box above white boxes, joined by lines). Every size is drawn at its own pixel grid,
// so edges fall on whole pixels and only rounded corners are smoothed; small sizes show
// two boxes below instead of three. Writes the hicolor theme's layout:
//   velmora-icon-maker <out folder>
//     <out>/<N>x<N>/apps/velmora-orgchart.png   for N in 16 22 24 32 48 64 128 256
//     <out>/scalable/apps/velmora-orgchart.svg
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kIconName = "velmora-orgchart";
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr double kGrid = 256; // the design's units

struct Rgb {
    uint8_t r, g, b;
};
constexpr Rgb kTileEdge{0x1F, 0x43, 0x68};
constexpr Rgb kTile{0x2D, 0x5B, 0x88};
constexpr Rgb kLine{0xDC, 0xE6, 0xF0};
constexpr Rgb kHead{0xF2, 0xB1, 0x34};
constexpr Rgb kBox{0xFF, 0xFF, 0xFF};

// A rectangle in design units with rounded corners.
struct Shape {
    double left, top, right, bottom, radius;
    Rgb color;
};

// The drawing in design units: tile, lines, boxes, back to front.
std::vector<Shape> Design(bool small)
{
    std::vector<Shape> shapes;
    shapes.push_back({16, 16, 240, 240, 40, kTileEdge});
    shapes.push_back({22, 22, 234, 234, 34, kTile});
    const double line = 10;
    const double rowY = small ? 128 : 126;
    const std::vector<double> columns = small ? std::vector<double>{76, 180} : std::vector<double>{64, 128, 192};
    const double boxHalf = small ? 40 : 28;
    const double boxTop = small ? 148 : 148;
    const double boxBottom = small ? 212 : 200;
    // Lines first, so the boxes sit on their ends.
    shapes.push_back({128 - line / 2, 100, 128 + line / 2, rowY + line / 2, 0, kLine});
    shapes.push_back({columns.front() - line / 2, rowY - line / 2, columns.back() + line / 2, rowY + line / 2, 0, kLine});
    for (double x : columns)
        shapes.push_back({x - line / 2, rowY, x + line / 2, boxTop + 2, 0, kLine});
    if (small)
        shapes.push_back({80, 44, 176, 108, 10, kHead});
    else
        shapes.push_back({88, 52, 168, 104, 10, kHead});
    for (double x : columns)
        shapes.push_back({x - boxHalf, boxTop, x + boxHalf, boxBottom, 8, kBox});
    return shapes;
}

class Picture {
public:
    explicit Picture(int size) : m_size(size), m_rgba(static_cast<size_t>(size) * size * 4, 0) {}

    // Paints a shape snapped to whole pixels, its corners smoothed by 4 x 4 samples.
    void Paint(const Shape& s)
    {
        const double scale = m_size / kGrid;
        const double l = std::round(s.left * scale), t = std::round(s.top * scale);
        const double r = std::max(l + 1, std::round(s.right * scale));
        const double b = std::max(t + 1, std::round(s.bottom * scale));
        const double radius = std::min({s.radius * scale, (r - l) / 2, (b - t) / 2});
        for (int y = static_cast<int>(t); y < static_cast<int>(b); ++y)
            for (int x = static_cast<int>(l); x < static_cast<int>(r); ++x) {
                int inside = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        inside += Inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, l, t, r, b, radius);
                if (inside)
                    Blend(x, y, s.color, inside / 16.0);
            }
    }

    bool SavePng(const std::filesystem::path& path) const
    {
        std::vector<uint8_t> raw;
        raw.reserve(m_rgba.size() + m_size);
        for (int y = 0; y < m_size; ++y) {
            raw.push_back(0); // no filter
            raw.insert(raw.end(), m_rgba.begin() + y * m_size * 4, m_rgba.begin() + (y + 1) * m_size * 4);
        }
        uLongf packedSize = compressBound(raw.size());
        std::vector<uint8_t> packed(packedSize);
        if (compress2(packed.data(), &packedSize, raw.data(), raw.size(), 9) != Z_OK)
            return false;
        packed.resize(packedSize);

        std::vector<uint8_t> header;
        Put32(header, m_size);
        Put32(header, m_size);
        header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace

        std::ofstream out(path, std::ios::binary);
        const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        out.write(reinterpret_cast<const char*>(signature), sizeof signature);
        WriteChunk(out, "IHDR", header);
        WriteChunk(out, "IDAT", packed);
        WriteChunk(out, "IEND", {});
        return static_cast<bool>(out);
    }

private:
    static int Inside(double x, double y, double l, double t, double r, double b, double radius)
    {
        if (x < l || x >= r || y < t || y >= b)
            return 0;
        const double cx = std::clamp(x, l + radius, r - radius);
        const double cy = std::clamp(y, t + radius, b - radius);
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius ? 1 : 0;
    }

    // Source over destination, colours kept unpremultiplied as PNG stores them.
    void Blend(int x, int y, Rgb color, double alpha)
    {
        uint8_t* p = &m_rgba[(static_cast<size_t>(y) * m_size + x) * 4];
        const double below = p[3] / 255.0;
        const double out = alpha + below * (1 - alpha);
        auto mix = [&](uint8_t src, uint8_t dst) {
            return static_cast<uint8_t>(std::lround((src * alpha + dst * below * (1 - alpha)) / out));
        };
        p[0] = mix(color.r, p[0]);
        p[1] = mix(color.g, p[1]);
        p[2] = mix(color.b, p[2]);
        p[3] = static_cast<uint8_t>(std::lround(out * 255));
    }

    static void Put32(std::vector<uint8_t>& bytes, uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
    }

    static void WriteChunk(std::ofstream& out, const char* type, const std::vector<uint8_t>& data)
    {
        std::vector<uint8_t> chunk;
        Put32(chunk, static_cast<uint32_t>(data.size()));
        chunk.insert(chunk.end(), type, type + 4);
        chunk.insert(chunk.end(), data.begin(), data.end());
        const uLong crc = crc32(crc32(0, nullptr, 0), chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
        Put32(chunk, static_cast<uint32_t>(crc));
        out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    }

    int m_size;
    std::vector<uint8_t> m_rgba;
};

std::string Hex(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

bool SaveSvg(const std::filesystem::path& path)
{
    std::ofstream out(path);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : Design(false))
        out << "  <rect x=\"" << s.left << "\" y=\"" << s.top << "\" width=\"" << s.right - s.left << "\" height=\""
            << s.bottom - s.top << "\" rx=\"" << s.radius << "\" fill=\"" << Hex(s.color) << "\"/>\n";
    out << "</svg>\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <out folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (int size : kSizes) {
        const std::filesystem::path folder = root / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::filesystem::create_directories(folder);
        Picture picture(size);
        for (const Shape& shape : Design(size < 32))
            picture.Paint(shape);
        if (!picture.SavePng(folder / (std::string(kIconName) + ".png"))) {
            std::fprintf(stderr, "Could not write the %d-pixel icon in %s\n", size, folder.c_str());
            return 1;
        }
    }
    const std::filesystem::path scalable = root / "scalable" / "apps";
    std::filesystem::create_directories(scalable);
    if (!SaveSvg(scalable / (std::string(kIconName) + ".svg"))) {
        std::fprintf(stderr, "Could not write the scalable icon in %s\n", scalable.c_str());
        return 1;
    }
    return 0;
}
