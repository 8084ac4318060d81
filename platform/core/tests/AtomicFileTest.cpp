// Files written whole or not at all: the new content goes to a file beside the old
// one and replaces it only when committed; a writer dropped before that leaves the old
// file and no temporary file.
#include "platform/core/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t FileCount(const fs::path& folder)
{
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFile, CommittingReplacesTheFileAndKeepsItsAccessModeDroppingKeepsTheOldOne)
{
    const fs::path folder = fs::temp_directory_path() / ("atomic-file-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "notes.txt";
    std::ofstream(path) << "old";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);

    {
        TAtomicFile dropped(path.string());
        dropped.Write("never seen");
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FileCount(folder), 1u) << "the dropped writer's temporary file is gone";

    {
        TAtomicFile file(path.string());
        file.Write("new text");
        EXPECT_EQ(FileCount(folder), 2u) << "the new text goes to a file beside the old one";
        EXPECT_EQ(Read(path), "old");
        file.Commit();
        EXPECT_THROW(file.Write("more"), EFileError) << "a committed file is closed";
    }
    EXPECT_EQ(Read(path), "new text");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode);
    EXPECT_EQ(FileCount(folder), 1u);
    fs::remove_all(folder);
}
