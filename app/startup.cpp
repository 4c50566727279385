#include "app/app.h"

#include "platform/os.h"
#include "platform/window.h"

int RunProgram() {
    os::StartSockets();
    // Programs started later (the backup script) inherit this directory, and
    // a relative backup root resolves against it.
    os::EnterProgramDirectory();
    window::CreateOwnerWindow();
    if (!window::CreateMainWindow()) {
        window::ShowMessageBox("Failed to load the start-up window.", "Error");
        os::StopSockets();
        return -1;
    }
    OnEvent(Control::MainWindow, Event::Created);
    window::ShowMainWindow();
    int code = window::RunMessageLoop();
    os::StopSockets();
    return code;
}

void ShowAboutWindow() { window::RunAboutWindow(); }
