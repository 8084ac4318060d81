// A shown form of the headless window system with one editor host on it: the fixture
// the editor tests share, whatever host they use. Exceptions that reach the
// application's loop are collected in `errors`.
#pragma once

#include "editors/EditStyleController.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

template <typename THost>
class THostFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 400, 200);
        host = new THost(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 400, 200);
        host->SetTabStop(true);
        form->Show();
        driver.Pump();
    }
    void TearDown() override
    {
        app.reset();
        DefaultEditStyleController()->RestoreDefaults();
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    THost* host = nullptr;
    std::vector<std::string> errors;
};
