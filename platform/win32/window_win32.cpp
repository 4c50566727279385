// The main window, its controls and menu, the About window and the message
// loops, on plain Win32 (ANSI functions: every text is a code-page byte
// string).
#include <windows.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "platform/window.h"

namespace {

const int kMainWidth = 369;
const int kMainHeight = 280;
const int kAboutWidth = 320;
const int kAboutHeight = 123;

const char kMainClass[] = "BrenvoMainWindow";
const char kOwnerClass[] = "BrenvoOwnerWindow";
const char kAboutClass[] = "BrenvoAboutWindow";

const int kControlCount = static_cast<int>(Control::MenuAbout) + 1;

HWND ownerWindow = nullptr;
HWND mainWindow = nullptr;
HWND aboutWindow = nullptr;
HWND controls[kControlCount] = {};
HBRUSH logBackground = nullptr;
WNDPROC dayBoxProcedure = nullptr;

// False until every control exists: nothing may reach the procedures before
// the created event, and a failed creation must not post a quit message that
// would close the error box at once.
bool eventsLive = false;
// While the program itself replaces an edit box's text, the box's own change
// notification is ignored and the event is raised once by SetText instead
// (Windows and Wine do not agree on when WM_SETTEXT notifies).
bool replacingText = false;
long timerPeriod = 0;
// The control that had the focus when the main window was deactivated, so
// that closing a message box or the About window gives it back.
HWND focusBeforeDeactivation = nullptr;
// Windows that the About window disabled and must enable again.
std::vector<HWND> disabledForAbout;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

HWND HandleOf(Control control) {
    if (control == Control::MainWindow) return mainWindow;
    int index = static_cast<int>(control);
    if (index < 0 || index >= kControlCount) return nullptr;
    return controls[index];
}

bool IsLabel(HWND hwnd) {
    return hwnd != nullptr &&
           (hwnd == controls[static_cast<int>(Control::标签1)] ||
            hwnd == controls[static_cast<int>(Control::标签2)]);
}

std::string WindowText(HWND hwnd) {
    if (hwnd == nullptr) return std::string();
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
    if (copied <= 0) return std::string();
    return std::string(buffer.data(), static_cast<size_t>(copied));
}

// Place in the main window's client area.
RECT ClientPlace(HWND hwnd) {
    RECT place = {0, 0, 0, 0};
    if (hwnd == nullptr || !GetWindowRect(hwnd, &place)) return place;
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void UseGuiFont(HWND hwnd) {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
}

bool IsAllowedInDayBox(WPARAM character) {
    return character < 0x20 || (character >= '0' && character <= '9') || character == '-';
}

// The day box takes only digits and the minus sign from the keyboard;
// control characters pass so that Backspace and the clipboard keys still
// work. Text that arrives by paste or from the program is not filtered.
LRESULT CALLBACK DayBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!IsAllowedInDayBox(wParam)) return 0;
        break;
    case WM_IME_COMPOSITION:
        // An edit box would insert a finished composition directly; the
        // default handling turns it into WM_IME_CHAR, which is filtered above.
        if (lParam & GCS_RESULTSTR) return DefWindowProcA(hwnd, message, wParam, lParam);
        break;
    default:
        break;
    }
    return CallWindowProcA(dayBoxProcedure, hwnd, message, wParam, lParam);
}

void NotifyChange(Control box) {
    if (eventsLive && !replacingText) OnEvent(box, Event::TextChanged);
}

void NotifyClick(Control control) {
    if (eventsLive) OnEvent(control, Event::Clicked);
}

