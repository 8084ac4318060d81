// Where the program finds its table: beside the program, else the user's copy of the
// installed table in the XDG data folder, made once and never in the install.
#include "demo/DemoTableFolder.h"
#include "platform/core/Exception.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Every file and folder under a root, for seeing that nothing was written there.
std::set<std::string> Listing(const fs::path& root)
{
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(entry.path().string());
    return entries;
}

// A prefix as the install lays it out (<prefix>/bin, <prefix>/share/velmora-orgchart)
// and a home folder, under one temporary root.
class DemoTableFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               ("velmora-tablefolder-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "prefix/bin");
        fs::create_directories(root / "home");
        places.ProgramFolder = (root / "prefix/bin").string() + "/";
        places.Home = (root / "home").string();
        // Where the install puts the table, seen from its program folder.
        installedTable = fs::path(DemoTable::TemplateCandidates(places).front()).lexically_normal();
        WriteFile(installedTable, "the installed table");
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(installedTable, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root);
    }

    std::string UserCopyFolder() const { return (root / "home/.local/share/velmora-orgchart").string() + "/"; }

    fs::path root;
    fs::path installedTable;
    DemoTable::TPlaces places;
};

TEST_F(DemoTableFolderTest, ATableBesideTheProgramIsUsedAndNothingIsCopied)
{
    WriteFile(root / "prefix/bin/ARBOLO.DB", "a table beside the program");

    EXPECT_EQ(DemoTable::FindFolder(places), places.ProgramFolder);
    EXPECT_FALSE(fs::exists(root / "home/.local"));
}

TEST_F(DemoTableFolderTest, AnInstalledProgramWorksOnAUserCopyMadeOnceOutsideTheInstall)
{
    const std::set<std::string> install = Listing(root / "prefix");
    ASSERT_TRUE(install.count(installedTable.string()));

    ASSERT_EQ(DemoTable::FindFolder(places), UserCopyFolder());
    EXPECT_EQ(ReadFile(UserCopyFolder() + "ARBOLO.DB"), "the installed table");
    EXPECT_EQ(Listing(root / "prefix"), install);
    // No half-made copy is left beside it.
    EXPECT_EQ(Listing(UserCopyFolder()), std::set<std::string>{UserCopyFolder() + "ARBOLO.DB"});
    // Folders the program makes in the data folder are the user's alone.
    struct stat st;
    ASSERT_EQ(::stat((root / "home/.local").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);

    // The user's edits stay: a later start opens the copy as it is.
    WriteFile(UserCopyFolder() + "ARBOLO.DB", "edited by the user");
    EXPECT_EQ(DemoTable::FindFolder(places), UserCopyFolder());
    EXPECT_EQ(ReadFile(UserCopyFolder() + "ARBOLO.DB"), "edited by the user");
}

TEST_F(DemoTableFolderTest, TheCopyOfAReadOnlyInstalledTableIsWritable)
{
    fs::permissions(installedTable,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    ASSERT_EQ(DemoTable::FindFolder(places), UserCopyFolder());
    struct stat st;
    ASSERT_EQ(::stat((UserCopyFolder() + "ARBOLO.DB").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST(DemoTableUserFolder, FollowsXdgDataHomeThenHomeAndIgnoresRelativeValues)
{
    struct Case {
        const char* dataHome;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/data", "/home/u", "/data/velmora-orgchart/"},
        {"/data/", "/home/u", "/data/velmora-orgchart/"},
        {"", "/home/u", "/home/u/.local/share/velmora-orgchart/"},
        {"data", "/home/u", "/home/u/.local/share/velmora-orgchart/"},
        {"", "", ""},
        {"data", "home", ""},
    };
    for (const Case& c : cases) {
        DemoTable::TPlaces places;
        places.DataHome = c.dataHome;
        places.Home = c.home;
        EXPECT_EQ(DemoTable::UserFolder(places), c.folder) << "XDG_DATA_HOME=" << c.dataHome << " HOME=" << c.home;
    }
}

TEST(DemoTableTemplates, TheProgramsOwnInstallComesFirstThenXdgDataDirs)
{
    DemoTable::TPlaces places;
    places.ProgramFolder = "/opt/v/bin/";
    places.DataDirs = "/site/share:relative/share::/usr/share/";
    std::vector<std::string> candidates = DemoTable::TemplateCandidates(places);
    ASSERT_EQ(candidates.size(), 3u);
    // The install's data folder, relative to the program's folder.
    EXPECT_EQ(candidates[0].rfind("/opt/v/bin/", 0), 0u) << candidates[0];
    EXPECT_TRUE(candidates[0].ends_with("/velmora-orgchart/ARBOLO.DB")) << candidates[0];
    EXPECT_EQ(candidates[1], "/site/share/velmora-orgchart/ARBOLO.DB");
    EXPECT_EQ(candidates[2], "/usr/share/velmora-orgchart/ARBOLO.DB");

    places.DataDirs.clear(); // unset: the XDG default folders
    candidates = DemoTable::TemplateCandidates(places);
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[1], "/usr/local/share/velmora-orgchart/ARBOLO.DB");
    EXPECT_EQ(candidates[2], "/usr/share/velmora-orgchart/ARBOLO.DB");
}

TEST_F(DemoTableFolderTest, AProgramMovedAwayFromItsInstallFindsTheTableThroughXdgDataDirs)
{
    fs::create_directories(root / "elsewhere");
    places.ProgramFolder = (root / "elsewhere").string();
    places.DataDirs = installedTable.parent_path().parent_path().string();

    ASSERT_EQ(DemoTable::FindFolder(places), UserCopyFolder());
    EXPECT_EQ(ReadFile(UserCopyFolder() + "ARBOLO.DB"), "the installed table");
}

TEST_F(DemoTableFolderTest, AnUnwritableDataFolderIsReportedByItsPlace)
{
    // A file where the data folder should be: not writable even for the superuser.
    WriteFile(root / "home/blocked", "");
    places.DataHome = (root / "home/blocked/data").string();

    try {
        DemoTable::FindFolder(places);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(places.DataHome + "/velmora-orgchart"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("Not a directory"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ReadFile(root / "home/blocked"), "");
}

TEST_F(DemoTableFolderTest, WithoutAnyTableTheErrorListsThePlacesLookedIn)
{
    fs::remove(installedTable);
    places.DataDirs = (root / "nowhere").string();

    try {
        DemoTable::FindFolder(places);
        FAIL() << "no error";
    } catch (const Exception& e) {
        for (const std::string& place : {places.ProgramFolder + "ARBOLO.DB",
                                         DemoTable::TemplateCandidates(places).front(),
                                         (root / "nowhere/velmora-orgchart/ARBOLO.DB").string()})
            EXPECT_NE(e.Message().find(place), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(fs::exists(root / "home/.local"));
}

TEST_F(DemoTableFolderTest, WithoutAnyDataFolderTheErrorSaysSo)
{
    places.Home.clear();

    try {
        DemoTable::FindFolder(places);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("XDG_DATA_HOME"), std::string::npos) << e.Message();
    }
}

} // namespace
