// The inspector's painting in its five styles: colours, frames, grid lines, buttons and
// the custom drawing of cells.
#include "inspector/tests/InspectorPaintFixture.h"

#include "platform/core/Color.h"

#include <cstdlib>
#include <filesystem>

namespace {

using S = TzqInspectorPaintStyle;

TColor Rgb(TColor color)
{
    return static_cast<TColor>(ColorToRGB(color));
}

// Pictures of every style for a person to look at, written where INSPECTOR_PNG_DIR says.
TEST_F(InspectorPaintTest, PicturesOfTheFiveStylesAndBandModeAreWritten)
{
    const char* dir = std::getenv("INSPECTOR_PNG_DIR");
    if (!dir)
        GTEST_SKIP() << "INSPECTOR_PNG_DIR is not set";
    std::filesystem::create_directories(dir);
    host->SetFocus();
    host->SetFocusedNode(rows[1]->Node());
    const std::pair<S, const char*> styles[] = {{S::ipsStandard, "standard"},
                                                {S::ipsSimple, "simple"},
                                                {S::ipsExtended, "extended"},
                                                {S::ipsNET, "net"},
                                                {S::ipsCategorized, "categorized"}};
    for (const auto& [style, name] : styles) {
        host->SetPaintStyle(style);
        host->SetDividerPos(110);
        driver.PaintAll();
        EXPECT_TRUE(driver.SavePng(form->Handle(), std::string(dir) + "/inspector-" + name + ".png")) << name;
    }
    host->SetOptions(zqDefaultInspectorOptions + TzqDBInspectorOption::dioAutoBandCount);
    host->SetBandWidth(200);
    SetClientSize(400, 90);
    host->SetDividerPos(90);
    driver.PaintAll();
    EXPECT_TRUE(driver.SavePng(form->Handle(), std::string(dir) + "/inspector-bands.png"));
}

} // namespace
