// The layout stream: the worked nine-row stream, bad input, and applying it.
#include "inspector/tests/InspectorFixture.h"

#include "inspector/InspectorLayoutData.h"

#include <cstring>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutRecord(std::vector<uint8_t>& out, uint32_t size, uint32_t field, uint32_t length, const std::string& name)
{
    PutU32(out, size);
    PutU32(out, field);
    PutU32(out, length);
    out.insert(out.end(), name.begin(), name.end());
}

// The stream with its total size in front.
std::vector<uint8_t> Framed(const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> out;
    PutU32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

const std::vector<std::string> kStreamOrder{"DBInspectorNAME",  "DBInspectorCDATE", "DBInspectorWIDTH",
                                            "DBInspectorHEIGHT", "DBInspectorTYPE",  "DBInspectorCOLOR",
                                            "DBInspectorIMAGE",  "DBInspectorIMAGEALIGN", "DBInspectorRow9"};
const std::vector<std::string> kCreationOrder{"DBInspectorNAME",  "DBInspectorCDATE",      "DBInspectorCOLOR",
                                              "DBInspectorIMAGE", "DBInspectorTYPE",       "DBInspectorIMAGEALIGN",
                                              "DBInspectorRow9",  "DBInspectorWIDTH",      "DBInspectorHEIGHT"};

std::vector<uint8_t> NineRowStream()
{
    std::vector<uint8_t> body;
    PutU32(body, 9);
    for (const std::string& name : kStreamOrder)
        PutRecord(body, 8, 0, static_cast<uint32_t>(name.size()), name);
    PutU32(body, 0);
    return Framed(body);
}

class InspectorDataTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        for (const std::string& name : kCreationOrder) {
            auto* row = new TzqInspectorTextRow(form);
            row->SetName(name);
            row->SetInspector(host);
        }
    }
};

TEST_F(InspectorDataTest, WorkedStreamReordersNineRowsAndIsWrittenBackByteForByte)
{
    const std::vector<uint8_t> stream = NineRowStream();
    ASSERT_EQ(stream.size(), 267u);
    EXPECT_EQ(LineNames(), kCreationOrder);
    host->ReadData(stream);
    EXPECT_EQ(LineNames(), kStreamOrder);
    EXPECT_EQ(host->FocusedNode(), host->Items(0));
    EXPECT_EQ(host->WriteData(), stream);
}

TEST_F(InspectorDataTest, MissingRowStopsTheStreamWhereItStands)
{
    std::vector<uint8_t> body;
    PutU32(body, 3);
    PutRecord(body, 8, 0, 16, "DBInspectorWIDTH");
    PutRecord(body, 8, 0, 4, "Gone");
    PutRecord(body, 8, 0, 16, "DBInspectorCOLOR");
    PutU32(body, 0);
    host->ReadData(Framed(body));
    std::vector<std::string> expected = kCreationOrder;
    expected.erase(std::find(expected.begin(), expected.end(), "DBInspectorWIDTH"));
    expected.push_back("DBInspectorWIDTH");
    EXPECT_EQ(LineNames(), expected);
}

TEST_F(InspectorDataTest, EveryPrefixOfTheWorkedStreamAppliesWithoutError)
{
    const std::vector<uint8_t> stream = NineRowStream();
    for (size_t n = 0; n <= stream.size(); ++n) {
        std::vector<uint8_t> prefix(stream.begin(), stream.begin() + static_cast<long>(n));
        EXPECT_NO_THROW(host->ReadData(prefix)) << n;
        EXPECT_EQ(host->Count(), 9) << n;
    }
}

TEST_F(InspectorDataTest, NestingAndExpansionAreAppliedAndWrittenBack)
{
    std::vector<uint8_t> body;
    PutU32(body, 2);
    PutRecord(body, 8, 2, 15, "DBInspectorTYPE");
    PutRecord(body, 8, 0, 16, "DBInspectorWIDTH");
    PutRecord(body, 8, 1, 17, "DBInspectorHEIGHT");
    PutRecord(body, 8, 0, 15, "DBInspectorNAME");
    PutRecord(body, 8, 0, 16, "DBInspectorCOLOR");
    PutU32(body, 1);
    PutRecord(body, 8, 0, 15, "DBInspectorTYPE");
    const std::vector<uint8_t> stream = Framed(body);
    host->ReadData(stream);
    TzqInspectorRow* type = host->FindRow("DBInspectorTYPE");
    TzqInspectorRow* height = host->FindRow("DBInspectorHEIGHT");
    ASSERT_EQ(type->Node()->Count(), 2);
    EXPECT_TRUE(type->Node()->Expanded());
    EXPECT_FALSE(height->Node()->Expanded());
    EXPECT_EQ(host->FindRow("DBInspectorNAME")->Node()->Parent(), height->Node());
    // Rows the stream does not name come first; the named follow in stream order.
    const auto lines = LineNames();
    EXPECT_EQ(lines.back(), "DBInspectorCOLOR");
    EXPECT_EQ(lines[lines.size() - 4], "DBInspectorTYPE");
    // Written back it reads to the same records (the unnamed rows are written too).
    const TzqInspectorLayoutData again = ReadInspectorLayout(host->WriteData());
    EXPECT_TRUE(again.Complete);
    EXPECT_EQ(again.Expanded, std::vector<std::string>{"DBInspectorTYPE"});
    EXPECT_EQ(again.Nodes.size(), 9u);
}

