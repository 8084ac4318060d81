// Shared fixture of the chart tests: a headless window system with an application,
// and helpers that build small trees.
#pragma once

#include "orgchart/OrgChart.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Root "Board" with three children, the middle one with two children of its own, and
// Finance over a collapsed Audit; each level in its own colour, captions centred.
inline void BuildSampleChart(TzqOrgChart* chart)
{
    chart->SetEditMode({TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap});
    chart->SetColor(clWhite);
    TzqOcNode* board = chart->AddChild(nullptr, 0);
    board->AssignText("Board");
    board->SetColor(RGB(255, 240, 200));
    const char* names[] = {"Sales", "Engineering", "Finance"};
    for (const char* name : names) {
        TzqOcNode* n = chart->AddChild(board, 0);
        n->AssignText(name);
        n->SetColor(RGB(210, 230, 255));
    }
    TzqOcNode* eng = board->Items(1);
    for (const char* name : {"Platform", "Chart"})
        chart->AddChild(eng, 0)->AssignText(name);
    chart->AddChild(board->Items(2), 0)->AssignText("Audit");
    board->Expand(false);
    eng->Expand(false);
}

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
    }
    void TearDown() override { app.reset(); }

    // A chart without a window: the model and the layout only.
    std::unique_ptr<TzqOrgChart> NewChart()
    {
        auto chart = std::make_unique<TzqOrgChart>(nullptr);
        return chart;
    }

    // A chart on a shown form, its client area `w` x `h` (no border).
    TzqOrgChart* NewShownChart(int w, int h)
    {
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, w, h);
        auto* chart = new TzqOrgChart(form);
        chart->SetBorderStyle(TBorderStyle::bsNone);
        chart->SetParent(form);
        chart->SetBounds(0, 0, w, h);
        form->Show();
        driver.Pump();
        return chart;
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};
