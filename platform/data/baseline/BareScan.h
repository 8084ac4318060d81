// Reads every row of a table file with SQLite alone, without the dataset layer:
// the lower bound a dataset reading the same rows can reach. For benchmarks.
#pragma once

#include <cstdint>
#include <string>

struct TBareScanResult {
    int64_t Rows = 0;
    int64_t Checksum = 0; // of every integer and the length of every text read
};

// Scans `table` of `fileName` in key order (ORDER BY its first column), reading
// every column of every row. Throws std::runtime_error on failure.
TBareScanResult BareScan(const std::string& fileName, const std::string& table);
