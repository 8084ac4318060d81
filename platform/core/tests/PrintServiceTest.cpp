// Handing a file to the print service: found on the PATH, given the file and the job
// name, its answer passed back; a missing service or a refusal is a clear error.
#include "platform/core/PrintService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class PrintServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("print-service-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "bin");
        const char* path = std::getenv("PATH");
        savedPath = path ? path : "";
        ::setenv("PATH", (folder / "bin").c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("PATH", savedPath.c_str(), 1);
        fs::remove_all(folder);
    }
    // An lp that records its arguments and answers as a print system does, or fails.
    void FakeLp(bool accepts)
    {
        std::ofstream script(folder / "bin" / "lp");
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (folder / "args").string() << "'\n";
        if (accepts)
            script << "echo 'request id is office-42 (1 file(s))'\n";
        else
            script << "echo 'lp: Error - The printer or class does not exist.' >&2\nexit 1\n";
        script.close();
        fs::permissions(folder / "bin" / "lp", fs::perms::owner_all);
    }
    std::string Args() const
    {
        std::ifstream in(folder / "args");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path folder;
    std::string savedPath;
};

} // namespace

TEST_F(PrintServiceTest, TheFileGoesToLpWithItsJobNameAndLpsAnswerComesBack)
{
    FakeLp(true);
    EXPECT_EQ(PrintServiceCommand(), (folder / "bin" / "lp").string());
    EXPECT_EQ(PrintPdfFile("/tmp/a chart.pdf", "Org chart"), "request id is office-42 (1 file(s))");
    EXPECT_EQ(Args(), "-t\nOrg chart\n--\n/tmp/a chart.pdf\n");
}

TEST_F(PrintServiceTest, NoLpOrARefusalIsAClearError)
{
    EXPECT_EQ(PrintServiceCommand(), "");
    try {
        PrintPdfFile("/tmp/x.pdf", "x");
        ADD_FAILURE() << "no error without lp";
    } catch (const EPrintError& e) {
        EXPECT_NE(std::string(e.what()).find("There is no print service"), std::string::npos) << e.what();
    }
    FakeLp(false);
    try {
        PrintPdfFile("/tmp/x.pdf", "x");
        ADD_FAILURE() << "no error for a refusal";
    } catch (const EPrintError& e) {
        EXPECT_NE(std::string(e.what()).find("The printer or class does not exist"), std::string::npos) << e.what();
    }
}
