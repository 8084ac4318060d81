#include "SettingsFixture.h"

#include "platform/settings/IniFile.h"

#include <filesystem>

namespace {

class IniFileTest : public SettingsFixture {};

// A file as people and other programs leave them: CR LF line ends, comments, odd
// spacing, quotes, sections of other forms, a duplicate, no line end at the end.
const std::string kForeign =
    "; settings of several forms\r\n"
    "[OtherForm.Bar0]\r\n"
    "  Caption = \"  Padded \"  \r\n"
    "Row=3 ; not a comment\r\n"
    "\r\n"
    "[MainForm.zqBarManager1.Main]\r\n"
    "LargeIcons=0\r\n"
    "# kept\r\n"
    "ShowHint=1\r\n"
    "\r\n"
    "[Unrelated]\r\n"
    "Key=Value\r\n"
    "[mainform.ZQBARMANAGER1.main]\r\n"
    "LargeIcons=1\r\n"
    "[Last]\r\n"
    "Tail=1";

TEST_F(IniFileTest, ChangesLeaveEveryOtherLineByteForByte)
{
    const std::string file = PathOf("layout.ini");
    WriteFile(file, kForeign);
    {
        TMemIniFile ini(file);
        EXPECT_EQ(ini.ReadString("OtherForm.Bar0", "caption", ""), "  Padded ");
        EXPECT_EQ(ini.ReadString("otherform.bar0", "Row", ""), "3 ; not a comment");
        EXPECT_EQ(ini.ReadInteger("MAINFORM.zqBarManager1.Main", "LargeIcons", -1), 0) << "the first section counts";
        ini.WriteBool("MainForm.zqBarManager1.Main", "LargeIcons", true); // changed in place
        ini.WriteBool("MainForm.zqBarManager1.Main", "ShowHint", true);   // the same value: untouched
        ini.WriteInteger("MainForm.zqBarManager1.Main", "BarCount", 2);   // after the last entry
        ini.WriteString("Last", "More", " spaced ");                       // after a line without end
        ini.WriteString("MainForm.zqBarManager1.Bar0", "Caption", "Tools"); // a new section at the end
        ini.EraseSection("Unrelated");
        EXPECT_EQ(std::filesystem::file_size(file), kForeign.size()) << "written only by UpdateFile";
        ini.UpdateFile();
    }
    const std::string expected =
        "; settings of several forms\r\n"
        "[OtherForm.Bar0]\r\n"
        "  Caption = \"  Padded \"  \r\n"
        "Row=3 ; not a comment\r\n"
        "\r\n"
        "[MainForm.zqBarManager1.Main]\r\n"
        "LargeIcons=1\r\n"
        "# kept\r\n"
        "ShowHint=1\r\n"
        "BarCount=2\r\n"
        "\r\n"
        "[mainform.ZQBARMANAGER1.main]\r\n"
        "LargeIcons=1\r\n"
        "[Last]\r\n"
        "Tail=1\r\n"
        "More=\" spaced \"\r\n"
        "\r\n"
        "[MainForm.zqBarManager1.Bar0]\r\n"
        "Caption=Tools\r\n";
    EXPECT_EQ(ReadFile(file), expected);
    TMemIniFile again(file);
    EXPECT_EQ(again.ReadString("last", "more", ""), " spaced ");
}

TEST_F(IniFileTest, BooleansAndIntegers)
{
    struct Case {
        const char* text;
        int32_t asInteger; // read with the default 77
        int asBool;        // read with the default true; -1: the default
    };
    const Case cases[] = {
        {"0", 0, 0},         {"1", 1, 1},          {"-5", -5, 1},           {"2147483647", 2147483647, 1},
        {"true", 77, 1},     {"FALSE", 77, 0},     {"True ", 77, 1},        {"yes", 77, -1},
        {"", 77, -1},        {"12abc", 77, -1},    {"2147483648", 77, -1},  {"0x1F", 31, 1},
        {"$FF", 255, 1},     {"0xFFFFFFFF", -1, 1}, {"--1", 77, -1},        {"1.5", 77, -1},
    };
    TMemIniFile ini(PathOf("values.ini"));
    for (const Case& c : cases) {
        ini.WriteString("S", "V", c.text);
        EXPECT_EQ(ini.ReadInteger("S", "V", 77), c.asInteger) << c.text;
        EXPECT_EQ(ini.ReadBool("S", "V", true), c.asBool < 0 ? true : c.asBool == 1) << c.text;
        EXPECT_EQ(ini.ReadBool("S", "V", false), c.asBool < 0 ? false : c.asBool == 1) << c.text;
    }
    EXPECT_EQ(ini.ReadInteger("S", "Missing", 5), 5);
    ini.WriteBool("S", "B", true);
    ini.WriteBool("S", "C", false);
    EXPECT_EQ(ini.ReadString("S", "B", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "C", ""), "0");
}

TEST_F(IniFileTest, ValuesThatReadingWouldChangeAreQuoted)
{
    const std::string file = PathOf("quoted.ini");
    const std::string values[] = {" lead", "trail\t", "\"quoted\"", "\"", "a=b", "; not a comment", ""};
    {
        TIniFile ini(file);
        for (size_t i = 0; i < std::size(values); ++i)
            ini.WriteString("Q", "V" + std::to_string(i), values[i]);
    } // written back when destroyed
    TMemIniFile ini(file);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(ini.ReadString("Q", "V" + std::to_string(i), "?"), values[i]) << i;
}

TEST_F(IniFileTest, NamesAndValuesAFileCannotHoldAreRefused)
{
    TMemIniFile ini(PathOf("refused.ini"));
    EXPECT_THROW(ini.WriteString("S", "a=b", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", "", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", "[x", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", " pad", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S\nT", "V", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", "V", "two\nlines"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", "V", std::string(kMaxIniLineLength, 'x')), EIniFileException);
    EXPECT_FALSE(ini.Modified());
    ini.WriteString("S", std::string(10000, 'n'), "long names are fine");
    EXPECT_EQ(ini.ReadString("s", std::string(10000, 'N'), ""), "long names are fine");
}

TEST_F(IniFileTest, SectionsAndIdents)
{
    TMemIniFile ini(PathOf("sections.ini"));
    ini.SetText("x=before any section\n[A]\none=1\ntwo=2\none=shadowed\n[B]\n[a]\nthree=3\n");
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"A", "B"}));
    ini.ReadSection("a", list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"one", "two"}));
    ini.ReadSectionValues("A", list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"one=1", "two=2"}));
    EXPECT_TRUE(ini.SectionExists("b"));
    EXPECT_FALSE(ini.SectionExists(""));
    EXPECT_TRUE(ini.ValueExists("A", "TWO"));
    EXPECT_FALSE(ini.ValueExists("A", "three"));
    ini.DeleteKey("A", "one"); // every line of it
    EXPECT_FALSE(ini.ValueExists("A", "one"));
    ini.EraseSection("A"); // both sections of that name
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ini.Text(), "x=before any section\n[B]\n");
}

