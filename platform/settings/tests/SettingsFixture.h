// A folder of its own for each test (ctest runs the cases in parallel), with the
// default user store redirected into it and settings problems collected.
#pragma once

#include "platform/settings/SettingsError.h"
#include "platform/settings/UserStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string PathOf(const std::string& name) const { return folder + "/" + name; }
    std::string ReadFile(const std::string& path) const;
    void WriteFile(const std::string& path, const std::string& content) const;

    std::string folder;
    std::string storeFile;
    std::vector<std::string> problems;
};
