// The one table from window events to procedures; the handlers do nothing
// but call the procedure named for the event.
#include "app/app.h"
#include "backup/job.h"
#include "backup/schedule.h"
#include "platform/window.h"
#include "settings/language.h"
#include "settings/settings.h"

void OnEvent(Control control, Event event) {
    switch (event) {
        case Event::Created:
            if (control == Control::MainWindow) LoadSettingsAndLayout();
            break;
        case Event::TextChanged:
            if (control == Control::编辑框_路径 || control == Control::编辑框2) SaveSettings();
            break;
        case Event::Clicked:
            if (control == Control::选择框1 || control == Control::选择框2)
                SaveSettings();
            else if (control == Control::按钮1)
                RunBackup();
            break;
        case Event::Tick:
            if (control == Control::时钟1) ScheduleTick();
            break;
        case Event::Selected:
            if (control == Control::MenuChangeLanguage)
                ChangeLanguage();
            else if (control == Control::MenuAbout)
                ShowAboutWindow();
            break;
    }
}
