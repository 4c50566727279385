// Measures Brenvo.exe against the floor that the system itself sets, all in
// one run under one Wine prefix, and writes one table to the file named by
// the first argument (a GUI program has no console to print to).
//
// The driver is a 32-bit GUI program like the tool, so that what it starts
// gets the same kind of console and the same redirection as what the tool
// starts. bench/run.sh puts the programs in place:
//   C:\bench\tool\Brenvo.exe, C:\bench\bare\Bare.exe
// and four native event logs in System32\winevt\Logs.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/ids.h"
#include "backup/script.h"
#include "tests/e2e/e2e.h"

namespace {

const char kToolExe[] = "C:\\bench\\tool\\Brenvo.exe";
const char kToolIni[] = "C:\\bench\\tool\\Config.ini";
const char kBareExe[] = "C:\\bench\\bare\\Bare.exe";
const char kCopyFolder[] = "C:\\bench\\ini";
const char kCopyIni[] = "C:\\bench\\ini\\Config.ini";
const char kMirrorFolder[] = "C:\\bench\\ini4";
const char kMirrorIni[] = "C:\\bench\\ini4\\Config.ini";
const char kRoot[] = "C:\\bench\\out\\";
const char kBaselineScript[] = "c:\\bench.bat";
const char kLogFolder[] = "C:\\Windows\\System32\\winevt\\Logs\\";
const char* const kLogNames[] = {"Application", "Security", "Setup", "System"};

const char kToolTitle[] = "Brenvo X64";
const char kBareTitle[] = "Bare Window";
const char kBareEditTitle[] = "Bare Window edit";
const char kBareSaveTitle[] = "Bare Window edit save";
const char kSuccess[] = "Brenvo runs successfully!\r\n";

const int kStarts = 31;       // each; the median of an odd count is one sample
const int kPieceStarts = 15;  // each, for the variants that tell the pieces apart
const int kBackups = 41;
const int kPieceRuns = 11;
const int kKeystrokes = 201;
const DWORD kTypingPauseMs = 5;

FILE* report = nullptr;
HANDLE running = nullptr;  // a child to end if the bench has to give up

void Say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(report, format, args);
    va_end(args);
    std::fflush(report);
}

[[noreturn]] void Fail(const std::string& what) {
    Say("bench failed: %s (last error %lu)\n", what.c_str(), GetLastError());
    if (running) TerminateProcess(running, 99);
    std::fclose(report);
    ExitProcess(1);
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ------------------------------------------------------------ files

bool ReadBytes(const std::string& path, std::string& out) { return e2e::ReadFileBytes(path, out); }

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = bytes.empty() ||
              (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
               n == bytes.size());
    CloseHandle(h);
    return ok;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// ------------------------------------------------------------ redirection

// Bound by name, as the tool binds it, so the baseline pays what the tool
// pays.
using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

template <typename Fn>
Fn Kernel(const char* name) {
    FARPROC f = GetProcAddress(LoadLibraryA("Kernel32.dll"), name);
    if (!f) Fail(std::string("no ") + name);
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(f));
}

DisableFn RedirectionOff = nullptr;
RevertFn RedirectionBack = nullptr;

// ------------------------------------------------------------ windows

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

bool LengthOf(HWND h, size_t& length, UINT timeout = 5000) {
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeout, &n)) return false;
    length = n;
    return true;
}

std::string TextOf(HWND h) {
    size_t length = 0;
    if (!LengthOf(h, length)) return std::string();
    std::vector<char> buf(length + 64);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_NORMAL, 5000, &copied))
        return std::string();
    return std::string(buf.data(), copied);
}

bool WaitUntil(const std::function<bool()>& done, double ms) {
    double start = Now();
    while (!done()) {
        if (Now() - start > ms) return false;
        Sleep(1);
    }
    return true;
}

// ------------------------------------------------------------ starting

struct Child {
    PROCESS_INFORMATION pi{};
    HWND main = nullptr;
    double seenMs = -1;     // the titled window exists (not yet visible)
    double visibleMs = -1;  // IsWindowVisible, which turns true inside ShowWindow
    double readyMs = -1;    // visible and answering with its text (below)
    double peakKB = 0;
};

