// The data-bound org chart on generated tables (keys shuffled, so that children often
// come before their parents), always in a shown window and painted after every step,
// as a program has it:
//  - loading 10,000 to 1,000,000 records into the chart in every tree shape (the table
//    already open), with the memory the chart takes per node, and opening the table
//    with the chart bound as a program does;
//  - on a 100,000-record chart, one insert, one move with renumbering, one rename and
//    one selection change at a time, each written to the file and committed before it
//    returns: median, 90th percentile and worst time per operation; the same among
//    100,000 siblings of one parent, beside the renumbering the order rules require
//    done bare on the table;
//  - deleting a branch of 10,000 and of 50,000 nodes of a 1,000,000-record table,
//    beside deleting the same records bare in one transaction;
//  - undoing such a deletion (the records checked, written back in one transaction,
//    the chart read again in place and the branch shown as it was), and redoing it;
//    undoing a rename on a 100,000-record chart;
//  - exporting the whole chart to a PNG picture, every branch expanded.
// Tables live in a temporary folder on the same disk as the tests use.
#include "TableGenerator.h"

#include "dborgchart/DbOrgChart.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/data/DataSource.h"
#include "platform/data/Table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <malloc.h>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Generated tables, made once per size and shape, removed at exit.
class BenchTables {
public:
    BenchTables() : m_dir(fs::temp_directory_path() / ("velmora-dborg-bench-" + std::to_string(getpid())))
    {
        fs::create_directories(m_dir);
    }
    ~BenchTables() { fs::remove_all(m_dir); }

    // The folder of a table of `count` records of that shape, named ARBOLO.DB.
    fs::path Folder(int count, TTreeShape shape)
    {
        static const char* const names[] = {"random", "broad", "chain", "flat"};
        const std::string name = names[int(shape)] + std::to_string(count);
        const fs::path folder = m_dir / name;
        if (!m_made[name]) {
            fs::create_directories(folder);
            TTableGeneratorOptions options;
            options.RecordCount = count;
            options.Shape = shape;
            options.Keys = TKeyOrder::Shuffled;
            GenerateTable((folder / "ARBOLO.DB").string(), options);
            m_made[name] = true;
        }
        return folder;
    }
    // A fresh copy of that table, for benchmarks that change it.
    fs::path Copy(int count, TTreeShape shape, const std::string& label)
    {
        const fs::path target = m_dir / label;
        fs::remove_all(target);
        fs::create_directories(target);
        fs::copy_file(Folder(count, shape) / "ARBOLO.DB", target / "ARBOLO.DB");
        return target;
    }

private:
    fs::path m_dir;
    std::map<std::string, bool> m_made;
};

