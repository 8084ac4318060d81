// Setter rules, option words, row creation names and the metrics per paint style.
#include "inspector/tests/InspectorFixture.h"

#include "inspector/InspectorComplexRow.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

namespace {

using O = TzqDBInspectorOption;

TEST(InspectorOptionWord, PublishedOptionsMapToTheInternalWord)
{
    struct Case {
        TzqDBInspectorOptions options;
        uint16_t word;
    } cases[] = {
        {zqDefaultInspectorOptions, 0x006E},
        {TzqDBInspectorOptions::FromWord(222), 0x006E},
        {{O::dioTabs, O::dioTabThrough}, 0x1800},
        {{O::dioCancelOnExit, O::dioNoCancel}, 0x0000},
        {{O::dioAutoBandCount, O::dioRowAutoHeight, O::dioRowSizing, O::dioStoreToRegistry}, 0x0701},
        {{O::dioDrawEndEllipsis, O::dioEnterThrough}, 0x0090},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InspectorOptionWord(c.options), c.word) << c.options.ToWord();
    EXPECT_EQ(zqDefaultInspectorOptions.ToWord(), 222);
}

TEST_F(InspectorTest, MinimumsAndClampsOfTheSetters)
{
    host->SetMinColumnWidth(10);
    EXPECT_EQ(host->MinColumnWidth(), 20);
    host->SetMinBandWidth(10);
    EXPECT_EQ(host->MinBandWidth(), 43);
    host->SetBandWidth(-50);
    EXPECT_EQ(host->BandWidth(), 43);
    host->SetMinBandWidth(120);
    EXPECT_EQ(host->BandWidth(), 120); // re-applied
    host->SetMaxRowTextLineCount(-1);
    EXPECT_EQ(host->MaxRowTextLineCount(), 0);

    const int standard = host->DefaultRowHeight();
    host->SetRowHeight(standard - 5);
    EXPECT_EQ(host->RowHeight(), standard);
    EXPECT_FALSE(host->IsRowHeightStored());
    host->SetRowHeight(standard + 7);
    EXPECT_EQ(host->RowHeight(), standard + 7);
    EXPECT_TRUE(host->IsRowHeightStored());
    host->SetRowHeight(standard);
    EXPECT_FALSE(host->IsRowHeightStored());
    host->SetRowHeight(INT32_MAX);
    EXPECT_EQ(host->RowHeight(), TCustomzqInspector::MaxLineHeight);

    host->SetShowHint(true);
    host->SetShowRowHint(true);
    EXPECT_FALSE(host->ShowHint());
}

TEST_F(InspectorTest, BorderStyleMakesTheWindowAgainWithOrWithoutItsEdge)
{
    const int edge = host->Width() - host->ClientWidth();
    EXPECT_GT(edge, 0);
    host->SetBorderStyle(TBorderStyle::bsNone);
    driver.Pump();
    EXPECT_EQ(host->Width() - host->ClientWidth(), 0);
    host->SetBorderStyle(TBorderStyle::bsSingle);
    driver.Pump();
    EXPECT_EQ(host->Width() - host->ClientWidth(), edge);
}

TEST_F(InspectorTest, RowHeightBelowTheLineHeightStaysUnassigned)
{
    auto rows = AddRows(1);
    rows[0]->SetRowHeight(host->RowHeight() - 1);
    EXPECT_FALSE(rows[0]->IsRowHeightStored());
    EXPECT_EQ(rows[0]->RowHeight(), host->RowHeight());
    rows[0]->SetRowHeight(host->RowHeight() + 10);
    EXPECT_TRUE(rows[0]->IsRowHeightStored());
    EXPECT_EQ(host->NodeHeight(rows[0]->Node()), host->RowHeight() + 10);
}

TEST_F(InspectorTest, RowCaptionMaxLengthAndReadOnlyFollowDefaultsUntilSet)
{
    auto* row = AddRows(1)[0];
    auto* fresh = host->CreateRow<TzqInspectorTextRow>();
    EXPECT_EQ(fresh->Caption(), "");
    EXPECT_FALSE(fresh->IsCaptionStored());
    EXPECT_EQ(fresh->MaxLength(), 0);
    EXPECT_FALSE(fresh->IsMaxLengthStored());
    fresh->SetReadOnly(false);
    EXPECT_FALSE(fresh->IsReadOnlyStored()); // equal to the default
    fresh->SetReadOnly(true);
    EXPECT_TRUE(fresh->IsReadOnlyStored());
    EXPECT_TRUE(row->IsCaptionStored());
    fresh->RestoreDefaults();
    EXPECT_EQ(fresh->AssignedValues(), 0);
    EXPECT_FALSE(fresh->ReadOnly());
}

TEST_F(InspectorTest, HintTextIsOfferedOnlyWhenTheTextIsCutOff)
{
    auto* row = AddRows(1)[0];
    row->SetText("a value far too long for a narrow cell");
    std::string text;
    EXPECT_TRUE(row->GetHintText(true, TRect(0, 0, 40, 18), text));
    EXPECT_EQ(text, "a value far too long for a narrow cell");
    EXPECT_FALSE(row->GetHintText(true, TRect(0, 0, 1000, 18), text));
    EXPECT_FALSE(row->GetHintText(false, TRect(0, 0, 200, 18), text));
    EXPECT_EQ(text, "C0");
}

TEST_F(InspectorTest, AssignCopiesOnlyWhatTheSourceSet)
{
    auto rows = AddRows(2);
    rows[0]->SetReadOnly(true);
    rows[0]->SetIsCategory(true);
    rows[0]->SetHint("source hint");
    rows[1]->SetMaxLength(12);
    rows[1]->Assign(*rows[0]);
    EXPECT_EQ(rows[1]->Caption(), "C0");
    EXPECT_TRUE(rows[1]->ReadOnly());
    EXPECT_TRUE(rows[1]->IsCategory());
    EXPECT_EQ(rows[1]->Hint(), "source hint");
    EXPECT_FALSE(rows[1]->IsMaxLengthStored()); // not set on the source: back to the default
    EXPECT_FALSE(rows[1]->IsRowHeightStored());
}

TEST_F(InspectorTest, CreateRowNamesRowsAfterTheInspectorWithTheNextFreeNumber)
{
    AddRows(3);
    auto* a = host->CreateRow<TzqInspectorTextRow>();
    auto* b = host->CreateRow<TzqInspectorTextRow>();
    EXPECT_EQ(a->Name(), "Inspector1Row4");
    EXPECT_EQ(b->Name(), "Inspector1Row5");
    EXPECT_EQ(a->Owner(), form);
    // A name the form already has is skipped.
    auto* taken = new TzqInspectorTextRow(form);
    taken->SetName("Inspector1Row7");
    auto* c = host->CreateRow<TzqInspectorTextRow>();
    EXPECT_EQ(c->Name(), "Inspector1Row6");
    auto* d = host->CreateRow<TzqInspectorTextRow>();
    EXPECT_EQ(d->Name(), "Inspector1Row8");
    EXPECT_EQ(host->FindRow("INSPECTOR1ROW5"), b);
    EXPECT_EQ(host->FindRow("nothing"), nullptr);
}

TEST_F(InspectorTest, MetricsFollowThePaintStyle)
{
    using S = TzqInspectorPaintStyle;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*host->Font());
    const int plus = measure.Canvas()->TextWidth("+");
    const int line = measure.Canvas()->TextHeight("Wg") + 3;
    struct Case {
        S style;
        int indent, grid, margin;
    } cases[] = {
        {S::ipsStandard, plus, 1, 0}, {S::ipsSimple, 15, 1, 0},     {S::ipsNET, 15, 1, 0},
        {S::ipsExtended, 14, 1, 0},   {S::ipsCategorized, 14, 0, 2},
    };
    for (const Case& c : cases) {
        host->SetPaintStyle(c.style);
        EXPECT_EQ(host->IndentWidth(), c.indent) << int(c.style);
        EXPECT_EQ(host->GridLineWidth(), c.grid);
        EXPECT_EQ(host->CellMargin(), c.margin);
        EXPECT_EQ(host->SingleLineHeight(), line);
        EXPECT_EQ(host->DefaultRowHeight(), line + c.grid + 2 * c.margin);
        EXPECT_EQ(host->RowHeight(), host->DefaultRowHeight());
    }
}

