#include "backup/job.h"

#include <string>

#include "backup/address.h"
#include "backup/script.h"
#include "logtext/datetime.h"
#include "logtext/log.h"
#include "logtext/replace.h"
#include "platform/os.h"
#include "platform/window.h"
#include "settings/language.h"

namespace {

bool running = false;

const char* const kCopyError =
    "Error log backups, please manually check whether the backup is successful!";

const char* ErrorCaption() { return English() ? "Error" : "错误"; }

// The root must end with a one-byte backslash (not the trail byte of a
// two-byte character) and must fit between quotation marks in the script.
bool UsableRoot(const std::string& root) {
    if (root.empty() || !QuotableFolder(root)) return false;
    size_t i = 0, last = 0;
    while (i < root.size()) {
        last = i;
        i += (static_cast<unsigned char>(root[i]) & 0x80) && i + 1 < root.size() ? 2 : 1;
    }
    return root.size() - last == 1 && root[last] == '\\';
}

bool CopiesExist(const std::string& folder) {
    for (const char* name : {"Application.evtx", "Security.evtx", "Setup.evtx", "System.evtx"})
        if (!os::PathExists(folder + name)) return false;
    return true;
}

void Backup() {
    LocalAddressList addresses = GetLocalAddressList();
    std::string root = window::GetText(Control::编辑框_路径);
    if (!UsableRoot(root)) {
        std::string text = English() ? "The path error. Please check it!" : "备份路径错误，请检查！";
        AppendLog(text);
        window::ShowMessageBox(text, ErrorCaption());
        return;
    }
    std::string dateFolder =
        ReplaceSubtexts(DateText(DateOnly(CurrentDateTime())), {"年", ""}, {"月", ""}, {"日", ""});
    if (addresses.empty()) {
        window::ShowMessageBox(English() ? "Get the local IP address is wrong! Backup was not successful"
                                         : "获取本机IP出错！备份未成功",
                               ErrorCaption());
        return;
    }
    std::string destination = root + dateFolder + "\\" + addresses.front() + "\\";

    // Only a script written whole by this run is run, and only a run whose
    // script exited with 0 counts: copies already in a same-day folder must
    // not pass for today's backup (and let the Application log be cleared).
    bool made = false;
    if (WriteBackupScript(destination)) {
        window::DispatchWaitingMessages();
        os::ProcessOutcome script = RunRedirectionFree(BackupScriptPath, os::ShowMode::Hidden);
        made = script.started && script.exitCode == 0 && CopiesExist(destination);
    }
    if (!made) {
        AppendLog(kCopyError);
        window::ShowMessageBox(kCopyError, "Error");
        return;
    }
    os::DeletePath(BackupScriptPath);
    if (window::IsChecked(Control::选择框1))
        RunRedirectionFree("wevtutil cl Application", os::ShowMode::Normal);
    AppendLog(English() ? "Brenvo runs successfully!" : "Brenvo运行成功！");
}

}  // namespace

bool BackupRunning() { return running; }

void RunBackup() {
    // A run started inside a run (from its message pass or one of its
    // message boxes) would delete the outer run's script before it runs.
    if (running) return;
    running = true;
    Backup();
    running = false;
}
