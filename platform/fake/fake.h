// Test-side controls of the in-memory platform: what the operator does, what
// the machine holds, and what the procedures did to it.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "platform/os.h"
#include "platform/window.h"

namespace fake {

// Back to a freshly started process: controls as created, empty files,
// clock at 2017-02-03 08:26:59, one address 192.0.2.2, processes that
// start and exit with 0, program directory `programDirectory` (a real
// folder: the settings file is a real file there).
void Reset(const std::string& programDirectory);

// ---- window ----
struct MessageBoxShown {
    std::string text, caption;
};
extern std::vector<MessageBoxShown> messageBoxes;
// Runs inside the box's modal loop, before it is closed.
extern std::function<void(const MessageBoxShown&)> whileMessageBoxOpen;
// Runs inside the About window's nested loop.
extern std::function<void()> whileAboutOpen;
extern int aboutOpenings;

// The operator: a click toggles a check box first, then raises Clicked.
void Click(Control control);
// A typed character; the day box drops all but 0-9 and '-'. Backspace is '\b'.
void Type(Control box, char c);
void TypeText(Control box, const std::string& text);
// Pasted text is not filtered.
void Paste(Control box, const std::string& text);
void SelectMenu(Control item);
void FireTimer();

// Messages waiting in the queue, dispatched by DispatchWaitingMessages.
void Post(std::function<void()> message);
size_t WaitingMessages();

long TimerPeriod();
int TimerStarts();  // how often a countdown was (re)started
bool MainWindowShown();
std::string Title();
// Every window call in order, e.g. "SetText 编辑框2 1", for order checks.
extern std::vector<std::string> trace;
// Create the main window fails when false.
extern bool mainWindowCreatable;

// ---- machine ----
void SetClock(const os::ClockReading& reading);
// In-memory file tree for everything but the settings file. Keys as given.
extern std::map<std::string, std::string> files;
extern std::vector<std::string> unwritablePaths;  // CreateAndWriteFile fails
extern bool shortWrites;                          // the write stops half-way
// Settings-file writes fail when false (a read-only Config.ini).
extern bool profileWritable;

struct ProcessRun {
    std::string commandLine;
    os::ShowMode show;
    bool redirectionOff;  // at the moment of the start
};
extern std::vector<ProcessRun> runs;
// What the started process does; default: starts, exits with 0.
extern std::function<os::ProcessOutcome(const ProcessRun&)> onProcess;
bool RedirectionIsOff();

extern bool hostNameFails;
extern std::vector<std::string> addresses;  // empty: the name does not resolve
extern int socketsStarted, socketsStopped;
extern std::string currentDirectory;

}  // namespace fake
