// Helpers shared by the Wine test programs: the pass/fail tally, file and
// text helpers, WOW64 redirection of the test's own thread, and what a
// backup is expected to produce. Written against Win32 alone, so that the
// expectations do not come from the code under test.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace e2e {

inline int passed = 0;
inline int failed = 0;

// A text as it can be read in a log: printable bytes as they are (GBK
// stays GBK, the runner turns it into UTF-8), the rest as \xNN.
inline std::string Shown(const std::string& text) {
    std::string out;
    char buf[8];
    for (unsigned char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c == 0x7f) { std::snprintf(buf, sizeof buf, "\\x%02X", c); out += buf; }
        else out += static_cast<char>(c);
    }
    return out;
}

inline std::string Hex(const std::string& text, size_t most = 64) {
    std::string out;
    char buf[4];
    for (size_t i = 0; i < text.size() && i < most; ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(text[i]));
        if (i) out += ' ';
        out += buf;
    }
    if (text.size() > most) out += " ...";
    return out;
}

inline bool Check(bool ok, const std::string& what, const std::string& detail = "") {
    if (ok) ++passed; else ++failed;
    std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", what.c_str(),
                (!ok && !detail.empty()) ? ": " : "", ok ? "" : detail.c_str());
    std::fflush(stdout);
    return ok;
}

inline bool CheckText(const std::string& got, const std::string& want, const std::string& what) {
    if (got == want) return Check(true, what);
    std::string detail = "expected \"" + Shown(want) + "\", got \"" + Shown(got) + "\"";
    if (want.size() <= 200 && got.size() <= 200)
        detail += " [expected " + Hex(want, 200) + "] [got " + Hex(got, 200) + "]";
    return Check(false, what, detail);
}

inline bool CheckNumber(long long got, long long want, const std::string& what) {
    return Check(got == want, what,
                 "expected " + std::to_string(want) + ", got " + std::to_string(got));
}

inline int Summary() {
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed ? 1 : 0;
}

inline std::string Env(const char* name) {
    char buf[1024];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return (n && n < sizeof buf) ? std::string(buf, n) : std::string();
}

// ---- files ----
inline bool ReadFileBytes(const std::string& path, std::string& out) {
    out.clear();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buf[65536];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr)) && n) out.append(buf, n);
    CloseHandle(h);
    return ok;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = bytes.empty() || (WriteFile(h, bytes.data(), bytes.size(), &n, nullptr) && n == bytes.size());
    CloseHandle(h);
    return ok;
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every folder of `folder` (which ends with a backslash) that is missing.
inline void MakeFolders(const std::string& folder) {
    for (size_t i = 3; i < folder.size(); ++i)
        if (folder[i] == '\\') CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
}

// Deletes a tree; for clearing what an earlier run of the tests left.
inline void RemoveTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

// ---- WOW64 redirection of this thread ----
// The test's own switch, not the product's, so a fault there cannot hide.
class RedirectionOffHere {
public:
    RedirectionOffHere() {
        using Fn = BOOL(WINAPI*)(PVOID*);
        auto off = reinterpret_cast<Fn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                   "Wow64DisableWow64FsRedirection")));
        ok_ = off && off(&previous_);
    }
    ~RedirectionOffHere() {
        using Fn = BOOL(WINAPI*)(PVOID);
        auto back = reinterpret_cast<Fn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                   "Wow64RevertWow64FsRedirection")));
        if (ok_ && back) back(previous_);
    }
    bool ok() const { return ok_; }
    RedirectionOffHere(const RedirectionOffHere&) = delete;
    RedirectionOffHere& operator=(const RedirectionOffHere&) = delete;

private:
    PVOID previous_ = nullptr;
    bool ok_ = false;
};

// ---- what a backup produces ----
inline const char* const kLogNames[] = {"Application", "Security", "Setup", "System"};
inline const char* const kLogFolder = "C:\\Windows\\System32\\winevt\\Logs\\";
inline const char* const kScriptPath = "c:\\systembackup.bat";

// The four native logs, read past the redirection (what a 64-bit program
// sees in System32).
inline bool ReadNativeLogs(std::string (&out)[4]) {
    RedirectionOffHere off;
    bool ok = off.ok();
    for (int i = 0; i < 4; ++i)
        ok = ReadFileBytes(std::string(kLogFolder) + kLogNames[i] + ".evtx", out[i]) && ok;
    return ok;
}

// The same paths as a 32-bit program sees them: the SysWOW64 decoys.
inline bool ReadRedirectedLogs(std::string (&out)[4]) {
    bool ok = true;
    for (int i = 0; i < 4; ++i)
        ok = ReadFileBytes(std::string(kLogFolder) + kLogNames[i] + ".evtx", out[i]) && ok;
    return ok;
}

// The script for a destination folder: every path quoted, every % doubled,
// each copy stopping the script with exit code 1 when it fails; CR LF
// between the five lines and none after the last.
inline std::string ExpectedScript(const std::string& destination) {
    std::string d;
    for (char c : destination) {
        d += c;
        if (c == '%') d += '%';
    }
    std::string script = "if not exist \"" + d + "\" md \"" + d + "\"";
    for (const char* name : kLogNames)
        script += std::string("\r\ncopy /y \"") + kLogFolder + name + ".evtx\" \"" + d + name +
                  ".evtx\" & if errorlevel 1 exit 1";
    return script;
}

// 3 February 2017 gives 201723.
inline std::string DateFolderName(const SYSTEMTIME& t) {
    return std::to_string(t.wYear) + std::to_string(t.wMonth) + std::to_string(t.wDay);
}

// What the test itself gets from the resolver; Windows Sockets must be up.
inline std::vector<std::string> ResolverAddresses() {
    std::vector<std::string> out;
    char name[256];
    if (gethostname(name, sizeof name) == SOCKET_ERROR) return out;
    hostent* entry = gethostbyname(name);
    if (!entry || entry->h_addrtype != AF_INET) return out;
    for (char** a = entry->h_addr_list; *a; ++a) {
        in_addr address;
        std::memcpy(&address, *a, sizeof address);
        out.push_back(inet_ntoa(address));
    }
    return out;
}

}  // namespace e2e
