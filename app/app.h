#pragma once
// Start-up, the created event, the message loop and the end.
int RunProgram();
void ShowAboutWindow();
