// The operating-system half of the platform seam.
#pragma once
#include <string>
#include <vector>

namespace os {

struct ClockReading {
    int year, month, day, hour, minute, second;
};

// Local wall-clock time, whole seconds.
ClockReading LocalClock();

// Folder of the executable (no trailing backslash), fixed at process start.
std::string ProgramDirectory();
// Makes ProgramDirectory() the current directory.
void EnterProgramDirectory();

// Windows Sockets 1.0 start and clean-up; results are not needed.
void StartSockets();
void StopSockets();

// Private-profile strings. `buffer` is the reader's buffer size in bytes,
// so a value is cut to buffer-1 bytes.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& path,
                              unsigned buffer);
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

// Creates or empties `path` and writes `bytes`. True only when the whole
// text reached the file.
bool CreateAndWriteFile(const std::string& path, const std::string& bytes);
// True when a file or folder of that name exists.
bool PathExists(const std::string& path);
bool DeletePath(const std::string& path);

// WOW64 file-system redirection of the calling thread.
void* RedirectionOff();
void RedirectionBack(void* previous);

enum class ShowMode { Hidden, Normal };

struct ProcessOutcome {
    bool started;
    unsigned long exitCode;  // meaningful only when started
};

// Starts `commandLine` (inheriting directory and environment) and waits for
// it to end.
ProcessOutcome StartProcessAndWait(const std::string& commandLine, ShowMode show);

// gethostname into a buffer of `buffer` bytes; false on failure.
bool HostName(std::string& name, unsigned buffer);
// gethostbyname for IPv4 entries; at most `most` dotted-decimal texts, in
// the order the resolver gives. False when the name does not resolve.
bool ResolveIPv4(const std::string& name, unsigned most, std::vector<std::string>& out);

}  // namespace os
