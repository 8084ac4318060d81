#include "SettingsFixture.h"

#include "platform/settings/RegIniFile.h"

namespace {

class RegIniFileTest : public SettingsFixture {};

TEST_F(RegIniFileTest, SectionsAreKeysAndIdentsAreValues)
{
    {
        TRegIniFile ini("Software\\Inspector");
        ini.WriteInteger("\\Software\\Inspector", "BandWidth", 120);        // absolute
        ini.WriteString("Categories", "Cat1", "Layout");                    // relative to the key
        ini.WriteBool("\\Software\\Inspector\\Rows\\Name", "Visible", false);
        ini.WriteInteger("\\Software\\Inspector\\Rows\\Name", "RowHeight", -1);
        ini.WriteString("\\Software\\Inspector\\Rows\\Width", "RowHeight", "17"); // a string value
        ini.WriteInteger("\\Software\\Inspector\\Rows\\Width", "RowHeight", 18);  // stays a string
    }
    TUserStore::SetDefaultFile(storeFile);
    TRegIniFile ini("\\Software\\Inspector");
    EXPECT_EQ(ini.CurrentPath(), "Software\\Inspector");
    EXPECT_EQ(ini.ReadInteger("", "BandWidth", 0), 120);
    EXPECT_EQ(ini.ReadString("\\software\\inspector\\categories", "CAT1", ""), "Layout");
    EXPECT_FALSE(ini.ReadBool("Rows\\Name", "Visible", true));
    EXPECT_EQ(ini.ReadInteger("Rows\\Name", "RowHeight", 0), -1);
    EXPECT_EQ(ini.ReadInteger("Rows\\Width", "RowHeight", 0), 18);
    ASSERT_TRUE(ini.OpenKey("\\Software\\Inspector\\Rows\\Width", false));
    EXPECT_EQ(ini.GetDataType("RowHeight"), TRegDataType::rdString);
    ASSERT_TRUE(ini.OpenKey("\\Software\\Inspector", false));

    // Missing and unreadable values answer the default.
    EXPECT_EQ(ini.ReadInteger("Rows\\Name", "Missing", 7), 7);
    EXPECT_EQ(ini.ReadString("No\\Such\\Key", "X", "dflt"), "dflt");
    EXPECT_TRUE(ini.ReadBool("Categories", "Cat1", true)) << "a string that is not a Boolean";
    EXPECT_EQ(ini.ReadString("", "BandWidth", ""), "120");

    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Categories", "Rows"}));
    ini.ReadSection("Rows\\Name", list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Visible", "RowHeight"}));
    EXPECT_TRUE(ini.SectionExists("Rows"));
    EXPECT_TRUE(ini.ValueExists("Rows\\Name", "visible"));

    ini.DeleteKey("Rows\\Name", "Visible");
    EXPECT_FALSE(ini.ValueExists("Rows\\Name", "Visible"));
    ini.EraseSection("Rows");
    EXPECT_FALSE(ini.SectionExists("Rows"));
    EXPECT_EQ(ini.CurrentPath(), "Software\\Inspector") << "the open key stays open";
}

TEST_F(RegIniFileTest, BinaryValuesThroughTheRegistryObject)
{
    TRegIniFile ini("");
    ASSERT_TRUE(ini.OpenKey("\\Software\\Inspector", true));
    const std::string stream(1000, '\x5A');
    ini.WriteBinaryData("Nodes", stream);
    EXPECT_EQ(ini.GetDataSize("Nodes"), 1000);
    std::string buffer(1000, '\0');
    EXPECT_EQ(ini.ReadBinaryData("Nodes", buffer.data(), 1000), 1000);
    EXPECT_EQ(buffer, stream);
    EXPECT_EQ(ini.ReadString("", "Nodes", "not a string"), "not a string");
}

} // namespace
