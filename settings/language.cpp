#include "settings/language.h"

#include "logtext/log.h"
#include "platform/window.h"
#include "settings/settings.h"

int LanguageMode = 0;

namespace {

constexpr long kDayMilliseconds = 86400000;

void LayOutEnglish() {
    window::SetCaption(Control::选择框1, "Automatic emptying system logs after export");
    window::SetLeft(Control::编辑框2, 285);
    window::SetLeft(Control::标签2, window::GetLeft(Control::编辑框2) + 39);
    window::SetWidth(Control::选择框2, 232);
    window::SetCaption(Control::标签2, "st");
    window::SetCaption(Control::选择框2, "Automatic backup every month on the");
    window::SetWindowTitle("Brenvo X64");
}

void LayOutChinese() {
    window::SetLeft(Control::编辑框2, 202);
    window::SetLeft(Control::标签2, window::GetLeft(Control::编辑框2) + 39);
    window::SetWidth(Control::选择框2, 152);
    window::SetCaption(Control::标签2, "日");
    window::SetCaption(Control::选择框2, "自动备份系统日志于每月");
    window::SetCaption(Control::选择框1, "导出后自动清空系统日志");
}

}  // namespace

void LoadSettingsAndLayout() {
    LanguageMode = ReadSetting("Language", "L1", "2") == "2" ? 2 : 1;
    if (English())
        LayOutEnglish();
    else
        LayOutChinese();
    ApplySavedSettings();
    // Same period on every reload, so a change of language leaves the
    // 24-hour cycle where it is.
    window::SetTimerPeriod(kDayMilliseconds);
    AppendLog(English() ? "The program starts successfully" : "程序启动成功！");
}

void ChangeLanguage() {
    if (LanguageMode == 1) {
        LanguageMode = 2;
        WriteSetting("Language", "L1", "2");
    } else {
        LanguageMode = 1;
        WriteSetting("Language", "L1", "1");
    }
    // The reload reads L1 back: what the file holds decides.
    LoadSettingsAndLayout();
}
