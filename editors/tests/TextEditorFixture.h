// A host with one cell on a shown form of the headless window system, and the text or
// mask editor it opens over the cell, for the tests of the editors with a window.
#pragma once

#include "editors/InplaceMaskEdit.h"
#include "editors/CustomzqContainer.h"
#include "editors/EditStyleController.h"
#include "editors/tests/HostFormFixture.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TEditorHost : public TCustomzqContainer {
public:
    using TCustomzqContainer::TCustomzqContainer;

    bool allowModify = true;
    TRect cell{20, 20, 220, 38};

    // Opens an editor of the class over the cell with `value`.
    template <typename TEdit>
    TEdit* Open(const Variant& value)
    {
        auto* edit = static_cast<TEdit*>(EditorOfClass(TEdit::StaticClass()));
        PrepareEditor(edit);
        LoadEditor(edit, value);
        SetActiveEdit(edit);
        edit->ShowAt(cell);
        return edit;
    }

    bool CanEditModify() override { return allowModify; }
    bool CanEditAcceptKey(char32_t) override { return true; }
};

class TextEditorTest : public THostFormTest<TEditorHost> {
protected:
    TzqInplaceTextEdit* OpenText(const std::string& value = "")
    {
        auto* edit = host->Open<TzqInplaceTextEdit>(Variant(value));
        driver.Pump();
        return edit;
    }
    TzqInplaceMaskEdit* OpenMask(const std::string& mask, const Variant& value = Variant())
    {
        auto* edit = static_cast<TzqInplaceMaskEdit*>(host->EditorOfClass(TzqInplaceMaskEdit::StaticClass()));
        edit->SetEditMask(mask);
        host->Open<TzqInplaceMaskEdit>(value);
        driver.Pump();
        return edit;
    }
    // Types a text key by key (Type posts key presses and characters).
    void TypeText(const std::string& text)
    {
        driver.Type(text);
        driver.Pump();
    }
    void Key(WORD vk, unsigned modifiers = THeadlessDriver::None)
    {
        driver.PressKey(vk, modifiers);
        driver.Pump();
    }
    // A client point of the editor on the screen.
    TPoint EditPoint(TzqInplaceEdit* edit, int x, int y) { return driver.ToScreen(edit->Handle(), TPoint(x, y)); }
    int Beeps() { return driver.Backend().Beeps(); }
};
