// The side bar's groups and items in the registry: where the keys lie for either form of
// the path, a round trip through destruction and loading, keys of others under the same
// path, and stores that are damaged or hostile.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/settings/Registry.h"
#include "platform/settings/SettingsError.h"
#include "platform/settings/UserStore.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

#include <cstdlib>
#include <filesystem>

namespace {

class SideBarRegistry : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        char pattern[] = "/tmp/sidebar-registry-XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        folder = made;
        TUserStore::SetDefaultFile(folder + "/user-settings");
        SetSettingsProblemHandler([this](const std::string& message) { problems.push_back(message); });
    }
    void TearDown() override
    {
        TUserStore::SetDefaultFile("");
        SetSettingsProblemHandler({});
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        SideBarTest::TearDown();
    }

    // A side bar that stores itself under `path`, with two groups.
    std::unique_ptr<TzqSideBar> StoringSideBar(const std::string& path)
    {
        auto bar = NewSideBar();
        bar->SetRegistryPath(path);
        bar->SetStoreInRegistry(true);
        return bar;
    }
    // A side bar loaded from the registry under `path`.
    std::unique_ptr<TzqSideBar> LoadedSideBar(const std::string& path, TzqSideBarStore* store = nullptr)
    {
        auto bar = NewSideBar();
        bar->BeginLoading();
        bar->SetStore(store);
        bar->SetRegistryPath(path);
        bar->SetStoreInRegistry(true);
        bar->EndLoading();
        return bar;
    }
    static bool KeyExists(const std::string& path)
    {
        TRegistry reg;
        return reg.KeyExists(path);
    }

    std::string folder;
    std::vector<std::string> problems;
};

// The place of group 0 depends on the path's leading backslash; every other key lies
// where its name says.
TEST_F(SideBarRegistry, KeysLieWhereTheirPathSays)
{
    struct Case {
        std::string path;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"Soft\\Bar",
         {"\\Soft\\Bar\\Soft\\Bar\\Group0", "\\Soft\\Bar\\Group0\\Item0", "\\Soft\\Bar\\Group0\\Item1",
          "\\Soft\\Bar\\Group1", "\\Soft\\Bar\\Group1\\Item0"},
         {"\\Soft\\Bar\\Group1\\Item1"}},
        {"\\Soft\\Bar",
         {"\\Soft\\Bar\\Group0", "\\Soft\\Bar\\Group0\\Item0", "\\Soft\\Bar\\Group0\\Item1", "\\Soft\\Bar\\Group1",
          "\\Soft\\Bar\\Group1\\Item0"},
         {"\\Soft\\Bar\\Soft"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        {
            auto bar = StoringSideBar(c.path);
            AddGroup(bar.get(), "First", 2);
            AddGroup(bar.get(), "Second", 1, TzqSideGroupIconType::zqsgSmallIcon);
        }
        for (const std::string& key : c.present)
            EXPECT_TRUE(KeyExists(key)) << key;
        for (const std::string& key : c.absent)
            EXPECT_FALSE(KeyExists(key)) << key;
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Soft\\Bar", false));
        EXPECT_EQ(reg.ReadInteger("GroupCount"), 2);
        ASSERT_TRUE(reg.OpenKey("\\Soft\\Bar\\Group1", false));
        EXPECT_EQ(reg.ReadString("Caption"), "Second");
        EXPECT_EQ(reg.ReadInteger("IconType"), 1);
        EXPECT_EQ(reg.ReadInteger("ItemCount"), 1);
        reg.CloseKey();
        reg.DeleteKey("\\Soft");
    }
}

TEST_F(SideBarRegistry, RoundTripRestoresGroupsItemsAndLinks)
{
    TzqSideBarStore store(nullptr);
    auto* stored = new TzqStoredSideItem(&store);
    stored->SetName("OpenFile");
    stored->SetStore(&store);
    stored->SetCaption("Open");
    stored->SetHint("Open|Opens a file");
    for (const std::string path : {"Soft\\Bar", "\\Soft\\Bar"}) {
        SCOPED_TRACE(path);
        {
            auto bar = StoringSideBar(path);
            bar->SetStore(&store);
            TzqSideGroup* first = AddGroup(bar.get(), "First", 0);
            TzqSideBarItem* linked = first->Items()->Add();
            linked->SetStoredItem(stored);
            TzqSideBarItem* own = first->Items()->Add();
            own->SetCaption("Own");
            own->SetHint("Short|Long");
            own->SetCustomData("data");
            own->SetLargeImage(3);
            own->SetSmallImage(4);
            own->SetTag(-7);
            AddGroup(bar.get(), "Empty", 0, TzqSideGroupIconType::zqsgSmallIcon);
            AddGroup(bar.get(), "Third", 1);
        }
        auto bar = LoadedSideBar(path, &store);
        EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems.front());
        ASSERT_EQ(bar->Groups()->Count(), 3);
        const TzqSideGroup* first = bar->Groups()->Items(0);
        EXPECT_EQ(first->Caption(), "First");
        EXPECT_EQ(first->IconType(), TzqSideGroupIconType::zqsgLargeIcon);
        ASSERT_EQ(first->Items()->Count(), 2);
        const TzqSideBarItem* linked = first->Items()->Items(0);
        EXPECT_EQ(linked->StoredItem(), stored);
        EXPECT_TRUE(linked->IsDefault());
        EXPECT_EQ(linked->Caption(), "Open");
        const TzqSideBarItem* own = first->Items()->Items(1);
        EXPECT_EQ(own->StoredItem(), nullptr);
        EXPECT_EQ(own->Caption(), "Own");
        EXPECT_EQ(own->Hint(), "Short|Long");
        EXPECT_EQ(own->CustomData(), "data");
        EXPECT_EQ(own->LargeImage(), 3);
        EXPECT_EQ(own->SmallImage(), 4);
        EXPECT_EQ(own->Tag(), -7);
        EXPECT_EQ(bar->Groups()->Items(1)->Caption(), "Empty");
        EXPECT_EQ(bar->Groups()->Items(1)->IconType(), TzqSideGroupIconType::zqsgSmallIcon);
        EXPECT_EQ(bar->Groups()->Items(1)->Items()->Count(), 0);
        EXPECT_EQ(bar->Groups()->Items(2)->Items()->Items(0)->Caption(), "Third 1");
        EXPECT_EQ(bar->ActiveGroup(), bar->Groups()->Items(0));
        bar->SetStoreInRegistry(false);
        bar->SetStore(nullptr);
        TRegistry().DeleteKey("\\Soft");
    }
}

