#include "backup/schedule.h"

#include "backup/job.h"
#include "logtext/datetime.h"
#include "logtext/log.h"
#include "platform/window.h"
#include "settings/language.h"

namespace {

// Full-width forms and a few look-alikes become their ASCII bytes, so a day
// typed with a Chinese input method still reads as a number.
std::string FoldWidth(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        if (!(lead & 0x80)) {
            out += static_cast<char>(lead);
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lone lead byte ends the text
        unsigned char trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            out += static_cast<char>(trail - 0x80);
        else if (lead == 0xA1 && trail == 0xA1)
            out += ' ';
        else if (lead == 0xA1 && trail == 0xAB)
            out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            out += '*';
        else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

}  // namespace

int32_t TextToInteger(const std::string& text) {
    std::string s = FoldWidth(text);
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    uint32_t value = 0;  // unsigned: the wrap-around is defined
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(s[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

void ScheduleTick() {
    // A tick during a run (its message pass or a message box) does nothing.
    if (BackupRunning()) return;
    if (!window::IsChecked(Control::选择框2)) return;
    if (DayOfMonth(CurrentDateTime()) != TextToInteger(window::GetText(Control::编辑框2))) return;
    AppendLog(English() ? "Automatic backup program starts!" : "自动备份程序启动！");
    RunBackup();
}