HANDLE nulIn = nullptr;
HANDLE nulOut = nullptr;

HANDLE OpenNul(DWORD access) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                       0, nullptr);
}

double PeakWorkingSetKB(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) Fail("OpenProcess for the working set");
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    BOOL ok = GetProcessMemoryInfo(h, &counters, sizeof counters);
    CloseHandle(h);
    if (!ok) Fail("GetProcessMemoryInfo");
    return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

// From just before CreateProcess to the window being visible and its text
// being there: for the tool the log box's (the start line), for the bare
// window its title. Either is read by a sent message, which a program
// answers only from its message loop, so both are measured to the same
// point: shown, painted and waiting for input. Polled every millisecond.
void Launch(const char* exe, const char* args, const char* title, bool tool, Child& c) {
    std::string commandLine = std::string("\"") + exe + "\"" + (args ? std::string(" ") + args : "");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nulIn;
    si.hStdOutput = nulOut;
    si.hStdError = nulOut;
    const double t0 = Now();
    if (!CreateProcessA(exe, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, "C:\\", &si,
                        &c.pi))
        Fail(std::string("CreateProcess ") + exe);
    running = c.pi.hProcess;
    for (;;) {
        HWND h = FindWindowA(nullptr, title);
        if (h && ProcessOf(h) == c.pi.dwProcessId) {
            if (c.seenMs < 0) c.seenMs = Now() - t0;
            if (IsWindowVisible(h)) {
                if (c.visibleMs < 0) c.visibleMs = Now() - t0;
                size_t length = 0;
                HWND holder = tool ? GetDlgItem(h, ID_编辑框_LOG) : h;
                if (holder && LengthOf(holder, length, 1000) && length > 0) {
                    c.readyMs = Now() - t0;
                    c.main = h;
                    break;
                }
            }
        }
        if (WaitForSingleObject(c.pi.hProcess, 0) == WAIT_OBJECT_0)
            Fail(std::string(exe) + " ended before its window was ready");
        if (Now() - t0 > 30000) Fail(std::string(exe) + " did not show its window in 30 s");
        Sleep(1);
    }
    c.peakKB = PeakWorkingSetKB(c.pi.dwProcessId);
}

std::vector<double> closeMs;

void Close(Child& c) {
    const double t0 = Now();
    PostMessageA(c.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(c.pi.hProcess, 10000) != WAIT_OBJECT_0)
        Fail("a program did not end within 10 s of WM_CLOSE");
    DWORD code = 1;
    GetExitCodeProcess(c.pi.hProcess, &code);
    if (code != 0) Fail("a program ended with exit code " + std::to_string(code));
    closeMs.push_back(Now() - t0);
    CloseHandle(c.pi.hThread);
    CloseHandle(c.pi.hProcess);
    running = nullptr;
    // Let the ended process's teardown finish before the next start, so it
    // does not eat into the next sample.
    Sleep(100);
}

// ------------------------------------------------------------ backup

std::string DestinationFolder() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 0), &data);
    char name[256];
    if (gethostname(name, sizeof name) == SOCKET_ERROR) Fail("gethostname");
    hostent* entry = gethostbyname(name);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) Fail("gethostbyname");
    in_addr address;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    SYSTEMTIME t;
    GetLocalTime(&t);
    return std::string(kRoot) + std::to_string(t.wYear) + std::to_string(t.wMonth) +
           std::to_string(t.wDay) + "\\" + inet_ntoa(address) + "\\";
}

