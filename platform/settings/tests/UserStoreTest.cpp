#include "SettingsFixture.h"

#include "platform/settings/Registry.h"
#include "platform/settings/UserStore_p.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class UserStoreTest : public SettingsFixture {};

TStoreValue Value(const std::string& name, TRegDataType type, int32_t integer, const std::string& data = {})
{
    TStoreValue v;
    v.Name = name;
    v.Type = type;
    v.Integer = integer;
    v.Data = data;
    return v;
}

TEST_F(UserStoreTest, EveryNameAndValueReadsBackFromTheTextFile)
{
    const std::string odd = std::string("a=b%c;[d]\\e\nf\r\t", 16) + std::string(1, '\0') + "\xC3\xA9\xFF";
    const std::vector<TStoreValue> values = {
        Value("Count", TRegDataType::rdInteger, -2147483647 - 1),
        Value("Caption", TRegDataType::rdString, 0, "Main menu"),
        Value("", TRegDataType::rdString, 0, "the key's own value"),
        Value(odd, TRegDataType::rdString, 0, odd),
        Value("Path", TRegDataType::rdExpandString, 0, "%HOME%/x"),
        Value("Glyph", TRegDataType::rdBinary, 0, std::string("\x00\xFF\x10", 3)),
        Value("Empty", TRegDataType::rdBinary, 0, ""),
    };
    const TUserStore::TKeyPath key = {"Software", "Key ]with[ odd % names", "\xC3\x84rger"};
    {
        TUserStore store(storeFile);
        ASSERT_TRUE(store.CreateKey(key));
        ASSERT_TRUE(store.CreateKey({"Empty", "Keys", "Stay"}));
        for (const TStoreValue& v : values)
            store.SetValue(key, v);
        store.Flush();
    }
    const std::string text = ReadFile(storeFile);
    EXPECT_NE(text.find("Caption=str:Main menu\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Glyph=bin:00FF10\n"), std::string::npos) << text;

    TUserStore store(storeFile);
    EXPECT_EQ(store.LoadProblem(), "");
    EXPECT_TRUE(store.FindKey({"empty", "KEYS", "stay"}));
    TUserStore::TKeyPath actual;
    ASSERT_TRUE(store.FindKey({"SOFTWARE", "key ]WITH[ odd % names", "\xC3\xA4rger"}, &actual));
    EXPECT_EQ(actual, key);
    EXPECT_EQ(store.ValueNames(key).size(), values.size());
    for (const TStoreValue& v : values) {
        const TStoreValue* read = store.FindValue(key, v.Name);
        ASSERT_NE(read, nullptr) << v.Name;
        EXPECT_EQ(read->Type, v.Type) << v.Name;
        EXPECT_EQ(read->Integer, v.Integer) << v.Name;
        EXPECT_EQ(read->Data, v.Data) << v.Name;
    }
}

