#include "settings/settings.h"

#include "platform/os.h"
#include "platform/window.h"

namespace {
// The reader's buffer: values longer than 10,239 bytes are cut.
constexpr unsigned kValueBuffer = 10240;
}

std::string SettingsFilePath() { return os::ProgramDirectory() + "\\Config.ini"; }

std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& fallback) {
    return os::ReadProfileString(section, key, fallback, SettingsFilePath(), kValueBuffer);
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    // A failed write is not reported: the file keeps its old content and the
    // next load brings it back.
    os::WriteProfileString(section, key, value, SettingsFilePath());
}

void ApplySavedSettings() {
    // A box is only ever ticked here, never unticked.
    if (ReadSetting("Con", "Con1", "0") == "1") window::SetChecked(Control::选择框1, true);
    if (ReadSetting("Con", "Con2", "0") == "1") window::SetChecked(Control::选择框2, true);
    // Each of these raises text-changed and so saves, before the next read.
    window::SetText(Control::编辑框2, ReadSetting("T", "T1", "1"));
    window::SetText(Control::编辑框_路径, ReadSetting("Path", "Path1", ""));
}

void SaveSettings() {
    // An empty box is never written: the save raised while the day box is
    // filled at start-up would otherwise wipe the stored backup root.
    std::string path = window::GetText(Control::编辑框_路径);
    if (!path.empty()) WriteSetting("Path", "Path1", path);
    WriteSetting("Con", "Con1", window::IsChecked(Control::选择框1) ? "1" : "0");
    WriteSetting("Con", "Con2", window::IsChecked(Control::选择框2) ? "1" : "0");
    std::string day = window::GetText(Control::编辑框2);
    if (!day.empty()) WriteSetting("T", "T1", day);
}