BenchTables& Tables()
{
    static BenchTables tables;
    return tables;
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

THeadlessDriver* g_driver = nullptr;

// A table, its data source and a chart bound the way the demonstration binds them, the
// chart filling a shown window.
struct BoundChart {
    TTable table;
    TDataSource source{&table};
    TForm form{nullptr};
    TzqDbOrgChart& chart;

    explicit BoundChart(const fs::path& folder) : chart(*new TzqDbOrgChart(&form))
    {
        table.SetDatabaseName(folder.string());
        table.SetTableName("ARBOLO.DB");
        form.SetBounds(0, 0, 1000, 700);
        chart.SetParent(&form);
        chart.SetAlign(TAlign::alClient);
        chart.SetKeyFieldName("ID");
        chart.SetParentFieldName("PARENT");
        chart.SetTextFieldName("NAME");
        chart.SetOrderFieldName("ORDER");
        chart.SetImageFieldName("IMAGE");
        form.Show();
        Paint();
    }
    ~BoundChart() { chart.SetDataSource(nullptr); }

    // What the window shows after a step: messages handled, everything painted.
    static void Paint() { g_driver->PaintAll(); }

    std::vector<TzqDbOcNode*> Nodes() const { return chart.KeyIndex().Nodes(); }
};

// Shapes by argument: 0 random tree, 1 broad organisation, 2 one long chain, 3 one
// flat level.
TTreeShape ShapeOf(const benchmark::State& state)
{
    static const TTreeShape shapes[] = {TTreeShape::RandomTree, TTreeShape::BroadOrganisation, TTreeShape::LongChain,
                                        TTreeShape::FlatLevel};
    return shapes[state.range(1)];
}

// Loading into the chart: the table is open, binding the chart loads it.
void ChartLoad(benchmark::State& state)
{
    const int count = int(state.range(0));
    const fs::path folder = Tables().Folder(count, ShapeOf(state));
    double bytesPerNode = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(folder);
        bound->table.Open();
        const size_t before = HeapInUse();
        state.ResumeTiming();
        bound->chart.SetDataSource(&bound->source);
        BoundChart::Paint();
        state.PauseTiming();
        bytesPerNode = double(HeapInUse() - before) / bound->chart.Count();
        if (bound->chart.Count() != count)
            state.SkipWithError("not every record became a node");
        bound.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_node"] = bytesPerNode;
    state.SetItemsProcessed(state.iterations() * count);
}

// Freeing a loaded chart (its nodes and key index; the records stay), then closing the
// table (its records), as closing the program or a reload from scratch does.
void FreeChart(benchmark::State& state)
{
    const int count = int(state.range(0));
    const fs::path folder = Tables().Folder(count, ShapeOf(state));
    double closeSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(folder);
        bound->table.Open();
        bound->chart.SetDataSource(&bound->source);
        BoundChart::Paint();
        state.ResumeTiming();
        bound->chart.SetDataSource(nullptr);
        BoundChart::Paint();
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        bound->table.Close();
        closeSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bound.reset();
        state.ResumeTiming();
    }
    state.counters["table_close_ms"] = closeSeconds * 1000;
}

