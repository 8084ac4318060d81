// Export of the whole drawing to a PNG file: the file holds exactly what the window
// paints of the same area, in any strip height, whatever the window's scroll, zoom and
// selection (which the file leaves out and which stay as they were); a drawing larger
// than the limit is scaled down and the scale answered; bad names and folders give
// clear errors and leave no file.
#include "orgchart/tests/ChartFixture.h"
#include "orgchart/tests/MiniXml.h"
#include "platform/core/AtomicFile.h"
#include "platform/core/Exception.h"
#include "platform/core/PrintService.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ExportTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        folder = fs::temp_directory_path() /
                 ("chart-export-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        ChartTest::TearDown();
    }

    // The shared sample chart, nothing selected.
    void BuildSample(TzqOrgChart* chart)
    {
        BuildSampleChart(chart);
        chart->SetSelected(nullptr);
    }

    // The window's own picture of its client area.
    std::unique_ptr<TBitmap> WindowPicture()
    {
        driver.PaintAll();
        const TBitmap* surface = WindowSurface(form->Handle());
        auto bitmap = std::make_unique<TBitmap>(surface->Width(), surface->Height());
        bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
        return bitmap;
    }

    static std::unique_ptr<TBitmap> ReadPng(const fs::path& path)
    {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromPngFile(path.string());
        return bitmap;
    }

    // Pixels of `a` and `b` that differ inside width x height, with the first few named.
    static std::string Differences(const TBitmap& a, const TBitmap& b, int width, int height)
    {
        int wrong = 0;
        std::string where;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF) && ++wrong <= 4)
                    where += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return wrong == 0 ? "none" : std::to_string(wrong) + " pixels, at" + where;
    }

    size_t FileCount() const
    {
        return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

} // namespace

TEST_F(ExportTest, TheFileHoldsWhatTheWindowPaintsOfTheWholeDrawingInEveryLookAndStripHeight)
{
    struct Look {
        const char* name;
        std::function<void(TzqOrgChart*)> apply;
    };
    const Look looks[] = {
        {"plain", [](TzqOrgChart*) {}},
        {"rotated", [](TzqOrgChart* c) { c->SetRotated(true); }},
        {"3D with wide lines",
         [](TzqOrgChart* c) {
             c->SetLineWidth(3);
             c->SetOptions(c->Options() + TzqOcOption::ocRect3D);
         }},
    };
    for (const Look& look : looks) {
        TzqOrgChart* chart = NewShownChart(900, 700);
        // Buttons are left out of a file unless asked for: the window goes without too.
        chart->SetOptions(chart->Options() - TzqOcOption::ocButtons);
        BuildSample(chart);
        look.apply(chart);
        const int width = int(chart->TotalWidth());
        const int height = int(chart->TotalHeight());
        ASSERT_LT(width, 900);
        ASSERT_LT(height, 700);
        const auto window = WindowPicture();
        for (int strip : {1024, 7, 1}) {
            TzqOcExportOptions options;
            options.StripHeight = strip;
            const fs::path file = folder / "chart.png";
            EXPECT_EQ(chart->ExportToFile(file.string(), options), 1.0);
            const auto picture = ReadPng(file);
            ASSERT_EQ(picture->Width(), width) << look.name;
            ASSERT_EQ(picture->Height(), height) << look.name;
            EXPECT_EQ(Differences(*picture, *window, width, height), "none") << look.name << ", strips of " << strip;
        }
        delete form;
        form = nullptr;
    }
}

