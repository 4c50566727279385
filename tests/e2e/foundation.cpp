// The backup script, the redirection-free runner and the address lookup on
// a real Windows API (Wine): the script's bytes on disk, what the command
// interpreter does with them, and which System32 the copies come from.
//
// The runner puts distinct files into the native System32\winevt\Logs and
// decoys into SysWOW64\winevt\Logs; E2E_TAG holds the random part of their
// contents.
#include "tests/e2e/e2e.h"

#include "backup/address.h"
#include "backup/script.h"

using namespace e2e;

namespace {

const std::string kRoot = "C:\\e2e root\\";

std::string native[4];
std::string decoys[4];

bool Starts(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}

void CheckCodePage() {
    CheckNumber(GetACP(), 936, "the ANSI code page is 936 (GBK)");
}

// The fixture itself: without it every copy check below could pass for the
// wrong reason.
bool CheckFixture() {
    const std::string tag = Env("E2E_TAG");
    bool ok = Check(!tag.empty(), "E2E_TAG is set by the runner");
    ok = Check(ReadNativeLogs(native), "the native logs can be read with redirection off") && ok;
    ok = Check(ReadRedirectedLogs(decoys), "the redirected logs (decoys) can be read") && ok;
    for (int i = 0; i < 4; ++i) {
        const std::string name = kLogNames[i];
        ok = Check(Starts(native[i], "NATIVE-" + name + "-" + tag),
                   name + ".evtx: redirection off shows the native file",
                   "got \"" + Shown(native[i].substr(0, 60)) + "\"") && ok;
        ok = Check(Starts(decoys[i], "WOW64-DECOY-" + name + "-" + tag),
                   name + ".evtx: redirection on shows the SysWOW64 decoy",
                   "got \"" + Shown(decoys[i].substr(0, 60)) + "\"") && ok;
    }
    return ok;
}

// The copies in `destination` carry the native bytes; `what` names the case.
void CheckCopies(const std::string& destination, const std::string& what) {
    for (int i = 0; i < 4; ++i) {
        std::string copy;
        const std::string path = destination + kLogNames[i] + ".evtx";
        if (!Check(ReadFileBytes(path, copy), what + ": " + kLogNames[i] + ".evtx was copied",
                   "missing: " + Shown(path)))
            continue;
        if (copy == decoys[i]) {
            Check(false, what + ": " + kLogNames[i] + ".evtx holds the native bytes",
                  "it holds the SysWOW64 decoy");
            continue;
        }
        CheckText(copy, native[i], what + ": " + kLogNames[i] + ".evtx holds the native bytes");
    }
}

void CheckRedirectionBackOn(const std::string& what) {
    std::string seen;
    ReadFileBytes(std::string(kLogFolder) + "Application.evtx", seen);
    Check(seen == decoys[0], what + ": redirection is back on for the caller",
          "System32 shows \"" + Shown(seen.substr(0, 40)) + "\"");
}

std::string ScriptOnDisk() {
    std::string bytes;
    ReadFileBytes(kScriptPath, bytes);
    return bytes;
}

struct Destination {
    const char* what;
    std::string folder;
};

// Folders that a batch file gets wrong unless every path is quoted and
// every % doubled: a blank splits the command, & starts another, %NAME%
// expands to a variable's value. Chinese characters must reach the file
// as GBK bytes and survive the command interpreter.
void BackupsToRealFolders() {
    const Destination cases[] = {
        {"a folder with blanks", kRoot + "dest 1\\201723\\192.0.2.2\\"},
        {"a folder with % and &", kRoot + "%USERNAME% & 50%\\x\\"},
        {"a folder with Chinese characters", kRoot + "备份 目录\\日志\\"},
    };
    bool first = true;
    for (const Destination& d : cases) {
        const std::string what = d.what;
        RemoveTree(d.folder.substr(0, d.folder.size() - 1));
        if (first) {
            // An older, longer script must not leave a tail behind.
            WriteFileBytes(kScriptPath, std::string(4000, 'x') + "\r\nrem old\r\n");
            first = false;
        }
        Check(WriteBackupScript(d.folder), what + ": WriteBackupScript reports the whole script written");
        CheckText(ScriptOnDisk(), ExpectedScript(d.folder), what + ": bytes of c:\\systembackup.bat");
        os::ProcessOutcome run = RunRedirectionFree(kScriptPath, os::ShowMode::Hidden);
        Check(run.started, what + ": the script was started");
        CheckNumber(run.exitCode, 0, what + ": the script's exit code");
        CheckCopies(d.folder, what);
        CheckRedirectionBackOn(what);
    }
}

// A copy that fails stops the script with a non-zero exit code, also when
// it is not the last one: a stale copy in the folder must not pass for a
// new one.
void FailingCopies() {
    {
        const std::string blocker = kRoot + "blocker.txt";
        RemoveTree(blocker);
        MakeFolders(kRoot);
        WriteFileBytes(blocker, "a file where a folder should be");
        const std::string folder = blocker + "\\sub\\";
        WriteBackupScript(folder);
        os::ProcessOutcome run = RunRedirectionFree(kScriptPath, os::ShowMode::Hidden);
        Check(run.started, "destination under a file: the script was started");
        Check(run.started && run.exitCode != 0, "destination under a file: non-zero exit code",
              "exit code " + std::to_string(run.exitCode));
    }
    {
        const std::string folder = kRoot + "missing source\\";
        RemoveTree(folder.substr(0, folder.size() - 1));
        const std::string source = std::string(kLogFolder) + "Application.evtx";
        const std::string aside = std::string(kLogFolder) + "Application.evtx.aside";
        bool moved;
        {
            RedirectionOffHere off;
            moved = MoveFileA(source.c_str(), aside.c_str());
        }
        if (Check(moved, "first source missing: the native Application.evtx was moved aside")) {
            WriteBackupScript(folder);
            os::ProcessOutcome run = RunRedirectionFree(kScriptPath, os::ShowMode::Hidden);
            {
                RedirectionOffHere off;
                MoveFileA(aside.c_str(), source.c_str());
            }
            Check(run.started && run.exitCode != 0, "first source missing: non-zero exit code",
                  run.started ? "exit code " + std::to_string(run.exitCode) : "not started");
            Check(!Exists(folder + "Security.evtx"),
                  "first source missing: the script stops at the failed copy");
        }
    }
}

void UnstartableAndUnwritable() {
    {
        const std::string missing = "c:\\nosuchscript.bat";
        DeleteFileA(missing.c_str());
        os::ProcessOutcome run = RunRedirectionFree(missing, os::ShowMode::Hidden);
        Check(!run.started, "a missing script is reported as not started");
        CheckRedirectionBackOn("a missing script");
    }
    {
        // Someone holds the script open without sharing: the write fails and
        // says so, and the old script is left as it was.
        const std::string old = "rem an older script";
        WriteFileBytes(kScriptPath, old);
        HANDLE lock = CreateFileA(kScriptPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        bool written = WriteBackupScript(kRoot + "locked\\");
        CloseHandle(lock);
        Check(lock != INVALID_HANDLE_VALUE && !written,
              "a script file that cannot be opened: WriteBackupScript reports failure");
        CheckText(ScriptOnDisk(), old, "a script file that cannot be opened keeps its old bytes");
    }
    DeleteFileA(kScriptPath);
}

// Not a check of the tool: tells whether this command interpreter runs the
// right side of || only after a failure, as Windows' does. Wine 8's runs it
// always, which is why the script tests "if errorlevel 1" instead.
void NoteHowOrBehaves() {
    const std::string probe = "c:\\e2e_or_probe.bat";
    WriteFileBytes(probe, "@echo off\r\nver >nul || exit 7\r\nexit 0");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    std::string commandLine = probe;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(probe.c_str());
    if (code == 7)
        std::printf("# note: this command interpreter runs the right side of || after a command "
                    "that succeeded (\"ver || exit 7\" exits with 7)\n");
}

void AddressLookup() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 0), &data);
    std::vector<std::string> expected = ResolverAddresses();
    if (expected.size() > 10) expected.resize(10);
    LocalAddressList list = GetLocalAddressList();
    if (Check(!list.empty(), "GetLocalAddressList is not empty") && !expected.empty()) {
        CheckText(list[0], expected[0], "the first address is the resolver's first");
        CheckNumber(list.size(), expected.size(), "as many addresses as the resolver gives (at most 10)");
    }
    WSACleanup();
}

}  // namespace

int main() {
    // Like the tool, which has no console: the script's command interpreter
    // then gets a console of its own instead of echoing into this output.
    FreeConsole();
    CheckCodePage();
    if (CheckFixture()) {
        NoteHowOrBehaves();
        BackupsToRealFolders();
        FailingCopies();
    }
    UnstartableAndUnwritable();
    AddressLookup();
    return Summary();
}
