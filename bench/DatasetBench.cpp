// Opening a 100,000-record table and walking it with Next, reading every field of
// every record, beside a bare SQLite scan of the same rows (the limit).
#include "TableGenerator.h"

#include "platform/data/Table.h"
#include "platform/data/baseline/BareScan.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

const int kRecords = 100000;

// The benchmark table, made once in a temporary folder and removed at exit.
struct BenchTable {
    std::filesystem::path dir;
    BenchTable()
    {
        dir = std::filesystem::temp_directory_path() / ("velmora-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        TTableGeneratorOptions options;
        options.RecordCount = kRecords;
        options.Keys = TKeyOrder::Shuffled;
        GenerateTable((dir / "ARBOLO.DB").string(), options);
    }
    ~BenchTable() { std::filesystem::remove_all(dir); }
};

const BenchTable& Table()
{
    static BenchTable table;
    return table;
}

void BareSqliteScan(benchmark::State& state)
{
    const std::string file = (Table().dir / "ARBOLO.DB").string();
    for (auto _ : state) {
        TBareScanResult r = BareScan(file, "ARBOLO");
        if (r.Rows != kRecords)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(r.Checksum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// Reads every field value of the current record, as a control showing it would.
int64_t ReadRecord(TTable& table)
{
    int64_t sum = 0;
    for (TField* f : table.Fields()) {
        const Variant& v = table.DataFieldValue(f);
        sum += v.IsString() ? int64_t(v.StringView().size()) : (v.IsNumeric() ? 1 : 0);
    }
    return sum;
}

void DatasetOpenAndWalk(benchmark::State& state)
{
    for (auto _ : state) {
        TTable table;
        table.SetDatabaseName(Table().dir.string());
        table.SetTableName("ARBOLO.DB");
        table.Open();
        int64_t sum = 0, rows = 0;
        for (table.First(); !table.Eof(); table.Next()) {
            sum += ReadRecord(table);
            ++rows;
        }
        if (rows != kRecords)
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(sum);
        table.Close();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void DatasetOpenOnly(benchmark::State& state)
{
    for (auto _ : state) {
        TTable table;
        table.SetDatabaseName(Table().dir.string());
        table.SetTableName("ARBOLO.DB");
        table.Open();
        benchmark::DoNotOptimize(table.RecordCount());
        table.Close();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// The walk alone, on an open table: Next and reading fields, with typed accessors.
void DatasetWalkOnly(benchmark::State& state)
{
    TTable table;
    table.SetDatabaseName(Table().dir.string());
    table.SetTableName("ARBOLO.DB");
    table.Open();
    TField* id = table.FieldByName("ID");
    TField* parent = table.FieldByName("PARENT");
    TField* name = table.FieldByName("NAME");
    TField* order = table.FieldByName("ORDER");
    for (auto _ : state) {
        int64_t sum = 0;
        for (table.First(); !table.Eof(); table.Next())
            sum += id->AsInteger() + parent->AsInteger() + order->AsInteger() + int64_t(name->AsString().size());
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// Relative moves cost the same whatever the distance.
void DatasetMoveBy(benchmark::State& state)
{
    TTable table;
    table.SetDatabaseName(Table().dir.string());
    table.SetTableName("ARBOLO.DB");
    table.Open();
    const int distance = int(state.range(0));
    for (auto _ : state) {
        table.MoveBy(distance);
        table.MoveBy(-distance);
    }
}

} // namespace

BENCHMARK(BareSqliteScan)->Unit(benchmark::kMillisecond);
BENCHMARK(DatasetOpenAndWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(DatasetOpenOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(DatasetWalkOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(DatasetMoveBy)->Arg(1)->Arg(1000)->Arg(90000)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
