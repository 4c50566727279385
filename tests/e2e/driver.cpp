// Drives the real Brenvo.exe from outside, as an operator would: finds the
// window and its controls by class and place, types, clicks, presses keys,
// answers message boxes, and reads what the tool left in Config.ini and in
// the backup folders.
//
// The tool runs from C:\tool\Brenvo.exe (the runner copies it there), with
// NUL standard handles and C:\ as the starting directory, so a tool that
// wrote Config.ini into its current directory instead of its own folder is
// caught. E2E_TAG holds the random part of the native logs' contents.
#include "tests/e2e/e2e.h"

#include <functional>
#include <map>

#include "app/ids.h"

using namespace e2e;

namespace {

const char* const kToolPath = "C:\\tool\\Brenvo.exe";
const char* const kIniPath = "C:\\tool\\Config.ini";
const char* const kTitle = "Brenvo X64";
const DWORD kStartTimeout = 30000;

// ---------------------------------------------------------------- timing

void Pause(DWORD ms) { Sleep(ms); }

// Polls `done` until it holds or `ms` have passed.
bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
}

// ---------------------------------------------------------------- windows

std::string ClassOf(HWND h) {
    char buf[256] = "";
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// The text through WM_GETTEXT, which another process's window answers
// with its current contents. Gives false when the tool does not answer
// (it is blocked waiting for the script).
bool TryTextOf(HWND h, std::string& out, UINT timeout = 2000) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeout, &length)) return false;
    std::vector<char> buf(length + 64);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_NORMAL, timeout, &copied))
        return false;
    out.assign(buf.data(), copied);
    return true;
}

std::string TextOf(HWND h) {
    std::string text;
    TryTextOf(h, text);
    return text;
}

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

struct TopWindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND h, LPARAM p) {
    auto* search = reinterpret_cast<TopWindowSearch*>(p);
    if (ProcessOf(h) == search->pid) search->found.push_back(h);
    return TRUE;
}

std::vector<HWND> TopWindows(DWORD pid) {
    TopWindowSearch search{pid, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleTopWindow(DWORD pid, const std::string& cls, const std::string& title) {
    for (HWND h : TopWindows(pid)) {
        if (!IsWindowVisible(h)) continue;
        if (!cls.empty() && ClassOf(h) != cls) continue;
        char buf[256] = "";
        GetWindowTextA(h, buf, sizeof buf);
        if (!title.empty() && title != buf) continue;
        return h;
    }
    return nullptr;
}

// Left, top, width, height in the client area of `parent`.
struct Place {
    int left, top, width, height;
};

Place PlaceIn(HWND h, HWND parent) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string PlaceText(const Place& p) {
    return std::to_string(p.left) + ", " + std::to_string(p.top) + ", " + std::to_string(p.width) +
           ", " + std::to_string(p.height);
}

std::vector<HWND> ChildrenInStackingOrder(HWND parent) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

// ---------------------------------------------------------------- the tool

// The controls, in creation order, which is also the stacking order.
enum Ctl { 标签2, 选择框2, 编辑框2, 编辑框_LOG, 选择框1, 标签1, 编辑框_路径, 按钮1, kControls };

struct ControlDesign {
    const char* name;
    const char* cls;
    int left, top, width, height;  // as created
    DWORD styleMask, style;        // what the look requires of the style
};

// Button kinds take the low four bits of the style.
const ControlDesign kDesign[kControls] = {
    {"标签2", "Static", 324, 82, 80, 24, 0, 0},
    {"选择框2", "Button", 48, 83, 152, 24, 0x0F, BS_AUTOCHECKBOX},
    {"编辑框2", "Edit", 285, 86, 32, 20, ES_CENTER | ES_MULTILINE, ES_CENTER},
    {"编辑框_LOG", "Edit", 8, 120, 344, 128,
     ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_AUTOHSCROLL,
     ES_MULTILINE | WS_VSCROLL},
    {"选择框1", "Button", 47, 48, 193, 24, 0x0F, BS_AUTOCHECKBOX},
    {"标签1", "Static", 16, 16, 40, 24, 0, 0},
    {"编辑框_路径", "Edit", 56, 17, 264, 20, ES_MULTILINE | ES_AUTOHSCROLL, ES_AUTOHSCROLL},
    {"按钮1", "Button", 240, 47, 80, 32, 0x0F, BS_PUSHBUTTON},
};

struct Tool {
    PROCESS_INFORMATION pi{};
    HWND main = nullptr;
    HWND ctl[kControls] = {};
    bool running = false;
    SYSTEMTIME startedAt{};

    Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;
    // A scenario that gave up half-way leaves no tool behind.
    ~Tool() {
        if (!running) return;
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }

    DWORD pid() const { return pi.dwProcessId; }
    DWORD thread() const { return GetWindowThreadProcessId(main, nullptr); }
    HWND operator[](Ctl c) const { return ctl[c]; }
};

// Identifies each control by its class, its top and its height (which no
// layout changes) and, for buttons, their kind.
void FindControls(Tool& tool) {
    for (HWND& h : tool.ctl) h = nullptr;
    for (HWND child : ChildrenInStackingOrder(tool.main)) {
        Place p = PlaceIn(child, tool.main);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        for (int c = 0; c < kControls; ++c) {
            const ControlDesign& s = kDesign[c];
            if (lstrcmpiA(ClassOf(child).c_str(), s.cls) != 0) continue;
            if (p.top != s.top || p.height != s.height) continue;
            if (std::string(s.cls) == "Button" && (style & 0x0F) != (s.style & 0x0F)) continue;
            if (!tool.ctl[c]) tool.ctl[c] = child;
        }
    }
}

HANDLE OpenNul(DWORD access) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                       0, nullptr);
}