// Click to success line.
double ToolRun(HWND button, HWND log) {
    size_t before = 0;
    if (!LengthOf(log, before)) Fail("the log box does not answer");
    const double t0 = Now();
    PostMessageA(button, BM_CLICK, 0, 0);
    for (;;) {
        size_t length = 0;
        // Blocks while the tool waits for its script, and returns as soon as
        // the tool is back in its message loop.
        if (LengthOf(log, length, 60000) && length > before) {
            std::string text = TextOf(log);
            std::string added = text.size() > before ? text.substr(before) : std::string();
            if (added.size() >= sizeof kSuccess - 1 &&
                added.compare(added.size() - (sizeof kSuccess - 1), std::string::npos, kSuccess) == 0)
                return Now() - t0;
            if (added.find("Error") != std::string::npos) Fail("the tool logged: " + added);
        }
        if (Now() - t0 > 60000) Fail("no success line within 60 s");
        Sleep(1);
    }
}

// Where a tool run spends its time, seen from outside: a second thread
// notes when the tool's script appears on disk and when it is deleted again.
// It polls every millisecond, which slows the run, so these runs are kept
// out of the table.
struct ScriptWatch {
    volatile LONG stop = 0;
    double seen = -1, gone = -1;
};

DWORD WINAPI WatchScript(void* parameter) {
    auto* w = static_cast<ScriptWatch*>(parameter);
    while (!w->stop) {
        const bool there = GetFileAttributesA("c:\\systembackup.bat") != INVALID_FILE_ATTRIBUTES;
        const double t = Now();
        if (there && w->seen < 0) w->seen = t;
        if (!there && w->seen >= 0 && w->gone < 0) w->gone = t;
        Sleep(1);
    }
    return 0;
}

struct RunPieces {
    std::vector<double> total, beforeScript, afterScript;
};

void WatchedToolRun(HWND button, HWND log, RunPieces& pieces) {
    ScriptWatch w;
    HANDLE thread = CreateThread(nullptr, 0, WatchScript, &w, 0, nullptr);
    if (!thread) Fail("CreateThread");
    Sleep(5);
    const double t0 = Now();
    const double total = ToolRun(button, log);
    InterlockedExchange(&w.stop, 1);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    if (w.seen < 0 || w.gone < 0) return;  // too quick to be seen; not counted
    pieces.total.push_back(total);
    pieces.beforeScript.push_back(w.seen - t0);
    pieces.afterScript.push_back(t0 + total - w.gone);
}

// The same script run directly, started the way the tool starts it.
double BaselineRun(const char* command = "cmd /c c:\\bench.bat") {
    std::string commandLine = command;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    const double t0 = Now();
    PVOID previous = nullptr;
    RedirectionOff(&previous);
    BOOL started =
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi);
    DWORD code = 1;
    if (started) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    RedirectionBack(previous);
    const double ms = Now() - t0;
    if (!started) Fail(commandLine + " did not start");
    if (code != 0) Fail(commandLine + " ended with exit code " + std::to_string(code));
    return ms;
}

// ------------------------------------------------------------ keystrokes

// One sent message, in milliseconds; the tool answers WM_CHAR only once the
// edit box and the change handler behind it are done.
double SendTimed(HWND h, UINT message, WPARAM w) {
    DWORD_PTR result = 0;
    const double t0 = Now();
    if (!SendMessageTimeoutA(h, message, w, 1, SMTO_NORMAL, 5000, &result))
        Fail("a sent message was not answered in 5 s");
    return Now() - t0;
}

struct Keystrokes {
    std::vector<double> charMs, nullMs, writeMs, fourWritesMs;
};

// Characters typed into `box`, which holds kRoot with the caret at its end:
// "x" and Backspace in turn. Every timed call starts after a pause, as a key
// typed by hand reaches a tool that has been idle (back to back, the same
// calls take half the time here); the driver's own profile writes, timed
// for the baseline, get the same pauses.
Keystrokes TypeInto(HWND box) {
    Keystrokes k;
    for (int i = -20; i < kKeystrokes; ++i) {
        const bool add = (i + 20) % 2 == 0;
        const std::string value = add ? std::string(kRoot) + "x" : std::string(kRoot);
        Sleep(kTypingPauseMs);
        double n = SendTimed(box, WM_NULL, 0);
        Sleep(kTypingPauseMs);
        double c = SendTimed(box, WM_CHAR, add ? 'x' : '\b');
        Sleep(kTypingPauseMs);
        double t0 = Now();
        WritePrivateProfileStringA("Path", "Path1", value.c_str(), kCopyIni);
        double w = Now() - t0;
        // What the tool's save does: the changed key and three unchanged.
        Sleep(kTypingPauseMs);
        t0 = Now();
        WritePrivateProfileStringA("Path", "Path1", value.c_str(), kMirrorIni);
        WritePrivateProfileStringA("Con", "Con1", "0", kMirrorIni);
        WritePrivateProfileStringA("Con", "Con2", "0", kMirrorIni);
        WritePrivateProfileStringA("T", "T1", "1", kMirrorIni);
        double w4 = Now() - t0;
        if (i < 0) continue;
        k.nullMs.push_back(n);
        k.charMs.push_back(c);
        k.writeMs.push_back(w);
        k.fourWritesMs.push_back(w4);
    }
    return k;
}