TEST_F(ExportTest, ScrollZoomAndSelectionOfTheWindowChangeNothingInTheFileAndStayAsTheyWere)
{
    TzqOrgChart* chart = NewShownChart(900, 700);
    chart->SetOptions(chart->Options() - TzqOcOption::ocButtons);
    BuildSample(chart);
    const fs::path reference = folder / "reference.png";
    chart->ExportToFile(reference.string());
    delete form;

    chart = NewShownChart(120, 90);
    chart->SetOptions(chart->Options() - TzqOcOption::ocButtons);
    BuildSample(chart);
    chart->SetFocus();
    chart->SetSelected(chart->Items(0)->Items(1)->Items(1));
    chart->ScrollTo(70, 40);
    driver.Pump();
    const auto before = WindowPicture();
    const int left = chart->LeftPos();
    const int top = chart->TopPos();
    TzqOcNode* selected = chart->Selected();

    const fs::path scrolled = folder / "scrolled.png";
    chart->ExportToFile(scrolled.string());
    EXPECT_EQ(chart->LeftPos(), left);
    EXPECT_EQ(chart->TopPos(), top);
    EXPECT_EQ(chart->Selected(), selected);
    EXPECT_TRUE(chart->Options().contains(TzqOcOption::ocSelect));
    chart->Invalidate();
    EXPECT_EQ(Differences(*WindowPicture(), *before, 120, 90), "none") << "the window paints as before";

    chart->SetZoom(true);
    driver.Pump();
    const int64_t numerator = chart->ZoomNumerator();
    const fs::path zoomed = folder / "zoomed.png";
    chart->ExportToFile(zoomed.string());
    EXPECT_TRUE(chart->Zoom());
    EXPECT_EQ(chart->ZoomNumerator(), numerator);

    const auto expected = ReadPng(reference);
    for (const fs::path& file : {scrolled, zoomed}) {
        const auto picture = ReadPng(file);
        ASSERT_EQ(picture->Width(), expected->Width()) << file;
        ASSERT_EQ(picture->Height(), expected->Height()) << file;
        EXPECT_EQ(Differences(*picture, *expected, expected->Width(), expected->Height()), "none") << file;
    }
}

TEST_F(ExportTest, ADrawingLargerThanTheLimitIsScaledDownToFitAndTheScaleAnswered)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    BuildSample(chart);
    const int64_t width = chart->TotalWidth();
    const int64_t height = chart->TotalHeight();
    TzqOcExportOptions options;
    options.MaxSide = 150;
    const fs::path file = folder / "small.png";
    const double scale = chart->ExportToFile(file.string(), options);
    const int64_t largest = std::max(width, height);
    ASSERT_GT(largest, 150);
    EXPECT_DOUBLE_EQ(scale, 150.0 / double(largest));
    const auto picture = ReadPng(file);
    EXPECT_EQ(std::max(picture->Width(), picture->Height()), 150);
    EXPECT_EQ(picture->Width(), int(width * 150 / largest));
    EXPECT_EQ(picture->Height(), int(height * 150 / largest));
    // The boxes are there, smaller: the board's colour and the children's.
    int board = 0, children = 0;
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) {
            board += (picture->Pixel(x, y) & 0xFFFFFF) == RGB(255, 240, 200);
            children += (picture->Pixel(x, y) & 0xFFFFFF) == RGB(210, 230, 255);
        }
    EXPECT_GT(board, 20);
    EXPECT_GT(children, 60);
    EXPECT_FALSE(chart->ScaleInEffect()) << "the window is back at full size";
}

TEST_F(ExportTest, BadNamesFoldersAndAnEmptyChartGiveClearErrorsAndLeaveNoFile)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    fs::create_directories(folder / "a folder.png");
    struct Case {
        fs::path file;
        bool fileError; // EFileError, else EInvalidOperation
        const char* says;
    };
    const Case cases[] = {
        {folder / "chart.txt", false, "must end in .png"},
        {folder / "chart", false, "must end in .png"},
        {folder / "chart.pdfx", false, "must end in .png"},
        {folder / "missing" / "chart.png", true, "No such file or directory"},
        {folder / "missing" / "chart.svg", true, "No such file or directory"},
        {folder / "missing" / "chart.pdf", true, "No such file or directory"},
        {folder / "a folder.png", true, "Is a directory"},
    };
    auto expectError = [&](const Case& c) {
        try {
            chart->ExportToFile(c.file.string());
            ADD_FAILURE() << "no error for " << c.file;
        } catch (const EFileError& e) {
            EXPECT_TRUE(c.fileError) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        } catch (const EInvalidOperation& e) {
            EXPECT_FALSE(c.fileError) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    };
    EXPECT_THROW(chart->ExportToFile((folder / "empty.png").string()), EInvalidOperation);
    BuildSample(chart);
    for (const Case& c : cases)
        expectError(c);
    EXPECT_EQ(FileCount(), 1u) << "only the folder made by the test";
    EXPECT_NO_THROW(chart->ExportToFile((folder / "UPPER.PNG").string()));
    EXPECT_TRUE(fs::exists(folder / "UPPER.PNG"));
}

namespace {

std::vector<TXmlElement> ReadSvg(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return ParseXml(text.str());
}

double Number(const TXmlElement& e, const char* name)
{
    return std::stod(e.attributes.at(name));
}

} // namespace

