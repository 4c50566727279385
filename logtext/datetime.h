#pragma once
#include <string>

struct LocalDateTime {
    int year, month, day, hour, minute, second;
};

LocalDateTime CurrentDateTime();
LocalDateTime DateOnly(const LocalDateTime& value);
int DayOfMonth(const LocalDateTime& value);
// 2017年2月3日8时26分59秒, 2017年2月3日8时26分, 2017年2月3日8时, 2017年2月3日.
std::string DateText(const LocalDateTime& value);
