#include "SettingsFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

void SettingsFixture::SetUp()
{
    char pattern[] = "/tmp/velmora-settings-XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    folder = made;
    storeFile = PathOf("user-settings");
    TUserStore::SetDefaultFile(storeFile);
    SetSettingsProblemHandler([this](const std::string& message) { problems.push_back(message); });
}

void SettingsFixture::TearDown()
{
    TUserStore::SetDefaultFile("");
    SetSettingsProblemHandler({});
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

std::string SettingsFixture::ReadFile(const std::string& path) const
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void SettingsFixture::WriteFile(const std::string& path, const std::string& content) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}
