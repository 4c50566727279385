#include "logtext/datetime.h"

#include <cstdio>

#include "platform/os.h"

LocalDateTime CurrentDateTime() {
    os::ClockReading r = os::LocalClock();
    return {r.year, r.month, r.day, r.hour, r.minute, r.second};
}

LocalDateTime DateOnly(const LocalDateTime& v) { return {v.year, v.month, v.day, 0, 0, 0}; }

int DayOfMonth(const LocalDateTime& v) { return v.day; }

std::string DateText(const LocalDateTime& v) {
    char buf[96];
    int n = std::snprintf(buf, sizeof buf, "%d年%d月%d日", v.year, v.month, v.day);
    if (v.second != 0)
        std::snprintf(buf + n, sizeof buf - n, "%d时%d分%d秒", v.hour, v.minute, v.second);
    else if (v.minute != 0)
        std::snprintf(buf + n, sizeof buf - n, "%d时%d分", v.hour, v.minute);
    else if (v.hour != 0)
        std::snprintf(buf + n, sizeof buf - n, "%d时", v.hour);
    return buf;
}
