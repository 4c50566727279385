#pragma once
#include <string>

#include "logtext/datetime.h"

// One timestamped line at the end of the activity log box.
void AppendLog(const std::string& message);
// The timestamp alone, in the current language's form.
std::string LogTimestamp(const LocalDateTime& now);
