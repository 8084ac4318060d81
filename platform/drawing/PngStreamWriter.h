// TPngStreamWriter: writes a PNG file of any size a strip of rows at a time, so that a
// picture far larger than memory allows in one piece (a chart of a million boxes) is
// painted strip by strip into one bitmap and compressed as it goes. The file appears
// complete or not at all: it is written beside the target and renamed on Finish.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TBitmap;

class TPngStreamWriter {
public:
    // Width and height of the whole picture, each 1 to 2^31-1; throws EFileError when
    // the file cannot be created, EPlatformError for a bad size.
    TPngStreamWriter(const std::string& path, int width, int height);
    ~TPngStreamWriter();
    TPngStreamWriter(const TPngStreamWriter&) = delete;
    TPngStreamWriter& operator=(const TPngStreamWriter&) = delete;

    // Appends the first Rows rows of Strip (at least as wide as the picture; its
    // pixels left of the picture's width are taken). Throws EPlatformError when more
    // rows arrive than the picture has, EFileError when writing fails.
    void AppendRows(const TBitmap& Strip, int Rows);
    int RowsWritten() const;
    // Ends the picture and puts the file in place; every row must have arrived.
    void Finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
