// The fixture of the standard control tests: an application on the headless back end
// and a form to put controls on.
#pragma once

#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <memory>

class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->SetTitle("Tests");
        form = new TForm(app.get());
        form->SetBounds(40, 40, 420, 320);
    }
    void TearDown() override { app.reset(); }

    // Makes a control of the kind on the form (or the given parent).
    template <typename T>
    T* Make(TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        return c;
    }

    void ShowForm()
    {
        form->Show();
        driver.Pump();
    }

    // Client point of a control to screen, for controls with or without a window.
    TPoint At(TControl* control, TPoint p) { return control->ClientToScreen(p); }
    void ClickOn(TControl* control, TPoint p) { driver.Click(At(control, p)); }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};