TEST_F(InspectorTest, ImagesRaiseTheRowHeightSoAnImageFits)
{
    TImageList images(16, 40);
    host->SetImages(&images);
    EXPECT_EQ(host->ImageWidth(), 16);
    EXPECT_EQ(host->RowHeight(), host->GridLineWidth() + 40);
    EXPECT_FALSE(host->IsRowHeightStored());
    host->SetImages(nullptr);
    EXPECT_EQ(host->RowHeight(), host->DefaultRowHeight());
}

TEST_F(InspectorTest, MetricsAreMeasuredBeforeTheWindowExists)
{
    auto* bare = new TTestInspector(form);
    ASSERT_FALSE(bare->HandleAllocated());
    bare->SetPaintStyle(TzqInspectorPaintStyle::ipsNET);
    EXPECT_EQ(bare->IndentWidth(), 15);
    EXPECT_EQ(bare->DefaultRowHeight(), host->DefaultRowHeight());
}

TEST_F(InspectorTest, ComplexRowCaptionJoinsItsItemRowsAndHidesTheirLines)
{
    auto rows = AddRows(2);
    auto* complex = new TzqInspectorComplexRow(form);
    complex->SetName("Size");
    complex->SetInspector(host);
    complex->AddItem()->SetRow(rows[0]);
    complex->AddItem()->SetRow(rows[1]);
    EXPECT_EQ(complex->Caption(), "C0-C1");
    host->SetComplexRowSeparator(" x ");
    EXPECT_EQ(complex->Caption(), "C0 x C1");
    EXPECT_EQ(LineNames(), std::vector<std::string>{"Size"});
    // Removing an item row from the inspector clears it from the item.
    delete rows[1];
    EXPECT_EQ(complex->Items(1)->Row(), nullptr);
    complex->Items(0)->SetRow(nullptr);
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"Size", "R0"}));
    // A complex row that goes gives its item rows their own lines back.
    auto* r2 = AddRows(1)[0];
    complex->Items(1)->SetRow(r2);
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"Size", "R0"}));
    delete complex;
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"R0", r2->Name()}));
}

} // namespace
