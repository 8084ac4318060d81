// The fixture of the bar manager tests: an application on the headless back end, a
// form with a manager, and helpers that make items and link them.
#pragma once

#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/MessageBoxForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class BarsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->SetTitle("Tests");
        form = new TForm(app.get());
        form->SetBounds(40, 40, 420, 320);
        manager = new TzqBarManager(form);
    }
    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        app.reset();
    }

    // An item of the kind on the form, named, with a caption.
    template <typename T = TzqBarButton>
    T* Make(const std::string& name, const std::string& caption = {}, int category = 0)
    {
        auto* item = new T(form);
        item->SetName(name);
        item->SetCaption(caption.empty() ? name : caption);
        item->SetCategory(category);
        return item;
    }

    static TzqBarItemLink* Link(TzqBarItemLinks* links, TzqBarItem* item)
    {
        TzqBarItemLink* link = links->Add();
        link->SetItem(item);
        return link;
    }

    TzqBar* AddBar(const std::string& caption)
    {
        TzqBar* bar = manager->Bars()->Add();
        bar->SetCaption(caption);
        return bar;
    }

    // The captions of a list of links.
    template <typename Get>
    static std::vector<std::string> Captions(int count, Get get)
    {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i)
            out.push_back(get(i)->Caption());
        return out;
    }
    static std::vector<std::string> Displayed(TzqBarItemLinks* links)
    {
        return Captions(links->DisplayedCount(), [links](int i) { return links->DisplayedItems(i); });
    }
    static std::vector<std::string> Recent(TzqBarItemLinks* links)
    {
        return Captions(links->RecentCount(), [links](int i) { return links->RecentItems(i); });
    }

    // Answers every message box with `answer`, keeping what was asked.
    void AnswerMessageBoxes(int answer)
    {
        SetMessageBoxHandler([this, answer](const std::string& text, const std::string& caption, UINT flags) {
            askedTexts.push_back(text);
            askedCaptions.push_back(caption);
            askedFlags.push_back(flags);
            return answer;
        });
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqBarManager* manager = nullptr;
    std::vector<std::string> askedTexts;
    std::vector<std::string> askedCaptions;
    std::vector<UINT> askedFlags;
};
