#include "backup/script.h"

#include "logtext/replace.h"

const char* const BackupScriptPath = "c:\\systembackup.bat";

namespace {

// Stands for the destination folder in the template; every occurrence is
// replaced, so it never reaches a script.
const char* const kPlaceholder = "\\\\192.0.2.10\\e$\\SystemLog\\日期文件夹名称\\服务器文件夹名称\\";

// Each path is quoted so that blanks and & | < > ^ in a root stay part of
// it. Each copy stops the script with exit code 1 when it fails, so a failed
// copy is seen even when an older copy of the file is already in the folder.
// The test is "& if errorlevel 1", not "||": some command interpreters run
// the right side of || after a success too. md is skipped for a folder that
// exists, so its errorlevel 1 never reaches the first test. /y keeps a COPYCMD
// setting from turning an overwrite into a prompt nobody can answer.
std::string Template() {
    const std::string p = kPlaceholder;
    const std::string logs = "C:\\Windows\\System32\\winevt\\Logs\\";
    std::string t = "if not exist \"" + p + "\" md \"" + p + "\"";
    for (const char* name : {"Application", "Security", "Setup", "System"}) {
        t += "\r\ncopy /y \"" + logs + name + ".evtx\" \"" + p + name +
             ".evtx\" & if errorlevel 1 exit 1";
    }
    return t;
}

}  // namespace

bool QuotableFolder(const std::string& folder) {
    for (unsigned char c : folder)
        if (c == '"' || c < 0x20) return false;
    return true;
}

std::string BackupScriptText(const std::string& destinationFolder) {
    // A batch file expands %...% even between quotes; %% stands for one %.
    std::string escaped = ReplaceSubtexts(destinationFolder, {"%", "%%"});
    return ReplaceSubtexts(Template(), {kPlaceholder, escaped});
}

bool WriteBackupScript(const std::string& destinationFolder) {
    return os::CreateAndWriteFile(BackupScriptPath, BackupScriptText(destinationFolder));
}

os::ProcessOutcome RunRedirectionFree(const std::string& commandLine, os::ShowMode show) {
    void* previous = os::RedirectionOff();
    os::ProcessOutcome outcome = os::StartProcessAndWait(commandLine, show);
    os::RedirectionBack(previous);
    return outcome;
}
