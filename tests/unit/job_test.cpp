#include <gtest/gtest.h>

#include "backup/job.h"
#include "backup/script.h"
#include "fixture.h"
#include "platform/window.h"

namespace {

const char* const kDest = "D:\\bk\\201723\\192.0.2.2\\";
const char* const kNames[] = {"Application.evtx", "Security.evtx", "Setup.evtx", "System.evtx"};
const std::string kCopyError = "Error log backups, please manually check whether the backup is successful!";

class Backup : public FakeProcess {
protected:
    void SetUp() override {
        FakeProcess::SetUp();
        Arm();
    }
    // A fresh process whose script, when it runs with redirection off,
    // copies the four files.
    void Restart() {
        fake::Reset(dir_);
        Arm();
    }
    void Arm() {
        // The script, when it runs with redirection off, copies the four files.
        fake::onProcess = [this](const fake::ProcessRun& run) {
            if (run.commandLine == BackupScriptPath && run.redirectionOff && copies)
                for (const char* n : kNames) fake::files[dest + n] = "native";
            return os::ProcessOutcome{started, exitCode};
        };
        LanguageMode = 2;
    }
    void Mode(int m) { LanguageMode = m; }
    void Root(const std::string& root) { window::SetText(Control::编辑框_路径, root); }
    void Run() {
        fake::trace.clear();
        fake::Click(Control::按钮1);
    }
    std::vector<std::string> Commands() {
        std::vector<std::string> c;
        for (const auto& r : fake::runs) c.push_back(r.commandLine);
        return c;
    }
    std::string dest = kDest;
    bool copies = true, started = true;
    unsigned long exitCode = 0;
};

TEST_F(Backup, SuccessInBothLanguages) {
    for (int mode : {2, 1}) {
        Restart();
        Mode(mode);
        Root("D:\\bk\\");
        Run();
        EXPECT_EQ(Commands(), std::vector<std::string>{"c:\\systembackup.bat"});
        EXPECT_EQ(fake::runs[0].show, os::ShowMode::Hidden);
        EXPECT_EQ(fake::files.count(BackupScriptPath), 0u) << "script deleted";
        EXPECT_EQ(Log(), mode == 2 ? "2017/2/3/8:26:59:Brenvo runs successfully!\r\n"
                                   : "2017年2月3日8时26分59秒:Brenvo运行成功！\r\n");
        EXPECT_TRUE(fake::messageBoxes.empty());
    }
}

TEST_F(Backup, ScriptIsWrittenForTheDestinationAndMessagesPassBeforeItRuns) {
    Root("D:\\bk\\");
    std::string scriptWhenRun;
    auto copy = fake::onProcess;
    fake::onProcess = [&](const fake::ProcessRun& run) {
        scriptWhenRun = fake::files[BackupScriptPath];
        return copy(run);
    };
    Run();
    EXPECT_EQ(scriptWhenRun, BackupScriptText(kDest));
    auto at = [&](const std::string& s) {
        return std::find(fake::trace.begin(), fake::trace.end(), s) - fake::trace.begin();
    };
    EXPECT_LT(at("DispatchWaitingMessages"), at("StartProcess c:\\systembackup.bat"));
    // The four copies are tested in order, after the script.
    std::vector<std::string> tests;
    for (const auto& t : fake::trace)
        if (t.rfind("PathExists ", 0) == 0) tests.push_back(t.substr(11));
    EXPECT_EQ(tests, (std::vector<std::string>{dest + kNames[0], dest + kNames[1], dest + kNames[2], dest + kNames[3]}));
}

TEST_F(Backup, ClearsTheApplicationLogOnlyWhenTickedAndOnlyAfterSuccess) {
    Root("D:\\bk\\");
    fake::Click(Control::选择框1);
    std::string logWhenCleared;
    auto copy = fake::onProcess;
    fake::onProcess = [&](const fake::ProcessRun& run) {
        if (run.commandLine == "wevtutil cl Application") {
            EXPECT_EQ(fake::files.count(BackupScriptPath), 0u) << "script deleted first";
            EXPECT_TRUE(run.redirectionOff);
            logWhenCleared = Log();
        }
        return copy(run);
    };
    Run();
    EXPECT_EQ(Commands(), (std::vector<std::string>{"c:\\systembackup.bat", "wevtutil cl Application"}));
    EXPECT_EQ(fake::runs[1].show, os::ShowMode::Normal);
    EXPECT_EQ(logWhenCleared, "") << "success is logged after wevtutil ends";
    EXPECT_NE(Log().find("Brenvo runs successfully!"), std::string::npos);

    fake::runs.clear();
    fake::files.clear();
    copies = false;
    Run();
    EXPECT_EQ(Commands(), std::vector<std::string>{"c:\\systembackup.bat"});
}

TEST_F(Backup, PathErrors) {
    const char* roots[] = {"", "D:\\Backup", "D:\\a\"b\\", "D:\\a\tb\\", "D:\\备份", "D:\\\xD8\x5C"};
    for (int mode : {2, 1}) {
        for (const char* root : roots) {
            fake::Reset(dir_);
            Mode(mode);
            fake::files[BackupScriptPath] = "older";
            Root(root);
            Run();
            std::string text = mode == 2 ? "The path error. Please check it!" : "备份路径错误，请检查！";
            EXPECT_EQ(Log(), Log().substr(0, Log().size() - text.size() - 2) + text + "\r\n") << root;
            ASSERT_EQ(fake::messageBoxes.size(), 1u) << root;
            EXPECT_EQ(fake::messageBoxes[0].text, text);
            EXPECT_EQ(fake::messageBoxes[0].caption, mode == 2 ? "Error" : "错误");
            EXPECT_TRUE(fake::runs.empty());
            EXPECT_EQ(fake::files[BackupScriptPath], "older") << "untouched";
        }
    }
}

TEST_F(Backup, PathIsCheckedBeforeTheAddresses) {
    fake::addresses.clear();
    Mode(2);
    Root("D:\\Backup");
    Run();
    ASSERT_EQ(fake::messageBoxes.size(), 1u);
    EXPECT_EQ(fake::messageBoxes[0].text, "The path error. Please check it!");
}

TEST_F(Backup, AddressErrorIsShownNotLogged) {
    for (int mode : {2, 1}) {
        fake::Reset(dir_);
        Mode(mode);
        fake::addresses.clear();
        Root("D:\\bk\\");
        Run();
        EXPECT_EQ(Log(), "");
        ASSERT_EQ(fake::messageBoxes.size(), 1u);
        EXPECT_EQ(fake::messageBoxes[0].text, mode == 2 ? "Get the local IP address is wrong! Backup was not successful"
                                                        : "获取本机IP出错！备份未成功");
        EXPECT_EQ(fake::messageBoxes[0].caption, mode == 2 ? "Error" : "错误");
        EXPECT_EQ(fake::files.count(BackupScriptPath), 0u);
    }
}

TEST_F(Backup, FirstAddressNamesTheFolder) {
    fake::addresses = {"10.9.8.7", "192.0.2.2"};
    dest = "D:\\bk\\201723\\10.9.8.7\\";
    Root("D:\\bk\\");
    Run();
    EXPECT_NE(Log().find("Brenvo runs successfully!"), std::string::npos);
}

TEST_F(Backup, DateFolderHasNoLeadingZeros) {
    fake::SetClock({2017, 12, 3, 0, 0, 0});
    dest = "D:\\bk\\2017123\\192.0.2.2\\";
    Root("D:\\bk\\");
    Run();
    EXPECT_NE(Log().find("Brenvo runs successfully!"), std::string::npos);
}

// Copies from an earlier run the same day are in the folder; this run made
// none, so it must not report success nor clear the log.
TEST_F(Backup, StaleCopiesDoNotCount) {
    const struct {
        const char* name;
        bool writable, starts;
        unsigned long code;
    } cases[] = {
        {"script not writable", false, true, 0},
        {"process not started", true, false, 0},
        {"a copy failed", true, true, 1},
    };
    for (int mode : {2, 1}) {
        for (const auto& c : cases) {
            Restart();
            Mode(mode);
            for (const char* n : kNames) fake::files[dest + n] = "yesterday's run";
            fake::files[BackupScriptPath] = "older script";
            if (!c.writable) fake::unwritablePaths = {BackupScriptPath};
            started = c.starts;
            exitCode = c.code;
            copies = false;
            fake::Click(Control::选择框1);
            Root("D:\\bk\\");
            Run();
            EXPECT_NE(Log().find(kCopyError), std::string::npos) << c.name;
            ASSERT_EQ(fake::messageBoxes.size(), 1u) << c.name;
            EXPECT_EQ(fake::messageBoxes[0].text, kCopyError);
            EXPECT_EQ(fake::messageBoxes[0].caption, "Error") << "English in both languages";
            for (const auto& r : fake::runs) EXPECT_NE(r.commandLine, "wevtutil cl Application") << c.name;
            if (!c.writable) {
                EXPECT_TRUE(fake::runs.empty()) << "the older script is never run";
                EXPECT_EQ(fake::files[BackupScriptPath], "older script");
            } else {
                EXPECT_EQ(fake::files[BackupScriptPath], BackupScriptText(kDest)) << "this run's script stays";
            }
        }
    }
}

TEST_F(Backup, AMissingCopyEndsTheTest) {
    Root("D:\\bk\\");
    fake::onProcess = [&](const fake::ProcessRun&) {
        fake::files[dest + "Application.evtx"] = "x";
        fake::files[dest + "Setup.evtx"] = "x";
        fake::files[dest + "System.evtx"] = "x";
        return os::ProcessOutcome{true, 0};
    };
    Run();
    std::vector<std::string> tests;
    for (const auto& t : fake::trace)
        if (t.rfind("PathExists ", 0) == 0) tests.push_back(t.substr(11));
    EXPECT_EQ(tests, (std::vector<std::string>{dest + kNames[0], dest + kNames[1]}));
    EXPECT_EQ(fake::messageBoxes.size(), 1u);
}

TEST_F(Backup, NoRunInsideARun) {
    Root("D:\\bk\\");
    fake::Click(Control::选择框2);
    window::SetText(Control::编辑框2, "3");
    // Waiting when the run passes over its messages: a click, a tick and a
    // change of language.
    fake::Post([] { fake::Click(Control::按钮1); });
    fake::Post([] { fake::FireTimer(); });
    fake::Post([] { fake::SelectMenu(Control::MenuChangeLanguage); });
    LanguageMode = 2;
    window::SetTimerPeriod(86400000);
    Run();
    EXPECT_EQ(Commands(), std::vector<std::string>{"c:\\systembackup.bat"});
    EXPECT_EQ(Log().find("Automatic backup program starts!"), std::string::npos);
    EXPECT_NE(Log().find("程序启动成功！"), std::string::npos);
    EXPECT_NE(Log().find("Brenvo运行成功！"), std::string::npos) << "later messages in the new language";

    // The same inside a message box of the run.
    Restart();
    Mode(2);
    Root("D:\\bk");
    fake::whileMessageBoxOpen = [](const fake::MessageBoxShown&) { fake::Click(Control::按钮1); };
    Run();
    EXPECT_EQ(fake::messageBoxes.size(), 1u);
    // And once it is over, a click runs again.
    fake::whileMessageBoxOpen = nullptr;
    Run();
    EXPECT_EQ(fake::messageBoxes.size(), 2u);
}

TEST_F(Backup, ARootEndingInATrailByteBackslashIsNotARoot) {
    // 乗 is D8 5C in GBK-like encodings; the 5C is not a separator.
    Root("D:\\\xD8\x5C");
    Run();
    EXPECT_TRUE(fake::runs.empty());
    Root("D:\\\xD8\x5C\\");
    dest = "D:\\\xD8\x5C\\201723\\192.0.2.2\\";
    Run();
    EXPECT_NE(Log().find("Brenvo runs successfully!"), std::string::npos);
}

}  // namespace