// What a program sees: opening the table with the chart bound (the dataset reads the
// file, then the chart loads).
void OpenWithChartBound(benchmark::State& state)
{
    const int count = int(state.range(0));
    const fs::path folder = Tables().Folder(count, ShapeOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(folder);
        bound->chart.SetDataSource(&bound->source);
        state.ResumeTiming();
        bound->table.Open();
        BoundChart::Paint();
        state.PauseTiming();
        bound.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// A reload in place after another control posted (the dataset reloads its records too).
void ReloadInPlace(benchmark::State& state)
{
    const int count = int(state.range(0));
    BoundChart bound(Tables().Folder(count, ShapeOf(state)));
    bound.chart.SetDataSource(&bound.source);
    bound.table.Open();
    for (auto _ : state) {
        bound.table.Refresh();
        BoundChart::Paint();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// One operation at a time on a 100,000-record chart; each is timed alone and the
// median is reported beside the mean.
template <typename Operation>
void TimeEachOperation(benchmark::State& state, const char* label, Operation&& operation)
{
    const int count = int(state.range(0));
    BoundChart bound(Tables().Copy(count, ShapeOf(state), label));
    bound.chart.SetDataSource(&bound.source);
    bound.table.Open();
    std::mt19937 rng(5);
    std::vector<double> times;
    for (auto _ : state) {
        const auto nodes = bound.Nodes();
        const auto start = std::chrono::steady_clock::now();
        operation(bound, nodes, rng);
        BoundChart::Paint();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
        state.SetIterationTime(took.count());
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000;
    state.counters["p90_ms"] = times[times.size() * 9 / 10] * 1000;
    state.counters["max_ms"] = times.back() * 1000;
}

TzqDbOcNode* AnyNode(const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng)
{
    return nodes[std::uniform_int_distribution<size_t>(0, nodes.size() - 1)(rng)];
}

void InsertNode(benchmark::State& state)
{
    TimeEachOperation(state, "insert", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        // A new node before a random node: the siblings after it are renumbered.
        benchmark::DoNotOptimize(b.chart.Insert(AnyNode(nodes, rng), 0));
    });
}

void MoveWithRenumbering(benchmark::State& state)
{
    TimeEachOperation(state, "move", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        // A random node moved before another random node (not below itself): its
        // record's parent changes and its new following siblings are renumbered.
        for (;;) {
            TzqDbOcNode* node = AnyNode(nodes, rng);
            TzqDbOcNode* before = AnyNode(nodes, rng);
            if (before == node || before->HasAsParent(node))
                continue;
            node->MoveTo(before, TzqOcAttachMode::amInsert);
            return;
        }
    });
}

void RenameNode(benchmark::State& state)
{
    TimeEachOperation(state, "rename", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        AnyNode(nodes, rng)->AssignText("Renamed " + std::to_string(rng()));
    });
}

// Undoing a rename of a random node: the one record checked and written back, then the
// chart read again in place (what an undo costs on a large table, whatever it undoes).
void UndoRename(benchmark::State& state)
{
    const int count = int(state.range(0));
    BoundChart bound(Tables().Copy(count, ShapeOf(state), "undo-rename"));
    bound.chart.SetDataSource(&bound.source);
    bound.table.Open();
    std::mt19937 rng(5);
    const auto nodes = bound.Nodes();
    for (auto _ : state) {
        TzqDbOcNode* node = AnyNode(nodes, rng);
        const std::string caption = node->Text();
        node->AssignText("Renamed " + std::to_string(rng()));
        BoundChart::Paint();
        const auto start = std::chrono::steady_clock::now();
        bound.chart.Undo();
        BoundChart::Paint();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (node->Text() != caption)
            state.SkipWithError("the rename was not undone");
    }
}

void ChangeSelection(benchmark::State& state)
{
    TimeEachOperation(state, "select", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        b.chart.SetSelected(AnyNode(nodes, rng));
    });
}

void FindStep(benchmark::State& state)
{
    TimeEachOperation(state, "find", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        // The find box's step: a random node's caption searched from the selection,
        // the match revealed (its ancestors expanded, scrolled to, selected).
        const std::string caption = AnyNode(nodes, rng)->Text();
        if (TzqOcNode* found = b.chart.FindNode(caption, b.chart.Selected(), true, false))
            b.chart.RevealNode(found);
    });
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The whole chart, every branch expanded, written to a PNG picture as File > Export
// writes it: the time, the picture's scale and size, and how far the process's peak
// memory rose during the export (0 when it stayed below the peak of the loading).
void ExportPng(benchmark::State& state)
{
    const int count = int(state.range(0));
    BoundChart bound(Tables().Folder(count, ShapeOf(state)));
    bound.chart.SetDataSource(&bound.source);
    bound.table.Open();
    bound.chart.FullExpand();
    BoundChart::Paint();
    const fs::path file = fs::temp_directory_path() / ("velmora-export-bench-" + std::to_string(getpid()) + ".png");
    const long peakBefore = PeakResidentKiB();
    double scale = 1;
    for (auto _ : state)
        scale = bound.chart.ExportToFile(file.string());
    state.counters["scale"] = scale;
    state.counters["file_kib"] = double(fs::file_size(file)) / 1024;
    state.counters["peak_rise_mib"] = double(PeakResidentKiB() - peakBefore) / 1024;
    fs::remove(file);
}

void FindNoMatch(benchmark::State& state)
{
    TimeEachOperation(state, "find-none", [](BoundChart& b, const std::vector<TzqDbOcNode*>&, std::mt19937&) {
        // The longest step: no caption matches, every node is looked at once.
        benchmark::DoNotOptimize(b.chart.FindNode("no such caption", b.chart.Selected(), true, false));
    });
}

// The node whose branch is closest to `size` nodes.
TzqDbOcNode* BranchOfAbout(const BoundChart& b, int size, int& actual)
{
    // Branch sizes bottom up: a node's branch is itself plus its children's branches.
    std::map<TzqOcNode*, int> branch;
    std::vector<TzqOcNode*> preorder;
    for (TzqOcNode* n = b.chart.GetFirstNode(); n; n = n->GetNext())
        preorder.push_back(n);
    TzqDbOcNode* best = nullptr;
    actual = 0;
    for (auto it = preorder.rbegin(); it != preorder.rend(); ++it) {
        int total = 1;
        for (int i = 0; i < (*it)->Count(); ++i)
            total += branch[(*it)->Items(i)];
        branch[*it] = total;
        if (!best || std::abs(total - size) < std::abs(actual - size)) {
            best = static_cast<TzqDbOcNode*>(*it);
            actual = total;
        }
    }
    return best;
}

// Deleting a branch of about range(2) nodes through the chart (records and nodes, in
// one transaction, and the window painted).
void DeleteBranch(benchmark::State& state)
{
    const int count = int(state.range(0));
    int size = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(Tables().Copy(count, ShapeOf(state), "delete"));
        bound->chart.SetDataSource(&bound->source);
        bound->table.Open();
        BoundChart::Paint();
        TzqDbOcNode* top = BranchOfAbout(*bound, int(state.range(2)), size);
        const int before = bound->table.RecordCount();
        state.ResumeTiming();
        bound->chart.DeleteNode(top);
        BoundChart::Paint();
        state.PauseTiming();
        if (bound->table.RecordCount() != before - size)
            state.SkipWithError("the branch's records were not all deleted");
        bound.reset();
        state.ResumeTiming();
    }
    state.counters["branch_nodes"] = size;
}