bool StartTool(Tool& tool, const char* exe = kToolPath) {
    HANDLE in = OpenNul(GENERIC_READ);
    HANDLE out = OpenNul(GENERIC_WRITE);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = out;
    std::string commandLine = std::string("\"") + exe + "\"";
    GetLocalTime(&tool.startedAt);
    BOOL started = CreateProcessA(exe, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  "C:\\", &si, &tool.pi);
    CloseHandle(in);
    CloseHandle(out);
    if (!Check(started, "the tool starts", "CreateProcess error " + std::to_string(GetLastError())))
        return false;
    tool.running = true;
    WaitForInputIdle(tool.pi.hProcess, kStartTimeout);
    bool shown = WaitUntil(
        [&] {
            tool.main = VisibleTopWindow(tool.pid(), "", kTitle);
            return tool.main != nullptr ||
                   WaitForSingleObject(tool.pi.hProcess, 0) == WAIT_OBJECT_0;
        },
        kStartTimeout);
    if (!Check(shown && tool.main, "its main window \"Brenvo X64\" appears")) return false;
    FindControls(tool);
    return true;
}

// Waits for the process to end by itself; gives its exit code, or -2 for
// one that is still running after `ms` (it is then ended).
long WaitForExit(Tool& tool, DWORD ms) {
    if (!tool.running) return -3;
    long code = -2;
    if (WaitForSingleObject(tool.pi.hProcess, ms) == WAIT_OBJECT_0) {
        DWORD exit = 0;
        GetExitCodeProcess(tool.pi.hProcess, &exit);
        code = static_cast<long>(exit);
    } else {
        TerminateProcess(tool.pi.hProcess, 99);
        WaitForSingleObject(tool.pi.hProcess, 5000);
    }
    CloseHandle(tool.pi.hProcess);
    CloseHandle(tool.pi.hThread);
    tool.running = false;
    return code;
}

// Closes the tool as the close box does and checks its exit code.
void CloseTool(Tool& tool, const std::string& what) {
    if (!tool.running) return;
    if (tool.main && IsWindow(tool.main)) PostMessageA(tool.main, WM_CLOSE, 0, 0);
    CheckNumber(WaitForExit(tool, 10000), 0, what + ": closed, the tool exits with code 0");
}

bool StillRunning(const Tool& tool) {
    return tool.running && WaitForSingleObject(tool.pi.hProcess, 0) == WAIT_TIMEOUT;
}

std::string Ini() {
    std::string bytes;
    ReadFileBytes(kIniPath, bytes);
    return bytes;
}

// The lines of Config.ini without blank ones: the profile functions of
// different Windows versions differ in the blank lines between sections.
std::vector<std::string> IniLines() {
    std::vector<std::string> out;
    std::string text = Ini();
    for (std::string& line : SplitLines(text))
        if (!line.empty()) out.push_back(line);
    return out;
}

void CheckIni(const std::vector<std::string>& want, const std::string& what) {
    std::vector<std::string> got = IniLines();
    std::string joinedWant, joinedGot;
    for (const std::string& l : want) joinedWant += l + "|";
    for (const std::string& l : got) joinedGot += l + "|";
    CheckText(joinedGot, joinedWant, what + ": Config.ini lines (| ends a line)");
}

void FreshSettings() {
    DeleteFileA(kIniPath);
    DeleteFileA("C:\\Config.ini");
}

// ---------------------------------------------------------------- input

// The tool's window becomes the active one and `target` gets the focus,
// as a click would leave it.
bool FocusControl(Tool& tool, HWND target) {
    DWORD mine = GetCurrentThreadId();
    DWORD theirs = tool.thread();
    AttachThreadInput(mine, theirs, TRUE);
    HWND top = GetAncestor(target, GA_ROOT);
    SetForegroundWindow(top);
    SetActiveWindow(top);
    SetFocus(target);
    AttachThreadInput(mine, theirs, FALSE);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return WaitUntil(
        [&] { return GetGUIThreadInfo(theirs, &info) && info.hwndFocus == target; }, 3000);
}

HWND FocusedControl(Tool& tool) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(tool.thread(), &info);
    return info.hwndFocus;
}

// A key as the keyboard gives it: through the system's input queue, so it
// passes the tool's message loop like a real key press.
void PressKey(WORD vk, bool shift = false) {
    std::vector<INPUT> keys;
    auto add = [&](WORD key, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = flags;
        keys.push_back(in);
    };
    if (shift) add(VK_SHIFT, 0);
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(keys.size(), keys.data(), sizeof(INPUT));
}

// Characters as typing delivers them, posted to the box in order; a GBK
// character goes as its lead byte and then its trail byte.
void TypeInto(HWND box, const std::string& text) {
    for (unsigned char c : text) PostMessageA(box, WM_CHAR, c, 1);
}

bool WaitForText(HWND h, const std::string& want, DWORD ms = 5000) {
    return WaitUntil([&] { return TextOf(h) == want; }, ms);
}

// Replaces the whole text of an edit box the way an operator does with
// Ctrl+A and Ctrl+V: the tool sees it as a change by the operator.
bool PasteInto(HWND box, const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    DWORD_PTR ignored;
    SendMessageTimeoutA(box, EM_SETSEL, 0, -1, SMTO_NORMAL, 2000, &ignored);
    SendMessageTimeoutA(box, WM_PASTE, 0, 0, SMTO_NORMAL, 2000, &ignored);
    return WaitForText(box, text);
}

bool IsChecked(HWND box) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, 2000, &state);
    return state == BST_CHECKED;
}

// A click that does not wait for what the click starts (a backup run, a
// message box).
void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

// ---------------------------------------------------------------- message boxes