// A store file that cannot be read is reported once, read as empty and kept as a backup
// before the next write; one that merely holds odd bytes reads as it is.
// A key with few names searches them in place; past a dozen it keeps an index. Both
// must agree on what "the same name" is: case ignored, beyond ASCII too.
TEST_F(UserStoreTest, NamesMatchIgnoringCaseWithFewAndWithManyEntries)
{
    for (const int count : {3, 40}) {
        SCOPED_TRACE(count);
        TUserStore store(storeFile + std::to_string(count));
        const TUserStore::TKeyPath key = {"Soft"};
        ASSERT_TRUE(store.CreateKey(key));
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(store.CreateKey({"Soft", "Child" + std::to_string(i)}));
            store.SetValue(key, Value("Value" + std::to_string(i), TRegDataType::rdInteger, i));
        }
        ASSERT_TRUE(store.CreateKey({"Soft", "\xC3\x84rger"}));
        store.SetValue(key, Value("\xC3\x84pfel", TRegDataType::rdString, 0, "fruit"));
        store.SetValue(key, Value("Item@", TRegDataType::rdInteger, 7));

        ASSERT_NE(store.FindValue(key, "VALUE1"), nullptr);
        EXPECT_EQ(store.FindValue(key, "vAlUe1")->Integer, 1);
        EXPECT_EQ(store.FindValue(key, "Value"), nullptr) << "a prefix is another name";
        EXPECT_EQ(store.FindValue(key, "Value10x"), nullptr);
        ASSERT_NE(store.FindValue(key, "\xC3\xA4PFEL"), nullptr) << "folded beyond ASCII";
        EXPECT_EQ(store.FindValue(key, "\xC3\xA4PFEL")->Data, "fruit");
        EXPECT_EQ(store.FindValue(key, "Item`"), nullptr) << "'@' and '`' differ by the case bit only";
        TUserStore::TKeyPath actual;
        ASSERT_TRUE(store.FindKey({"SOFT", "child2"}, &actual));
        EXPECT_EQ(actual, (TUserStore::TKeyPath{"Soft", "Child2"}));
        EXPECT_TRUE(store.FindKey({"soft", "\xC3\xA4RGER"}));

        // Setting under another spelling replaces the value and keeps the first spelling.
        store.SetValue(key, Value("VALUE2", TRegDataType::rdInteger, 99));
        EXPECT_EQ(store.FindValue(key, "value2")->Integer, 99);
        EXPECT_EQ(store.ValueNames(key).size(), size_t(count + 2));
        EXPECT_EQ(store.ValueNames(key)[2], "Value2");

        // Removing keeps every other name findable at its own value.
        ASSERT_TRUE(store.DeleteValue(key, "value0"));
        EXPECT_EQ(store.FindValue(key, "Value0"), nullptr);
        EXPECT_EQ(store.FindValue(key, "Value2")->Integer, 99);
        EXPECT_EQ(store.FindValue(key, "ITEM@")->Integer, 7);
        ASSERT_TRUE(store.DeleteKey({"Soft", "CHILD1"}));
        EXPECT_FALSE(store.FindKey({"Soft", "Child1"}));
        EXPECT_TRUE(store.FindKey({"Soft", "Child2"}));
    }
}

// The last key found is remembered: deleting it (or one above it) must not leave a
// stale answer.
TEST_F(UserStoreTest, ADeletedKeyIsNotFoundThroughTheRememberedOne)
{
    TUserStore store(storeFile);
    const TUserStore::TKeyPath key = {"Soft", "Bar", "Group0"};
    ASSERT_TRUE(store.CreateKey(key));
    store.SetValue(key, Value("Caption", TRegDataType::rdString, 0, "A"));
    ASSERT_NE(store.FindValue(key, "Caption"), nullptr);
    ASSERT_TRUE(store.DeleteKey({"Soft", "Bar"}));
    EXPECT_FALSE(store.FindKey(key));
    EXPECT_EQ(store.FindValue(key, "Caption"), nullptr);
    EXPECT_THROW(store.SetValue(key, Value("Caption", TRegDataType::rdString, 0, "B")), ERegistryException);
    ASSERT_TRUE(store.CreateKey(key));
    EXPECT_EQ(store.FindValue(key, "Caption"), nullptr) << "made again, empty";
}

