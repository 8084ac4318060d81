// The side bar's registry reader over any user store: it reads what it can, reports the
// rest, and never crashes or hangs, whatever the counts, types and names in the store.
// The bytes are taken as the user store's file; the side bar then loads from two paths
// (with and without the leading backslash) into a store with stored items.
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/settings/SettingsError.h"
#include "platform/settings/UserStore.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

struct Environment {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TzqSideBarStore store;
    std::string files[2];
    int next = 0;

    Environment()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        for (const char* name : {"Open", "save", "PRINT"}) {
            auto* item = new TzqStoredSideItem(&store);
            item->SetName(name);
            item->SetStore(&store);
        }
        const std::string base = "/tmp/sidebar-registry-fuzz-" + std::to_string(getpid());
        files[0] = base + "-a";
        files[1] = base + "-b";
        SetSettingsProblemHandler([](const std::string&) {});
    }
    ~Environment()
    {
        for (const std::string& file : files)
            std::remove(file.c_str());
    }
    // Another file each time, so that the store reads the new bytes.
    void UseStoreFile(const uint8_t* data, size_t size)
    {
        const std::string& file = files[next];
        next = 1 - next;
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                       std::streamsize(size));
        TUserStore::SetDefaultFile(file);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Environment environment;
    environment.UseStoreFile(data, size);
    for (const char* path : {"\\P", "P"}) {
        auto bar = std::make_unique<TzqSideBar>(nullptr);
        bar->BeginLoading();
        bar->SetStore(&environment.store);
        bar->SetRegistryPath(path);
        bar->SetStoreInRegistry(true);
        bar->EndLoading();
        // Reading only: nothing goes back into the store.
        bar->SetStoreInRegistry(false);
        bar->SetStore(nullptr);
    }
    return 0;
}