// The same records deleted bare: the table alone, in one transaction.
void DeleteBranchRecordsBare(benchmark::State& state)
{
    const int count = int(state.range(0));
    int size = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(Tables().Copy(count, ShapeOf(state), "delete"));
        bound->chart.SetDataSource(&bound->source);
        bound->table.Open();
        TzqDbOcNode* top = BranchOfAbout(*bound, int(state.range(2)), size);
        std::vector<int> positions;
        for (TzqOcNode* n = top; n && (n == top || n->HasAsParent(top)); n = n->GetNext())
            positions.push_back(static_cast<TzqDbOcNode*>(n)->RecordIndex());
        bound->chart.SetDataSource(nullptr);
        state.ResumeTiming();
        {
            TTableTransaction action(bound->table);
            bound->table.DeleteRecords(positions);
            action.Commit();
        }
        state.PauseTiming();
        bound.reset();
        state.ResumeTiming();
    }
    state.counters["branch_nodes"] = size;
}

// Undoing the deletion of a branch of about range(2) nodes (every record checked against
// its image and written back with every field in one transaction, the chart read again
// in place, the branch's expansion and the selection given back, the window painted);
// with range(3) set, the redo after it is what is timed.
void UndoBranchDeletion(benchmark::State& state)
{
    const int count = int(state.range(0));
    const bool redo = state.range(3) != 0;
    int size = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bound = std::make_unique<BoundChart>(Tables().Copy(count, ShapeOf(state), "undo"));
        bound->chart.SetDataSource(&bound->source);
        bound->table.Open();
        BoundChart::Paint();
        TzqDbOcNode* top = BranchOfAbout(*bound, int(state.range(2)), size);
        const Variant topKey = top->Key();
        top->Expand(false);
        top->MakeVisible();
        bound->chart.SetSelected(top);
        const int before = bound->table.RecordCount();
        bound->chart.DeleteNode(top);
        BoundChart::Paint();
        if (redo)
            bound->chart.Undo();
        state.ResumeTiming();
        if (redo)
            bound->chart.Redo();
        else
            bound->chart.Undo();
        BoundChart::Paint();
        state.PauseTiming();
        const bool back = bound->chart.FindNodeByKey(topKey) != nullptr;
        if (bound->table.RecordCount() != (redo ? before - size : before) || back == redo)
            state.SkipWithError("the branch's records did not come back (or go again)");
        bound.reset();
        state.ResumeTiming();
    }
    state.counters["branch_nodes"] = size;
}

// Among 100,000 siblings of one parent: an insert before, and a move to, a random
// sibling, with the renumbering of the siblings after it that the order rules require.
void InsertAmongSiblings(benchmark::State& state)
{
    TimeEachOperation(state, "insert-flat", [](BoundChart& b, const std::vector<TzqDbOcNode*>& nodes, std::mt19937& rng) {
        benchmark::DoNotOptimize(b.chart.Insert(AnyNode(nodes, rng), 0));
    });
}