LRESULT CALLBACK MainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        if (lParam == 0) {
            if (!eventsLive) return 0;
            if (id == ID_MENU_CHANGE_LANGUAGE) OnEvent(Control::MenuChangeLanguage, Event::Selected);
            else if (id == ID_MENU_ABOUT) OnEvent(Control::MenuAbout, Event::Selected);
            return 0;
        }
        switch (id) {
        case ID_编辑框2:
            if (code == EN_CHANGE) NotifyChange(Control::编辑框2);
            break;
        case ID_编辑框_路径:
            if (code == EN_CHANGE) NotifyChange(Control::编辑框_路径);
            break;
        case ID_选择框1:
            if (code == BN_CLICKED) NotifyClick(Control::选择框1);
            break;
        case ID_选择框2:
            if (code == BN_CLICKED) NotifyClick(Control::选择框2);
            break;
        case ID_按钮1:
            if (code == BN_CLICKED) NotifyClick(Control::按钮1);
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam == ID_TIMER_时钟1) {
            if (eventsLive) OnEvent(Control::时钟1, Event::Tick);
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (reinterpret_cast<HWND>(lParam) == controls[static_cast<int>(Control::编辑框_LOG)] &&
            logBackground != nullptr) {
            SetTextColor(dc, RGB(0, 255, 0));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(logBackground);
        }
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_CTLCOLORSTATIC:
        if (IsLabel(reinterpret_cast<HWND>(lParam))) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusBeforeDeactivation = (focus != nullptr && IsChild(hwnd, focus)) ? focus : nullptr;
        } else if (!HIWORD(wParam) && focusBeforeDeactivation != nullptr &&
                   IsWindow(focusBeforeDeactivation)) {
            SetFocus(focusBeforeDeactivation);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (eventsLive) PostQuitMessage(0);
        break;
    case WM_NCDESTROY:
        eventsLive = false;
        mainWindow = nullptr;
        for (HWND& control : controls) control = nullptr;
        focusBeforeDeactivation = nullptr;
        if (logBackground != nullptr) {
            DeleteObject(logBackground);
            logBackground = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void EnableDisabledForAbout() {
    for (HWND hwnd : disabledForAbout) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    disabledForAbout.clear();
}

LRESULT CALLBACK AboutProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Enabled again before the window goes, so that the activation
        // falls back to the main window and not to another program.
        EnableDisabledForAbout();
        DestroyWindow(hwnd);
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_NCDESTROY:
        if (aboutWindow == hwnd) aboutWindow = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterWindowClass(const char* name, WNDPROC procedure, bool withIcon) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    if (withIcon) {
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hIcon = static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(ID_DEFAULT_ICON), IMAGE_ICON,
                       GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(ID_DEFAULT_ICON), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    }
    if (RegisterClassExA(&windowClass)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int CentredLeft(int width) { return (GetSystemMetrics(SM_CXSCREEN) - width) / 2; }
int CentredTop(int height) { return (GetSystemMetrics(SM_CYSCREEN) - height) / 2; }

// Fixed dialog frame: no sizing border and no zoom box.
const DWORD kFixedFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const DWORD kFixedFrameExStyle = WS_EX_DLGMODALFRAME;

struct ControlRow {
    Control control;
    int id;
    const char* windowClass;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
};

const DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
const DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER;

// Creation order is also the stacking and tab order.
const ControlRow kControls[] = {
    {Control::标签2, ID_标签2, "STATIC", "st", kLabel, 0, 324, 82, 80, 24},
    {Control::选择框2, ID_选择框2, "BUTTON", "每月", kCheckBox, 0, 48, 83, 152, 24},
    {Control::编辑框2, ID_编辑框2, "EDIT", "1", WS_TABSTOP | WS_BORDER | ES_CENTER | ES_AUTOHSCROLL,
     0, 285, 86, 32, 20},
    {Control::编辑框_LOG, ID_编辑框_LOG, "EDIT", "",
     WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE, 8,
     120, 344, 128},
    {Control::选择框1, ID_选择框1, "BUTTON", "导出后自动清空系统日志", kCheckBox, 0, 47, 48, 193, 24},
    {Control::标签1, ID_标签1, "STATIC", "Path：", kLabel, 0, 16, 16, 40, 24},
    {Control::编辑框_路径, ID_编辑框_路径, "EDIT", "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, 56, 17, 264, 20},
    {Control::按钮1, ID_按钮1, "BUTTON", "Run Now", WS_TABSTOP | BS_PUSHBUTTON, 0, 240, 47, 80, 32},
};

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    if (bar == nullptr || popup == nullptr) {
        if (bar != nullptr) DestroyMenu(bar);
        if (popup != nullptr) DestroyMenu(popup);
        return nullptr;
    }
    AppendMenuA(popup, MF_STRING, ID_MENU_CHANGE_LANGUAGE, "Change Language");
    AppendMenuA(popup, MF_STRING, ID_MENU_ABOUT, "关于");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "菜单");
    return bar;
}

bool IsInside(HWND window, HWND target) {
    return window != nullptr && target != nullptr && (target == window || IsChild(window, target));
}

void MoveFocusByTab(bool backwards) {
    HWND focus = GetFocus();
    HWND from = IsChild(mainWindow, focus) ? focus : nullptr;
    HWND next;
    if (from == nullptr && backwards) {
        // Going backwards from no control at all lands on the last one.
        HWND first = GetNextDlgTabItem(mainWindow, nullptr, FALSE);
        next = first != nullptr ? GetNextDlgTabItem(mainWindow, first, TRUE) : nullptr;
    } else {
        next = GetNextDlgTabItem(mainWindow, from, backwards ? TRUE : FALSE);
    }
    if (next != nullptr) SetFocus(next);
}

// The keys that a dialog would handle, for the main window and the About
// window alike. True when the message has been dealt with.
bool PreTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (IsInside(aboutWindow, message.hwnd)) {
        if (message.wParam != VK_ESCAPE) return false;
        SendMessageA(aboutWindow, WM_CLOSE, 0, 0);
        return true;
    }
    if (!IsInside(mainWindow, message.hwnd)) return false;
    switch (message.wParam) {
    case VK_ESCAPE:
        DestroyWindow(mainWindow);
        return true;
    case VK_TAB:
        MoveFocusByTab(GetKeyState(VK_SHIFT) < 0);
        return true;
    case VK_RETURN:
        // Only the log box takes Enter, as a line break; there is no default
        // button to press.
        return message.hwnd != controls[static_cast<int>(Control::编辑框_LOG)];
    default:
        return false;
    }
}

BOOL CALLBACK NoteEnabledWindow(HWND hwnd, LPARAM) {
    // Hidden helper windows of the thread (the owner, input-method windows)
    // are left alone: only what the operator can use is disabled.
    if (hwnd != aboutWindow && hwnd != ownerWindow && IsWindowVisible(hwnd) &&
        IsWindowEnabled(hwnd)) {
        disabledForAbout.push_back(hwnd);
    }
    return TRUE;
}

std::string AboutText() {
    const std::string lineBreak = "\r\n";
    return std::string("因为自己平常要用到，所有做了这么个程序") + lineBreak +
           "有问题请联系： https://brenvo.example.com" + lineBreak +
           std::string(27, ' ') + lineBreak +
           std::string(31, ' ') + "Brenvo" + lineBreak +
           std::string(14, ' ') + "最后更新日期 2017年2月3日" + lineBreak +
           std::string(26, ' ');
}

}  // namespace

