#include "SettingsFixture.h"

#include "platform/settings/Registry.h"

#include <string>

namespace {

class RegistryTest : public SettingsFixture {};

// One step of a walk through keys: the call, its path, what it answers, and the open
// key afterwards ("-" for none).
struct PathStep {
    const char* action; // "open", "create", "readonly", "close"
    std::string path;
    bool result;
    const char* current;
};

TEST_F(RegistryTest, KeyPathRules)
{
    TRegistry reg;
    reg.CreateKey("\\Software\\Velmora\\Bars");
    const std::string longName(10000, 'x');
    std::string deep;
    for (int i = 0; i < 65; ++i)
        deep += "\\K";
    const PathStep steps[] = {
        {"close", "", true, "-"},
        {"open", "Software", true, "Software"},                          // none open: from the root
        {"open", "Velmora", true, "Software\\Velmora"},                  // relative to the open key
        {"open", "Missing", false, "Software\\Velmora"},                 // failure keeps the open key
        {"open", "\\Software", true, "Software"},                        // absolute
        {"open", "velmora\\BARS", true, "Software\\Velmora\\Bars"},      // names ignore case, keep spelling
        {"open", "", true, "Software\\Velmora\\Bars"},                   // "" names the open key
        {"open", "\\", true, ""},                                        // "\" names the root
        {"open", "\\Software\\Velmora\\", true, "Software\\Velmora"},    // trailing "\" ignored
        {"close", "", true, "-"},
        {"open", "Bars", false, "-"},                                    // after closing: from the root again
        {"open", "Software\\\\Velmora", false, "-"},                     // an empty name
        {"create", "New\\Key", true, "New\\Key"},
        {"create", longName, false, "New\\Key"},                         // 10,000 characters: refused
        {"create", "\\" + longName, false, "New\\Key"},
        {"create", deep, false, "New\\Key"},                             // deeper than 64 keys
        {"readonly", "\\Software", true, "Software"},
        {"readonly", "Nowhere", false, "Software"},
    };
    for (const PathStep& s : steps) {
        bool result = true;
        const std::string what = std::string(s.action) + " '" + s.path.substr(0, 40) + "'";
        if (std::string(s.action) == "open")
            result = reg.OpenKey(s.path, false);
        else if (std::string(s.action) == "create")
            result = reg.OpenKey(s.path, true);
        else if (std::string(s.action) == "readonly")
            result = reg.OpenKeyReadOnly(s.path);
        else
            reg.CloseKey();
        EXPECT_EQ(result, s.result) << what;
        if (std::string(s.current) == "-")
            EXPECT_FALSE(reg.HasCurrentKey()) << what;
        else
            EXPECT_EQ(reg.CurrentPath(), s.current) << what;
    }
    EXPECT_FALSE(reg.KeyExists("\\" + longName));
    EXPECT_FALSE(reg.KeyExists("\\K\\K"));
    EXPECT_THROW(reg.CreateKey(longName), ERegistryException);
}

// Writes and reads groups the way a side bar keeps its layout: the group keys are
// opened while P is open, so with a relative P group 0 lands at P\P\Group0.
void WriteGroups(TRegistry& reg, const std::string& p)
{
    ASSERT_TRUE(reg.OpenKey(p, true));
    for (const std::string& name : reg.KeyNames())
        reg.DeleteKey(name);
    reg.WriteInteger("GroupCount", 2);
    for (int i = 0; i < 2; ++i) {
        if (reg.OpenKey(p + "\\Group" + std::to_string(i), true)) {
            reg.WriteString("Caption", "Group " + std::to_string(i));
            reg.WriteInteger("ItemCount", 1);
            reg.CloseKey();
        }
        if (reg.OpenKey(p + "\\Group" + std::to_string(i) + "\\Item0", true)) {
            reg.WriteString("Caption", "Item of " + std::to_string(i));
            reg.WriteBool("IsDefault", i == 1);
            reg.CloseKey();
        }
    }
}

TEST_F(RegistryTest, PathWithoutLeadingBackslashPutsTheFirstGroupUnderPTwice)
{
    const std::string p = "Velmora\\SideBar";
    {
        TRegistry reg;
        WriteGroups(reg, p);
    }
    // A new store reads the file back.
    TUserStore::SetDefaultFile(storeFile);
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("\\Velmora\\SideBar\\Velmora\\SideBar\\Group0"));
    EXPECT_FALSE(reg.KeyExists("\\Velmora\\SideBar\\Group0\\Caption"));
    EXPECT_TRUE(reg.KeyExists("\\Velmora\\SideBar\\Group0\\Item0"));
    EXPECT_TRUE(reg.KeyExists("\\Velmora\\SideBar\\Group1\\Item0"));