TEST_F(InspectorDataTest, StreamReadWhileLoadingIsAppliedWhenLoadingEnds)
{
    auto* loading = new TTestInspector(form);
    loading->SetName("Inspector2");
    loading->BeginLoading();
    loading->ReadData(NineRowStream());
    std::vector<TzqInspectorTextRow*> rows;
    for (const std::string& name : kCreationOrder) {
        auto* row = new TzqInspectorTextRow(form);
        row->SetName(name + "2");
        rows.push_back(row);
    }
    // The stream names the rows of Inspector1; these carry other names but one.
    rows[0]->SetName("DBInspectorNAME_");
    for (auto* row : rows)
        row->SetInspector(loading);
    rows[3]->SetVisible(false);
    EXPECT_EQ(loading->Count(), 8);
    loading->EndLoading();
    // The first record names a row this inspector lacks: nothing moves.
    EXPECT_EQ(loading->Count(), 8);
    EXPECT_EQ(TCustomzqInspectorControl::RowOfNode(loading->Items(0)), rows[0]);
    EXPECT_EQ(loading->FocusedNode(), loading->Items(0));
}

TEST(InspectorLayoutData, BadInputIsKeptUpToTheFirstBadRecord)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t nodes;
    };
    auto stream = [](uint32_t top, std::vector<std::tuple<uint32_t, uint32_t, uint32_t, std::string>> records,
                     int64_t totalDelta = 0) {
        std::vector<uint8_t> body;
        PutU32(body, top);
        for (const auto& [size, field, length, name] : records)
            PutRecord(body, size, field, length, name);
        std::vector<uint8_t> out;
        PutU32(out, static_cast<uint32_t>(static_cast<int64_t>(body.size()) + totalDelta));
        out.insert(out.end(), body.begin(), body.end());
        return out;
    };
    std::vector<Case> cases = {
        {"2^32-1 nodes", stream(0xFFFFFFFF, {{8, 0, 1, "A"}, {8, 0, 1, "B"}}), 2},
        {"record size 12", stream(2, {{8, 0, 1, "A"}, {12, 0, 1, "B"}}), 1},
        {"record size 0", stream(1, {{0, 0, 1, "A"}}), 0},
        {"huge name length", stream(2, {{8, 0, 1, "A"}, {8, 0, 0x7FFFFFF0, "B"}}), 1},
        {"negative name length", stream(1, {{8, 0, 0xFFFFFFFF, "A"}}), 0},
        {"child count the bytes cannot hold", stream(1, {{8, 0xFFFFFFFF, 1, "A"}}), 0},
        {"row named twice", stream(3, {{8, 0, 1, "A"}, {8, 0, 1, "B"}, {8, 0, 1, "a"}}), 2},
        {"row as its own child", stream(1, {{8, 1, 1, "A"}, {8, 0, 1, "A"}}), 1},
        {"total size beyond the bytes", stream(2, {{8, 0, 1, "A"}, {8, 0, 1, "B"}}, 1000), 2},
        {"total size short of the records", stream(2, {{8, 0, 1, "A"}, {8, 0, 1, "B"}}, -13), 1},
        {"only three bytes", {1, 2, 3}, 0},
    };
    for (const Case& c : cases) {
        const TzqInspectorLayoutData data = ReadInspectorLayout(c.bytes);
        EXPECT_EQ(data.Nodes.size(), c.nodes) << c.what;
        EXPECT_FALSE(data.Complete) << c.what;
        EXPECT_FALSE(data.HasExpandedSection) << c.what;
    }
}

TEST(InspectorLayoutData, AMillionLevelsDeepIsReadWithoutRecursion)
{
    constexpr uint32_t depth = 1000000;
    std::vector<uint8_t> body;
    PutU32(body, 1);
    for (uint32_t i = 0; i < depth; ++i) {
        const std::string name = std::to_string(i);
        PutRecord(body, 8, i + 1 < depth ? 1 : 0, static_cast<uint32_t>(name.size()), name);
    }
    PutU32(body, 0);
    const TzqInspectorLayoutData data = ReadInspectorLayout(Framed(body));
    EXPECT_TRUE(data.Complete);
    EXPECT_EQ(data.Nodes.size(), depth);
}

} // namespace
