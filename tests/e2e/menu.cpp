// The menu bar, read inside the process that made it: another process cannot
// read it under Wine. Builds the real main window with the product's own
// code, then inspects its menu.
#include "tests/e2e/e2e.h"

#include "app/ids.h"
#include "platform/window.h"

using namespace e2e;

int main() {
    Check(window::CreateOwnerWindow(), "the owner window is created");
    if (!Check(window::CreateMainWindow(), "the main window is created")) return Summary();
    HWND main = FindWindowA(nullptr, "Brenvo X64");
    Check(main != nullptr && !IsWindowVisible(main), "not visible before it is shown");
    HMENU bar = GetMenu(main);
    if (!Check(bar != nullptr, "the window has a menu bar")) return Summary();
    CheckNumber(GetMenuItemCount(bar), 1, "one entry in the menu bar");
    char text[64] = {};
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    CheckText(text, "菜单", "the entry is \"菜单\"");
    HMENU drop = GetSubMenu(bar, 0);
    if (!Check(drop != nullptr, "the entry drops down a menu")) return Summary();
    CheckNumber(GetMenuItemCount(drop), 2, "two items, no separators");
    const struct {
        const char* caption;
        UINT id;
    } items[] = {{"Change Language", ID_MENU_CHANGE_LANGUAGE}, {"关于", ID_MENU_ABOUT}};
    for (int i = 0; i < 2; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        char caption[64] = {};
        info.dwTypeData = caption;
        info.cch = sizeof caption;
        GetMenuItemInfoA(drop, static_cast<UINT>(i), TRUE, &info);
        const std::string what = std::string("item ") + std::to_string(i + 1);
        CheckText(caption, items[i].caption, what + " caption, no shortcut");
        CheckNumber(info.wID, items[i].id, what + " identifier");
        Check(!(info.fState & (MFS_DISABLED | MFS_CHECKED)), what + " enabled and unchecked");
        Check(!(info.fType & MFT_SEPARATOR), what + " is no separator");
    }
    DestroyWindow(main);
    return Summary();
}
