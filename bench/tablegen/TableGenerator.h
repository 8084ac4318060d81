// Generates large tables with the layout of the demonstration table, for
// benchmarks and stress tests: 10 thousand to 1 million records shaped as a
// random tree, a broad organisation, one long chain or one flat level, with keys
// in tree order or shuffled (so that children often come before their parents in
// key order).
#pragma once

#include <cstdint>
#include <string>

enum class TTreeShape { RandomTree, BroadOrganisation, LongChain, FlatLevel };
enum class TKeyOrder { TreeOrder, Shuffled };

struct TTableGeneratorOptions {
    int RecordCount = 10000;
    TTreeShape Shape = TTreeShape::RandomTree;
    TKeyOrder Keys = TKeyOrder::TreeOrder;
    uint32_t Seed = 1;
};

// The CREATE TABLE statement of the layout for a table of that name.
std::string ArboloCreateSql(const std::string& tableName);

// Writes a new table file (which must not exist); the table inside is named after
// the file without its extension, as TTable expects. One transaction.
void GenerateTable(const std::string& fileName, const TTableGeneratorOptions& options);

// "random", "broad", "chain", "flat"; false for another name.
bool ParseTreeShape(const std::string& name, TTreeShape& shape);
