// The spin editor: reading, limiting and writing its numbers (bad inputs included), the
// keys and characters it takes, and its button column with the held-button repeat.
#include "editors/InplaceSpinEdit.h"
#include "editors/tests/DropDownFixture.h"
#include "platform/core/Locale.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <cfloat>
#include <cmath>

namespace {

using V = TzqValueType;

TEST(SpinValue, TextsReadAsTheirNumberOrAsTheMinimum)
{
    struct Row {
        const char* text;
        V type;
        double min;
        double value;
    };
    const Row rows[] = {
        {"42", V::vtInt, 0, 42},          {" -7 ", V::vtInt, 0, -7},       {"1.5", V::vtInt, 3.7, 3},
        {"", V::vtInt, -2.9, -2},         {"12abc", V::vtInt, 5, 5},       {"1.5", V::vtFloat, 0, 1.5},
        {"2E3", V::vtFloat, 0, 2000},     {"1e999", V::vtFloat, 4, 4},     {"NaN", V::vtFloat, 1, 1},
        {"INF", V::vtFloat, 1, 1},        {"-0", V::vtFloat, 9, 0},        {"-0", V::vtInt, 9, 0},
        {"1234567890123456789012345678901234567890", V::vtInt, 0, 1.2345678901234568e39},
        {"-1234567890123456789012345678901234567890", V::vtInt, 0, -1.2345678901234568e39},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SpinTextValue(row.text, row.type, row.min), row.value) << row.text;
    // Digits past the range of a double read as the largest one.
    EXPECT_EQ(SpinTextValue(std::string(400, '9'), V::vtInt, 0), DBL_MAX);
}

TEST(SpinValue, ValuesAreWrittenWholeRoundedOrWithFifteenDigits)
{
    struct Row {
        double value;
        V type;
        const char* text;
    };
    const Row rows[] = {
        {2.5, V::vtInt, "3"},
        {-2.5, V::vtInt, "-3"},
        {2.4999, V::vtInt, "2"},
        {-0.0, V::vtInt, "0"},
        {-0.0, V::vtFloat, "0"},
        {1.0 / 3, V::vtFloat, "0.333333333333333"},
        {1e40, V::vtInt, "9223372036854774784"},
        {-1e40, V::vtInt, "-9223372036854774784"},
        {DBL_MAX, V::vtFloat, "1.79769313486231E308"},
        {NAN, V::vtFloat, "0"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SpinFormatValue(row.value, row.type), row.text) << row.value;
}

TEST(SpinValue, LimitsApplyOnlyWhenTheyDifferAndNothingBecomesInfinite)
{
    EXPECT_EQ(SpinLimitValue(120, 0, 100), 100);
    EXPECT_EQ(SpinLimitValue(-5, 0, 100), 0);
    EXPECT_EQ(SpinLimitValue(120, 0, 0), 120) << "equal limits: none";
    EXPECT_EQ(SpinLimitValue(NAN, 3, 9), 3);
    EXPECT_EQ(SpinAdd(1e308, 1e308), DBL_MAX);
    EXPECT_EQ(SpinAdd(-1e308, -1e308), -DBL_MAX);
    EXPECT_EQ(SpinAdd(1, NAN), 1);
}

class SpinEditTest : public DropDownTest {
protected:
    void TearDown() override
    {
        SetLocale(TLocaleSettings());
        DropDownTest::TearDown();
    }
    TzqInplaceSpinEdit* OpenSpin(const std::string& value, double min = 0, double max = 0,
                                 V type = V::vtInt)
    {
        auto* edit = static_cast<TzqInplaceSpinEdit*>(host->EditorOfClass(TzqInplaceSpinEdit::StaticClass()));
        edit->SetValueType(type);
        edit->SetMaxValue(max);
        edit->SetMinValue(min);
        host->Open<TzqInplaceSpinEdit>(Variant(value));
        driver.Pump();
        return edit;
    }
    TPoint HalfCentre(TzqInplaceSpinEdit* edit, uint8_t half)
    {
        std::unique_ptr<TzqEditViewData> data = edit->CreateViewData(false);
        data->Bounds = TRect(0, 0, edit->Width(), edit->Height());
        TzqEditViewInfo info;
        edit->EditClass().CalcViewInfo(*data, false, info);
        const TRect r = TzqInplaceSpinEditClass::HalfRect(info, static_cast<TzqSpinEditViewData&>(*data), half)
                            .Offset(WindowRect(edit->Handle()).TopLeft());
        return TPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
};

TEST_F(SpinEditTest, AValueAboveTheMaximumShowsTheMaximumAndEqualLimitsMeanNone)
{
    TzqInplaceSpinEdit* edit = OpenSpin("0", 0, 100);
    edit->SetValue(120);
    EXPECT_EQ(edit->Text(), "100");
    edit->SetMaxValue(0);
    edit->SetValue(120);
    EXPECT_EQ(edit->Text(), "120") << "limits 0 and 0";
    edit->SetValue(-120);
    EXPECT_EQ(edit->Text(), "-120");
}

TEST_F(SpinEditTest, SwappedLimitsAreCorrectedAndEveryLimitChangeRewritesTheValue)
{
    TzqInplaceSpinEdit* edit = OpenSpin("50", 0, 100);
    edit->SetMinValue(80);
    EXPECT_EQ(edit->Text(), "80") << "the value follows the new minimum";
    edit->SetMinValue(200);
    EXPECT_EQ(edit->MinValue(), 100) << "not above the maximum";
    edit->SetMaxValue(-5);
    EXPECT_EQ(edit->MaxValue(), 100) << "not below the minimum";
    edit->SetMinValue(NAN);
    edit->SetMaxValue(INFINITY);
    EXPECT_EQ(edit->MinValue(), 100);
    EXPECT_EQ(edit->MaxValue(), 100) << "non-finite limits are ignored";
}

TEST_F(SpinEditTest, ValidationRewritesAModifiedValueLimitedAndFormatted)
{
    struct Row {
        const char* typed;
        V type;
        const char* shown;
    };
    const Row rows[] = {
        {"150", V::vtInt, "100"},      {"007", V::vtInt, "7"},       {"-", V::vtInt, "5"},
        {"12.50", V::vtFloat, "12.5"}, {"1e2", V::vtFloat, "12"},    {"-0", V::vtFloat, "5"},
    };
    for (const Row& row : rows) {
        TzqInplaceSpinEdit* edit = OpenSpin("5", 5, 100, row.type);
        edit->SelectAll();
        TypeText(row.typed);
        edit->ValidateEdit();
        EXPECT_EQ(edit->Text(), row.shown) << row.typed;
    }
}

TEST_F(SpinEditTest, AWholeNumberEditorReadsADecimalTextAsTheMinimum)
{
    TzqInplaceSpinEdit* edit = OpenSpin("3", 2, 10);
    edit->SetTextModified("4.5");
    EXPECT_EQ(edit->Value(), 2);
    edit->ValidateEdit();
    EXPECT_EQ(edit->Text(), "2");
}

TEST_F(SpinEditTest, OnlyDigitsSignsAndTheDecimalSeparatorAreTyped)
{
    struct Row {
        V type;
        const char* typed;
        const char* text;
        int beeps;
    };
    const Row rows[] = {
        {V::vtInt, "1a2", "12", 1},    {V::vtInt, "-3.5", "-35", 1}, {V::vtInt, "+4,", "+4", 1},
        {V::vtFloat, "1.5", "1.5", 0}, {V::vtFloat, "2,5", "2.5", 0}, {V::vtFloat, "e7 ", "7", 2},
    };
    for (const Row& row : rows) {
        TzqInplaceSpinEdit* edit = OpenSpin("", 0, 0, row.type);
        edit->SelectAll();
        const int before = Beeps();
        TypeText(row.typed);
        EXPECT_EQ(edit->Text(), row.text) << row.typed;
        EXPECT_EQ(Beeps() - before, row.beeps) << row.typed;
    }
}

TEST_F(SpinEditTest, ACommaTypedIntoAFloatEditorInADayMonthYearLocaleIsItsSeparator)
{
    TLocaleSettings locale;
    locale.ShortDateFormat = "d.m.yyyy";
    locale.DateSeparator = ".";
    locale.DecimalSeparator = ",";
    locale.ThousandSeparator = ".";
    SetLocale(locale);
    TzqInplaceSpinEdit* edit = OpenSpin("", 0, 0, V::vtFloat);
    edit->SelectAll();
    TypeText("1,5");
    EXPECT_EQ(edit->Text(), "1,5");
    EXPECT_EQ(edit->Value(), 1.5);
    edit->SelectAll();
    TypeText("2.25");
    EXPECT_EQ(edit->Text(), "2,25") << "a point is the separator too";
    edit->SetValue(0.125);
    EXPECT_EQ(edit->Text(), "0,125");
}

TEST_F(SpinEditTest, UpAndDownStepAndShowTheirHalfPressedUntilReleased)
{
    TzqInplaceSpinEdit* edit = OpenSpin("10", 0, 100);
    driver.KeyDown(VK_UP);
    driver.Pump();
    EXPECT_EQ(edit->Text(), "11");
    EXPECT_EQ(edit->PressedButton(), zqSpinUp);
    EXPECT_TRUE(edit->GetModified());
    driver.KeyUp(VK_UP);
    driver.Pump();
    EXPECT_EQ(edit->PressedButton(), zqSpinNone);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(edit->Text(), "9");
    EXPECT_EQ(host->hostKeys, std::vector<WORD>{}) << "not navigation";
}

TEST_F(SpinEditTest, WithUseCtrlIncrementPlainUpAndDownGoToTheHost)
{
    TzqInplaceSpinEdit* edit = OpenSpin("10", 0, 100);
    edit->SetUseCtrlIncrement(true);
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(edit->Text(), "10");
    EXPECT_EQ(host->hostKeys, (std::vector<WORD>{VK_UP, VK_DOWN}));
    Key(VK_UP, THeadlessDriver::Ctrl);
    EXPECT_EQ(edit->Text(), "11");
}

TEST_F(SpinEditTest, StepsBeepWhenTheTextCannotBeEditedAndDoNothingWhenTheHostRefuses)
{
    TzqInplaceSpinEdit* edit = OpenSpin("10");
    host->allowModify = false;
    Key(VK_UP);
    EXPECT_EQ(edit->Text(), "10");
    EXPECT_EQ(Beeps(), 0);
    host->allowModify = true;
    edit->SetReadOnly(true);
    Key(VK_UP);
    EXPECT_EQ(edit->Text(), "10");
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(SpinEditTest, WithTheEditorDisabledNothingIsTypedButTheValueStillSteps)
{
    TzqInplaceSpinEdit* edit = OpenSpin("10");
    edit->SetEditorEnabled(false);
    Key(VK_END);
    TypeText("5");
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "10");
    EXPECT_EQ(Beeps(), 2) << "the character and Backspace";
    SetClipboardText("77");
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "10");
    Key(VK_UP);
    EXPECT_EQ(edit->Text(), "11");
}

TEST_F(SpinEditTest, APastedTextThatIsNoNumberIsUndone)
{
    struct Row {
        const char* pasted;
        V type;
        const char* text;
    };
    const Row rows[] = {{"abc", V::vtInt, "10"},   {"12", V::vtInt, "12"},  {"1e999", V::vtFloat, "10"},
                        {"NaN", V::vtFloat, "10"}, {"3.5", V::vtFloat, "3.5"}};
    for (const Row& row : rows) {
        TzqInplaceSpinEdit* edit = OpenSpin("10", 0, 0, row.type);
        edit->SelectAll();
        SetClipboardText(row.pasted);
        edit->PasteFromClipboard();
        driver.Pump();
        EXPECT_EQ(edit->Text(), row.text) << row.pasted;
    }
}

TEST_F(SpinEditTest, AHugeIncrementStaysFiniteForBothValueTypes)
{
    for (V type : {V::vtInt, V::vtFloat}) {
        TzqInplaceSpinEdit* edit = OpenSpin("0", 0, 0, type);
        edit->SetIncrement(1e308);
        for (int i = 0; i < 4; ++i)
            edit->StepBy(true);
        EXPECT_TRUE(std::isfinite(edit->Value()));
        EXPECT_EQ(edit->Text(), type == V::vtInt ? "9223372036854774784" : "1.79769313486231E308");
        for (int i = 0; i < 8; ++i)
            edit->StepBy(false);
        EXPECT_EQ(edit->Text(), type == V::vtInt ? "-9223372036854774784" : "-1.79769313486231E308");
        edit->SetIncrement(INFINITY);
        EXPECT_EQ(edit->Increment(), 1e308) << "ignored";
    }
}

TEST_F(SpinEditTest, TheButtonColumnIsOddAtLeastThirteenAndOneLessFlat)
{
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int odd = std::max(13, bar % 2 ? bar : bar - 1);
    EXPECT_EQ(TzqInplaceSpinEditClass::ButtonColumnWidth(TzqEditButtonViewStyle::bts3D), odd);
    EXPECT_EQ(TzqInplaceSpinEditClass::ButtonColumnWidth(TzqEditButtonViewStyle::btsHotFlat), odd);
    EXPECT_EQ(TzqInplaceSpinEditClass::ButtonColumnWidth(TzqEditButtonViewStyle::btsFlat), odd - 1);
    EXPECT_EQ(TzqInplaceSpinEditClass::ButtonColumnWidth(TzqEditButtonViewStyle::btsSimple), odd - 1);
}

TEST_F(SpinEditTest, HoldingTheUpHalfStepsAtThePressAfter400MsThenEvery100MsWhileUnderThePointer)
{
    TzqInplaceSpinEdit* edit = OpenSpin("0");
    const TPoint up = HalfCentre(edit, zqSpinUp);
    driver.MoveTo(up);
    EXPECT_EQ(edit->HotButton(), zqSpinUp);
    driver.Press(up);
    EXPECT_EQ(edit->Text(), "1") << "at the press";
    EXPECT_EQ(edit->PressedButton(), zqSpinUp);
    driver.AdvanceTime(399);
    EXPECT_EQ(edit->Text(), "1");
    driver.AdvanceTime(1);
    EXPECT_EQ(edit->Text(), "2") << "at 400 ms";
    driver.AdvanceTime(99);
    EXPECT_EQ(edit->Text(), "2");
    driver.AdvanceTime(1);
    EXPECT_EQ(edit->Text(), "3") << "at 500 ms";
    driver.AdvanceTime(100);
    EXPECT_EQ(edit->Text(), "4") << "at 600 ms";
    // Off the pressed half (onto the other one) the repeat waits.
    driver.MoveTo(HalfCentre(edit, zqSpinDown));
    driver.AdvanceTime(300);
    EXPECT_EQ(edit->Text(), "4");
    driver.MoveTo(up);
    driver.AdvanceTime(100);
    EXPECT_EQ(edit->Text(), "5") << "back on it";
    driver.Release(up);
    driver.AdvanceTime(500);
    EXPECT_EQ(edit->Text(), "5") << "released";
    EXPECT_EQ(edit->PressedButton(), zqSpinNone);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SpinEditTest, TheHostsPressOverAHalfPressesIt)
{
    TzqInplaceSpinEdit* edit = OpenSpin("5");
    TPoint down = HalfCentre(edit, zqSpinDown);
    ::ScreenToClient(host->Handle(), down);
    edit->HostMouseDown(down.X, down.Y);
    EXPECT_EQ(edit->Text(), "4");
    EXPECT_EQ(edit->PressedButton(), zqSpinDown);
    driver.Release(HalfCentre(edit, zqSpinDown));
    EXPECT_EQ(edit->PressedButton(), zqSpinNone);
    edit->HostMouseDown(30, 25);
    EXPECT_EQ(edit->Text(), "4") << "over the text: nothing";
}

TEST_F(SpinEditTest, TheDownHalfAndTheWheelStepDown)
{
    TzqInplaceSpinEdit* edit = OpenSpin("5");
    driver.Click(HalfCentre(edit, zqSpinDown));
    EXPECT_EQ(edit->Text(), "4");
    const TPoint text = EditPoint(edit, 5, 5);
    driver.Wheel(text, -120);
    EXPECT_EQ(edit->Text(), "3");
    driver.Wheel(text, 120);
    driver.Wheel(text, 120);
    EXPECT_EQ(edit->Text(), "5");
}

} // namespace