    // Reading follows the same steps and finds every value.
    ASSERT_TRUE(reg.OpenKey(p, false));
    EXPECT_EQ(reg.ReadInteger("GroupCount"), 2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(reg.OpenKey(p + "\\Group" + std::to_string(i), false)) << i;
        EXPECT_EQ(reg.ReadString("Caption"), "Group " + std::to_string(i));
        EXPECT_EQ(reg.ReadInteger("ItemCount"), 1);
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey(p + "\\Group" + std::to_string(i) + "\\Item0", false)) << i;
        EXPECT_EQ(reg.ReadString("Caption"), "Item of " + std::to_string(i));
        EXPECT_EQ(reg.ReadBool("IsDefault"), i == 1);
        reg.CloseKey();
    }
    // Saving again first removes every sub-key of P (both groups and the doubled P).
    WriteGroups(reg, p);
    ASSERT_TRUE(reg.OpenKey("\\" + p, false));
    EXPECT_EQ(reg.KeyNames(), (std::vector<std::string>{"Velmora", "Group0", "Group1"}));
}

TEST_F(RegistryTest, TypedValuesAndTheirErrors)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Values", true));
    reg.WriteInteger("Count", -7);
    reg.WriteString("Name", "Main menu");
    reg.WriteBool("Shown", true);
    reg.WriteBinaryData("Glyph", std::string("\x00\x01\xFF", 3));

    EXPECT_EQ(reg.ReadInteger("COUNT"), -7);
    EXPECT_EQ(reg.ReadString("name"), "Main menu");
    EXPECT_TRUE(reg.ReadBool("Shown"));
    EXPECT_EQ(reg.ReadInteger("Shown"), 1);
    EXPECT_EQ(reg.ReadBinaryData("Glyph"), std::string("\x00\x01\xFF", 3));
    char two[2] = {};
    EXPECT_EQ(reg.ReadBinaryData("Glyph", two, 2), 2);
    EXPECT_EQ(two[1], '\x01');
    reg.WriteInteger("Other", 5);
    EXPECT_TRUE(reg.ReadBool("Other")); // any integer but 0

    struct Info {
        const char* name;
        TRegDataType type;
        int size;
    };
    for (const Info& i : {Info{"Count", TRegDataType::rdInteger, 4}, Info{"Name", TRegDataType::rdString, 10},
                          Info{"Glyph", TRegDataType::rdBinary, 3}, Info{"None", TRegDataType::rdUnknown, -1}}) {
        EXPECT_EQ(reg.GetDataType(i.name), i.type) << i.name;
        EXPECT_EQ(reg.GetDataSize(i.name), i.size) << i.name;
        EXPECT_EQ(reg.ValueExists(i.name), i.size >= 0) << i.name;
    }

    // A missing or mistyped value raises, naming it; a missing string reads empty.
    struct Bad {
        const char* what;
        std::function<void()> read;
        const char* named;
    };
    const Bad bad[] = {
        {"missing integer", [&] { reg.ReadInteger("Absent"); }, "'Absent'"},
        {"missing Boolean", [&] { reg.ReadBool("Absent"); }, "'Absent'"},
        {"missing binary", [&] { reg.ReadBinaryData("Absent"); }, "'Absent'"},
        {"string as integer", [&] { reg.ReadInteger("Name"); }, "'Name'"},
        {"integer as string", [&] { reg.ReadString("Count"); }, "'Count'"},
        {"binary as Boolean", [&] { reg.ReadBool("Glyph"); }, "'Glyph'"},
        {"integer as binary", [&] { reg.ReadBinaryData("Count"); }, "'Count'"},
    };
    for (const Bad& b : bad) {
        try {
            b.read();
            ADD_FAILURE() << b.what << ": no error";
        } catch (const ERegistryException& e) {
            EXPECT_NE(std::string(e.what()).find(b.named), std::string::npos) << b.what << ": " << e.what();
        }
    }
    EXPECT_EQ(reg.ReadString("Absent"), "");

    EXPECT_TRUE(reg.DeleteValue("count"));
    EXPECT_FALSE(reg.DeleteValue("Count"));
    EXPECT_EQ(reg.ValueNames(), (std::vector<std::string>{"Name", "Shown", "Glyph", "Other"}));
}

