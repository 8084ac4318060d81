// Writing and reading 10,000 values in 1,000 keys: through the registry object over the
// user store, and through an INI file (1,000 sections of 10 entries). Each writing run
// starts from no file and ends with the file written; each reading run starts by loading
// the file.
#include "platform/settings/IniFile.h"
#include "platform/settings/Registry.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

const int kKeys = 1000;
const int kValuesPerKey = 10;

struct BenchFolder {
    std::filesystem::path dir;
    BenchFolder()
    {
        dir = std::filesystem::temp_directory_path() / ("velmora-settings-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    ~BenchFolder() { std::filesystem::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }
};

const BenchFolder& Folder()
{
    static BenchFolder folder;
    return folder;
}

std::string KeyName(int k)
{
    return "\\Software\\Velmora\\Bench\\Key" + std::to_string(k);
}

std::string ValueName(int v)
{
    return "Value" + std::to_string(v);
}

void WriteStore(const std::string& file)
{
    TRegistry reg(std::make_shared<TUserStore>(file));
    for (int k = 0; k < kKeys; ++k) {
        reg.OpenKey(KeyName(k), true);
        for (int v = 0; v < kValuesPerKey; ++v) {
            if (v % 2)
                reg.WriteString(ValueName(v), "Caption of item " + std::to_string(v));
            else
                reg.WriteInteger(ValueName(v), k * v);
        }
        reg.CloseKey();
    }
} // written here, once

void UserStoreWrite(benchmark::State& state)
{
    const std::string file = Folder().File("write.store");
    for (auto _ : state) {
        std::filesystem::remove(file);
        WriteStore(file);
    }
    state.counters["values"] = kKeys * kValuesPerKey;
}
BENCHMARK(UserStoreWrite)->Unit(benchmark::kMillisecond);

void UserStoreRead(benchmark::State& state)
{
    const std::string file = Folder().File("read.store");
    WriteStore(file);
    int64_t sum = 0;
    for (auto _ : state) {
        TRegistry reg(std::make_shared<TUserStore>(file));
        for (int k = 0; k < kKeys; ++k) {
            reg.OpenKey(KeyName(k), false);
            for (int v = 0; v < kValuesPerKey; ++v)
                sum += v % 2 ? int64_t(reg.ReadString(ValueName(v)).size()) : reg.ReadInteger(ValueName(v));
            reg.CloseKey();
        }
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(UserStoreRead)->Unit(benchmark::kMillisecond);

void WriteIni(const std::string& file)
{
    TMemIniFile ini(file);
    for (int k = 0; k < kKeys; ++k) {
        const std::string section = "MainForm.zqBarManager1.Bar" + std::to_string(k);
        for (int v = 0; v < kValuesPerKey; ++v) {
            if (v % 2)
                ini.WriteString(section, ValueName(v), "Caption of item " + std::to_string(v));
            else
                ini.WriteInteger(section, ValueName(v), k * v);
        }
    }
    ini.UpdateFile();
}

void IniFileWrite(benchmark::State& state)
{
    const std::string file = Folder().File("write.ini");
    for (auto _ : state) {
        std::filesystem::remove(file);
        WriteIni(file);
    }
}
BENCHMARK(IniFileWrite)->Unit(benchmark::kMillisecond);

void IniFileRead(benchmark::State& state)
{
    const std::string file = Folder().File("read.ini");
    WriteIni(file);
    int64_t sum = 0;
    for (auto _ : state) {
        TMemIniFile ini(file);
        for (int k = 0; k < kKeys; ++k) {
            const std::string section = "MainForm.zqBarManager1.Bar" + std::to_string(k);
            for (int v = 0; v < kValuesPerKey; ++v)
                sum += v % 2 ? int64_t(ini.ReadString(section, ValueName(v), "").size())
                             : ini.ReadInteger(section, ValueName(v), 0);
        }
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(IniFileRead)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