TEST_F(SideBarRegistry, SavingKeepsKeysOfOthersAndDropsOldGroups)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Soft\\Bar\\Toolbar", true));
        reg.WriteInteger("Visible", 1);
        ASSERT_TRUE(reg.OpenKey("\\Soft\\Bar\\Group5", true));
        reg.WriteString("Caption", "old");
    }
    {
        auto bar = StoringSideBar("\\Soft\\Bar");
        AddGroup(bar.get(), "Only", 1);
    }
    EXPECT_TRUE(KeyExists("\\Soft\\Bar\\Toolbar"));
    EXPECT_FALSE(KeyExists("\\Soft\\Bar\\Group5"));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Soft\\Bar\\Toolbar", false));
    EXPECT_EQ(reg.ReadInteger("Visible"), 1);
}

TEST_F(SideBarRegistry, NothingIsWrittenOrReadWhenDisabled)
{
    struct Case {
        const char* name;
        std::string path;
        bool storeInRegistry;
    } cases[] = {
        {"root path", "\\", true},
        {"empty path", "", true},
        {"not stored", "\\Soft\\Bar", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            auto bar = NewSideBar();
            bar->SetRegistryPath(c.path);
            bar->SetStoreInRegistry(c.storeInRegistry);
            AddGroup(bar.get(), "G", 1);
        }
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\", false));
        EXPECT_TRUE(reg.KeyNames().empty());
        EXPECT_TRUE(reg.ValueNames().empty());
    }
}

