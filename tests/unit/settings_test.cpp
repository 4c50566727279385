#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace {

class Settings : public FakeProcess {
protected:
    void Start() { OnEvent(Control::MainWindow, Event::Created); }
    // The settings writes since the last call, as "section key value".
    std::vector<std::string> Writes() {
        std::vector<std::string> w;
        for (const auto& t : fake::trace)
            if (t.rfind("WriteProfileString ", 0) == 0) w.push_back(t.substr(19));
        fake::trace.clear();
        return w;
    }
    std::string Stored(const char* section, const char* key) {
        return ReadSetting(section, key, "<missing>");
    }
};

TEST_F(Settings, FirstStartWithoutAFile) {
    Start();
    EXPECT_EQ(Writes(), (std::vector<std::string>{"Con Con1 0", "Con Con2 0", "T T1 1",
                                                  "Con Con1 0", "Con Con2 0", "T T1 1"}));
    EXPECT_EQ(Config(), "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n");
    EXPECT_FALSE(window::IsChecked(Control::选择框1));
    EXPECT_FALSE(window::IsChecked(Control::选择框2));
    EXPECT_EQ(window::GetText(Control::编辑框2), "1");
    EXPECT_EQ(window::GetText(Control::编辑框_路径), "");
    EXPECT_EQ(SettingsFilePath(), dir_ + "\\Config.ini");
}

TEST_F(Settings, SavedValuesComeBack) {
    WriteConfig("[Con]\r\nCon1=1\r\nCon2=1\r\n[T]\r\nT1=15\r\n[Path]\r\nPath1=D:\\备份\\\r\n");
    Start();
    EXPECT_TRUE(window::IsChecked(Control::选择框1));
    EXPECT_TRUE(window::IsChecked(Control::选择框2));
    EXPECT_EQ(window::GetText(Control::编辑框2), "15");
    EXPECT_EQ(window::GetText(Control::编辑框_路径), "D:\\备份\\");
    // The save raised by the day box runs while the path box is still empty:
    // it must not wipe the stored root.
    EXPECT_EQ(Stored("Path", "Path1"), "D:\\备份\\");
}

TEST_F(Settings, OnlyAnExactOneTicks) {
    const struct {
        const char* value;
        bool checked;
        const char* savedBack;
    } cases[] = {{"1", true, "1"}, {"", false, "0"}, {"true", false, "0"}, {"01", false, "0"}, {"2", false, "0"}};
    for (const auto& c : cases) {
        fake::Reset(dir_);
        WriteConfig(std::string("[Con]\r\nCon1=") + c.value + "\r\nCon2=" + c.value + "\r\n");
        Start();
        EXPECT_EQ(window::IsChecked(Control::选择框1), c.checked) << c.value;
        EXPECT_EQ(window::IsChecked(Control::选择框2), c.checked) << c.value;
        EXPECT_EQ(Stored("Con", "Con1"), c.savedBack) << c.value;
        EXPECT_EQ(Stored("Con", "Con2"), c.savedBack) << c.value;
    }
}

TEST_F(Settings, DayTextKeptAsItIs) {
    const struct {
        const char* stored;
        const char* box;
        const char* after;
    } cases[] = {{"", "", ""}, {"abc", "abc", "abc"}, {"45", "45", "45"}, {"１５", "１５", "１５"}};
    for (const auto& c : cases) {
        fake::Reset(dir_);
        WriteConfig(std::string("[T]\r\nT1=") + c.stored + "\r\n");
        Start();
        EXPECT_EQ(window::GetText(Control::编辑框2), c.box) << c.stored;
        EXPECT_EQ(Stored("T", "T1"), c.after) << c.stored;
    }
}

TEST_F(Settings, LongPathIsCutAndSavedBackCut) {
    std::string path(12000, 'p');
    path.back() = '\\';
    WriteConfig("[Path]\r\nPath1=" + path + "\r\n");
    Start();
    EXPECT_EQ(window::GetText(Control::编辑框_路径), path.substr(0, 10239));
    EXPECT_EQ(Stored("Path", "Path1"), path.substr(0, 10239));
}

TEST_F(Settings, EveryKeystrokeSavesAndTheLastDeletionWritesNothing) {
    Start();
    Writes();
    fake::TypeText(Control::编辑框_路径, "D:\\Backup\\");
    std::vector<std::string> w = Writes();
    ASSERT_EQ(w.size(), 40u);  // four keys per keystroke
    EXPECT_EQ(w[0], "Path Path1 D");
    EXPECT_EQ(w[36], "Path Path1 D:\\Backup\\");
    for (int i = 0; i < 10; ++i) fake::Type(Control::编辑框_路径, '\b');
    w = Writes();
    ASSERT_EQ(w.size(), 9u * 4 + 3);
    EXPECT_EQ(w[0], "Path Path1 D:\\Backup");
    EXPECT_EQ(w[32], "Path Path1 D");
    EXPECT_EQ(w.back(), "T T1 1");
    EXPECT_EQ(Stored("Path", "Path1"), "D");
}

TEST_F(Settings, ClicksWriteEveryKey) {
    WriteConfig("[Path]\r\nPath1=D:\\b\\\r\n");
    Start();
    Writes();
    fake::Click(Control::选择框2);
    fake::Click(Control::选择框2);
    EXPECT_EQ(Writes(), (std::vector<std::string>{
                            "Path Path1 D:\\b\\", "Con Con1 0", "Con Con2 1", "T T1 1",
                            "Path Path1 D:\\b\\", "Con Con1 0", "Con Con2 0", "T T1 1"}));
    // Setting a box from code raises nothing.
    window::SetChecked(Control::选择框1, true);
    EXPECT_TRUE(Writes().empty());
}

TEST_F(Settings, TheDayBoxTakesOnlyDigitsAndMinusFromTheKeyboard) {
    Start();
    fake::TypeText(Control::编辑框2, "a-2x");
    EXPECT_EQ(window::GetText(Control::编辑框2), "1-2");
    fake::Paste(Control::编辑框2, "日");
    EXPECT_EQ(window::GetText(Control::编辑框2), "1-2日");
    EXPECT_EQ(Stored("T", "T1"), "1-2日");
}

TEST_F(Settings, SameTextStillSaves) {
    Start();
    Writes();
    window::SetText(Control::编辑框2, "1");
    EXPECT_EQ(Writes().size(), 3u);
}

TEST_F(Settings, AReadOnlyFileLosesTheChanges) {
    WriteConfig("[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=7\r\n");
    Start();
    fake::profileWritable = false;
    fake::Click(Control::选择框1);
    fake::TypeText(Control::编辑框_路径, "E:\\");
    EXPECT_EQ(Config(), "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=7\r\n");
    EXPECT_TRUE(window::IsChecked(Control::选择框1)) << "the controls keep what the operator set";
    EXPECT_TRUE(fake::messageBoxes.empty());
}

}  // namespace