struct Box {
    HWND window = nullptr;
    std::string caption, text;
    int buttons = 0;
    HWND ok = nullptr;
    HWND owner = nullptr;
};

bool FindBox(const Tool& tool, Box& box, DWORD ms) {
    return WaitUntil(
        [&] {
            HWND h = VisibleTopWindow(tool.pid(), "#32770", "");
            if (!h) return false;
            box = Box{};
            box.window = h;
            char buf[512] = "";
            GetWindowTextA(h, buf, sizeof buf);
            box.caption = buf;
            box.owner = GetWindow(h, GW_OWNER);
            std::string fallback;
            for (HWND c : ChildrenInStackingOrder(h)) {
                std::string cls = ClassOf(c);
                if (lstrcmpiA(cls.c_str(), "Button") == 0) {
                    ++box.buttons;
                    box.ok = c;
                } else if (lstrcmpiA(cls.c_str(), "Static") == 0) {
                    std::string t = TextOf(c);
                    if (GetDlgCtrlID(c) == 0xFFFF) box.text = t;
                    else if (fallback.empty()) fallback = t;
                }
            }
            if (box.text.empty()) box.text = fallback;
            return true;
        },
        ms);
}

void PressOk(Box& box) {
    if (box.ok) PostMessageA(box.ok, BM_CLICK, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(box.window); }, 3000))
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box.window); }, 3000);
}

// ---------------------------------------------------------------- the log

