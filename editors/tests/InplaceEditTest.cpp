// The editor contract through a host with one cell: showing and hiding over the cell,
// loading a value, validation, which keys go where, the emulated double click and the
// wheel handed to the host.
#include "editors/EditErrors.h"
#include "editors/EditMessages.h"
#include "editors/tests/EditorFixture.h"
#include "platform/drawing/Region.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <stdexcept>

namespace {

using D = THeadlessDriver;

bool Contains(const std::vector<WORD>& keys, WORD key)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST_F(EditorTest, ShowAtLaysTheClientAreaOverTheCellAndCallsAfterShowOnlyTheFirstTime)
{
    TTestEdit* edit = host->Activate();
    EXPECT_EQ(edit->BoundsRect(), host->cell.Inflate(2, 2));
    EXPECT_TRUE(edit->Shown());
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(edit->afterShows, 1);

    // Moved to another cell while shown: no second AfterShow.
    edit->ShowAt(TRect(20, 60, 220, 78));
    EXPECT_EQ(edit->BoundsRect(), TRect(18, 58, 222, 80));
    EXPECT_EQ(edit->afterShows, 1);

    // Hidden and shown again: AfterShow again.
    edit->Hide();
    EXPECT_FALSE(edit->Shown());
    EXPECT_FALSE(IsWindowVisible(edit->Handle()));
    edit->ShowAt(host->cell);
    EXPECT_EQ(edit->afterShows, 2);

    // An empty or inverted rectangle changes nothing.
    edit->ShowAt(TRect(50, 50, 50, 70));
    edit->ShowAt(TRect(90, 90, 40, 40));
    EXPECT_EQ(edit->BoundsRect(), host->cell.Inflate(2, 2));
}

TEST_F(EditorTest, AShownEditorWhoseWindowIsMadeAgainStaysShownWithItsBorder)
{
    TTestEdit* edit = host->Activate();
    const TRect client = ClientRect(edit->Handle());
    edit->SetAlignment(TAlignment::taRightJustify);
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
    EXPECT_EQ(ClientRect(edit->Handle()), client) << "the border area is still non-client";
    edit->SetTextOffsets(TRect(3, 1, 2, 0));
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
    edit->Hide();
    edit->SetAlignment(TAlignment::taCenter);
    EXPECT_FALSE(IsWindowVisible(edit->Handle())) << "a hidden editor stays hidden";
}

TEST_F(EditorTest, HideHasTheHostRepaintTheCellUnderTheEditor)
{
    TTestEdit* edit = host->Activate();
    driver.PaintAll();
    edit->Hide();
    const TRegion pending = GetUpdateRegion(host->Handle());
    EXPECT_TRUE(pending.Contains(TPoint(host->cell.Left, host->cell.Top)));
    EXPECT_FALSE(pending.Contains(TPoint(300, 150))) << "only the area the editor covered";
}

TEST_F(EditorTest, LoadingPutsTheValueInUnmodifiedWithAnUndoPointAndClearsTheFlagEvenWhenItRaises)
{
    host->readOnly = true;
    TTestEdit* edit = host->Activate();
    EXPECT_EQ(edit->Text(), "value");
    EXPECT_FALSE(edit->GetModified());
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_FALSE(host->EditorLoading());

    // Modified and then returned to the undo point taken while loading.
    edit->SetText("other");
    edit->SetModified(true);
    edit->RestoreUndoPoint();
    EXPECT_EQ(edit->Text(), "value");

    struct TRaisingEdit : TTestEdit {
        using TTestEdit::TTestEdit;
        bool loadingSeen = false;
        void SetEditValue(const Variant&) override
        {
            loadingSeen = static_cast<TCustomzqContainer*>(Owner())->EditorLoading();
            throw std::runtime_error("bad value");
        }
    };
    auto* raising = new TRaisingEdit(host);
    raising->SetParent(host);
    EXPECT_THROW(host->LoadEditor(raising, Variant(1)), std::runtime_error);
    EXPECT_TRUE(raising->loadingSeen);
    EXPECT_FALSE(host->EditorLoading());
}

TEST_F(EditorTest, AnInvalidModifiedValueStopsUpAndKeepsTheFocusUntilEscapeRestoresIt)
{
    TTestEdit* edit = host->Activate();
    edit->OnValidate = [edit](TObject*, std::string&, bool& accept) { accept = edit->Text() == "value"; };
    driver.Type("x");
    ASSERT_EQ(edit->Text(), "valuex");
    ASSERT_TRUE(edit->GetModified());
    const int beeps = driver.Backend().Beeps();

    driver.PressKey(VK_UP);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value. Use escape key to abandon changes");
    EXPECT_FALSE(Contains(host->hostKeys, VK_UP)) << "the host's focus did not move";
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(edit->Text(), "valuex");
    EXPECT_EQ(driver.Backend().Beeps(), beeps + 1);

    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "value");
    EXPECT_FALSE(edit->GetModified());
    EXPECT_TRUE(Contains(host->hostKeys, VK_ESCAPE));

