// The node attribute record: its bytes, reading it back through the setters, and the
// stream errors.
#include "platform/core/Stream.h"
#include "orgchart/tests/ChartFixture.h"

using StreamTest = ChartTest;

TEST_F(StreamTest, RecordBytesAreLittleEndianInTheDocumentedOrder)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetHeight(70);
    n->SetShape(TzqOcShape::shEllipse);
    n->SetImageAlign(TzqOcImageAlign::iaLT);
    TMemoryStream out;
    n->WriteData(&out);
    EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{0x00, 0x00, 0x46, 0x00, 0xFF, 0xFF, 0xFF, 0x1F, 0x01, 0x02, 0xFF,
                                                0xFF, 0x01}));
}

TEST_F(StreamTest, ReadingGoesThroughTheSettersOneChangeAtATime)
{
    struct Counting : TzqOrgChart {
        using TzqOrgChart::TzqOrgChart;
        int changed = 0;
        void NodeChanged(TzqOcNode*) override { ++changed; }
    } chart(nullptr);
    TzqOcNode* source = chart.AddChild(nullptr, 0);
    source->SetWidth(90);
    source->SetColor(clRed);
    source->SetShape(static_cast<TzqOcShape>(9)); // from a table: kept as it came
    source->SetImageIndex(-7);
    TMemoryStream buffer;
    source->WriteData(&buffer);
    buffer.SetPosition(0);

    TzqOcNode* copy = chart.AddChild(nullptr, 0);
    chart.changed = 0;
    copy->ReadData(&buffer);
    EXPECT_EQ(copy->Width(), 90);
    EXPECT_EQ(copy->Color(), clRed);
    EXPECT_EQ(static_cast<int>(copy->Shape()), 9);
    EXPECT_EQ(copy->ImageIndex(), -7);
    EXPECT_EQ(chart.changed, 4);

    // An unchanged node read back changes nothing.
    buffer.SetPosition(0);
    chart.changed = 0;
    copy->ReadData(&buffer);
    EXPECT_EQ(chart.changed, 0);

    // Width 5 without images comes in as 16.
    TMemoryStream narrow(std::vector<uint8_t>{5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x1F, 1, 0, 0xFF, 0xFF, 0});
    copy->ReadData(&narrow);
    EXPECT_EQ(copy->Width(), 16);
}

TEST_F(StreamTest, ShortStreamsRaiseTheStreamErrorsAndAssignNothing)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    TMemoryStream twelve(std::vector<uint8_t>(12, 0x11));
    try {
        n->ReadData(&twelve);
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_EQ(n->Width(), 0);
    TMemoryStream full;
    full.SetCapacityLimit(10);
    try {
        n->WriteData(&full);
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
}
