#include <gtest/gtest.h>

#include "fixture.h"
#include "logtext/datetime.h"
#include "logtext/log.h"

namespace {

TEST(DateText, FourShapes) {
    const struct {
        LocalDateTime value;
        const char* text;
    } cases[] = {
        {{2017, 2, 3, 8, 26, 59}, "2017年2月3日8时26分59秒"},
        {{2017, 2, 3, 8, 26, 0}, "2017年2月3日8时26分"},
        {{2017, 2, 3, 8, 0, 0}, "2017年2月3日8时"},
        {{2017, 2, 3, 0, 0, 0}, "2017年2月3日"},
        {{2017, 2, 3, 0, 0, 5}, "2017年2月3日0时0分5秒"},
        {{2017, 2, 3, 0, 5, 0}, "2017年2月3日0时5分"},
        {{2017, 12, 31, 23, 59, 59}, "2017年12月31日23时59分59秒"},
        {{9999, 12, 31, 23, 0, 1}, "9999年12月31日23时0分1秒"},
    };
    for (const auto& c : cases) EXPECT_EQ(DateText(c.value), c.text);
    // The marks are the GBK bytes.
    EXPECT_EQ(DateText({2017, 2, 3, 0, 0, 0}), "2017\xC4\xEA" "2\xD4\xC2" "3\xC8\xD5");
}

TEST(DateText, DateOnlyHasNoTime) {
    LocalDateTime v{2017, 2, 3, 8, 26, 59};
    EXPECT_EQ(DateText(DateOnly(v)), "2017年2月3日");
    EXPECT_EQ(DayOfMonth(v), 3);
}

using ClockAndLog = FakeProcess;

TEST_F(ClockAndLog, CurrentDateTimeFollowsTheClock) {
    fake::SetClock({2026, 12, 11, 15, 31, 7});
    LocalDateTime now = CurrentDateTime();
    EXPECT_EQ(DateText(now), "2026年12月11日15时31分7秒");
    fake::SetClock({2027, 1, 1, 0, 0, 0});
    EXPECT_EQ(DateText(CurrentDateTime()), "2027年1月1日");
}

TEST_F(ClockAndLog, LogLines) {
    const struct {
        int mode;
        os::ClockReading now;
        const char* message;
        const char* line;
    } cases[] = {
        {1, {2017, 2, 3, 8, 26, 59}, "自动备份程序启动！", "2017年2月3日8时26分59秒:自动备份程序启动！"},
        {0, {2017, 2, 3, 8, 26, 59}, "x", "2017年2月3日8时26分59秒:x"},
        {3, {2017, 2, 3, 8, 0, 0}, "x", "2017年2月3日8时:x"},
        {2, {2017, 2, 3, 8, 26, 59}, "Automatic backup program starts!", "2017/2/3/8:26:59:Automatic backup program starts!"},
        {2, {2017, 2, 3, 8, 26, 0}, "Automatic backup program starts!", "2017/2/3/8:26::Automatic backup program starts!"},
        {2, {2017, 2, 3, 8, 0, 0}, "Automatic backup program starts!", "2017/2/3/8::Automatic backup program starts!"},
        {2, {2017, 2, 3, 0, 0, 0}, "Automatic backup program starts!", "2017/2/3/:Automatic backup program starts!"},
        {2, {2017, 2, 3, 0, 0, 5}, "", "2017/2/3/0:0:5:"},
    };
    for (const auto& c : cases) {
        fake::Reset(dir_);
        LanguageMode = c.mode;
        fake::SetClock(c.now);
        AppendLog(c.message);
        EXPECT_EQ(Log(), std::string(c.line) + "\r\n") << c.line;
    }
}

TEST_F(ClockAndLog, LinesAreAddedBehindWhatIsThere) {
    LanguageMode = 2;
    fake::Paste(Control::编辑框_LOG, "typed by hand");
    AppendLog("a");
    LanguageMode = 1;
    AppendLog("b");
    EXPECT_EQ(Log(), "typed by hand2017/2/3/8:26:59:a\r\n2017年2月3日8时26分59秒:b\r\n");
}

}  // namespace
