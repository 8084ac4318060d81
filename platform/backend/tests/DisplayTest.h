// The base of tests on the Qt back end with a real (virtual) display: skipped when
// there is none, an application on the display with one form, the message loop run
// until something happens, and input sent through the X server with xdotool.
//
// A derived SetUp calls DisplayTest::SetUp first and returns when IsSkipped(); it then
// builds its controls on `form` and calls ShowForm().
#pragma once

#include "platform/backend/tests/DisplayPump.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            GTEST_SKIP() << "needs an X display (the suite runs this under Xvfb)";
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, false);
        form = new TForm(app.get());
    }
    void TearDown() override { app.reset(); }

    // Shows the form and gives the display time to map and paint it.
    void ShowForm()
    {
        form->Show();
        PumpFor(std::chrono::milliseconds(300));
    }

    // Runs the message loop (which waits for the display's events) until `done` holds,
    // at most `limit`; false when it never did.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        return ::PumpUntil(form->Handle(), done, limit);
    }
    void PumpFor(std::chrono::milliseconds span) { ::PumpFor(form->Handle(), span); }

    // Runs xdotool with these arguments; the test fails when it does.
    static void Xdotool(const std::string& args)
    {
        const std::string command = "xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    // A screen point as xdotool's "x y" arguments.
    static std::string At(TPoint screen) { return std::to_string(screen.X) + " " + std::to_string(screen.Y); }

    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};