std::vector<std::string> LogLines(Tool& tool) {
    std::string text = TextOf(tool[编辑框_LOG]);
    std::vector<std::string> lines = SplitLines(text);
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

ULONGLONG Seconds(const SYSTEMTIME& t) {
    SYSTEMTIME whole = t;
    whole.wMilliseconds = 0;
    FILETIME f;
    SystemTimeToFileTime(&whole, &f);
    return ((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000000ULL;
}

SYSTEMTIME FromSeconds(ULONGLONG s) {
    ULONGLONG ticks = s * 10000000ULL;
    FILETIME f{DWORD(ticks), DWORD(ticks >> 32)};
    SYSTEMTIME t;
    FileTimeToSystemTime(&f, &t);
    return t;
}

SYSTEMTIME Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

// The timestamp of a log line written at `t`.
std::string Stamp(const SYSTEMTIME& t, bool english) {
    auto n = [](int v) { return std::to_string(v); };
    std::string date = english ? n(t.wYear) + "/" + n(t.wMonth) + "/" + n(t.wDay) + "/"
                               : n(t.wYear) + "年" + n(t.wMonth) + "月" + n(t.wDay) + "日";
    std::string h = english ? ":" : "时", m = english ? ":" : "分", s = english ? "" : "秒";
    if (t.wSecond) return date + n(t.wHour) + h + n(t.wMinute) + m + n(t.wSecond) + s;
    if (t.wMinute) return date + n(t.wHour) + h + n(t.wMinute) + m;
    if (t.wHour) return date + n(t.wHour) + h;
    return date;
}

// A log line: a timestamp of a moment between `from` and `to`, ":", the
// message.
void CheckLogLine(const std::string& line, bool english, const std::string& message,
                  const SYSTEMTIME& from, const SYSTEMTIME& to, const std::string& what) {
    const std::string tail = ":" + message;
    bool endsRight = line.size() >= tail.size() &&
                     line.compare(line.size() - tail.size(), tail.size(), tail) == 0;
    CheckText(endsRight ? tail : line, tail, what + ": ends with \":" + message + "\"");
    if (!endsRight) return;
    std::string stamp = line.substr(0, line.size() - tail.size());
    bool matched = false;
    for (ULONGLONG s = Seconds(from); s <= Seconds(to) + 1 && !matched; ++s)
        matched = stamp == Stamp(FromSeconds(s), english);
    Check(matched, what + std::string(": starts with ") + (english ? "an English" : "a Chinese") +
                       " timestamp of the moment",
          "got \"" + Shown(stamp) + "\", expected e.g. \"" + Shown(Stamp(to, english)) + "\"");
}

bool WaitForLogLines(Tool& tool, size_t count, DWORD ms = 10000) {
    return WaitUntil([&] { return LogLines(tool).size() >= count; }, ms);
}

// ---------------------------------------------------------------- layout checks

struct Layout {
    bool english;
    int dayLeft, suffixLeft, monthlyWidth;
    std::string clearCaption, monthlyCaption, suffix;
};

const Layout kEnglish{true, 285, 324, 232, "Automatic emptying system logs after export",
                      "Automatic backup every month on the", "st"};
const Layout kChinese{false, 202, 241, 152, "导出后自动清空系统日志", "自动备份系统日志于每月", "日"};

void CheckLayout(Tool& tool, const Layout& layout, const std::string& what) {
    FindControls(tool);
    for (int c = 0; c < kControls; ++c) {
        const ControlDesign& s = kDesign[c];
        const std::string name = what + ": " + s.name;
        if (!Check(tool.ctl[c] != nullptr,
                   name + " found (class " + s.cls + ", top " + std::to_string(s.top) + ", height " +
                       std::to_string(s.height) + ")"))
            continue;
        Place want{s.left, s.top, s.width, s.height};
        if (c == 编辑框2) want.left = layout.dayLeft;
        if (c == 标签2) want.left = layout.suffixLeft;
        if (c == 选择框2) want.width = layout.monthlyWidth;
        CheckText(PlaceText(PlaceIn(tool.ctl[c], tool.main)), PlaceText(want), name + " place");
        if (s.styleMask) {
            LONG style = GetWindowLongA(tool.ctl[c], GWL_STYLE);
            Check((style & s.styleMask) == s.style, name + " style",
                  "style bits " + std::to_string(style & s.styleMask) + ", expected " +
                      std::to_string(s.style));
        }
    }
    auto caption = [&](Ctl c, const std::string& want, const char* label) {
        if (tool.ctl[c]) CheckText(TextOf(tool.ctl[c]), want, what + ": " + label + " text");
    };
    caption(标签2, layout.suffix, "标签2");
    caption(选择框2, layout.monthlyCaption, "选择框2");
    caption(选择框1, layout.clearCaption, "选择框1");
    caption(标签1, "Path：", "标签1");
    caption(按钮1, "Run Now", "按钮1");
    char title[256] = "";
    GetWindowTextA(tool.main, title, sizeof title);
    CheckText(title, kTitle, what + ": window title");
}

// Window properties that hold in both languages.
void CheckMainWindow(Tool& tool) {
    RECT r;
    GetWindowRect(tool.main, &r);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    CheckText(PlaceText({r.left, r.top, r.right - r.left, r.bottom - r.top}),
              PlaceText({(cx - 369) / 2, (cy - 280) / 2, 369, 280}),
              "main window: outer size 369 x 280, centred on the screen");
    LONG style = GetWindowLongA(tool.main, GWL_STYLE);
    Check((style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME) &&
              (style & WS_SYSMENU),
          "main window: minimise box and system menu, no zoom box, no sizing frame");
    // Only the eight controls have windows; the timer has none.
    std::vector<HWND> children = ChildrenInStackingOrder(tool.main);
    CheckNumber(children.size(), kControls, "main window: number of child windows");
    bool ordered = children.size() == kControls;
    for (int c = 0; ordered && c < kControls; ++c) ordered = children[c] == tool.ctl[c];
    Check(ordered, "main window: controls stacked in creation order, 标签2 on top");
    int visibleTop = 0;
    for (HWND h : TopWindows(tool.pid()))
        if (IsWindowVisible(h)) ++visibleTop;
    CheckNumber(visibleTop, 1, "one visible top-level window after the start");
}

// ---------------------------------------------------------------- scenarios

void FirstStart() {
    std::printf("# first start, no Config.ini\n");
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    SYSTEMTIME shown = Now();
    CheckLayout(tool, kEnglish, "English layout at start");
    CheckMainWindow(tool);
    CheckText(TextOf(tool[编辑框2]), "1", "day box holds \"1\"");
    CheckText(TextOf(tool[编辑框_路径]), "", "path box is empty");
    Check(!IsChecked(tool[选择框1]) && !IsChecked(tool[选择框2]), "both check boxes unchecked");
    std::vector<std::string> lines = LogLines(tool);
    CheckNumber(lines.size(), 1, "the log holds one line");
    if (!lines.empty())
        CheckLogLine(lines[0], true, "The program starts successfully", tool.startedAt, shown,
                     "start line");
    const std::string log = TextOf(tool[编辑框_LOG]);
    CheckText(log.size() >= 2 ? log.substr(log.size() - 2) : log, "\r\n",
              "the start line ends with CR LF");
    std::printf("# Config.ini after the first start: %s\n", Hex(Ini(), 200).c_str());
    CheckIni({"[Con]", "Con1=0", "Con2=0", "[T]", "T1=1"}, "first start");
    Check(!Exists("C:\\Config.ini"), "nothing written to the starting directory C:\\");
    CloseTool(tool, "first start");
}

// The program's folder of an exe in the root of C: is "C:", so its
// settings file is C:\Config.ini.
void ExeInTheRootOfC() {
    std::printf("# the exe in the root of C:\n");
    const char* const exe = "C:\\Brenvo.exe";
    FreshSettings();
    if (!Check(CopyFileA(kToolPath, exe, FALSE) != FALSE, "the exe copied to C:\\")) return;
    Tool tool;
    if (StartTool(tool, exe)) {
        std::string ini;
        Check(ReadFileBytes("C:\\Config.ini", ini) && ini.find("T1=1") != std::string::npos,
              "C:\\Config.ini is the settings file", "holds \"" + Shown(ini) + "\"");
        Check(!Exists(kIniPath), "nothing written beside the other copy");
        CloseTool(tool, "exe in the root of C:");
    }
    DeleteFileA(exe);
    FreshSettings();
}

void ChangeOfLanguage() {
    std::printf("# change of language\n");
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    const std::vector<std::string> base = {"[Con]", "Con1=0", "Con2=0", "[T]", "T1=1"};

    SYSTEMTIME before = Now();
    PostMessageA(tool.main, WM_COMMAND, ID_MENU_CHANGE_LANGUAGE, 0);
    bool second = WaitForLogLines(tool, 2);
    SYSTEMTIME after = Now();
    if (Check(second, "a second start line appears after Change Language")) {
        std::vector<std::string> lines = LogLines(tool);
        CheckLogLine(lines[1], false, "程序启动成功！", before, after, "second line");
        CheckLogLine(lines[0], true, "The program starts successfully", tool.startedAt, before,
                     "first line kept");
    }
    CheckLayout(tool, kChinese, "Chinese layout");
    std::vector<std::string> withChinese = base;
    withChinese.insert(withChinese.end(), {"[Language]", "L1=1"});
    CheckIni(withChinese, "after the change to Chinese");
    CloseTool(tool, "Chinese");

    // The choice lasts: the next start is Chinese from the first line on.
    if (!StartTool(tool)) return;
    CheckLayout(tool, kChinese, "Chinese layout at start");
    std::vector<std::string> lines = LogLines(tool);
    if (Check(lines.size() == 1, "one start line at a Chinese start"))
        CheckLogLine(lines[0], false, "程序启动成功！", tool.startedAt, Now(), "Chinese start line");

    before = Now();
    PostMessageA(tool.main, WM_COMMAND, ID_MENU_CHANGE_LANGUAGE, 0);
    if (Check(WaitForLogLines(tool, 2), "a second start line after changing back")) {
        lines = LogLines(tool);
        CheckLogLine(lines[1], true, "The program starts successfully", before, Now(),
                     "line after changing back");
    }
    CheckLayout(tool, kEnglish, "English layout after changing back");
    std::vector<std::string> withEnglish = base;
    withEnglish.insert(withEnglish.end(), {"[Language]", "L1=2"});
    CheckIni(withEnglish, "after changing back to English");
    CloseTool(tool, "back to English");
}

void TypingAndClicks() {
    std::printf("# typing into the boxes, clicking the check boxes\n");
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    HWND day = tool[编辑框2], path = tool[编辑框_路径];
    if (!day || !path || !tool[选择框1] || !tool[选择框2]) {
        Check(false, "the boxes to type into were found");
        CloseTool(tool, "typing");
        return;
    }
    DWORD_PTR ignored;
    SendMessageTimeoutA(day, EM_SETSEL, 0, -1, SMTO_NORMAL, 2000, &ignored);
    // Letters are dropped, digits and "-" go in.
    TypeInto(day, "x2-q5");
    WaitForText(day, "2-5");
    CheckText(TextOf(day), "2-5", "day box after typing x 2 - q 5 over its text");

    // A path typed character by character ends up in the file as typed.
    const std::string root = "C:\\bk root\\";
    TypeInto(path, root);
    WaitForText(path, root);
    CheckText(TextOf(path), root, "path box after typing");

    Click(tool[选择框1]);
    WaitUntil([&] { return IsChecked(tool[选择框1]); }, 3000);
    Click(tool[选择框2]);
    WaitUntil([&] { return IsChecked(tool[选择框2]); }, 3000);
    Check(IsChecked(tool[选择框1]) && IsChecked(tool[选择框2]), "a click ticks each check box");
    TextOf(tool.main);  // the clicks have been handled once this answers
    CheckIni({"[Con]", "Con1=1", "Con2=1", "[T]", "T1=2-5", "[Path]", "Path1=C:\\bk root\\"},
             "after typing and ticking");

    // Pasting is not filtered.
    PasteInto(day, "ab");
    CheckText(TextOf(day), "ab", "day box takes pasted letters");
    WaitUntil([&] { return Ini().find("T1=ab") != std::string::npos; }, 3000);
    Check(Ini().find("T1=ab") != std::string::npos, "pasted day text saved");
    SendMessageTimeoutA(day, EM_SETSEL, 0, -1, SMTO_NORMAL, 2000, &ignored);
    TypeInto(day, "2-5");
    WaitForText(day, "2-5");
    CloseTool(tool, "typing");

    // Everything comes back at the next start.
    if (!StartTool(tool)) return;
    CheckText(TextOf(tool[编辑框2]), "2-5", "restart: day box restored");
    CheckText(TextOf(tool[编辑框_路径]), root, "restart: path box restored");
    Check(IsChecked(tool[选择框1]) && IsChecked(tool[选择框2]), "restart: both boxes ticked");
    Click(tool[选择框2]);
    WaitUntil([&] { return !IsChecked(tool[选择框2]); }, 3000);
    TextOf(tool.main);
    CheckIni({"[Con]", "Con1=1", "Con2=0", "[T]", "T1=2-5", "[Path]", "Path1=C:\\bk root\\"},
             "after unticking 选择框2");
    CloseTool(tool, "restart");
}

// Esc closes the tool from any control, with exit code 0.
void EscCloses() {
    std::printf("# Esc\n");
    const Ctl from[] = {编辑框_路径, 编辑框_LOG, 编辑框2};
    for (Ctl c : from) {
        FreshSettings();
        Tool tool;
        if (!StartTool(tool)) return;
        const std::string name = kDesign[c].name;
        if (!tool.ctl[c]) {
            Check(false, "Esc from " + name + ": control found");
            CloseTool(tool, "Esc");
            continue;
        }
        Check(FocusControl(tool, tool.ctl[c]), "Esc from " + name + ": it has the focus");
        PressKey(VK_ESCAPE);
        CheckNumber(WaitForExit(tool, 10000), 0, "Esc from " + name + ": the tool exits with code 0");
    }
}

// Tab moves the focus among the controls; Enter in the log box is a line
// break and presses nothing.
void Keys() {
    std::printf("# Tab and Enter\n");
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    HWND path = tool[编辑框_路径];
    if (path && FocusControl(tool, path)) {
        PressKey(VK_TAB);
        WaitUntil([&] { return FocusedControl(tool) != path; }, 3000);
        HWND next = FocusedControl(tool);
        Check(next != path && next && GetParent(next) == tool.main,
              "Tab moves the focus from the path box to another control");
        PressKey(VK_TAB, true);
        WaitUntil([&] { return FocusedControl(tool) == path; }, 3000);
        Check(FocusedControl(tool) == path, "Shift+Tab moves it back to the path box");

        // Enter in the path box does not press Run Now: no backup, no box.
        PressKey(VK_RETURN);
        Box box;
        Check(!FindBox(tool, box, 1500), "Enter in the path box presses nothing",
              "a message box appeared: " + Shown(box.text));
        if (box.window) PressOk(box);
        CheckNumber(LogLines(tool).size(), 1, "Enter in the path box adds no log line");
        Check(FocusedControl(tool) == path, "Enter in the path box leaves the focus there");
    }
    HWND log = tool[编辑框_LOG];
    if (log && FocusControl(tool, log)) {
        size_t before = TextOf(log).size();
        PressKey(VK_RETURN);
        WaitUntil([&] { return TextOf(log).size() > before; }, 3000);
        std::string text = TextOf(log);
        Check(text.size() == before + 2 && text.find("\r\n\r\n") != std::string::npos,
              "Enter in the log box inserts a line break", "log now \"" + Shown(text) + "\"");
    }
    CloseTool(tool, "keys");
}

const char* const kAboutLines[] = {
    "因为自己平常要用到，所有做了这么个程序",
    nullptr,  // the contact sentence: its wording is free
    "                           ",
    "                               Brenvo",
    "              最后更新日期 2017年2月3日",
    "                          ",
};

void CheckAboutWindow(Tool& tool, HWND about, const std::string& what) {
    RECT r;
    GetWindowRect(about, &r);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    CheckText(PlaceText({r.left, r.top, r.right - r.left, r.bottom - r.top}),
              PlaceText({(cx - 320) / 2, (cy - 123) / 2, 320, 123}),
              what + ": outer size 320 x 123, centred on the screen");
    HWND owner = GetWindow(about, GW_OWNER);
    Check(owner && owner != tool.main && ProcessOf(owner) == tool.pid() && !IsWindowVisible(owner),
          what + ": owned by an invisible window of the tool, not by the main window");
    Check(!IsWindowEnabled(tool.main), what + ": the main window is disabled while it is open");
    std::vector<HWND> children = ChildrenInStackingOrder(about);
    if (!Check(children.size() == 1 && lstrcmpiA(ClassOf(children[0]).c_str(), "Static") == 0,
               what + ": one label"))
        return;
    CheckText(PlaceText(PlaceIn(children[0], about)), PlaceText({24, 16, 264, 72}),
              what + ": label place");
    std::vector<std::string> lines = SplitLines(TextOf(children[0]));
    if (!CheckNumber(lines.size(), 6, what + ": six lines, none after the last")) return;
    for (int i = 0; i < 6; ++i) {
        if (kAboutLines[i]) CheckText(lines[i], kAboutLines[i], what + ": line " + std::to_string(i + 1));
        else Check(lines[i].find("example.com") != std::string::npos,
                   what + ": line 2 holds an address under example.com", "got " + Shown(lines[i]));
    }
}

void About() {
    std::printf("# About\n");
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    for (int opening = 1; opening <= 2; ++opening) {
        const std::string what = "About, opening " + std::to_string(opening);
        PostMessageA(tool.main, WM_COMMAND, ID_MENU_ABOUT, 0);
        HWND about = nullptr;
        WaitUntil([&] { return (about = VisibleTopWindow(tool.pid(), "", "About")) != nullptr; }, 5000);
        if (!Check(about != nullptr, what + ": a window titled \"About\" appears")) break;
        CheckAboutWindow(tool, about, what);
        if (opening == 1) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(tool.thread(), &info);
            Check(info.hwndActive == about, what + ": it is the tool's active window");
            FocusControl(tool, about);
            PressKey(VK_ESCAPE);
        } else {
            PostMessageA(about, WM_CLOSE, 0, 0);
        }
        bool closed = WaitUntil([&] { return !IsWindow(about); }, 5000);
        Check(closed, what + (opening == 1 ? ": Esc closes it" : ": the close box closes it"));
        Pause(300);
        Check(StillRunning(tool) && IsWindow(tool.main), what + ": the tool still runs");
        Check(IsWindowEnabled(tool.main), what + ": the main window is enabled again");
        std::string text;
        Check(TryTextOf(tool[编辑框_LOG], text) && SplitLines(text).size() == 2,
              what + ": the main window answers and its log is unchanged");
    }
    CloseTool(tool, "About");
}

// ---------------------------------------------------------------- backups

std::string FirstAddress() {
    std::vector<std::string> list = ResolverAddresses();
    return list.empty() ? std::string("(none)") : list[0];
}

// KeptScriptError: the copy error with the script file as it was before.
enum class Outcome { Success, PathError, CopyError, KeptScriptError };

struct Run {
    std::vector<std::string> newLines;
    Box box;
};

// Clicks Run Now and waits for the run to end: a new log line, or a
// message box (which is answered).
Run RunNow(Tool& tool, const std::function<void(const Box&)>& whileBoxUp = nullptr) {
    size_t before = LogLines(tool).size();
    Click(tool[按钮1]);
    Run run;
    bool ended = WaitUntil(
        [&] {
            if (FindBox(tool, run.box, 0)) return true;
            std::string text;
            if (!TryTextOf(tool[编辑框_LOG], text, 200)) return false;  // busy with the script
            return SplitLines(text).size() > before + 1;
        },
        60000);
    // An error is logged first and then shown: after a line that is not the
    // success line, the box follows.
    if (ended && !run.box.window) {
        std::vector<std::string> lines = LogLines(tool);
        const std::string& last = lines.empty() ? std::string() : lines.back();
        bool success = last.find("Brenvo runs successfully!") != std::string::npos ||
                       last.find("Brenvo运行成功！") != std::string::npos;
        FindBox(tool, run.box, success ? 300 : 5000);
    }
    if (run.box.window) {
        if (whileBoxUp) whileBoxUp(run.box);
        PressOk(run.box);
    }
    std::vector<std::string> lines = LogLines(tool);
    if (ended)
        for (size_t i = before; i < lines.size(); ++i) run.newLines.push_back(lines[i]);
    return run;
}

void CheckCopiesIn(const std::string& folder, const std::string& what) {
    std::string native[4];
    ReadNativeLogs(native);
    std::string decoys[4];
    ReadRedirectedLogs(decoys);
    for (int i = 0; i < 4; ++i) {
        std::string copy;
        const std::string path = folder + kLogNames[i] + ".evtx";
        const std::string name = what + ": " + kLogNames[i] + ".evtx";
        if (!Check(ReadFileBytes(path, copy), name + " copied", "missing: " + Shown(path))) continue;
        if (copy == decoys[i]) Check(false, name + " holds the native bytes", "it holds the SysWOW64 decoy");
        else CheckText(copy, native[i], name + " holds the native bytes");
    }
}

struct BackupCase {
    const char* what;
    std::string root;
    bool chinese;                   // language at the click
    Outcome expect;
    std::function<void()> prepare;  // before the click
    std::function<void()> restore;  // after the run
    std::string seenAt = "";        // where a relative root lands
};

const char* const kCopyError =
    "Error log backups, please manually check whether the backup is successful!";

void CheckBackupCase(Tool& tool, const BackupCase& c, const std::string& address) {
    const std::string what = std::string("backup, ") + c.what;
    if (!PasteInto(tool[编辑框_路径], c.root)) {
        CheckText(TextOf(tool[编辑框_路径]), c.root, what + ": path box set");
        return;
    }
    if (c.prepare) c.prepare();
    std::string scriptBefore;
    const bool scriptWasThere = ReadFileBytes(kScriptPath, scriptBefore);
    SYSTEMTIME from = Now();
    const std::string destination = c.root + DateFolderName(from) + "\\" + address + "\\";
    const std::string landed = (c.seenAt.empty() ? c.root : c.seenAt) + DateFolderName(from) + "\\" +
                               address + "\\";
    bool mainDisabledWhileBox = false;
    Run run = RunNow(tool, [&](const Box&) { mainDisabledWhileBox = !IsWindowEnabled(tool.main); });
    SYSTEMTIME to = Now();
    if (c.restore) c.restore();

    if (c.expect == Outcome::Success) {
        Check(!run.box.window, what + ": no message box",
              "box \"" + Shown(run.box.caption) + "\": \"" + Shown(run.box.text) + "\"");
        if (Check(run.newLines.size() == 1, what + ": one new log line",
                  std::to_string(run.newLines.size()) + " new lines"))
            CheckLogLine(run.newLines[0], !c.chinese,
                         c.chinese ? "Brenvo运行成功！" : "Brenvo runs successfully!", from, to, what);
        CheckCopiesIn(landed, what);
        Check(!Exists(kScriptPath), what + ": c:\\systembackup.bat is gone");
        return;
    }
    const bool pathError = c.expect == Outcome::PathError;
    const std::string message = pathError ? (c.chinese ? "备份路径错误，请检查！" : "The path error. Please check it!")
                                          : kCopyError;
    const std::string caption = (pathError && c.chinese) ? "错误" : "Error";
    if (!Check(run.box.window != nullptr, what + ": a message box is shown")) return;
    CheckText(run.box.caption, caption, what + ": box caption");
    CheckText(run.box.text, message, what + ": box text");
    CheckNumber(run.box.buttons, 1, what + ": the box has one button");
    Check(!run.box.owner, what + ": the box has no owner window");
    Check(mainDisabledWhileBox, what + ": the main window is disabled while the box is up");
    Check(WaitUntil([&] { return IsWindowEnabled(tool.main); }, 3000),
          what + ": the main window is enabled after OK");
    if (Check(run.newLines.size() == 1, what + ": one new log line, logged before the box",
              std::to_string(run.newLines.size()) + " new lines"))
        CheckLogLine(run.newLines[0], !c.chinese, message, from, to, what);
    if (c.expect == Outcome::CopyError) {
        std::string script;
        ReadFileBytes(kScriptPath, script);
        CheckText(script, ExpectedScript(destination), what + ": the script stays in place");
    } else if (c.expect == Outcome::KeptScriptError) {
        std::string script;
        ReadFileBytes(kScriptPath, script);
        CheckText(script, scriptBefore, what + ": the older script is neither replaced nor run");
    } else {
        std::string scriptAfter;
        const bool scriptIsThere = ReadFileBytes(kScriptPath, scriptAfter);
        Check(scriptIsThere == scriptWasThere && scriptAfter == scriptBefore,
              what + ": c:\\systembackup.bat untouched");
    }
}

void Backups() {
    std::printf("# backups through the window\n");
    const std::string tag = Env("E2E_TAG");
    const std::string address = FirstAddress();
    std::printf("# first address: %s\n", address.c_str());
    std::string original[4];
    if (!Check(ReadNativeLogs(original) && original[0].find("NATIVE-Application-" + tag) == 0,
               "the native logs from the runner are in place"))
        return;
    DeleteFileA(kScriptPath);
    // Copies left from an earlier run would pass for new ones.
    for (const char* root : {"C:\\bk root", "C:\\bk %USERNAME% & co", "C:\\备份 根目录", "C:\\bk blocked",
                             "C:\\tool\\rel bk", "C:\\rel bk"})
        RemoveTree(root);
    MakeFolders("C:\\bk blocked\\");
    WriteFileBytes("C:\\bk blocked\\file", "a file where the date folder should go");

    const std::string appLog = std::string(kLogFolder) + "Application.evtx";
    auto moveNativeApplicationAside = [=] {
        RedirectionOffHere off;
        MoveFileA(appLog.c_str(), (appLog + ".aside").c_str());
    };
    auto bringNativeApplicationBack = [=] {
        RedirectionOffHere off;
        MoveFileA((appLog + ".aside").c_str(), appLog.c_str());
    };
    auto newNativeLogs = [=] {
        RedirectionOffHere off;
        for (const char* name : kLogNames)
            WriteFileBytes(std::string(kLogFolder) + name + ".evtx",
                           std::string("NATIVE-") + name + "-" + tag + "-changed" +
                               std::string("\x00\x1A\xFF\r\n", 5) + name);
    };
    // An older script that would copy nothing and exit with 0, held open so
    // that this run cannot write its own: it must not be run, and the copies
    // already in today's folder must not pass for a new backup.
    HANDLE lock = INVALID_HANDLE_VALUE;
    auto lockOlderScript = [&lock] {
        WriteFileBytes(kScriptPath, "@exit 0");
        lock = CreateFileA(kScriptPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    auto unlockOlderScript = [&lock] {
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
    };
    const std::vector<BackupCase> cases = {
        {"a root with a blank", "C:\\bk root\\", false, Outcome::Success, nullptr, nullptr},
        {"a root with % and &", "C:\\bk %USERNAME% & co\\", false, Outcome::Success, nullptr, nullptr},
        {"a root with Chinese characters", "C:\\备份 根目录\\", false, Outcome::Success, nullptr, nullptr},
        {"a root without the closing backslash", "C:\\bk root", false, Outcome::PathError, nullptr, nullptr},
        {"a root with a quotation mark", "C:\\bk\"x\\", false, Outcome::PathError, nullptr, nullptr},
        {"a destination that cannot be made", "C:\\bk blocked\\file\\", false, Outcome::CopyError,
         nullptr, nullptr},
        {"today's copies present but a source unreadable", "C:\\bk root\\", false, Outcome::CopyError,
         moveNativeApplicationAside, bringNativeApplicationBack},
        {"the script file cannot be written, today's copies present", "C:\\bk root\\", false,
         Outcome::KeptScriptError, lockOlderScript, unlockOlderScript},
        {"a same-day rerun after the logs changed", "C:\\bk root\\", false, Outcome::Success,
         newNativeLogs, nullptr},
        {"Chinese mode, success", "C:\\bk root\\", true, Outcome::Success, nullptr, nullptr},
        // Resolved against the tool's own folder, which the script inherits;
        // the tool is started from C:\ to tell the two apart.
        {"a relative root", "rel bk\\", false, Outcome::Success, nullptr, nullptr, "C:\\tool\\rel bk\\"},
        {"Chinese mode, a root without the closing backslash", "C:\\bk", true, Outcome::PathError,
         nullptr, nullptr},
        {"Chinese mode, a destination that cannot be made", "C:\\bk blocked\\file\\", true,
         Outcome::CopyError, nullptr, nullptr},
    };

    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    if (!tool[编辑框_路径] || !tool[按钮1] || !tool[编辑框_LOG]) {
        Check(false, "the path box, Run Now and the log box were found");
        CloseTool(tool, "backups");
        return;
    }
    bool chinese = false;
    for (const BackupCase& c : cases) {
        if (c.chinese != chinese) {
            size_t lines = LogLines(tool).size();
            PostMessageA(tool.main, WM_COMMAND, ID_MENU_CHANGE_LANGUAGE, 0);
            WaitForLogLines(tool, lines + 1);
            chinese = c.chinese;
        }
        CheckBackupCase(tool, c, address);
        if (c.expect != Outcome::Success) DeleteFileA(kScriptPath);
    }
    Check(!Exists("C:\\rel bk"), "a relative root does not land under the directory the tool was started in");
    CloseTool(tool, "backups");
    {
        RedirectionOffHere off;
        for (int i = 0; i < 4; ++i)
            WriteFileBytes(std::string(kLogFolder) + kLogNames[i] + ".evtx", original[i]);
    }
}

// ---------------------------------------------------------------- pictures

// Hands over to tools/screenshots.sh, which takes a picture of the screen
// when C:\shots\NAME.ready appears and answers with NAME.done.
void Shot(const std::string& name) {
    const std::string folder = "C:\\shots\\";
    MakeFolders(folder);
    Pause(700);  // let the window finish painting
    WriteFileBytes(folder + name + ".ready", "");
    Check(WaitUntil([&] { return Exists(folder + name + ".done"); }, 30000),
          "picture taken: " + name);
}

void Screenshots() {
    FreshSettings();
    Tool tool;
    if (!StartTool(tool)) return;
    Shot("english");
    PostMessageA(tool.main, WM_COMMAND, ID_MENU_CHANGE_LANGUAGE, 0);
    WaitForLogLines(tool, 2);
    Shot("chinese");
    PostMessageA(tool.main, WM_COMMAND, ID_MENU_ABOUT, 0);
    HWND about = nullptr;
    WaitUntil([&] { return (about = VisibleTopWindow(tool.pid(), "", "About")) != nullptr; }, 5000);
    Shot("about");
    if (about) PostMessageA(about, WM_CLOSE, 0, 0);
    WaitUntil([&] { return IsWindowEnabled(tool.main) != FALSE; }, 5000);
    CloseTool(tool, "pictures");
}

struct Scenario {
    const char* name;
    void (*run)();
    bool byDefault;
};

const Scenario kScenarios[] = {
    {"first-start", FirstStart, true}, {"root-exe", ExeInTheRootOfC, true}, {"language", ChangeOfLanguage, true},
    {"typing", TypingAndClicks, true}, {"esc", EscCloses, true},
    {"keys", Keys, true},              {"about", About, true},
    {"backup", Backups, true},         {"shots", Screenshots, false},
};

}  // namespace

// With no argument every test scenario runs; names pick some ("shots" is
// for tools/screenshots.sh).
int main(int argc, char** argv) {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 0), &data);
    for (const Scenario& s : kScenarios) {
        bool wanted = argc < 2 && s.byDefault;
        for (int i = 1; i < argc; ++i) wanted = wanted || std::string(argv[i]) == s.name;
        if (wanted) s.run();
    }
    WSACleanup();
    return Summary();
}
