#include "logtext/log.h"

#include "logtext/datetime.h"
#include "logtext/replace.h"
#include "platform/window.h"
#include "settings/language.h"

std::string LogTimestamp(const LocalDateTime& now) {
    std::string stamp = DateText(now);
    if (!English()) return stamp;
    stamp = ReplaceSubtexts(stamp, {"年", "/"}, {"月", "/"}, {"日", "/"}, {"时", ":"}, {"分", ":"});
    return ReplaceSubtexts(stamp, {"秒", ""});
}

void AppendLog(const std::string& message) {
    window::AppendToLogBox(LogTimestamp(CurrentDateTime()) + ":" + message + "\r\n");
}