namespace window {

bool CreateOwnerWindow() {
    if (!RegisterWindowClass(kOwnerClass, DefWindowProcA, false)) return false;
    ownerWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, Instance(), nullptr);
    return ownerWindow != nullptr;
}

bool CreateMainWindow() {
    if (!RegisterWindowClass(kMainClass, MainProcedure, true)) return false;
    HMENU menu = CreateMainMenu();
    mainWindow = CreateWindowExA(kFixedFrameExStyle, kMainClass, "Brenvo X64", kFixedFrameStyle,
                                 CentredLeft(kMainWidth), CentredTop(kMainHeight), kMainWidth,
                                 kMainHeight, nullptr, menu, Instance(), nullptr);
    if (mainWindow == nullptr) {
        if (menu != nullptr) DestroyMenu(menu);
        return false;
    }
    logBackground = CreateSolidBrush(RGB(0, 0, 0));
    for (const ControlRow& row : kControls) {
        HWND hwnd = CreateWindowExA(row.exStyle, row.windowClass, row.text,
                                    WS_CHILD | WS_VISIBLE | row.style, row.left, row.top, row.width,
                                    row.height, mainWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                    Instance(), nullptr);
        if (hwnd == nullptr) {
            DestroyWindow(mainWindow);
            return false;
        }
        controls[static_cast<int>(row.control)] = hwnd;
        UseGuiFont(hwnd);
        if (lstrcmpiA(row.windowClass, "EDIT") == 0) SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);
    }
    HWND dayBox = controls[static_cast<int>(Control::编辑框2)];
    dayBoxProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        dayBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DayBoxProcedure)));
    eventsLive = true;
    return true;
}

