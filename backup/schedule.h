#pragma once
#include <string>
#include <cstdint>

void ScheduleTick();
// Full-width forms folded to ASCII, then a C-style signed decimal with
// 32-bit wrap-around; never fails.
int32_t TextToInteger(const std::string& text);