TEST_F(UserStoreTest, HostileFiles)
{
    std::string deep = "[";
    for (int i = 0; i < 65; ++i)
        deep += "\\K";
    deep += "]\n";
    struct Case {
        const char* what;
        std::string content;
        bool readable;
    };
    const Case cases[] = {
        {"comments and empty keys", "; note\n[\\A]\n\n[\\A\\B]\nV=int:1\n", true},
        {"NUL and broken UTF-8 in a string", std::string("[\\A]\nV=str:x\0y\xFF\xFE\n", 17), true},
        {"CR LF line ends", "[\\A]\r\nV=int:1\r\n", true},
        {"a NUL byte on a line of its own", std::string("[\\A]\n\0\n", 7), false},
        {"a value before any key", "V=int:1\n", false},
        {"an integer beyond 32 bits", "[\\A]\nV=int:2147483648\n", false},
        {"an unknown type", "[\\A]\nV=float:1.5\n", false},
        {"odd hexadecimal", "[\\A]\nV=bin:0\n", false},
        {"not hexadecimal", "[\\A]\nV=bin:zz\n", false},
        {"a broken escape", "[\\A]\nV=str:%4\n", false},
        {"an empty key name", "[\\A\\\\B]\n", false},
        {"a key name of 256 bytes", "[\\" + std::string(256, 'n') + "]\n", false},
        {"keys 65 deep", deep, false},
        {"binary data over 16 MiB", "[\\A]\nV=bin:" + std::string(2 * kMaxValueSize + 2, 'A') + "\n", false},
        {"no brackets", "[\\A\nV=int:1\n", false},
        {"text of another kind", std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        problems.clear();
        std::filesystem::remove(storeFile);
        std::filesystem::remove(storeFile + ".broken");
        WriteFile(storeFile, c.content);
        TUserStore store(storeFile);
        EXPECT_EQ(store.LoadProblem().empty(), c.readable) << store.LoadProblem();
        EXPECT_EQ(problems.size(), c.readable ? 0u : 1u);
        if (c.readable) {
            EXPECT_TRUE(store.FindKey({"A"}));
            continue;
        }
        EXPECT_TRUE(store.KeyNames({}).empty());
        EXPECT_NE(store.LoadProblem().find(storeFile), std::string::npos);
        ASSERT_TRUE(store.CreateKey({"New"}));
        store.Flush();
        EXPECT_EQ(store.BackupFileName(), storeFile + ".broken");
        EXPECT_EQ(ReadFile(storeFile + ".broken"), c.content);
        TUserStore again(storeFile);
        EXPECT_EQ(again.LoadProblem(), "");
        EXPECT_TRUE(again.FindKey({"New"}));
        EXPECT_EQ(problems.size(), 1u) << "reported once";
    }
}

TEST_F(UserStoreTest, AFileOverTheSizeLimitIsNotRead)
{
    {
        // Sparse: costs no disk space.
        WriteFile(storeFile, "");
        std::filesystem::resize_file(storeFile, kMaxStoreFileSize + 1);
    }
    TUserStore store(storeFile);
    EXPECT_NE(store.LoadProblem().find("larger than"), std::string::npos) << store.LoadProblem();
    EXPECT_TRUE(store.KeyNames({}).empty());
}

TEST_F(UserStoreTest, TwoStoresSavingOneFileKeepEachOthersChanges)
{
    TUserStore a(storeFile), b(storeFile);
    a.CreateKey({"A"});
    a.SetValue({"A"}, Value("V", TRegDataType::rdInteger, 1));
    a.Flush();
    b.CreateKey({"B"});
    b.SetValue({"B"}, Value("V", TRegDataType::rdInteger, 2));
    b.DeleteValue({"A"}, "V"); // b has not seen it: nothing to delete
    b.Flush();
    TUserStore c(storeFile);
    ASSERT_NE(c.FindValue({"A"}, "V"), nullptr);
    EXPECT_EQ(c.FindValue({"B"}, "V")->Integer, 2);
    // A store with nothing pending sees another's save when refreshed.
    a.Refresh();
    EXPECT_TRUE(a.FindKey({"B"}));
}

// Two processes saving the same store again and again: the file is whole whenever it is
// read, and in the end holds what both saved.
TEST_F(UserStoreTest, TwoProcessesSavingAtOnceNeverTearTheFile)
{
    constexpr int kRounds = 150;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            int failures = 0;
            try {
                TUserStore store(storeFile);
                const TUserStore::TKeyPath key = {"Process" + std::to_string(k)};
                for (int i = 0; i < kRounds; ++i) {
                    store.CreateKey(key);
                    store.SetValue(key, Value("V" + std::to_string(i), TRegDataType::rdString, 0,
                                              std::string(200 + i, char('a' + k))));
                    store.Flush();
                }
            } catch (...) {
                failures = 1;
            }
            _exit(failures);
        }
    }
    int reads = 0;
    bool running = true;
    while (running) {
        std::string content;
        if (ReadSettingsFile(storeFile, kMaxStoreFileSize, content) == TFileReadResult::Read && !content.empty()) {
            TUserStore::Key root;
            std::string error;
            EXPECT_TRUE(userstore::Parse(content, root, error)) << error;
            ++reads;
        }
        int status = 0;
        running = false;
        for (pid_t child : children)
            if (waitpid(child, &status, WNOHANG) == 0)
                running = true;
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
    }
    TUserStore store(storeFile);
    EXPECT_EQ(store.LoadProblem(), "");
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(store.ValueNames({"Process" + std::to_string(k)}).size(), size_t(kRounds)) << k;
    EXPECT_GT(reads, 0);
}

TEST_F(UserStoreTest, TheConfigFolderFollowsXdgConfigHome)
{
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
    const std::string program = "/" + std::filesystem::read_symlink("/proc/self/exe").filename().string();
    EXPECT_EQ(ApplicationConfigFolder(), "/xdg/config" + program);
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(ApplicationConfigFolder(), "/home/someone/.config" + program);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ApplicationConfigFolder(), "/home/someone/.config" + program);
    EXPECT_EQ(TUserStore::DefaultFileName(), "/home/someone/.config" + program + "/user-settings");
}

} // namespace
