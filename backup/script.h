#pragma once
#include <string>
#include "platform/os.h"

extern const char* const BackupScriptPath;  // c:\systembackup.bat

// The script text for a destination folder (which ends with a backslash).
std::string BackupScriptText(const std::string& destinationFolder);
// True when a destination folder can be put between double quotes in a
// batch file: no quotation mark and no control byte.
bool QuotableFolder(const std::string& folder);
// Writes the script to BackupScriptPath; true when all of it reached the file.
bool WriteBackupScript(const std::string& destinationFolder);
// Starts the command line with WOW64 redirection off, waits for it, puts
// redirection back on.
os::ProcessOutcome RunRedirectionFree(const std::string& commandLine, os::ShowMode show);