TEST_F(ExportTest, AnSvgFileHoldsOneGroupPerShownNodeWithItsCaptionAsTextAndItsBoxWhereThePngHasIt)
{
    TzqOrgChart* chart = NewShownChart(900, 700);
    BuildSample(chart);
    chart->SetLineWidth(3);
    chart->SetOptions(chart->Options() + TzqOcOption::ocRect3D);
    const fs::path svgFile = folder / "chart.svg";
    const fs::path pngFile = folder / "chart.png";
    EXPECT_EQ(chart->ExportToFile(svgFile.string()), 1.0);
    chart->ExportToFile(pngFile.string());
    const auto picture = ReadPng(pngFile);
    const auto elements = ReadSvg(svgFile);
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0].name, "svg");
    EXPECT_EQ(Number(elements[0], "width"), picture->Width());
    EXPECT_EQ(Number(elements[0], "height"), picture->Height());

    std::vector<std::string> captions;
    for (size_t i = 0; i < elements.size(); ++i) {
        const TXmlElement& g = elements[i];
        if (g.name != "g")
            continue;
        EXPECT_EQ(g.attributes.at("class"), "node");
        std::string caption, title;
        const TXmlElement* box = nullptr;
        for (size_t j = i + 1; j < g.end; ++j) {
            const TXmlElement& e = elements[j];
            if (e.name == "text")
                caption += e.text;
            if (e.name == "title")
                title = e.text;
            if (e.name == "rect" && e.attributes.count("stroke") && e.attributes.at("fill") != "none")
                box = &e;
        }
        EXPECT_EQ(caption, title);
        captions.push_back(caption);
        ASSERT_NE(box, nullptr) << caption;
        // A pen 3 wide centred on the outline: the PNG has the pen's colour on the
        // box's outer edge and the node's colour just inside its inner edge.
        const double x = Number(*box, "x"), y = Number(*box, "y");
        const double w = Number(*box, "width"), h = Number(*box, "height");
        EXPECT_EQ(Number(*box, "stroke-width"), 3) << caption;
        const int midY = int(y + h / 2);
        EXPECT_EQ(picture->Pixel(int(x - 1.5), midY) & 0xFFFFFF, clBlack) << caption;
        EXPECT_EQ(picture->Pixel(int(x - 2.5), midY) & 0xFFFFFF, clWhite) << caption;
        const unsigned long fill = std::stoul(box->attributes.at("fill").substr(1), nullptr, 16);
        EXPECT_EQ(picture->Pixel(int(x + 1.5), int(y + 1.5)) & 0xFFFFFF, RGB(fill >> 16, (fill >> 8) & 0xFF, fill & 0xFF))
            << caption;
        EXPECT_EQ(picture->Pixel(int(x + w + 1.5 - 1), midY) & 0xFFFFFF, clBlack) << caption;
    }
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"Board", "Chart", "Engineering", "Finance", "Platform", "Sales"}))
        << "Audit is under a collapsed node";
}

namespace {

// What a command prints; empty when it cannot run.
std::string Output(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

bool HavePoppler()
{
    return !Output("command -v pdfinfo").empty() && !Output("command -v pdftotext").empty();
}

int PdfPages(const fs::path& file)
{
    const std::string info = Output("pdfinfo '" + file.string() + "'");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

std::string PdfText(const fs::path& file, int page = 0)
{
    const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return Output("pdftotext -layout" + pages + " '" + file.string() + "' -");
}

} // namespace

TEST_F(ExportTest, APdfFileFitsTheDrawingOnOnePageTurnedToSuitItWithTheCaptionsAsText)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    TzqOrgChart* chart = NewShownChart(900, 700);
    BuildSample(chart);
    ASSERT_GT(chart->TotalWidth(), chart->TotalHeight());
    const fs::path file = folder / "chart.pdf";
    EXPECT_EQ(chart->ExportToFile(file.string()), 1.0);
    EXPECT_EQ(PdfPages(file), 1);
    EXPECT_NE(Output("pdfinfo '" + file.string() + "'").find("842 x 595 pts"), std::string::npos)
        << "A4 turned to landscape for a wide drawing";
    const std::string text = PdfText(file);
    for (const char* caption : {"Board", "Sales", "Engineering", "Finance", "Platform", "Chart"})
        EXPECT_NE(text.find(caption), std::string::npos) << caption << " in:\n" << text;
    EXPECT_EQ(text.find("Audit"), std::string::npos) << "under a collapsed node";
    EXPECT_EQ(FileCount(), 1u) << "no temporary file left";
}

TEST_F(ExportTest, ATiledPdfCoversTheDrawingOnNumberedPagesAndKeepsToThePagesAskedFor)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    TzqOrgChart* chart = NewShownChart(600, 400);
    chart->SetColor(clWhite);
    // 1,000 nodes: 40 departments of 24 teams each, all shown.
    chart->BeginUpdate();
    TzqOcNode* top = chart->AddChild(nullptr, 0);
    top->AssignText("Company");
    for (int i = 0; i < 39; ++i) {
        TzqOcNode* department = chart->AddChild(top, 0);
        department->AssignText("Dept" + std::to_string(i));
        for (int j = 0; j < 24; ++j)
            chart->AddChild(department, 0)->AssignText("T" + std::to_string(i) + "x" + std::to_string(j));
        department->Expand(false);
    }
    top->Expand(false);
    chart->EndUpdate();
    chart->SetSelected(nullptr);

