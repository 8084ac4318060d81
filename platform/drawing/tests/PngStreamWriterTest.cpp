// Pictures written a strip at a time: the file decodes to exactly the pixels that went
// in, whatever the strip sizes; a picture left unfinished or given the wrong rows
// leaves no file behind; writing goes through a temporary file renamed at the end.
#include "platform/core/AtomicFile.h" // EFileError
#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/PngStreamWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class PngStreamWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("png-stream-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Every file in the folder, to see that nothing half-written stays.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
};

// A colour that differs at every pixel of a picture up to 4096 pixels wide.
TColor PatternAt(int x, int y)
{
    return RGB((x * 7 + y) & 0xFF, (y * 13) & 0xFF, (x ^ y) & 0xFF);
}

} // namespace

TEST_F(PngStreamWriterTest, TheFileDecodesToThePixelsOfEveryStripWhateverTheirHeight)
{
    struct Case { int width, height, strip; };
    const Case cases[] = {{1, 1, 1}, {5, 9, 2}, {37, 20, 20}, {300, 67, 16}, {3, 200, 199}};
    for (const Case& c : cases) {
        const std::string path = (folder / "picture.png").string();
        TPngStreamWriter writer(path, c.width, c.height);
        TBitmap strip(c.width, c.strip);
        for (int top = 0; top < c.height; top += c.strip) {
            const int rows = std::min(c.strip, c.height - top);
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < c.width; ++x)
                    strip.SetPixel(x, y, PatternAt(x, top + y));
            writer.AppendRows(strip, rows);
        }
        EXPECT_EQ(writer.RowsWritten(), c.height);
        writer.Finish();

        TBitmap read;
        read.LoadFromPngFile(path);
        ASSERT_EQ(read.Width(), c.width);
        ASSERT_EQ(read.Height(), c.height);
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                wrong += (read.Pixel(x, y) & 0xFFFFFF) != PatternAt(x, y);
        EXPECT_EQ(wrong, 0) << c.width << " x " << c.height << " in strips of " << c.strip;
    }
}

TEST_F(PngStreamWriterTest, WrongRowsAndAnUnfinishedPictureLeaveNoFileAndKeepTheOldOne)
{
    const std::string path = (folder / "kept.png").string();
    std::ofstream(path) << "the old file";
    TBitmap strip(4, 4);
    {
        TPngStreamWriter writer(path, 4, 6);
        writer.AppendRows(strip, 4);
        EXPECT_THROW(writer.AppendRows(strip, 4), EPlatformError) << "8 rows into a picture of 6";
        EXPECT_THROW(writer.Finish(), EPlatformError) << "2 rows are missing";
        EXPECT_THROW(writer.AppendRows(TBitmap(3, 4), 1), EPlatformError) << "a strip narrower than the picture";
    }
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the old file");
    EXPECT_EQ(Files(), std::vector<std::string>{"kept.png"}) << "no temporary file stays behind";
    EXPECT_THROW(TPngStreamWriter(path, 0, 5), EPlatformError);
    EXPECT_THROW(TPngStreamWriter(path, 5, -1), EPlatformError);
}

TEST_F(PngStreamWriterTest, AFileThatCannotBeWrittenIsNamedWithTheReason)
{
    struct Case { std::string path; std::string reason; };
    const Case cases[] = {
        {(folder / "no such folder" / "x.png").string(), "No such file or directory"},
        {folder.string(), "Is a directory"},
    };
    for (const Case& c : cases) {
        try {
            TPngStreamWriter writer(c.path, 2, 2);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const EFileError& e) {
            EXPECT_NE(std::string(e.what()).find("'" + c.path + "'"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(Files().empty());
}
