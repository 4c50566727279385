#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace {

class Language : public FakeProcess {
protected:
    void Start() {
        window::CreateMainWindow();
        OnEvent(Control::MainWindow, Event::Created);
    }
    void Change() { fake::SelectMenu(Control::MenuChangeLanguage); }
    void ExpectEnglish() {
        EXPECT_EQ(LanguageMode, 2);
        EXPECT_EQ(window::GetCaption(Control::选择框1), "Automatic emptying system logs after export");
        EXPECT_EQ(window::GetLeft(Control::编辑框2), 285);
        EXPECT_EQ(window::GetLeft(Control::标签2), 324);
        EXPECT_EQ(window::GetWidth(Control::选择框2), 232);
        EXPECT_EQ(window::GetCaption(Control::标签2), "st");
        EXPECT_EQ(window::GetCaption(Control::选择框2), "Automatic backup every month on the");
        EXPECT_EQ(fake::Title(), "Brenvo X64");
    }
    void ExpectChinese() {
        EXPECT_EQ(LanguageMode, 1);
        EXPECT_EQ(window::GetCaption(Control::选择框1), "导出后自动清空系统日志");
        EXPECT_EQ(window::GetLeft(Control::编辑框2), 202);
        EXPECT_EQ(window::GetLeft(Control::标签2), 241);
        EXPECT_EQ(window::GetWidth(Control::选择框2), 152);
        EXPECT_EQ(window::GetCaption(Control::标签2), "日");
        EXPECT_EQ(window::GetCaption(Control::选择框2), "自动备份系统日志于每月");
        EXPECT_EQ(fake::Title(), "Brenvo X64");
    }
};

const char* const kEnglishStart = "2017/2/3/8:26:59:The program starts successfully\r\n";
const char* const kChineseStart = "2017年2月3日8时26分59秒:程序启动成功！\r\n";

TEST_F(Language, L1Decides) {
    const struct {
        const char* file;
        bool english;
    } cases[] = {
        {"", true},
        {"[Language]\r\nL1=2\r\n", true},
        {"[Language]\r\nL1=1\r\n", false},
        {"[Language]\r\nL1=3\r\n", false},
        {"[Language]\r\nL1=02\r\n", false},
        {"[Language]\r\nL1=\r\n", false},
    };
    for (const auto& c : cases) {
        fake::Reset(dir_);
        std::filesystem::remove(ConfigPath());
        if (*c.file) WriteConfig(c.file);
        Start();
        if (c.english) {
            ExpectEnglish();
            EXPECT_EQ(Log(), kEnglishStart) << c.file;
        } else {
            ExpectChinese();
            EXPECT_EQ(Log(), kChineseStart) << c.file;
        }
    }
}

TEST_F(Language, StartOrder) {
    Start();
    // Layout first, then the settings, then the timer, then the start line.
    std::vector<std::string> kinds;
    for (const auto& t : fake::trace) kinds.push_back(t.substr(0, t.find(' ')));
    auto first = [&](const char* k) { return std::find(kinds.begin(), kinds.end(), k) - kinds.begin(); };
    EXPECT_LT(first("SetCaption"), first("SetText"));
    EXPECT_LT(first("SetWindowTitle"), first("SetText"));
    EXPECT_EQ(kinds.back(), "AppendToLogBox");
    EXPECT_EQ(fake::TimerPeriod(), 86400000);
    EXPECT_EQ(std::vector<std::string>(fake::trace.begin() + 1, fake::trace.begin() + 4),
              (std::vector<std::string>{"SetCaption 选择框1 Automatic emptying system logs after export",
                                        "SetLeft 编辑框2 285", "SetLeft 标签2 324"}));
}

TEST_F(Language, ChangeFlipsStoresAndReloads) {
    WriteConfig("[Language]\r\nL1=3\r\n");
    Start();
    ExpectChinese();
    Change();
    ExpectEnglish();
    EXPECT_EQ(ReadSetting("Language", "L1", ""), "2");
    Change();
    ExpectChinese();
    EXPECT_EQ(ReadSetting("Language", "L1", ""), "1");
    EXPECT_EQ(Log(), std::string(kChineseStart) + kEnglishStart + kChineseStart);
}

TEST_F(Language, FirstChangeAddsTheLanguageSectionLast) {
    Start();
    Change();
    EXPECT_EQ(Config(), "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n[Language]\r\nL1=1\r\n");
}

TEST_F(Language, TheTimerKeepsItsCycle) {
    Start();
    EXPECT_EQ(fake::TimerStarts(), 1);
    Change();
    Change();
    EXPECT_EQ(fake::TimerStarts(), 1);
    EXPECT_EQ(fake::TimerPeriod(), 86400000);
}

TEST_F(Language, AnEmptiedBoxGetsItsLastSavedTextBack) {
    WriteConfig("[T]\r\nT1=15\r\n[Path]\r\nPath1=D:\\b\\\r\n");
    Start();
    for (int i = 0; i < 5; ++i) fake::Type(Control::编辑框_路径, '\b');
    fake::Type(Control::编辑框2, '\b');
    fake::Type(Control::编辑框2, '\b');
    EXPECT_EQ(window::GetText(Control::编辑框_路径), "");
    EXPECT_EQ(window::GetText(Control::编辑框2), "");
    Change();
    EXPECT_EQ(window::GetText(Control::编辑框_路径), "D");
    EXPECT_EQ(window::GetText(Control::编辑框2), "1");
}

TEST_F(Language, ReadOnlyFileKeepsTheLanguage) {
    Start();
    fake::profileWritable = false;
    Change();
    ExpectEnglish();
    EXPECT_EQ(Log(), std::string(kEnglishStart) + kEnglishStart);
}

}  // namespace
