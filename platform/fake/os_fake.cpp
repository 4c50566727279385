// In-memory machine: clock, files, processes, addresses. The settings file
// alone is a real file, read and written with the private-profile rules.
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/fake/fake.h"
#include "platform/fake/ini.h"
#include "platform/os.h"

namespace fake {

void ResetWindow();

std::map<std::string, std::string> files;
std::vector<std::string> unwritablePaths;
bool shortWrites = false;
bool profileWritable = true;
std::vector<ProcessRun> runs;
std::function<os::ProcessOutcome(const ProcessRun&)> onProcess;
bool hostNameFails = false;
std::vector<std::string> addresses;
int socketsStarted = 0, socketsStopped = 0;
std::string currentDirectory;

namespace {
os::ClockReading clock{2017, 2, 3, 8, 26, 59};
std::string programDirectory;
bool redirectionOff = false;

// The settings path uses the Windows separator; the real file is the same
// name under the test's folder.
std::string HostPath(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(HostPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

void Reset(const std::string& dir) {
    ResetWindow();
    clock = {2017, 2, 3, 8, 26, 59};
    programDirectory = dir;
    redirectionOff = false;
    files.clear();
    unwritablePaths.clear();
    shortWrites = false;
    profileWritable = true;
    runs.clear();
    onProcess = nullptr;
    hostNameFails = false;
    addresses = {"192.0.2.2"};
    socketsStarted = socketsStopped = 0;
    currentDirectory.clear();
}

void SetClock(const os::ClockReading& reading) { clock = reading; }
bool RedirectionIsOff() { return redirectionOff; }

}  // namespace fake

namespace os {

ClockReading LocalClock() { return fake::clock; }
std::string ProgramDirectory() { return fake::programDirectory; }
void EnterProgramDirectory() {
    fake::trace.push_back("EnterProgramDirectory");
    fake::currentDirectory = fake::programDirectory;
}
void StartSockets() {
    fake::trace.push_back("StartSockets");
    ++fake::socketsStarted;
}
void StopSockets() {
    fake::trace.push_back("StopSockets");
    ++fake::socketsStopped;
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& path,
                              unsigned buffer) {
    return ini::Read(fake::Slurp(path), section, key, fallback, buffer);
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    fake::trace.push_back("WriteProfileString " + section + " " + key + " " + value);
    if (!fake::profileWritable) return false;
    std::string bytes = ini::Write(fake::Slurp(path), section, key, value);
    std::ofstream out(fake::HostPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool CreateAndWriteFile(const std::string& path, const std::string& bytes) {
    for (const auto& p : fake::unwritablePaths)
        if (p == path) return false;
    if (fake::shortWrites) {
        fake::files[path] = bytes.substr(0, bytes.size() / 2);
        return false;
    }
    fake::files[path] = bytes;
    return true;
}

bool PathExists(const std::string& path) {
    fake::trace.push_back("PathExists " + path);
    return fake::files.count(path) > 0;
}

bool DeletePath(const std::string& path) { return fake::files.erase(path) > 0; }

void* RedirectionOff() {
    fake::redirectionOff = true;
    return reinterpret_cast<void*>(0x5);
}

void RedirectionBack(void* previous) {
    if (previous == reinterpret_cast<void*>(0x5)) fake::redirectionOff = false;
}

ProcessOutcome StartProcessAndWait(const std::string& commandLine, ShowMode show) {
    fake::trace.push_back("StartProcess " + commandLine);
    fake::ProcessRun run{commandLine, show, fake::redirectionOff};
    fake::runs.push_back(run);
    if (fake::onProcess) return fake::onProcess(run);
    return {true, 0};
}

bool HostName(std::string& name, unsigned buffer) {
    if (fake::hostNameFails || buffer == 0) return false;
    name = "fakehost";
    return true;
}

bool ResolveIPv4(const std::string&, unsigned most, std::vector<std::string>& out) {
    if (fake::addresses.empty()) return false;
    out.assign(fake::addresses.begin(),
               fake::addresses.begin() + std::min<size_t>(most, fake::addresses.size()));
    return true;
}

}  // namespace os
