#include <gtest/gtest.h>

#include "backup/address.h"
#include "backup/script.h"
#include "fixture.h"

namespace {

// The script for a folder that needs no escaping, written out in full.
std::string Expected(const std::string& d) {
    const std::string logs = "copy /y \"C:\\Windows\\System32\\winevt\\Logs\\";
    return "if not exist \"" + d + "\" md \"" + d + "\"\r\n" +
           logs + "Application.evtx\" \"" + d + "Application.evtx\" & if errorlevel 1 exit 1\r\n" +
           logs + "Security.evtx\" \"" + d + "Security.evtx\" & if errorlevel 1 exit 1\r\n" +
           logs + "Setup.evtx\" \"" + d + "Setup.evtx\" & if errorlevel 1 exit 1\r\n" +
           logs + "System.evtx\" \"" + d + "System.evtx\" & if errorlevel 1 exit 1";
}

TEST(BackupScript, Bytes) {
    const struct {
        const char* name;
        std::string folder;
        std::string inScript;  // the folder as the script must hold it
    } cases[] = {
        {"plain root", "D:\\Backup\\201723\\192.0.2.2\\", "D:\\Backup\\201723\\192.0.2.2\\"},
        {"blank", "\\\\nas\\Event Logs\\201723\\10.0.0.1\\", "\\\\nas\\Event Logs\\201723\\10.0.0.1\\"},
        {"percent doubled", "D:\\100%\\%PATH%\\201723\\1.2.3.4\\", "D:\\100%%\\%%PATH%%\\201723\\1.2.3.4\\"},
        {"ampersand and pipes stay inside quotes", "D:\\a&b|c>d\\1\\", "D:\\a&b|c>d\\1\\"},
        {"Chinese as GBK bytes", "D:\\备份\\201723\\1.2.3.4\\",
         "D:\\\xB1\xB8\xB7\xDD\\201723\\1.2.3.4\\"},
        {"looks like the placeholder's words", "D:\\日期文件夹名称\\", "D:\\日期文件夹名称\\"},
    };
    for (const auto& c : cases) {
        std::string script = BackupScriptText(c.folder);
        EXPECT_EQ(script, Expected(c.inScript)) << c.name;
        EXPECT_EQ(script.find("192.0.2.10"), std::string::npos) << c.name;
        EXPECT_NE(script.substr(0, 3), "\xEF\xBB\xBF") << c.name;
    }
}

TEST(BackupScript, QuotableFolders) {
    EXPECT_TRUE(QuotableFolder("\\\\nas\\Event Logs\\%x%&\\"));
    EXPECT_TRUE(QuotableFolder("D:\\备份\\"));
    EXPECT_FALSE(QuotableFolder("D:\\a\"b\\"));
    EXPECT_FALSE(QuotableFolder("D:\\a\tb\\"));
    EXPECT_FALSE(QuotableFolder(std::string("D:\\a\0b\\", 7)));
}

using ScriptFile = FakeProcess;

TEST_F(ScriptFile, ReplacesAnOlderLongerScriptWhole) {
    fake::files[BackupScriptPath] = std::string(5000, 'x');
    EXPECT_TRUE(WriteBackupScript("D:\\b\\1\\2\\"));
    EXPECT_EQ(fake::files[BackupScriptPath], Expected("D:\\b\\1\\2\\"));
}

TEST_F(ScriptFile, SaysWhenTheScriptDidNotReachTheFile) {
    fake::unwritablePaths = {BackupScriptPath};
    EXPECT_FALSE(WriteBackupScript("D:\\b\\"));
    fake::unwritablePaths.clear();
    fake::shortWrites = true;
    EXPECT_FALSE(WriteBackupScript("D:\\b\\"));
}

using Runner = FakeProcess;

TEST_F(Runner, RedirectionIsOffOnlyWhileTheProcessStarts) {
    const struct {
        bool starts;
        unsigned long code;
    } cases[] = {{true, 0}, {true, 1}, {false, 0}};
    for (const auto& c : cases) {
        fake::runs.clear();
        fake::onProcess = [&](const fake::ProcessRun&) { return os::ProcessOutcome{c.starts, c.code}; };
        ASSERT_FALSE(fake::RedirectionIsOff());
        os::ProcessOutcome got = RunRedirectionFree("c:\\systembackup.bat", os::ShowMode::Hidden);
        EXPECT_FALSE(fake::RedirectionIsOff()) << "back on after the run";
        ASSERT_EQ(fake::runs.size(), 1u);
        EXPECT_TRUE(fake::runs[0].redirectionOff);
        EXPECT_EQ(got.started, c.starts);
        if (c.starts) {
            EXPECT_EQ(got.exitCode, c.code);
        }
    }
}

TEST_F(Runner, ShowModesAndCommandLines) {
    RunRedirectionFree("c:\\systembackup.bat", os::ShowMode::Hidden);
    RunRedirectionFree("wevtutil cl Application", os::ShowMode::Normal);
    ASSERT_EQ(fake::runs.size(), 2u);
    EXPECT_EQ(fake::runs[0].commandLine, "c:\\systembackup.bat");
    EXPECT_EQ(fake::runs[0].show, os::ShowMode::Hidden);
    EXPECT_EQ(fake::runs[1].commandLine, "wevtutil cl Application");
    EXPECT_EQ(fake::runs[1].show, os::ShowMode::Normal);
}

using Addresses = FakeProcess;

TEST_F(Addresses, List) {
    std::vector<std::string> twelve;
    for (int i = 1; i <= 12; ++i) twelve.push_back("10.0.0." + std::to_string(i));
    const struct {
        const char* name;
        bool nameFails;
        std::vector<std::string> resolved;
        std::vector<std::string> expected;
    } cases[] = {
        {"resolver order kept", false, {"10.1.1.1", "127.0.0.1", "169.254.1.1"}, {"10.1.1.1", "127.0.0.1", "169.254.1.1"}},
        {"loopback only", false, {"127.0.0.1"}, {"127.0.0.1"}},
        {"first ten of twelve", false, twelve, {twelve.begin(), twelve.begin() + 10}},
        {"name does not resolve", false, {}, {}},
        {"no host name", true, {"10.1.1.1"}, {}},
    };
    for (const auto& c : cases) {
        fake::hostNameFails = c.nameFails;
        fake::addresses = c.resolved;
        EXPECT_EQ(GetLocalAddressList(), c.expected) << c.name;
    }
}

}  // namespace
