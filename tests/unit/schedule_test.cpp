#include <gtest/gtest.h>

#include "backup/schedule.h"
#include "fixture.h"
#include "platform/window.h"

namespace {

TEST(TextToInteger, Table) {
    const struct {
        std::string text;
        int32_t value;
    } cases[] = {
        {"15", 15},
        {"015", 15},
        {"１５", 15},                // full-width digits A3 B1 A3 B5
        {"\xA3\xB1\xA3\xB5", 15},
        {" 15", 15},
        {"\t\n\v\f\r15", 15},
        {"　15", 15},               // ideographic space A1 A1
        {"15日", 15},
        {"15th", 15},
        {"+15", 15},
        {"＋15", 15},               // full-width plus
        {"－3", -3},                // full-width minus
        {"", 0},
        {"abc", 0},
        {"0", 0},
        {"-3", -3},
        {"32", 32},
        {"- 3", 0},
        {"+-3", 0},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},   // wraps around
        {"-2147483648", INT32_MIN},
        {"4294967311", 15},          // 2^32 + 15
        {"1\xA3", 1},                // a lone lead byte ends the text
        {"\xA3", 0},
        {"日15", 0},
        {"～", 0},
        {"1 5", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.value) << c.text;
}

class Schedule : public FakeProcess {
protected:
    void SetUp() override {
        FakeProcess::SetUp();
        LanguageMode = 2;
        window::SetTimerPeriod(86400000);
        window::SetText(Control::编辑框_路径, "D:\\bk\\");
    }
    void Monthly(bool on, const std::string& day) {
        if (window::IsChecked(Control::选择框2) != on) fake::Click(Control::选择框2);
        window::SetText(Control::编辑框2, day);
    }
    bool Ran() {
        bool ran = !fake::runs.empty() || !fake::messageBoxes.empty();
        fake::runs.clear();
        fake::messageBoxes.clear();
        return ran;
    }
};

TEST_F(Schedule, RunsOnlyOnTheDayWhenTicked) {
    fake::SetClock({2017, 2, 15, 9, 0, 0});
    Monthly(false, "15");
    fake::FireTimer();
    EXPECT_FALSE(Ran());
    EXPECT_EQ(Log(), "") << "nothing logged when the tick does nothing";

    Monthly(true, "14");
    fake::FireTimer();
    EXPECT_FALSE(Ran());
    EXPECT_EQ(Log(), "");

    Monthly(true, "１５");
    fake::FireTimer();
    EXPECT_TRUE(Ran());
    EXPECT_EQ(Log().find("2017/2/15/9::Automatic backup program starts!\r\n"), 0u);
}

TEST_F(Schedule, ChineseStartLine) {
    LanguageMode = 1;
    fake::SetClock({2017, 2, 3, 8, 26, 59});
    Monthly(true, "3");
    fake::FireTimer();
    EXPECT_EQ(Log().find("2017年2月3日8时26分59秒:自动备份程序启动！\r\n"), 0u);
}

TEST_F(Schedule, DaysNoMonthHas) {
    Monthly(true, "31");
    const os::ClockReading days[] = {{2017, 2, 28, 1, 0, 0}, {2017, 4, 30, 1, 0, 0}, {2017, 3, 1, 1, 0, 0}};
    for (const auto& d : days) {
        fake::SetClock(d);
        fake::FireTimer();
        EXPECT_FALSE(Ran());
    }
    fake::SetClock({2017, 3, 31, 1, 0, 0});
    fake::FireTimer();
    EXPECT_TRUE(Ran());

    Monthly(true, "29");
    fake::SetClock({2017, 2, 28, 1, 0, 0});
    fake::FireTimer();
    EXPECT_FALSE(Ran());
    fake::SetClock({2016, 2, 29, 1, 0, 0});
    fake::FireTimer();
    EXPECT_TRUE(Ran());
}

TEST_F(Schedule, NoNumberEverMatches) {
    for (const char* day : {"", "abc", "0", "-3", "32", "2147483648"}) {
        Monthly(true, day);
        for (int d = 1; d <= 31; ++d) {
            fake::SetClock({2017, 1, d, 1, 0, 0});
            fake::FireTimer();
        }
        EXPECT_FALSE(Ran()) << day;
    }
}

}  // namespace
