// The window half of the platform seam: the main window's controls as the
// procedures see them. Win32 implementation in platform/win32, in-memory
// implementation for the unit tests in platform/fake.
#pragma once
#include <string>

// Every control of the main window, in creation order, plus the window itself.
enum class Control {
    标签2,
    选择框2,
    时钟1,
    编辑框2,
    编辑框_LOG,
    选择框1,
    标签1,
    编辑框_路径,
    按钮1,
    MainWindow,
    MenuChangeLanguage,  // menu item "Change Language"
    MenuAbout,           // menu item "关于"
};

enum class Event {
    Created,      // MainWindow
    TextChanged,  // edit boxes
    Clicked,      // check boxes and the button
    Tick,         // the timer
    Selected,     // menu items
};

// Raised by both implementations; defined in app/events.cpp.
void OnEvent(Control control, Event event);

namespace window {

// Start-up pieces, in the order the program calls them.
bool CreateOwnerWindow();
bool CreateMainWindow();  // window, menu and controls; not yet visible
void ShowMainWindow();
int RunMessageLoop();  // until the quit message; returns its code

// Edit boxes: replacing the text raises TextChanged once, synchronously,
// also when the text is the same.
std::string GetText(Control box);
void SetText(Control box, const std::string& text);

// Labels, check boxes, the button: the text shown. Raises nothing.
void SetCaption(Control control, const std::string& caption);
std::string GetCaption(Control control);
void SetWindowTitle(const std::string& title);

// Check boxes: setting raises nothing.
bool IsChecked(Control box);
void SetChecked(Control box, bool checked);

// Client-area pixels.
int GetLeft(Control control);
void SetLeft(Control control, int left);
int GetWidth(Control control);
void SetWidth(Control control, int width);

// The timer 时钟1. Negative counts as 0; the period it already has changes
// nothing (a running countdown goes on undisturbed).
void SetTimerPeriod(long milliseconds);

// The log box: caret to the end, scroll it into view, insert without undo.
void AppendToLogBox(const std::string& text);

// Takes and dispatches what is waiting in the thread's queue, until it is
// empty; a quit message stays queued and ends the pass.
void DispatchWaitingMessages();

// Task-modal message box with one OK button and no owner.
void ShowMessageBox(const std::string& text, const std::string& caption);

// The modal About window owned by the invisible owner window; returns when
// it has been closed.
void RunAboutWindow();

}  // namespace window
