// velmora-tablegen FILE COUNT [--shape random|broad|chain|flat] [--shuffled] [--seed N]
// Writes a table file with the layout of the demonstration table.
#include "TableGenerator.h"

#include "platform/core/Exception.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
int Usage()
{
    std::fprintf(stderr,
                 "usage: velmora-tablegen FILE COUNT [--shape random|broad|chain|flat] [--shuffled] [--seed N]\n"
                 "Writes COUNT records (10000 to 1000000 are typical) with the layout of ARBOLO.DB into the new\n"
                 "file FILE; the table inside is named after the file without its extension.\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    TTableGeneratorOptions options;
    const std::string file = argv[1];
    char* end = nullptr;
    const long count = std::strtol(argv[2], &end, 10);
    if (*end || count < 0 || count > 100000000)
        return Usage();
    options.RecordCount = int(count);
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--shape" && i + 1 < argc) {
            if (!ParseTreeShape(argv[++i], options.Shape))
                return Usage();
        } else if (arg == "--shuffled") {
            options.Keys = TKeyOrder::Shuffled;
        } else if (arg == "--seed" && i + 1 < argc) {
            options.Seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        } else {
            return Usage();
        }
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        GenerateTable(file, options);
    } catch (const Exception& e) {
        std::fprintf(stderr, "velmora-tablegen: %s\n", e.what());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d records in %.2f s\n", file.c_str(), options.RecordCount, seconds);
    return 0;
}