void ShowMainWindow() {
    if (mainWindow == nullptr) return;
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    UpdateWindow(mainWindow);
}

int RunMessageLoop() {
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return -1;
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string GetText(Control box) { return WindowText(HandleOf(box)); }

void SetText(Control box, const std::string& text) {
    HWND hwnd = HandleOf(box);
    if (hwnd == nullptr) return;
    const bool wasReplacing = replacingText;
    replacingText = true;
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    replacingText = wasReplacing;
    // The log box has no handler, and appending to it must stay silent.
    if (eventsLive && (box == Control::编辑框2 || box == Control::编辑框_路径)) {
        OnEvent(box, Event::TextChanged);
    }
}

void SetCaption(Control control, const std::string& caption) {
    HWND hwnd = HandleOf(control);
    if (hwnd != nullptr) SetWindowTextA(hwnd, caption.c_str());
}

std::string GetCaption(Control control) { return WindowText(HandleOf(control)); }

void SetWindowTitle(const std::string& title) {
    if (mainWindow != nullptr) SetWindowTextA(mainWindow, title.c_str());
}

bool IsChecked(Control box) {
    HWND hwnd = HandleOf(box);
    return hwnd != nullptr && SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(Control box, bool checked) {
    HWND hwnd = HandleOf(box);
    if (hwnd != nullptr) SendMessageA(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int GetLeft(Control control) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr || hwnd == mainWindow) return 0;
    return ClientPlace(hwnd).left;
}

void SetLeft(Control control, int left) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr || hwnd == mainWindow) return;
    const RECT place = ClientPlace(hwnd);
    SetWindowPos(hwnd, nullptr, left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int GetWidth(Control control) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr || hwnd == mainWindow) return 0;
    const RECT place = ClientPlace(hwnd);
    return place.right - place.left;
}

void SetWidth(Control control, int width) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr || hwnd == mainWindow) return;
    const RECT place = ClientPlace(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, width, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetTimerPeriod(long milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    // SetTimer on a running timer restarts its countdown, which the same
    // period must not do.
    if (milliseconds == timerPeriod) return;
    timerPeriod = milliseconds;
    if (mainWindow == nullptr) return;
    KillTimer(mainWindow, ID_TIMER_时钟1);
    if (milliseconds > 0) {
        SetTimer(mainWindow, ID_TIMER_时钟1, static_cast<UINT>(milliseconds), nullptr);
    }
}

void AppendToLogBox(const std::string& text) {
    HWND log = controls[static_cast<int>(Control::编辑框_LOG)];
    if (log == nullptr) return;
    const int end = GetWindowTextLengthA(log);
    SendMessageA(log, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(log, EM_SCROLLCARET, 0, 0);
    SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void DispatchWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            // Something got ahead of the quit message between the two looks;
            // it has to stay queued for the main loop all the same.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

void RunAboutWindow() {
    if (aboutWindow != nullptr) return;
    if (!RegisterWindowClass(kAboutClass, AboutProcedure, true)) return;
    aboutWindow = CreateWindowExA(kFixedFrameExStyle, kAboutClass, "About", kFixedFrameStyle,
                                  CentredLeft(kAboutWidth), CentredTop(kAboutHeight), kAboutWidth,
                                  kAboutHeight, ownerWindow, nullptr, Instance(), nullptr);
    if (aboutWindow == nullptr) return;
    HWND label = CreateWindowExA(0, "STATIC", AboutText().c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                                 24, 16, 264, 72, aboutWindow,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_ABOUT_标签1)),
                                 Instance(), nullptr);
    if (label != nullptr) UseGuiFont(label);

    ShowWindow(aboutWindow, SW_SHOWNORMAL);
    UpdateWindow(aboutWindow);

    disabledForAbout.clear();
    EnumThreadWindows(GetCurrentThreadId(), NoteEnabledWindow, 0);
    for (HWND hwnd : disabledForAbout) EnableWindow(hwnd, FALSE);

    MSG message;
    while (aboutWindow != nullptr) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) break;
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (aboutWindow != nullptr) SendMessageA(aboutWindow, WM_CLOSE, 0, 0);
    EnableDisabledForAbout();
}

}  // namespace window
