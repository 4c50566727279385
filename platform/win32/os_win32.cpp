// Operating-system services on Win32 (ANSI functions, code-page texts).
#include <windows.h>
#include <winsock.h>
// <windows.h> maps this name to the ANSI WIN.INI writer; here it is the
// seam function of the same name.
#undef WriteProfileString

#include <cstring>
#include <string>
#include <vector>

#include "platform/os.h"

namespace {

const char kKernel32[] = "Kernel32.dll";

typedef BOOL(WINAPI* DisableRedirection)(PVOID* previous);
typedef BOOL(WINAPI* RevertRedirection)(PVOID previous);

// Bound by name at first use, so that the program still loads on a Windows
// whose Kernel32.dll lacks the function; without it there is nothing safe to
// run, so the process ends.
FARPROC KernelFunction(const char* name) {
    HMODULE kernel = LoadLibraryA(kKernel32);
    FARPROC function = kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
    if (function == nullptr) {
        const std::string text = std::string("The function ") + name + " was not found in " +
                                 kKernel32 + ".";
        MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_TASKMODAL);
        ExitProcess(static_cast<UINT>(-1));
    }
    return function;
}

template <typename Function>
Function AsFunction(FARPROC address) {
    // Through the generic function type, which GCC accepts without a
    // cast-function-type warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

std::string ComputeProgramDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > MAX_PATH) length = MAX_PATH;
    // The last backslash that is a character of its own: in the ANSI code
    // page the second byte of a two-byte character may have the value of a
    // backslash.
    size_t cut = 0;
    bool found = false;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80) {
            ++i;
        } else if (byte == '\\') {
            cut = i;
            found = true;
        }
    }
    return found ? std::string(path, cut) : std::string();
}

}  // namespace

namespace os {

ClockReading LocalClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ClockReading{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string ProgramDirectory() {
    static const std::string directory = ComputeProgramDirectory();
    return directory;
}

void EnterProgramDirectory() {
    std::string directory = ProgramDirectory();
    // "C:" alone would mean the current folder of drive C:, not its root.
    if (!directory.empty() && directory.back() == ':') directory += '\\';
    SetCurrentDirectoryA(directory.c_str());
}

void StartSockets() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 0), &data);
}

void StopSockets() { WSACleanup(); }

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& path,
                              unsigned buffer) {
    if (buffer == 0) return std::string();
    std::vector<char> value(buffer);
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(),
                                            fallback.empty() ? nullptr : fallback.c_str(),
                                            value.data(), buffer, path.c_str());
    if (length >= buffer) length = buffer - 1;
    return std::string(value.data(), length);
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           FALSE;
}

bool CreateAndWriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool complete = true;
    if (!bytes.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(bytes.size());
        complete = WriteFile(file, bytes.data(), size, &written, nullptr) && written == size;
    }
    CloseHandle(file);
    return complete;
}

bool PathExists(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool DeletePath(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

void* RedirectionOff() {
    static DisableRedirection disable = nullptr;
    if (disable == nullptr) {
        disable = AsFunction<DisableRedirection>(KernelFunction("Wow64DisableWow64FsRedirection"));
    }
    PVOID previous = nullptr;
    disable(&previous);
    return previous;
}

void RedirectionBack(void* previous) {
    static RevertRedirection revert = nullptr;
    if (revert == nullptr) {
        revert = AsFunction<RevertRedirection>(KernelFunction("Wow64RevertWow64FsRedirection"));
    }
    revert(previous);
}

ProcessOutcome StartProcessAndWait(const std::string& commandLine, ShowMode show) {
    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show == ShowMode::Hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ProcessOutcome{false, 0};
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ProcessOutcome{true, exitCode};
}

bool HostName(std::string& name, unsigned buffer) {
    if (buffer == 0) return false;
    std::vector<char> text(buffer);
    if (gethostname(text.data(), static_cast<int>(buffer)) == SOCKET_ERROR) return false;
    name.assign(text.data(), strnlen(text.data(), buffer));
    return true;
}

bool ResolveIPv4(const std::string& name, unsigned most, std::vector<std::string>& out) {
    out.clear();
    const hostent* host = gethostbyname(name.c_str());
    if (host == nullptr) return false;
    if (host->h_addrtype != AF_INET || host->h_addr_list == nullptr) return true;
    for (unsigned i = 0; i < most && host->h_addr_list[i] != nullptr; ++i) {
        in_addr address;
        std::memcpy(&address, host->h_addr_list[i], sizeof address);
        // inet_ntoa's buffer is overwritten by its next call.
        out.emplace_back(inet_ntoa(address));
    }
    return true;
}

}  // namespace os