    TzqOcExportOptions options;
    options.Pages = TzqOcPdfPages::ppTiles;
    const fs::path full = folder / "full.pdf";
    chart->ExportToFile(full.string(), options);
    const int pages = PdfPages(full);
    ASSERT_GT(pages, 4);
    std::string all;
    for (int page = 1; page <= pages; ++page) {
        const std::string text = PdfText(full, page);
        EXPECT_NE(text.find("Page " + std::to_string(page) + " of " + std::to_string(pages)), std::string::npos)
            << "page " << page << ":\n" << text;
        all += text;
    }
    for (const std::string caption : {"Company", "Dept0", "Dept38", "T0x0", "T38x23", "T17x11"})
        EXPECT_NE(all.find(caption), std::string::npos) << caption;

    for (auto [across, down] : {std::pair{2, 2}, std::pair{1, 1}, std::pair{3, 0}}) {
        options.PagesAcross = across;
        options.PagesDown = down;
        const fs::path file = folder / ("fit-" + std::to_string(across) + "x" + std::to_string(down) + ".pdf");
        chart->ExportToFile(file.string(), options);
        const int fitted = PdfPages(file);
        EXPECT_GE(fitted, 1);
        if (down > 0)
            EXPECT_LE(fitted, across * down) << across << " x " << down;
        else
            EXPECT_LT(fitted, pages) << across << " across";
        EXPECT_NE(PdfText(file).find("T38x23"), std::string::npos) << across << " x " << down;
    }
}

namespace {

// The PATH holding only a fake lp (or none) while a test runs.
class FakePrintService {
public:
    FakePrintService(const fs::path& folder, bool present) : m_bin(folder / "bin")
    {
        fs::create_directories(m_bin);
        if (present) {
            std::ofstream script(m_bin / "lp");
            // lp -t TITLE -- FILE: keep a copy of the file, as the spooler does.
            script << "#!/bin/sh\ncp \"$4\" '" << (folder / "printed.pdf").string() << "' && echo \"request id is desk-7 ($2)\"\n";
            script.close();
            fs::permissions(m_bin / "lp", fs::perms::owner_all);
        }
        const char* path = std::getenv("PATH");
        m_saved = path ? path : "";
        ::setenv("PATH", (m_bin.string() + ":/usr/bin:/bin").c_str(), 1);
        if (!present)
            ::setenv("PATH", m_bin.c_str(), 1);
    }
    ~FakePrintService() { ::setenv("PATH", m_saved.c_str(), 1); }

private:
    fs::path m_bin;
    std::string m_saved;
};

size_t PrintFilesLeft()
{
    const std::string prefix = "velmora-print-" + std::to_string(::getpid()) + "-";
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
        count += entry.path().filename().string().rfind(prefix, 0) == 0;
    return count;
}

} // namespace

TEST_F(ExportTest, PrintHandsThePdfPagesToThePrintServiceOrSaysThereIsNone)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    TzqOrgChart* chart = NewShownChart(600, 400);
    BuildSample(chart);
    {
        FakePrintService service(folder, true);
        TzqOcExportOptions options;
        options.Pages = TzqOcPdfPages::ppTiles;
        options.PagesAcross = 1;
        options.PagesDown = 1;
        EXPECT_EQ(chart->Print(options, "Sample chart"), "request id is desk-7 (Sample chart)");
    }
    EXPECT_EQ(PdfPages(folder / "printed.pdf"), 1);
    EXPECT_NE(PdfText(folder / "printed.pdf").find("Engineering"), std::string::npos);
    EXPECT_EQ(PrintFilesLeft(), 0u);

    FakePrintService none(folder / "empty", false);
    try {
        chart->Print();
        ADD_FAILURE() << "no error without a print service";
    } catch (const EPrintError& e) {
        EXPECT_NE(std::string(e.what()).find("There is no print service"), std::string::npos) << e.what();
    }
    EXPECT_EQ(PrintFilesLeft(), 0u);
}