// Damaged and hostile stores: reading ends in a clear report or an ignored entry and
// keeps what was read; no crash and no endless loop.
TEST_F(SideBarRegistry, DamagedStoresReadWhatTheyCanAndReport)
{
    struct Case {
        const char* name;
        std::function<void(TRegistry&)> write;
        int groups;
        std::vector<int> items; // per group
        bool reported;
    } cases[] = {
        {"missing counts read as none",
         [](TRegistry& r) { r.OpenKey("\\P\\Group0", true); r.WriteString("Caption", "A"); r.WriteInteger("IconType", 0); },
         0, {}, false},
        {"huge group count with one group key",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 2000000000);
             r.OpenKey("\\P\\Group2", true);
             r.WriteString("Caption", "C");
             r.WriteInteger("IconType", 1);
         },
         3, {0, 0, 0}, false},
        {"huge item count with three item keys",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 1);
             r.OpenKey("\\P\\Group0", true);
             r.WriteInteger("IconType", 0);
             r.WriteInteger("ItemCount", 2000000000);
             for (int j : {0, 5, 9}) {
                 r.OpenKey("\\P\\Group0\\Item" + std::to_string(j), true);
                 r.WriteInteger("IsDefault", 0);
                 r.WriteInteger("LargeImage", j);
                 r.WriteInteger("SmallImage", 0);
                 r.WriteInteger("Tag", 0);
             }
         },
         1, {3}, false},
        {"a group key numbered in the millions",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 2000000000);
             r.OpenKey("\\P\\Group39999999", true);
             r.WriteInteger("IconType", 0);
         },
         10000, {0}, true},
        {"icon type 7 is ignored",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 1);
             r.OpenKey("\\P\\Group0", true);
             r.WriteInteger("IconType", 7);
         },
         1, {0}, false},
        {"mistyped integer stops the reading",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 2);
             r.OpenKey("\\P\\Group0", true);
             r.WriteString("IconType", "large");
             r.OpenKey("\\P\\Group1", true);
             r.WriteInteger("IconType", 0);
         },
         1, {0}, true},
        {"missing integer of an item stops the reading",
         [](TRegistry& r) {
             r.OpenKey("\\P", true);
             r.WriteInteger("GroupCount", 1);
             r.OpenKey("\\P\\Group0", true);
             r.WriteInteger("IconType", 0);
             r.WriteInteger("ItemCount", 1);
             r.OpenKey("\\P\\Group0\\Item0", true);
             r.WriteString("Caption", std::string(1 << 20, 'x'));
         },
         1, {1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        problems.clear();
        {
            TRegistry reg;
            c.write(reg);
        }
        auto bar = LoadedSideBar("\\P");
        bar->SetStoreInRegistry(false);
        EXPECT_EQ(bar->Groups()->Count(), c.groups);
        for (int i = 0; i < std::min<int>(c.groups, int(c.items.size())); ++i)
            EXPECT_EQ(bar->Groups()->Items(i)->Items()->Count(), c.items[size_t(i)]) << "group " << i;
        EXPECT_EQ(!problems.empty(), c.reported);
        if (c.reported && !problems.empty()) {
            EXPECT_NE(problems.front().find("\\P"), std::string::npos) << problems.front();
        }
        TRegistry().DeleteKey("\\P");
    }
}

TEST_F(SideBarRegistry, UnknownStoredItemNameLeavesTheItemUnlinked)
{
    TzqSideBarStore store(nullptr);
    {
        TRegistry r;
        r.OpenKey("\\P", true);
        r.WriteInteger("GroupCount", 1);
        r.OpenKey("\\P\\Group0", true);
        r.WriteInteger("IconType", 0);
        r.WriteInteger("ItemCount", 1);
        r.OpenKey("\\P\\Group0\\Item0", true);
        r.WriteString("StoredItem", "NoSuchItem");
        r.WriteString("Caption", "Kept");
        r.WriteInteger("IsDefault", 0);
        r.WriteInteger("LargeImage", 0);
        r.WriteInteger("SmallImage", 0);
        r.WriteInteger("Tag", 0);
    }
    auto bar = LoadedSideBar("\\P", &store);
    bar->SetStoreInRegistry(false);
    ASSERT_EQ(bar->Groups()->Count(), 1);
    ASSERT_EQ(bar->Groups()->Items(0)->Items()->Count(), 1);
    EXPECT_EQ(bar->Groups()->Items(0)->Items()->Items(0)->StoredItem(), nullptr);
    EXPECT_EQ(bar->Groups()->Items(0)->Items()->Items(0)->Caption(), "Kept");
    EXPECT_TRUE(problems.empty());
    bar->SetStore(nullptr);
}

} // namespace