    driver.PressKey(VK_UP);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(Contains(host->hostKeys, VK_UP)) << "now the host moves";
}

TEST_F(EditorTest, ValidateEditRaisesTheValidatorsTextOnlyForAModifiedValueOutsideAForwardedKey)
{
    TTestEdit* edit = host->Activate();
    edit->OnValidate = [](TObject*, std::string& text, bool& accept) {
        text = "Too long";
        accept = false;
    };
    EXPECT_NO_THROW(edit->ValidateEdit()) << "unmodified";

    edit->SetModified(true);
    try {
        edit->ValidateEdit();
        FAIL() << "no error raised";
    } catch (const EzqEditInvalidInput& e) {
        EXPECT_STREQ(e.what(), "Too long");
    }

    // A forwarded Enter is checked once, before the host gets it; the host's own
    // handling runs under the key lock, where a second check is skipped.
    int checks = 0;
    edit->OnValidate = [&checks](TObject*, std::string&, bool& accept) {
        ++checks;
        accept = true;
    };
    int lockSeenByHost = 0;
    host->onHostKey = [&](WORD) {
        lockSeenByHost = edit->KeyLock();
        edit->ValidateEdit();
    };
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(lockSeenByHost, 1);
    EXPECT_EQ(edit->KeyLock(), 0) << "lowered after the key";
    EXPECT_TRUE(Contains(host->hostKeys, VK_RETURN));
}

// What became of a key pressed in the editor.
enum class TKeyFate { Forwarded, Discarded, Processed };

const char* FateName(TKeyFate fate)
{
    switch (fate) {
    case TKeyFate::Forwarded:
        return "forwarded to the host";
    case TKeyFate::Discarded:
        return "discarded";
    default:
        return "processed by the editor";
    }
}

