// Numeric identifiers of the main window's menu items and controls. Plain C
// so that a driver program can send the same WM_COMMAND the menu sends.
#pragma once

#define ID_MENU_CHANGE_LANGUAGE 40001
#define ID_MENU_ABOUT 40002

#define ID_标签2 1001
#define ID_选择框2 1002
#define ID_编辑框2 1004
#define ID_编辑框_LOG 1005
#define ID_选择框1 1006
#define ID_标签1 1007
#define ID_编辑框_路径 1008
#define ID_按钮1 1009
#define ID_TIMER_时钟1 1

#define ID_ABOUT_标签1 2001

#define ID_DEFAULT_ICON 1
