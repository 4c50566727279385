#include <gtest/gtest.h>

#include "app/app.h"
#include "fixture.h"
#include "platform/window.h"

namespace {

using Startup = FakeProcess;

TEST_F(Startup, Order) {
    EXPECT_EQ(RunProgram(), 0);
    std::vector<std::string> steps;
    for (const auto& t : fake::trace) {
        std::string k = t.substr(0, t.find(' '));
        if (k != "SetCaption" && k != "SetLeft" && k != "SetWidth" && k != "SetText" &&
            k != "WriteProfileString" && k != "SetWindowTitle")
            steps.push_back(k);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"StartSockets", "EnterProgramDirectory", "CreateOwnerWindow",
                                               "CreateMainWindow", "AppendToLogBox", "ShowMainWindow",
                                               "RunMessageLoop", "StopSockets"}));
    EXPECT_EQ(fake::currentDirectory, dir_);
    EXPECT_EQ(fake::socketsStopped, 1);
}

TEST_F(Startup, NoMainWindow) {
    fake::mainWindowCreatable = false;
    EXPECT_EQ(RunProgram(), -1);
    ASSERT_EQ(fake::messageBoxes.size(), 1u);
    EXPECT_FALSE(fake::MainWindowShown());
    EXPECT_EQ(LanguageMode, 0) << "no created event";
}

TEST_F(Startup, MenuAndHandlers) {
    RunProgram();
    fake::SelectMenu(Control::MenuAbout);
    EXPECT_EQ(fake::aboutOpenings, 1);
    // A tick while the About window is open is handled inside its loop.
    fake::whileAboutOpen = [] { fake::FireTimer(); };
    fake::Click(Control::选择框2);
    window::SetText(Control::编辑框2, "3");
    fake::SelectMenu(Control::MenuAbout);
    EXPECT_NE(Log().find("Automatic backup program starts!"), std::string::npos);
    // Typing in the log box is no event of the tool.
    fake::trace.clear();
    fake::TypeText(Control::编辑框_LOG, "note");
    EXPECT_TRUE(fake::trace.empty());
}

}  // namespace
