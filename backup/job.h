#pragma once

void RunBackup();
// True from the start of a run to its end, also while the run dispatches
// waiting messages or shows a message box.
bool BackupRunning();