TEST_F(RegistryTest, LimitsOfNamesAndValues)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Limits", true));
    const std::string longValueName(10000, 'v'); // within the limit of value names
    reg.WriteInteger(longValueName, 1);
    EXPECT_EQ(reg.ReadInteger(longValueName), 1);
    EXPECT_THROW(reg.WriteInteger(std::string(kMaxValueNameLength + 1, 'v'), 1), ERegistryException);
    EXPECT_THROW(reg.WriteBinaryData("Big", std::string(kMaxValueSize + 1, 'b')), ERegistryException);
    EXPECT_FALSE(reg.ValueExists("Big"));
    try {
        reg.ReadInteger(std::string(10000, 'q'));
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_LT(std::string(e.what()).size(), 200u) << "the message shows a shortened name";
    }
}

TEST_F(RegistryTest, DeletingAKeyTakesEverythingBelowAndClosesWhatWasInside)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\A\\B\\C", true));
    reg.WriteInteger("X", 1);
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_TRUE(reg.DeleteKey("\\a\\b"));
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_FALSE(reg.KeyExists("\\A\\B\\C"));
    EXPECT_FALSE(reg.KeyExists("\\A\\B"));
    EXPECT_TRUE(reg.KeyExists("\\A"));
    EXPECT_FALSE(reg.DeleteKey("\\A\\B"));
    // Deleting a key beside the open one keeps it open.
    ASSERT_TRUE(reg.OpenKey("\\A\\Kept", true));
    reg.CreateKey("\\A\\Other");
    EXPECT_TRUE(reg.DeleteKey("\\A\\Other"));
    EXPECT_EQ(reg.CurrentPath(), "A\\Kept");
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Fixed", true));
    reg.WriteInteger("V", 1);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Fixed"));
    EXPECT_EQ(reg.ReadInteger("V"), 1);
    EXPECT_THROW(reg.WriteInteger("V", 2), ERegistryException);
    EXPECT_THROW(reg.DeleteValue("V"), ERegistryException);
    EXPECT_EQ(reg.ReadInteger("V"), 1);
    ASSERT_TRUE(reg.OpenKey("\\Fixed", false));
    reg.WriteInteger("V", 2);
    EXPECT_EQ(reg.ReadInteger("V"), 2);
}

TEST_F(RegistryTest, ChangesReachTheFileOnceWhenTheObjectGoes)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Many", true));
        for (int i = 0; i < 100; ++i)
            reg.WriteInteger("V" + std::to_string(i), i);
        EXPECT_FALSE(StampOf(storeFile).exists) << "nothing is written value by value";
    }
    const TFileStamp written = StampOf(storeFile);
    ASSERT_TRUE(written.exists);
    TUserStore other(storeFile);
    EXPECT_EQ(other.FindValue({"Many"}, "V99")->Integer, 99);
    {
        TRegistry reg; // reading only: the file stays as it is
        ASSERT_TRUE(reg.OpenKey("\\Many", false));
        EXPECT_EQ(reg.ReadInteger("V5"), 5);
    }
    EXPECT_EQ(StampOf(storeFile), written);
}

TEST_F(RegistryTest, AFailedWriteNamesTheFile)
{
    WriteFile(PathOf("not-a-folder"), "x");
    const std::string file = PathOf("not-a-folder/user-settings");
    TRegistry reg(std::make_shared<TUserStore>(file));
    ASSERT_TRUE(reg.OpenKey("\\K", true));
    reg.WriteInteger("V", 1);
    try {
        reg.Flush();
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
}

} // namespace
