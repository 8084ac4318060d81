// The program run to render its window into a picture, without a display: messages the
// start shows (a missing or damaged table) go to standard error, and the picture is
// still written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string errors;
};

// Runs the program copied into `folder` (it looks for its table beside itself).
Outcome RenderIn(const fs::path& folder)
{
    fs::copy_file(VELMORA_DEMO_BINARY, folder / "velmora-demo", fs::copy_options::overwrite_existing);
    const std::string command = "cd '" + folder.string() + "' && QT_QPA_PLATFORM=offscreen ./velmora-demo --render-png out.png"
                                " > stdout.txt 2> stderr.txt";
    Outcome run;
    run.status = std::system(command.c_str());
    std::ifstream in(folder / "stderr.txt");
    run.errors.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

TEST(RenderTest, StartUpMessagesGoToStandardErrorAndThePictureIsStillWritten)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* message;
    };
    const Case cases[] = {
        {"no table beside the program", [](const fs::path&) {}, "was not found"},
        {"a table file that is no database",
         [](const fs::path& folder) { std::ofstream(folder / "ARBOLO.DB") << std::string(5000, 'x'); }, "is not a database"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = fs::temp_directory_path() / ("velmora-render-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.make(folder);
        const Outcome run = RenderIn(folder);
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
        EXPECT_TRUE(fs::exists(folder / "out.png"));
        EXPECT_GT(fs::file_size(folder / "out.png"), 1000u);
        fs::remove_all(folder);
    }
}

} // namespace