TEST_F(IniFileTest, HostileFilesAreReadWithinBounds)
{
    const std::string file = PathOf("hostile.ini");
    const std::string longLine = "[Hidden" + std::string(kMaxIniLineLength, 'h') + "]\n";
    const std::string content = std::string("[A]\nnul=a\0b\nutf=\xFF\xFE\xC3\n", 20) + longLine + "k=v\n[B]\nk=w\n";
    WriteFile(file, content);
    TMemIniFile ini(file);
    EXPECT_EQ(ini.ReadString("A", "nul", ""), std::string("a\0b", 3));
    EXPECT_EQ(ini.ReadString("A", "utf", ""), "\xFF\xFE\xC3");
    EXPECT_EQ(ini.ReadString("A", "k", "none"), "none") << "the over-long line starts a section of its own";
    EXPECT_EQ(ini.ReadString("B", "k", ""), "w");
    ini.WriteString("B", "k", "changed");
    ini.UpdateFile();
    const std::string written = ReadFile(file);
    EXPECT_NE(written.find(longLine), std::string::npos) << "kept as it was";

    const std::string huge = PathOf("huge.ini");
    WriteFile(huge, "");
    std::filesystem::resize_file(huge, kMaxIniFileSize + 1);
    try {
        TMemIniFile refused(huge);
        ADD_FAILURE() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_NE(std::string(e.what()).find(huge), std::string::npos) << e.what();
    }
}

TEST_F(IniFileTest, AFailedWriteNamesTheFile)
{
    const std::string file = PathOf("folder/inside.ini");
    TMemIniFile ini(file);
    ini.WriteString("S", "V", "1");
    WriteFile(PathOf("folder"), "a file where the folder should be");
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
    EXPECT_TRUE(ini.Modified());
}

TEST_F(IniFileTest, ReplacingTheFileKeepsALinkAndThePermissions)
{
    const std::string target = PathOf("real.ini");
    const std::string link = PathOf("link.ini");
    WriteFile(target, "[S]\nV=1\n");
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    std::filesystem::create_symlink(target, link);
    TMemIniFile ini(link);
    ini.WriteString("S", "V", "2");
    ini.UpdateFile();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "[S]\nV=2\n");
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));
}

} // namespace
