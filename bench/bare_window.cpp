// The floor the tool is measured against: the least a Win32 program must do
// to put a window of the tool's size on the screen. Registers one class,
// creates one window, shows it and runs a message loop until WM_CLOSE.
//
// Words on the command line add, one by one, the kinds of work the tool does
// at start-up and on a keystroke, so that the driver can tell what each one
// costs on this system:
//   sockets   load the sockets library and start it, version 1.0
//   menu      an owner window, a dialog frame and the tool's menu bar
//   controls  eight controls of the tool's kinds, places and texts, with the
//             tool's colours, a line in the multi-line box and a timer
//   profile   the settings traffic of the tool's start-up: five reads and
//             seven writes of Config.ini beside this exe
//   edit      one single-line edit box shaped like the tool's path box
//   save      with edit: every change of its text writes four keys, as the
//             tool's save does
// The window's title names what it holds, so the driver finds each variant.
#include <windows.h>

#include <cstring>

namespace {

const int kWidth = 369;
const int kHeight = 280;

bool withSave = false;
HWND editBox = nullptr;
HWND logBox = nullptr;
HBRUSH black = nullptr;
char iniPath[MAX_PATH];

bool Has(const char* commandLine, const char* word) {
    return commandLine != nullptr && std::strstr(commandLine, word) != nullptr;
}

void SaveLikeTheTool() {
    char text[1024];
    int n = GetWindowTextA(editBox, text, sizeof text);
    if (n > 0) WritePrivateProfileStringA("Path", "Path1", text, iniPath);
    WritePrivateProfileStringA("Con", "Con1", "0", iniPath);
    WritePrivateProfileStringA("Con", "Con2", "0", iniPath);
    WritePrivateProfileStringA("T", "T1", "1", iniPath);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (withSave && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == editBox)
            SaveLikeTheTool();
        return 0;
    case WM_CTLCOLOREDIT:
        if (logBox != nullptr && reinterpret_cast<HWND>(lParam) == logBox) {
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 255, 0));
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(black);
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void StartSockets() {
    using Startup = int(WINAPI*)(WORD, void*);
    HMODULE sockets = LoadLibraryA("wsock32.dll");
    if (sockets == nullptr) return;
    auto start = reinterpret_cast<Startup>(
        reinterpret_cast<void (*)()>(GetProcAddress(sockets, "WSAStartup")));
    static char data[512];  // a WSADATA, without its header
    if (start != nullptr) start(MAKEWORD(1, 0), data);
}

HWND Child(HWND parent, DWORD exStyle, const char* cls, const char* text, DWORD style, int x, int y,
           int w, int h, int id) {
    HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

void AddControls(HWND w) {
    const DWORD label = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
    const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER;
    black = CreateSolidBrush(RGB(0, 0, 0));
    Child(w, 0, "STATIC", "st", label, 324, 82, 80, 24, 11);
    Child(w, 0, "BUTTON", "Automatic backup every month on the", check, 48, 83, 232, 24, 12);
    Child(w, 0, "EDIT", "1", WS_TABSTOP | WS_BORDER | ES_CENTER | ES_AUTOHSCROLL, 285, 86, 32, 20,
          13);
    logBox = Child(w, WS_EX_CLIENTEDGE, "EDIT", "",
                   WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 8, 120,
                   344, 128, 14);
    Child(w, 0, "BUTTON", "Automatic emptying system logs after export", check, 47, 48, 193, 24, 15);
    Child(w, 0, "STATIC", "Path:", label, 16, 16, 40, 24, 16);
    Child(w, WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 56, 17, 264, 20,
          17);
    Child(w, 0, "BUTTON", "Run Now", WS_TABSTOP | BS_PUSHBUTTON, 240, 47, 80, 32, 18);
    SetTimer(w, 1, 86400000, nullptr);
    SendMessageA(logBox, EM_SETSEL, 0, 0);
    SendMessageA(logBox, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>("2017/2/3/ 10:20:30:The program starts successfully\r\n"));
}

void StartupProfileTraffic() {
    char value[10240];
    GetPrivateProfileStringA("Language", "L1", "2", value, sizeof value, iniPath);
    GetPrivateProfileStringA("Con", "Con1", "0", value, sizeof value, iniPath);
    GetPrivateProfileStringA("Con", "Con2", "0", value, sizeof value, iniPath);
    GetPrivateProfileStringA("T", "T1", "1", value, sizeof value, iniPath);
    WritePrivateProfileStringA("Con", "Con1", "0", iniPath);
    WritePrivateProfileStringA("Con", "Con2", "0", iniPath);
    WritePrivateProfileStringA("T", "T1", "1", iniPath);
    GetPrivateProfileStringA("Path", "Path1", nullptr, value, sizeof value, iniPath);
    WritePrivateProfileStringA("Con", "Con1", "0", iniPath);
    WritePrivateProfileStringA("Con", "Con2", "0", iniPath);
    WritePrivateProfileStringA("T", "T1", "1", iniPath);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool withSockets = Has(commandLine, "sockets");
    const bool withMenu = Has(commandLine, "menu");
    const bool withControls = Has(commandLine, "controls");
    const bool withProfile = Has(commandLine, "profile");
    const bool withEdit = Has(commandLine, "edit");
    withSave = withEdit && Has(commandLine, "save");

    if (withProfile || withSave) {
        DWORD n = GetModuleFileNameA(nullptr, iniPath, MAX_PATH - 16);
        char* slash = std::strrchr(iniPath, '\\');
        if (n == 0 || slash == nullptr) return 1;
        std::strcpy(slash, "\\Config.ini");
    }

    if (withSockets) StartSockets();

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BareWindow";
    if (!RegisterClassExA(&windowClass)) return 1;

    HMENU menu = nullptr;
    if (withMenu) {
        // The owner of modal windows, never shown.
        CreateWindowExA(WS_EX_TOOLWINDOW, "BareWindow", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        instance, nullptr);
        menu = CreateMenu();
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 40001, "Change Language");
        AppendMenuA(popup, MF_STRING, 40002, "About");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Menu");
    }

    char title[96] = "Bare Window";
    static const char* const kWords[] = {"sockets", "menu", "controls", "profile", "edit", "save"};
    for (const char* word : kWords) {
        if (!Has(commandLine, word)) continue;
        std::strcat(title, " ");
        std::strcat(title, word);
    }
    HWND window = CreateWindowExA(withMenu ? WS_EX_DLGMODALFRAME : 0, "BareWindow",
                                  title,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                  nullptr, menu, instance, nullptr);
    if (window == nullptr) return 1;
    if (withControls) AddControls(window);
    if (withEdit)
        editBox = Child(window, WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                        56, 17, 264, 20, 1);
    if (withProfile) StartupProfileTraffic();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
