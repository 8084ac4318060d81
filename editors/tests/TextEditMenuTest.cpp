// The text editors' context menu: its items and which are enabled in which state.
#include "editors/TextEditMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEditMenuTest, NineItemsWithTheirCommands)
{
    const std::pair<std::string, int> expected[] = {
        {"&Undo", -1}, {"&Redo", -2}, {"-", 0}, {"Cu&t", -3}, {"&Copy", -4},
        {"&Paste", -5}, {"&Delete", -6}, {"-", 0}, {"Select &All", -7},
    };
    ASSERT_EQ(TextEditMenuItems.size(), std::size(expected));
    for (size_t i = 0; i < TextEditMenuItems.size(); ++i) {
        EXPECT_EQ(TextEditMenuItems[i].Caption, expected[i].first);
        EXPECT_EQ(int(TextEditMenuItems[i].Command), expected[i].second);
    }
}

TEST(TextEditMenuTest, ItemsAreEnabledByTheEditorsState)
{
    // Undo, Redo, Cut, Copy, Paste, Delete, Select All.
    const TzqTextEditCommand order[] = {tecUndo, tecRedo, tecCut, tecCopy, tecPaste, tecDelete, tecSelectAll};
    struct Case {
        const char* name;
        TzqTextEditMenuState state;
        const char* enabled; // one letter per command: 1 enabled, 0 not
    };
    auto state = [](auto change) {
        TzqTextEditMenuState s;
        s.SelLength = 3;
        s.TextLength = 10;
        s.CanPaste = true;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"selection", state([](auto&) {}), "0011111"},
        {"undo and redo", state([](auto& s) { s.CanUndo = s.CanRedo = true; }), "1111111"},
        {"no selection", state([](auto& s) { s.SelLength = 0; }), "0000101"},
        {"all selected", state([](auto& s) { s.SelLength = 10; }), "0011110"},
        {"empty text", state([](auto& s) { s.SelLength = s.TextLength = 0; }), "0000100"},
        {"password", state([](auto& s) { s.HasPasswordChar = true; }), "0000111"},
        {"read-only", state([](auto& s) { s.CanEditText = false; }), "0001001"},
        {"nothing to paste", state([](auto& s) { s.CanPaste = false; }), "0011011"},
        {"no window", state([](auto& s) { s.WindowExists = false; }), "0011011"},
    };
    for (const Case& c : cases) {
        std::string got;
        for (TzqTextEditCommand command : order)
            got += TextEditMenuEnabled(command, c.state) ? '1' : '0';
        EXPECT_EQ(got, c.enabled) << c.name;
    }
    EXPECT_TRUE(TextEditMenuEnabled(tecNone, TzqTextEditMenuState{}));
}

} // namespace
