// In-memory main window that raises events by the same rules as the real one.
#include <deque>
#include <map>

#include "platform/fake/fake.h"
#include "platform/window.h"

namespace fake {

std::vector<MessageBoxShown> messageBoxes;
std::function<void(const MessageBoxShown&)> whileMessageBoxOpen;
std::function<void()> whileAboutOpen;
int aboutOpenings = 0;
std::vector<std::string> trace;
bool mainWindowCreatable = true;

namespace {

struct ControlState {
    std::string text;
    bool checked = false;
    int left = 0, width = 0;
};

std::map<Control, ControlState> controls;
std::deque<std::function<void()>> queue;
std::string title;
long period = 0;
int starts = 0;
bool shown = false;
bool created = false;

const char* Name(Control c) {
    switch (c) {
        case Control::标签2: return "标签2";
        case Control::选择框2: return "选择框2";
        case Control::时钟1: return "时钟1";
        case Control::编辑框2: return "编辑框2";
        case Control::编辑框_LOG: return "编辑框_LOG";
        case Control::选择框1: return "选择框1";
        case Control::标签1: return "标签1";
        case Control::编辑框_路径: return "编辑框_路径";
        case Control::按钮1: return "按钮1";
        case Control::MainWindow: return "MainWindow";
        case Control::MenuChangeLanguage: return "MenuChangeLanguage";
        case Control::MenuAbout: return "MenuAbout";
    }
    return "?";
}

bool IsEditBox(Control c) {
    return c == Control::编辑框2 || c == Control::编辑框_LOG || c == Control::编辑框_路径;
}

// The operator's change of an edit box: the log box has no handler.
void Changed(Control box) {
    if (box != Control::编辑框_LOG) OnEvent(box, Event::TextChanged);
}

}  // namespace

void Drain() {
    while (!queue.empty()) {
        auto m = std::move(queue.front());
        queue.pop_front();
        m();
    }
}

void ResetWindow() {
    controls.clear();
    controls[Control::标签2] = {"st", false, 324, 80};
    controls[Control::选择框2] = {"每月", false, 48, 152};
    controls[Control::编辑框2] = {"1", false, 285, 32};
    controls[Control::编辑框_LOG] = {"", false, 8, 344};
    controls[Control::选择框1] = {"导出后自动清空系统日志", false, 47, 193};
    controls[Control::标签1] = {"Path：", false, 16, 40};
    controls[Control::编辑框_路径] = {"", false, 56, 264};
    controls[Control::按钮1] = {"Run Now", false, 240, 80};
    messageBoxes.clear();
    whileMessageBoxOpen = nullptr;
    whileAboutOpen = nullptr;
    aboutOpenings = 0;
    trace.clear();
    mainWindowCreatable = true;
    queue.clear();
    title.clear();
    period = 0;
    starts = 0;
    shown = false;
    created = false;
}

void Click(Control c) {
    if (c == Control::选择框1 || c == Control::选择框2) controls[c].checked = !controls[c].checked;
    OnEvent(c, Event::Clicked);
}

void Type(Control box, char ch) {
    std::string& t = controls[box].text;
    if (ch == '\b') {
        if (t.empty()) return;
        size_t cut = t.size() - 1;
        // Backspace removes a whole two-byte character.
        if (cut > 0 && (static_cast<unsigned char>(t[cut - 1]) & 0x80)) --cut;
        t.erase(cut);
    } else {
        if (box == Control::编辑框2 && !((ch >= '0' && ch <= '9') || ch == '-')) return;
        t += ch;
    }
    Changed(box);
}

void TypeText(Control box, const std::string& text) {
    for (char ch : text) Type(box, ch);
}

void Paste(Control box, const std::string& text) {
    controls[box].text += text;
    Changed(box);
}

void SelectMenu(Control item) { OnEvent(item, Event::Selected); }

void FireTimer() {
    if (period > 0) OnEvent(Control::时钟1, Event::Tick);
}

void Post(std::function<void()> message) { queue.push_back(std::move(message)); }
size_t WaitingMessages() { return queue.size(); }
long TimerPeriod() { return period; }
int TimerStarts() { return starts; }
bool MainWindowShown() { return shown; }
std::string Title() { return title; }

}  // namespace fake

namespace window {

bool CreateOwnerWindow() {
    fake::trace.push_back("CreateOwnerWindow");
    return true;
}

bool CreateMainWindow() {
    fake::trace.push_back("CreateMainWindow");
    if (!fake::mainWindowCreatable) return false;
    fake::created = true;
    fake::title = "Brenvo X64";
    return true;
}

void ShowMainWindow() {
    fake::trace.push_back("ShowMainWindow");
    fake::shown = true;
}

int RunMessageLoop() {
    fake::trace.push_back("RunMessageLoop");
    fake::Drain();
    return 0;
}

std::string GetText(Control box) { return fake::controls[box].text; }

void SetText(Control box, const std::string& text) {
    fake::trace.push_back(std::string("SetText ") + fake::Name(box) + " " + text);
    fake::controls[box].text = text;
    if (fake::IsEditBox(box)) fake::Changed(box);
}

void SetCaption(Control c, const std::string& caption) {
    fake::trace.push_back(std::string("SetCaption ") + fake::Name(c) + " " + caption);
    fake::controls[c].text = caption;
}

std::string GetCaption(Control c) { return fake::controls[c].text; }

void SetWindowTitle(const std::string& t) {
    fake::trace.push_back("SetWindowTitle " + t);
    fake::title = t;
}

bool IsChecked(Control box) { return fake::controls[box].checked; }
void SetChecked(Control box, bool checked) { fake::controls[box].checked = checked; }

int GetLeft(Control c) { return fake::controls[c].left; }
void SetLeft(Control c, int left) {
    fake::trace.push_back(std::string("SetLeft ") + fake::Name(c) + " " + std::to_string(left));
    fake::controls[c].left = left;
}
int GetWidth(Control c) { return fake::controls[c].width; }
void SetWidth(Control c, int width) {
    fake::trace.push_back(std::string("SetWidth ") + fake::Name(c) + " " + std::to_string(width));
    fake::controls[c].width = width;
}

void SetTimerPeriod(long ms) {
    if (ms < 0) ms = 0;
    if (ms == fake::period) return;
    fake::period = ms;
    if (ms > 0) ++fake::starts;
}

void AppendToLogBox(const std::string& text) {
    fake::trace.push_back("AppendToLogBox " + text);
    fake::controls[Control::编辑框_LOG].text += text;
}

void DispatchWaitingMessages() {
    fake::trace.push_back("DispatchWaitingMessages");
    fake::Drain();
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
    fake::trace.push_back("ShowMessageBox " + caption + " " + text);
    fake::MessageBoxShown box{text, caption};
    fake::messageBoxes.push_back(box);
    if (fake::whileMessageBoxOpen) fake::whileMessageBoxOpen(box);
}

void RunAboutWindow() {
    ++fake::aboutOpenings;
    if (fake::whileAboutOpen) fake::whileAboutOpen();
}

}  // namespace window
