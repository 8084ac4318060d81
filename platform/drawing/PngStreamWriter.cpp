#include "platform/drawing/PngStreamWriter.h"

#include "platform/core/AtomicFile.h"
#include "platform/drawing/Bitmap_p.h"

#include <zlib.h>

#include <vector>

namespace {

void PutBigEndian(std::string& out, uint32_t value)
{
    out += char(value >> 24);
    out += char(value >> 16);
    out += char(value >> 8);
    out += char(value);
}

// A chunk: length, type, data, and the CRC of type and data.
std::string Chunk(const char type[4], const std::string& data)
{
    std::string chunk;
    PutBigEndian(chunk, uint32_t(data.size()));
    chunk.append(type, 4);
    chunk += data;
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
    PutBigEndian(chunk, uint32_t(crc));
    return chunk;
}

} // namespace

struct TPngStreamWriter::Private {
    TAtomicFile file;
    int width;
    int height;
    int rows = 0;
    z_stream zs{};
    bool zsOpen = false;
    std::vector<unsigned char> row;
    std::vector<unsigned char> out = std::vector<unsigned char>(256 * 1024);

    Private(const std::string& path, int w, int h) : file(path), width(w), height(h), row(1 + size_t(w) * 3) {}
    ~Private()
    {
        if (zsOpen)
            deflateEnd(&zs);
    }

    // Compresses input (or finishes the stream) and writes whatever output is ready
    // as IDAT chunks.
    void Deflate(const unsigned char* data, size_t size, int flush)
    {
        zs.next_in = const_cast<unsigned char*>(data);
        zs.avail_in = uInt(size);
        int result = Z_OK;
        do {
            zs.next_out = out.data();
            zs.avail_out = uInt(out.size());
            result = deflate(&zs, flush);
            if (result == Z_STREAM_ERROR)
                throw EPlatformError("The picture could not be compressed.");
            const size_t produced = out.size() - zs.avail_out;
            if (produced > 0)
                file.Write(Chunk("IDAT", std::string(reinterpret_cast<const char*>(out.data()), produced)));
        } while (flush == Z_FINISH ? result != Z_STREAM_END : zs.avail_out == 0);
    }
};

TPngStreamWriter::TPngStreamWriter(const std::string& path, int width, int height)
{
    if (width <= 0 || height <= 0)
        throw EPlatformError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                             " pixels cannot be written.");
    d = std::make_unique<Private>(path, width, height);
    if (deflateInit(&d->zs, 6) != Z_OK)
        throw EPlatformError("The picture could not be compressed.");
    d->zsOpen = true;
    std::string header("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    PutBigEndian(ihdr, uint32_t(width));
    PutBigEndian(ihdr, uint32_t(height));
    ihdr += char(8); // bits per channel
    ihdr += char(2); // truecolour
    ihdr += std::string(3, '\0'); // deflate, adaptive filtering, no interlace
    d->file.Write(header + Chunk("IHDR", ihdr));
}

TPngStreamWriter::~TPngStreamWriter() = default;

int TPngStreamWriter::RowsWritten() const
{
    return d->rows;
}

void TPngStreamWriter::AppendRows(const TBitmap& Strip, int Rows)
{
    const QImage& image = BitmapImage(Strip);
    if (Rows < 0 || Rows > image.height() || image.width() < d->width)
        throw EPlatformError("The strip does not hold the rows asked for.");
    if (Rows > d->height - d->rows)
        throw EPlatformError("More rows than the picture has.");
    for (int y = 0; y < Rows; ++y) {
        const auto* pixels = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        unsigned char* p = d->row.data();
        *p++ = 0; // no filter
        for (int x = 0; x < d->width; ++x) {
            const uint32_t px = pixels[x];
            *p++ = (px >> 16) & 0xFF;
            *p++ = (px >> 8) & 0xFF;
            *p++ = px & 0xFF;
        }
        d->Deflate(d->row.data(), d->row.size(), Z_NO_FLUSH);
    }
    d->rows += Rows;
}

void TPngStreamWriter::Finish()
{
    if (d->rows != d->height)
        throw EPlatformError("The picture has " + std::to_string(d->rows) + " of its " + std::to_string(d->height) +
                             " rows.");
    d->Deflate(nullptr, 0, Z_FINISH);
    d->file.Write(Chunk("IEND", {}));
    d->file.Commit();
}