TEST_F(EditorTest, KeysAreForwardedDiscardedOrProcessedByKeyShiftAndWhatTheHostAllows)
{
    struct Row {
        WORD key;
        unsigned modifiers;
        bool hostAllowsModification;
        bool hostWantsTab;
        TKeyFate fate;
    };
    const Row rows[] = {
        {VK_UP, D::None, true, false, TKeyFate::Forwarded},
        {VK_DOWN, D::None, false, false, TKeyFate::Forwarded},
        {VK_PRIOR, D::None, true, false, TKeyFate::Forwarded},
        {VK_NEXT, D::Shift, true, false, TKeyFate::Forwarded},
        {VK_RETURN, D::None, true, false, TKeyFate::Forwarded},
        {VK_ESCAPE, D::None, true, false, TKeyFate::Forwarded},
        {VK_TAB, D::None, true, true, TKeyFate::Forwarded},
        {VK_TAB, D::Shift, true, true, TKeyFate::Forwarded},
        {VK_TAB, D::None, true, false, TKeyFate::Discarded},
        {VK_INSERT, D::None, false, false, TKeyFate::Forwarded},
        {VK_INSERT, D::Shift, true, false, TKeyFate::Processed},
        {VK_INSERT, D::Shift, false, false, TKeyFate::Discarded},
        {VK_INSERT, D::Ctrl, false, false, TKeyFate::Processed},
        {VK_DELETE, D::None, true, false, TKeyFate::Processed},
        {VK_DELETE, D::None, false, false, TKeyFate::Discarded},
        {VK_BACK, D::None, true, false, TKeyFate::Processed},
        {VK_BACK, D::None, false, false, TKeyFate::Discarded},
        {'V', D::Ctrl, false, false, TKeyFate::Discarded},
        {'X', D::Ctrl, true, false, TKeyFate::Processed},
        {'C', D::Ctrl, false, false, TKeyFate::Processed},
        {'A', D::None, false, false, TKeyFate::Processed},
        {VK_LEFT, D::None, false, false, TKeyFate::Processed},
    };
    TTestEdit* edit = host->Activate();
    std::vector<WORD> processed;
    edit->OnKeyDown = [&processed](TObject*, WORD& key, TShiftState) { processed.push_back(key); };
    for (const Row& row : rows) {
        host->allowModify = row.hostAllowsModification;
        host->wantsTab = row.hostWantsTab;
        host->hostKeys.clear();
        processed.clear();
        edit->ShowAt(host->cell);
        ASSERT_EQ(GetFocus(), edit->Handle());
        driver.PressKey(row.key, row.modifiers);
        const bool forwarded = Contains(host->hostKeys, row.key);
        const bool byEditor = Contains(processed, row.key);
        const TKeyFate fate = forwarded ? TKeyFate::Forwarded : byEditor ? TKeyFate::Processed : TKeyFate::Discarded;
        EXPECT_FALSE(forwarded && byEditor) << "key " << row.key << " reached both";
        EXPECT_STREQ(FateName(fate), FateName(row.fate))
            << "key " << row.key << " modifiers " << row.modifiers << " modify " << row.hostAllowsModification
            << " tab " << row.hostWantsTab;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, F2MovesTheCaretToTheEndUnlessTheHostsKeyHandlerConsumedIt)
{
    TTestEdit* edit = host->Activate();
    driver.PressKey(VK_F2);
    EXPECT_EQ(edit->caretMoves, 1);
    EXPECT_TRUE(Contains(host->editKeys, VK_F2));

    host->consumeInEditKeyDown = VK_F2;
    driver.PressKey(VK_F2);
    EXPECT_EQ(edit->caretMoves, 1);
}

TEST_F(EditorTest, CharactersGoToTheHostFirstAndRefusedOnesAreDroppedWithABeep)
{
    TTestEdit* edit = host->Activate();
    std::vector<char32_t> hostChars;
    host->OnKeyPress = [&hostChars](TObject*, char32_t& key) { hostChars.push_back(key); };
    driver.Type("ab");
    EXPECT_EQ(edit->Text(), "valueab");
    EXPECT_EQ(hostChars, (std::vector<char32_t>{U'a', U'b'}));

    host->acceptKeys = false;
    const int beeps = driver.Backend().Beeps();
    driver.Type("c");
    EXPECT_EQ(edit->Text(), "valueab");
    EXPECT_EQ(driver.Backend().Beeps(), beeps + 1);
}

TEST_F(EditorTest, BlockedKeysNeverReachEditorOrHost)
{
    TTestEdit* edit = host->Activate();
    host->keysBlocked = true;
    driver.PressKey(VK_UP);
    driver.Type("z");
    EXPECT_TRUE(host->hostKeys.empty());
    EXPECT_TRUE(host->editKeys.empty());
    EXPECT_EQ(edit->Text(), "value");
}

TEST_F(EditorTest, DialogCodeAsksForTabOnlyWhenTheHostWantsIt)
{
    TTestEdit* edit = host->Activate();
    const LRESULT without = SendMessage(edit->Handle(), WM_GETDLGCODE);
    EXPECT_TRUE(without & DLGC_WANTCHARS);
    EXPECT_TRUE(without & DLGC_WANTALLKEYS);
    EXPECT_FALSE(without & DLGC_WANTTAB);
    host->wantsTab = true;
    EXPECT_TRUE(SendMessage(edit->Handle(), WM_GETDLGCODE) & DLGC_WANTTAB);
}

TEST_F(EditorTest, EnterTakesItsPendingCharacterOutOfTheQueueAndEscapesCharacterNeverReachesTheEditor)
{
    TTestEdit* edit = host->Activate();
    std::vector<char32_t> chars, hostChars;
    edit->OnKeyPress = [&chars](TObject*, char32_t& key) { chars.push_back(key); };
    host->OnKeyPress = [&hostChars](TObject*, char32_t& key) { hostChars.push_back(key); };
    driver.PressKey(VK_RETURN);
    EXPECT_TRUE(chars.empty());
    EXPECT_TRUE(hostChars.empty()) << "taken out of the queue before anyone saw it";

    // An unmodified editor forwards Escape to the host; its character is dropped.
    driver.PressKey(VK_ESCAPE);
    EXPECT_TRUE(Contains(host->hostKeys, VK_ESCAPE));
    EXPECT_TRUE(chars.empty());
    driver.PressKey('Q');
    EXPECT_EQ(chars.size(), 1u) << "other keys keep their characters";
}

TEST_F(EditorTest, RemovingAPendingMessageKeepsAQuitItMeetsInTheQueue)
{
    TTestEdit* edit = host->Activate();
    HWND h = edit->Handle();
    driver.Pump();
    PostMessage(h, WM_CHAR, 'a', 0);
    RemovePendingMessage(h, WM_CHAR);
    MSG msg;
    EXPECT_FALSE(PeekMessage(msg, h, WM_CHAR, WM_CHAR, PM_NOREMOVE));

    PostQuitMessage(7);
    PostMessage(h, WM_CHAR, 'b', 0);
    RemovePendingMessage(h, WM_CHAR);
    bool quitFound = false;
    while (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) {
            quitFound = true;
            EXPECT_EQ(msg.wParam, 7u);
        }
    EXPECT_TRUE(quitFound);
}

TEST_F(EditorTest, ASecondPressWithinTheDoubleClickTimeReachesTheEditorAsADoubleClick)
{
    // The first click on the host opens the editor under the pointer.
    ClickWithoutWaiting(CellPoint());
    TTestEdit* edit = host->Edit();
    ASSERT_TRUE(edit->Shown());
    TShiftState pressShift;
    edit->OnMouseDown = [&pressShift](TObject*, TMouseButton, TShiftState shift, int, int) { pressShift = shift; };

    driver.AdvanceTime(GetDoubleClickTime() - 100);
    driver.Press(CellPoint());
    driver.Release(CellPoint());
    EXPECT_TRUE(pressShift.contains(TShiftStateFlag::ssDouble));
    EXPECT_EQ(std::count(host->log.begin(), host->log.end(), "dblclick"), 1);
    EXPECT_EQ(edit->ClickTime(), 0u);
}

TEST_F(EditorTest, APressAfterTheDoubleClickTimeReachesTheEditorAsAPress)
{
    ClickWithoutWaiting(CellPoint());
    TTestEdit* edit = host->Edit();
    ASSERT_TRUE(edit->Shown());
    TShiftState pressShift{TShiftStateFlag::ssDouble};
    edit->OnMouseDown = [&pressShift](TObject*, TMouseButton, TShiftState shift, int, int) { pressShift = shift; };

    driver.AdvanceTime(GetDoubleClickTime() + 100);
    driver.Press(CellPoint());
    driver.Release(CellPoint());
    EXPECT_FALSE(pressShift.contains(TShiftStateFlag::ssDouble));
    EXPECT_EQ(std::count(host->log.begin(), host->log.end(), "dblclick"), 0);

    // Without the host's wish, a quick second press is a press too.
    host->emulateDblClick = false;
    edit->Hide();
    ClickWithoutWaiting(CellPoint());
    pressShift = TShiftState{TShiftStateFlag::ssDouble};
    driver.AdvanceTime(50);
    driver.Press(CellPoint());
    EXPECT_FALSE(pressShift.contains(TShiftStateFlag::ssDouble));
}

TEST_F(EditorTest, APressOnAnEditorWithoutTheFocusGivesItTheFocus)
{
    host->emulateDblClick = false;
    TTestEdit* edit = host->Activate();
    host->SetFocus();
    ASSERT_EQ(GetFocus(), host->Handle());
    driver.Click(driver.ToScreen(edit->Handle(), TPoint(5, 5)));
    EXPECT_EQ(GetFocus(), edit->Handle());
}

TEST_F(EditorTest, TheWheelOverTheEditorCancelsTheHostsModeAndScrollsTheHost)
{
    TTestEdit* edit = host->Activate();
    host->log.clear();
    driver.Wheel(driver.ToScreen(edit->Handle(), TPoint(5, 5)), 120);
    ASSERT_GE(host->log.size(), 2u);
    EXPECT_EQ(host->log[0], "cancel");
    EXPECT_EQ(host->log[1], "scroll up 3");
}

TEST_F(EditorTest, TheFocusInTheEditorMakesTheHostTheFormsActiveControl)
{
    TTestEdit* edit = host->Activate();
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(form->ActiveControl(), host);
    EXPECT_NE(std::find(host->log.begin(), host->log.end(), "focus"), host->log.end());
}

TEST_F(EditorTest, ModifyingKeysAreQuestionsOfKeyAndShift)
{
    TTestEdit* edit = host->Edit();
    const TShiftState none, ctrl{TShiftStateFlag::ssCtrl}, shift{TShiftStateFlag::ssShift};
    EXPECT_TRUE(edit->IsModifyingKey('V', ctrl));
    EXPECT_TRUE(edit->IsModifyingKey('X', ctrl));
    EXPECT_TRUE(edit->IsModifyingKey(VK_BACK, none));
    EXPECT_TRUE(edit->IsModifyingKey(VK_DELETE, none));
    EXPECT_TRUE(edit->IsModifyingKey(VK_INSERT, shift));
    EXPECT_FALSE(edit->IsModifyingKey('V', none));
    EXPECT_FALSE(edit->IsModifyingKey('C', ctrl));
    EXPECT_FALSE(edit->IsModifyingKey(VK_INSERT, ctrl));
}

TEST_F(EditorTest, SetTextModifiedChangesTheTextOnlyWhenTheValueMayChange)
{
    TTestEdit* edit = host->Activate();
    host->allowModify = false;
    edit->SetTextModified("new");
    EXPECT_EQ(edit->Text(), "value");
    EXPECT_TRUE(edit->GetModified());
    host->allowModify = true;
    edit->SetTextModified("new");
    EXPECT_EQ(edit->Text(), "new");
}

} // namespace