// A bare-window variant with one edit box, typed into like the tool.
Keystrokes TypeIntoBare(const char* args, const char* title) {
    Child bare;
    Launch(kBareExe, args, title, false, bare);
    HWND edit = GetDlgItem(bare.main, 1);
    if (!edit) Fail(std::string("no edit box in \"") + title + "\"");
    for (const char* p = kRoot; *p; ++p) SendTimed(edit, WM_CHAR, static_cast<unsigned char>(*p));
    Keystrokes k = TypeInto(edit);
    Close(bare);
    return k;
}

// ------------------------------------------------------------ the table

std::string Fixed(double v, const char* unit, int decimals = 1) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f %s", decimals, v, unit);
    return buf;
}

std::string Ratio(double r) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2fx", r);
    return buf;
}

void Row(const char* name, const std::string& tool, const std::string& base, const std::string& ratio,
         const char* goal, const char* verdict) {
    Say("%-38s %11s %11s %7s %9s  %s\n", name, tool.c_str(), base.c_str(), ratio.c_str(), goal,
        verdict);
}

const char* Met(bool ok) { return ok ? "met" : "MISSED"; }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Max(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* reportPath = __argc > 1 ? __argv[1] : "C:\\bench\\result.txt";
    report = std::fopen(reportPath, "w");
    if (!report) return 2;
    if (GetACP() != 936) Fail("the ANSI code page is " + std::to_string(GetACP()) + ", not 936");
    RedirectionOff = Kernel<DisableFn>("Wow64DisableWow64FsRedirection");
    RedirectionBack = Kernel<RevertFn>("Wow64RevertWow64FsRedirection");
    nulIn = OpenNul(GENERIC_READ);
    nulOut = OpenNul(GENERIC_WRITE);
    if (nulIn == INVALID_HANDLE_VALUE || nulOut == INVALID_HANDLE_VALUE) Fail("opening NUL");
    double phase[5];

    // ---- 1 and 4: start-up and the working set, tool and bare window
    // interleaved, the order swapped every round; one round to warm up.
    phase[0] = Now();
    std::vector<double> toolStart, bareStart, toolSeen, bareSeen, toolVisible, bareVisible;
    std::vector<double> toolPeak, barePeak;
    for (int round = -1; round < kStarts; ++round) {
        for (int k = 0; k < 2; ++k) {
            const bool tool = (k == 0) == (round % 2 == 0);
            Child c;
            if (tool) Launch(kToolExe, nullptr, kToolTitle, true, c);
            else Launch(kBareExe, nullptr, kBareTitle, false, c);
            Close(c);
            if (round < 0) continue;
            (tool ? toolStart : bareStart).push_back(c.readyMs);
            (tool ? toolSeen : bareSeen).push_back(c.seenMs);
            (tool ? toolVisible : bareVisible).push_back(c.visibleMs);
            (tool ? toolPeak : barePeak).push_back(c.peakKB);
        }
    }

    // ---- 2: backup runs against the script run directly, interleaved
    phase[1] = Now();
    Child tool;
    Launch(kToolExe, nullptr, kToolTitle, true, tool);
    HWND pathBox = GetDlgItem(tool.main, ID_编辑框_路径);
    HWND button = GetDlgItem(tool.main, ID_按钮1);
    HWND logBox = GetDlgItem(tool.main, ID_编辑框_LOG);
    if (!pathBox || !button || !logBox) Fail("the tool's controls were not found");
    SendMessageA(pathBox, EM_SETSEL, 0, -1);
    for (const char* p = kRoot; *p; ++p)
        PostMessageA(pathBox, WM_CHAR, static_cast<unsigned char>(*p), 1);
    if (!WaitUntil([&] { return TextOf(pathBox) == kRoot; }, 5000))
        Fail("the typed root did not reach the path box: \"" + TextOf(pathBox) + "\"");

    const std::string destination = DestinationFolder();
    if (!WriteBytes(kBaselineScript, BackupScriptText(destination))) Fail("writing c:\\bench.bat");

    std::vector<double> toolBackup, baseBackup, backupRatios;
    for (int round = -1; round < kBackups; ++round) {
        double a, b;
        if (round % 2 == 0) {
            a = ToolRun(button, logBox);
            b = BaselineRun();
        } else {
            b = BaselineRun();
            a = ToolRun(button, logBox);
        }
        if (round < 0) continue;
        toolBackup.push_back(a);
        baseBackup.push_back(b);
        backupRatios.push_back(a / b);
    }
    {
        // Both made real copies of the native logs.
        PVOID previous = nullptr;
        RedirectionOff(&previous);
        for (const char* name : kLogNames) {
            long long native = FileSize(std::string(kLogFolder) + name + ".evtx");
            long long copy = FileSize(destination + name + ".evtx");
            if (native <= 0 || copy != native) {
                RedirectionBack(previous);
                Fail(std::string("the copy of ") + name + ".evtx does not match the native log");
            }
        }
        RedirectionBack(previous);
    }

    // The same again with the watcher, beside the script started both ways:
    // through cmd /c and by its own name, as the tool starts it.
    RunPieces runPieces;
    std::vector<double> viaCmd, byName;
    for (int i = 0; i < kPieceRuns; ++i) {
        WatchedToolRun(button, logBox, runPieces);
        viaCmd.push_back(BaselineRun());
        byName.push_back(BaselineRun(kBaselineScript));
    }

    // Pieces of a run that the tool does itself, timed here alone.
    std::vector<double> lookup, scriptWrite, copyChecks;
    for (int i = 0; i < kBackups; ++i) {
        char name[256];
        double t0 = Now();
        gethostname(name, sizeof name);
        gethostbyname(name);
        double t1 = Now();
        WriteBytes("c:\\bench-write.bat", BackupScriptText(destination));
        double t2 = Now();
        for (const char* log : kLogNames) {
            WIN32_FIND_DATAA found;
            HANDLE h = FindFirstFileA((destination + log + ".evtx").c_str(), &found);
            if (h != INVALID_HANDLE_VALUE) FindClose(h);
        }
        double t3 = Now();
        lookup.push_back(t1 - t0);
        scriptWrite.push_back(t2 - t1);
        copyChecks.push_back(t3 - t2);
    }
    DeleteFileA("c:\\bench-write.bat");

    // ---- 3: one typed character, against one profile write and an empty
    // round trip; the text alternates between root and root + "x".
    phase[2] = Now();
    std::string ini;
    if (!ReadBytes(kToolIni, ini)) Fail("reading the tool's Config.ini");
    CreateDirectoryA(kCopyFolder, nullptr);
    CreateDirectoryA(kMirrorFolder, nullptr);
    if (!WriteBytes(kCopyIni, ini) || !WriteBytes(kMirrorIni, ini))
        Fail("writing the copies of Config.ini");
    const size_t rootLength = std::strlen(kRoot);
    SendMessageA(pathBox, EM_SETSEL, rootLength, rootLength);
    const Keystrokes typed = TypeInto(pathBox);
    {
        // Every keystroke reached the box and the file.
        std::string shown = TextOf(pathBox);
        char saved[1024] = "";
        GetPrivateProfileStringA("Path", "Path1", "", saved, sizeof saved, kToolIni);
        if (shown != std::string(kRoot) + "x" || shown != saved)
            Fail("after typing the box holds \"" + shown + "\" and Config.ini \"" + saved + "\"");
    }
    Close(tool);

    // The edit control alone, in a window that answers no notification, and
    // with the tool's four writes in its change handler.
    const Keystrokes bareEdit = TypeIntoBare("edit", kBareEditTitle);
    const Keystrokes bareSave = TypeIntoBare("edit save", kBareSaveTitle);

    // ---- start-up again, with variants of the bare window that each add
    // one kind of the tool's start-up work, all in turn.
    phase[3] = Now();
    struct Variant {
        bool tool;
        const char* args;
        const char* title;
        const char* shown;
        std::vector<double> ms;
    };
    Variant variants[] = {
        {false, nullptr, kBareTitle, "bare window", {}},
        {false, "sockets", "Bare Window sockets", "+ sockets started", {}},
        {false, "menu", "Bare Window menu", "+ owner window, frame, menu bar", {}},
        {false, "controls", "Bare Window controls", "+ the 8 controls, line, timer", {}},
        {false, "profile", "Bare Window profile", "+ start-up Config.ini traffic", {}},
        {false, "sockets menu controls profile", "Bare Window sockets menu controls profile",
         "+ all four", {}},
        {true, nullptr, kToolTitle, "Brenvo.exe", {}},
    };
    for (int round = -1; round < kPieceStarts; ++round) {
        for (Variant& v : variants) {
            Child c;
            Launch(v.tool ? kToolExe : kBareExe, v.args, v.title, v.tool, c);
            Close(c);
            if (round >= 0) v.ms.push_back(c.readyMs);
        }
    }
    phase[4] = Now();

    // ---- the table
    const double startTool = Median(toolStart), startBare = Median(bareStart);
    const double runTool = Median(toolBackup), runBase = Median(baseBackup);
    const double charGross = Median(typed.charMs), roundTrip = Median(typed.nullMs);
    const double charNet = charGross - roundTrip, oneWrite = Median(typed.writeMs);
    const double toolSize = FileSize(kToolExe) / 1024.0, bareSize = FileSize(kBareExe) / 1024.0;
    const double peakTool = Median(toolPeak), peakBare = Median(barePeak);

    Say("\n");
    Row("figure", "Brenvo", "baseline", "ratio", "goal", "");
    Row("--------------------------------------", "-----------", "-----------", "-------",
        "---------", "------");
    Row("1 start-up to window + start line", Fixed(startTool, "ms"), Fixed(startBare, "ms"),
        Ratio(startTool / startBare), "<= 1.25x", Met(startTool <= 1.25 * startBare));
    Row("2 Run Now to success line", Fixed(runTool, "ms"), Fixed(runBase, "ms"),
        Ratio(runTool / runBase), "<= 1.10x", Met(runTool <= 1.10 * runBase));
    Row("3 keystroke, handling (less trip)", Fixed(charNet, "ms", 3), Fixed(oneWrite, "ms", 3),
        Ratio(charNet / oneWrite), "<= 5x", Met(charNet <= 5 * oneWrite));
    Row("3 keystroke, handling, absolute", Fixed(charNet, "ms", 3), "-", "-", "< 1 ms",
        Met(charNet < 1.0));
    Row("  (keystroke with the round trip)", Fixed(charGross, "ms", 3), Fixed(roundTrip, "ms", 3),
        "-", "shown", "");
    Row("4 exe size", Fixed(toolSize, "KB"), Fixed(bareSize, "KB"), Ratio(toolSize / bareSize),
        "< 400 KB", Met(toolSize < 400));
    Row("4 peak working set after start-up", Fixed(peakTool / 1024, "MB"),
        Fixed(peakBare / 1024, "MB"), Ratio(peakTool / peakBare), "<= 1.5x",
        Met(peakTool <= 1.5 * peakBare));
    Say("\nBaselines: 1 and 4 a bare Win32 program (one class, one window of 369x280,\n"
        "shown), both timed from CreateProcess to visible and answering a sent WM_GETTEXT\n"
        "with text (the tool: its log box with the start line); 2 \"cmd /c c:\\bench.bat\"\n"
        "holding the tool's own five script lines for the same folder, started hidden with\n"
        "redirection off; 3 one WritePrivateProfileStringA on a copy of the tool's\n"
        "Config.ini, and the empty round trip (SendMessage WM_NULL to the path box), which\n"
        "is taken off the keystroke. Medians of %d starts each and %d runs each\n"
        "(interleaved) and of %d keystrokes (adding and deleting in turn, %lu ms apart).\n",
        kStarts, kBackups, kKeystrokes, kTypingPauseMs);

    Say("\nPieces (medians, ms unless marked):\n");
    Say("  start-up, titled window exists:      tool %8.1f   bare %8.1f\n", Median(toolSeen),
        Median(bareSeen));
    Say("  start-up, window visible:            tool %8.1f   bare %8.1f\n", Median(toolVisible),
        Median(bareVisible));
    Say("  start-up, visible and answering:     tool %8.1f   bare %8.1f\n", startTool, startBare);
    Say("  start-up, spread (min .. max):       tool %.1f .. %.1f   bare %.1f .. %.1f\n",
        Min(toolStart), Max(toolStart), Min(bareStart), Max(bareStart));
    Say("  start-up of variants (visible and answering), %d each in turn:\n", kPieceStarts);
    const double variantBase = Median(variants[0].ms);
    for (const Variant& v : variants)
        Say("    %-36s %8.1f  (%+.1f)\n", v.shown, Median(v.ms), Median(v.ms) - variantBase);
    Say("  backup, spread (min .. max):         tool %.1f .. %.1f   cmd %.1f .. %.1f\n",
        Min(toolBackup), Max(toolBackup), Min(baseBackup), Max(baseBackup));
    Say("  backup, median of the %d per-round ratios: %.2fx\n", kBackups, Median(backupRatios));
    Say("  backup, %d rounds with a thread watching c:\\systembackup.bat every ms (slows the\n"
        "    run: %.1f): click to script on disk %.1f, deleted to success line seen %.1f;\n"
        "    the script alone beside them: cmd /c %.1f, started by its name %.1f\n",
        kPieceRuns, Median(runPieces.total), Median(runPieces.beforeScript),
        Median(runPieces.afterScript), Median(viaCmd), Median(byName));
    Say("  backup, host lookup (gethostbyname): %8.3f\n", Median(lookup));
    Say("  backup, writing the script:          %8.3f\n", Median(scriptWrite));
    Say("  backup, four FindFirstFileA:         %8.3f\n", Median(copyChecks));
    Say("  keystroke, WM_CHAR:          tool %7.3f   bare edit %7.3f   bare edit + 4 writes %7.3f\n",
        charGross, Median(bareEdit.charMs), Median(bareSave.charMs));
    Say("  keystroke, WM_NULL:          tool %7.3f   bare edit %7.3f   bare edit + 4 writes %7.3f\n",
        roundTrip, Median(bareEdit.nullMs), Median(bareSave.nullMs));
    Say("  keystroke, less round trip:  tool %7.3f   bare edit %7.3f   bare edit + 4 writes %7.3f\n",
        charNet, Median(bareEdit.charMs) - Median(bareEdit.nullMs),
        Median(bareSave.charMs) - Median(bareSave.nullMs));
    Say("  keystroke, the tool's four writes made by the driver: %.3f (one write %.3f)\n",
        Median(typed.fourWritesMs), oneWrite);
    Say("  closing (WM_CLOSE to exit):          %8.1f\n", Median(closeMs));
    Say("  peak working set, KB:                tool %8.0f   bare %8.0f\n", peakTool, peakBare);
    Say("  phases, s: start-ups %.1f, backups %.1f, keystrokes %.1f, variants %.1f\n",
        (phase[1] - phase[0]) / 1000, (phase[2] - phase[1]) / 1000, (phase[3] - phase[2]) / 1000,
        (phase[4] - phase[3]) / 1000);

    std::fclose(report);
    return 0;
}
