// A freshly started process on the in-memory platform, with its program
// folder (and so Config.ini) in a new temporary directory.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fake/fake.h"
#include "settings/language.h"

class FakeProcess : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/brenvo-unit-XXXXXX";
        dir_ = mkdtemp(tmpl);
        fake::Reset(dir_);
        LanguageMode = 0;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string ConfigPath() const { return dir_ + "/Config.ini"; }
    std::string Config() const {
        std::ifstream in(ConfigPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteConfig(const std::string& bytes) const {
        std::ofstream(ConfigPath(), std::ios::binary) << bytes;
    }
    std::string Log() const { return window::GetText(Control::编辑框_LOG); }

    std::string dir_;
};