// The renumbering alone, done bare on the table: the order values of the records the
// order rules rewrite after an insert before a random sibling (every sibling after it,
// in sibling order, wherever their records stand), in one transaction.
void RenumberingBare(benchmark::State& state)
{
    const int count = int(state.range(0));
    BoundChart bound(Tables().Copy(count, ShapeOf(state), "renumber"));
    bound.chart.SetDataSource(&bound.source);
    bound.table.Open();
    // The records of the siblings in sibling order, read from the chart once.
    std::vector<int> siblingRecords;
    TzqOcNode* parent = bound.chart.RootNode();
    for (TzqOcNode* n = parent->GetFirstChild(); n; n = n->GetNextSibling())
        siblingRecords.push_back(static_cast<TzqDbOcNode*>(n)->RecordIndex());
    bound.chart.SetDataSource(nullptr);
    TField* order = bound.table.FieldByName("ORDER");
    std::mt19937 rng(5);
    std::vector<double> times;
    for (auto _ : state) {
        const size_t first = std::uniform_int_distribution<size_t>(0, siblingRecords.size() - 1)(rng);
        const auto start = std::chrono::steady_clock::now();
        {
            TTableTransaction action(bound.table);
            for (size_t i = first; i < siblingRecords.size(); ++i) {
                bound.table.SetRecNo(siblingRecords[i] + 1);
                bound.table.Edit();
                order->SetAsInteger(order->AsInteger() + 1);
                bound.table.Post();
            }
            action.Commit();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
        state.SetIterationTime(took.count());
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000;
}

constexpr int kHundredThousand = 100000;
constexpr int kMillion = 1000000;

} // namespace

// Arguments: record count, shape (see ShapeOf).
BENCHMARK(ChartLoad)
    ->ArgsProduct({{10000, kHundredThousand}, {0, 1, 2, 3}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ChartLoad)->ArgsProduct({{kMillion}, {0, 1, 2, 3}})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FreeChart)->ArgsProduct({{kMillion}, {0, 2, 3}})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWithChartBound)->Args({kHundredThousand, 0})->Args({kHundredThousand, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWithChartBound)->Args({kMillion, 0})->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(ReloadInPlace)->Args({kHundredThousand, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(InsertNode)->Args({kHundredThousand, 0})->Args({kHundredThousand, 1})->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(MoveWithRenumbering)->Args({kHundredThousand, 0})->Args({kHundredThousand, 1})->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(RenameNode)->Args({kHundredThousand, 0})->Args({kHundredThousand, 1})->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRename)->Args({kHundredThousand, 0})->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeSelection)->Args({kHundredThousand, 0})->Args({kHundredThousand, 1})->Args({kHundredThousand, 3})->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
// Finding among a million nodes (random tree, and the deep chain).
BENCHMARK(FindStep)->Args({kMillion, 0})->Args({kMillion, 2})->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FindNoMatch)->Args({kMillion, 0})->Args({kMillion, 2})->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
// Exporting the whole chart to a PNG picture, every shape.
BENCHMARK(ExportPng)->ArgsProduct({{10000, kHundredThousand}, {0, 1, 2, 3}})->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportPng)->Args({kMillion, 0})->Iterations(1)->Unit(benchmark::kMillisecond);
// 100,000 siblings of one parent (the flat shape).
BENCHMARK(InsertAmongSiblings)->Args({kHundredThousand, 3})->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(MoveWithRenumbering)->Args({kHundredThousand, 3})->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(RenumberingBare)->Args({kHundredThousand, 3})->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
// Arguments: record count, shape, branch size.
BENCHMARK(DeleteBranch)->Args({kHundredThousand, 0, 10000})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteBranch)->Args({kMillion, 0, 10000})->Args({kMillion, 0, 50000})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteBranchRecordsBare)->Args({kMillion, 0, 10000})->Args({kMillion, 0, 50000})->Iterations(1)->Unit(benchmark::kMillisecond);
// Arguments: record count, shape, branch size, redo (1) rather than undo (0).
BENCHMARK(UndoBranchDeletion)->Args({kHundredThousand, 0, 10000, 0})->Args({kHundredThousand, 0, 10000, 1})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoBranchDeletion)->Args({kMillion, 0, 10000, 0})->Args({kMillion, 0, 50000, 0})->Args({kMillion, 0, 50000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The chart is a control: it needs an application, here on the headless back end.
    THeadlessDriver driver;
    g_driver = &driver;
    TApplication app;
    int appArgc = 0;
    app.Initialize(appArgc, nullptr, true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
