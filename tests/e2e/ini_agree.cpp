// Runs the same reads and writes through the Windows profile functions and
// through ini::Read / ini::Write, starting from the same file, and compares
// the texts read and the files left after every write.
//
// Wine's WritePrivateProfileStringA saves the whole file in a form of its own
// (blank lines dropped, blanks around names, '=' and at line starts removed,
// LF made CR LF), where Windows changes only the written line. For a starting
// file that is not in that form already, the two files are therefore compared
// in Wine's form; for all others byte for byte.
#include "tests/e2e/e2e.h"  // before <windows.h>: it brings winsock2.h
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/fake/ini.h"

namespace {

const unsigned kBuffer = 10240;

struct Step {
    bool write;
    std::string section, key;
    std::string text;  // the fallback of a read, the value of a write
};

Step R(const std::string& section, const std::string& key, const std::string& fallback) {
    return Step{false, section, key, fallback};
}
Step W(const std::string& section, const std::string& key, const std::string& value) {
    return Step{true, section, key, value};
}

struct Case {
    const char* name;
    bool present;       // false: no file at the start
    std::string start;
    std::vector<Step> steps;
    std::string finalBytes;  // when not empty: the file at the end, exactly
};

std::string Shown(const std::string& s) {
    std::string out;
    size_t limit = s.size() > 200 ? 200 : s.size();
    for (size_t i = 0; i < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char hex[8];
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7f || c == '\\') {
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (limit < s.size()) out += "...(" + std::to_string(s.size()) + " bytes)";
    return "\"" + out + "\"";
}

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

// Position of the first (or last) ASCII byte `c`, stepping over two-byte
// characters.
size_t FindSingle(const std::string& s, char c, bool last) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < s.size();) {
        if ((static_cast<unsigned char>(s[i]) & 0x80) && i + 1 < s.size()) {
            i += 2;
            continue;
        }
        if (s[i] == c) {
            found = i;
            if (!last) break;
        }
        ++i;
    }
    return found;
}

// The form in which Wine saves a file it has read.
std::string WineForm(const std::string& bytes) {
    std::string out;
    for (size_t at = 0; at < bytes.size();) {
        size_t lf = bytes.find('\n', at);
        size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
        std::string line = Trim(bytes.substr(at, next - at));
        at = next;
        if (line.empty()) continue;
        size_t close = line[0] == '[' ? FindSingle(line, ']', true) : std::string::npos;
        size_t equals = FindSingle(line, '=', false);
        if (close != std::string::npos)
            line = "[" + Trim(line.substr(1, close - 1)) + "]";
        else if (equals != std::string::npos)
            line = Trim(line.substr(0, equals)) + "=" + Trim(line.substr(equals + 1));
        out += line + "\r\n";
    }
    return out;
}

bool Slurp(const std::string& path, std::string& bytes) { return e2e::ReadFileBytes(path, bytes); }

bool Put(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, NULL);
    CloseHandle(h);
    return ok && put == bytes.size();
}

// Runs one case; on a disagreement `why` tells the first one.
bool Run(const Case& c, const std::string& path, std::string& why, bool& rewritten) {
    DeleteFileA(path.c_str());
    if (c.present && !Put(path, c.start)) {
        why = "cannot create the starting file";
        return false;
    }
    const bool wineRewrites = WineForm(c.start) != c.start;
    std::string model = c.present ? c.start : "";
    rewritten = false;

    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& s = c.steps[i];
        std::string where = "step " + std::to_string(i + 1) + " [" + s.section + "] " + s.key + ": ";
        if (!s.write) {
            std::vector<char> buf(kBuffer + 16, '\0');
            // An empty fallback goes as no fallback, as the settings reader passes it.
            DWORD n = GetPrivateProfileStringA(s.section.c_str(), s.key.c_str(),
                                               s.text.empty() ? NULL : s.text.c_str(), buf.data(), kBuffer,
                                               path.c_str());
            std::string windows(buf.data(), n);
            std::string ours = ini::Read(model, s.section, s.key, s.text, kBuffer);
            if (windows != ours || buf[n] != '\0') {
                why = where + "read " + Shown(windows) + ", ini::Read " + Shown(ours);
                return false;
            }
            continue;
        }
        if (!WritePrivateProfileStringA(s.section.c_str(), s.key.c_str(), s.text.c_str(), path.c_str())) {
            why = where + "WritePrivateProfileStringA failed";
            return false;
        }
        model = ini::Write(model, s.section, s.key, s.text);
        std::string file;
        if (!Slurp(path, file)) {
            why = where + "no file after the write";
            return false;
        }
        if (file == model) continue;
        if (wineRewrites && WineForm(file) == WineForm(model)) {
            rewritten = true;
            continue;
        }
        why = where + "file " + Shown(file) + ", ini::Write " + Shown(model);
        return false;
    }
    if (!c.finalBytes.empty() && model != c.finalBytes) {
        why = "final file " + Shown(model) + ", expected " + Shown(c.finalBytes);
        return false;
    }
    return true;
}

std::string Pattern(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

std::vector<Case> Cases() {
    const std::string threeKeys = "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n";
    const std::vector<Step> readAll = {R("Language", "L1", "2"), R("Con", "Con1", "0"), R("Con", "Con2", "0"),
                                       R("T", "T1", "1"), R("Path", "Path1", "")};
    auto with = [&readAll](std::vector<Step> steps) {
        steps.insert(steps.end(), readAll.begin(), readAll.end());
        return steps;
    };
    std::vector<Case> cases;
    cases.push_back({"no file: first start, then path and language", false, "",
                     with({R("Language", "L1", "2"), R("Con", "Con1", "0"), R("T", "T1", "1"),
                           R("Path", "Path1", ""), W("Con", "Con1", "0"), W("Con", "Con2", "0"),
                           W("T", "T1", "1"), W("Path", "Path1", "D:\\Backup\\"), W("Language", "L1", "2")}),
                     "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n[Path]\r\nPath1=D:\\Backup\\\r\n"
                     "[Language]\r\nL1=2\r\n"});
    cases.push_back({"empty file", true, "",
                     with({R("Con", "Con1", "0"), W("Con", "Con1", "0"), W("T", "T1", "1")}), ""});
    cases.push_back({"standard three-key file: replacement in place", true, threeKeys,
                     with({W("Con", "Con1", "1"), W("Con", "Con2", "0"), W("T", "T1", "15"),
                           W("Path", "Path1", "D:\\x\\"), W("Con", "Con2", "1")}),
                     "[Con]\r\nCon1=1\r\nCon2=1\r\n[T]\r\nT1=15\r\n[Path]\r\nPath1=D:\\x\\\r\n"});
    cases.push_back({"empty values", true, "[Con]\r\nCon1=\r\nCon2=0\r\n[T]\r\nT1=\r\n[Path]\r\nPath1=\r\n",
                     with({W("Con", "Con1", "0"), W("T", "T1", ""), W("Path", "Path1", "E:\\")}), ""});
    cases.push_back({"value with leading zero", true, "[Con]\r\nCon1=01\r\nCon2=00\r\n[T]\r\nT1=01\r\n",
                     with({W("Con", "Con1", "0"), W("T", "T1", "01")}), ""});
    cases.push_back({"long value of 12,000 bytes", true, "[Path]\r\nPath1=" + Pattern(12000) + "\r\n",
                     with({W("Path", "Path1", Pattern(10239)), W("Path", "Path1", Pattern(10240)),
                           R("Path", "Path1", ""), W("Path", "Path1", Pattern(12001))}),
                     ""});
    cases.push_back({"duplicated sections", true,
                     "[Con]\r\nCon1=1\r\n[T]\r\nT1=5\r\n[Con]\r\nCon1=0\r\nCon2=1\r\n[T]\r\nT1=9\r\n",
                     with({W("Con", "Con2", "1"), W("T", "T1", "6"), W("Con", "Con1", "0")}), ""});
    cases.push_back({"mixed case names", true, "[cON]\r\nCON1=1\r\n[t]\r\nt1=7\r\n",
                     with({W("CON", "con1", "0"), W("Con", "Con2", "1"), W("PATH", "path1", "D:\\"),
                           W("path", "PATH1", "E:\\")}),
                     ""});
    cases.push_back({"comments", true,
                     "; Brenvo\r\n[Con]\r\n; clear the log\r\nCon1=1\r\n;Con2=1\r\n[T]\r\n# day\r\nT1=2\r\n",
                     with({R("Con", ";Con2", "x"), W("Con", "Con2", "0"), W("T", "T1", "3"),
                           W("T", "T2", "4")}),
                     ""});
    cases.push_back({"comments and blank lines", true,
                     "; Brenvo\r\n\r\n[Con]\r\nCon1=1\r\n\r\n\r\n[T]\r\nT1=2\r\n\r\n",
                     with({W("Con", "Con2", "0"), W("Path", "Path1", "D:\\")}), ""});
    cases.push_back({"GBK value", true, "[Path]\r\nPath1=D:\\备份\\\r\n",
                     with({W("Path", "Path1", "E:\\日志\\备份\\"), W("备份", "路径", "值"), R("备份", "路径", "")}),
                     ""});
    // 乚 ends in the byte of ']', 丄 and 乤 differ in a byte that looks like A and a.
    cases.push_back({"GBK names with ASCII-like second bytes", true, "[Con]\r\n[x乚\r\nCon1=1\r\n丄=2\r\n",
                     with({R("Con", "乤", "f"), R("Con", "丄", "f"), W("Con", "Con2", "1"), W("乚", "乤", "3"),
                           R("乚", "乤", ""), R("乚", "丄", "f")}),
                     ""});
    cases.push_back({"quoted values", true,
                     "[Path]\r\nPath1=\"D:\\Backup\\\"\r\n[T]\r\nT1='3'\r\n[Con]\r\nCon1=\"\"\r\nCon2=\"1\r\n",
                     with({W("Path", "Path1", "D:\\x\\"), W("T", "T1", "\"4\""), R("T", "T1", "")}), ""});
    cases.push_back({"spaces around '='", true,
                     "[Con]\r\n  Con1 = 1  \r\n\tCon2\t=\t0\r\n[ T ]\r\nT1 =  3 \r\n",
                     with({W("Con", "Con1", "0"), W("T", "T1", "4"), W("T", "T2", "5")}), ""});
    cases.push_back({"line feeds only, no final line end", true, "[Con]\nCon1=1\n[T]\nT1=2",
                     with({W("Con", "Con2", "0"), W("T", "T2", "3")}), ""});
    return cases;
}

}  // namespace

int main() {
    int passed = 0, failed = 0;

    // Without code page 936 the GBK cases would compare other characters.
    if (GetACP() == 936) {
        ++passed;
        std::printf("PASS ANSI code page is 936\n");
    } else {
        ++failed;
        std::printf("FAIL ANSI code page is %u, not 936\n", GetACP());
    }

    char temp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp, length) + "ini_agree." + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), NULL);

    std::vector<Case> cases = Cases();
    for (size_t i = 0; i < cases.size(); ++i) {
        // A file name of its own for every case: the profile functions may
        // keep a file's content cached under its name.
        std::string path = folder + "\\case" + std::to_string(i + 1) + ".ini";
        std::string why;
        bool rewritten = false;
        if (Run(cases[i], path, why, rewritten)) {
            ++passed;
            std::printf("PASS %s%s\n", cases[i].name, rewritten ? " (equal in Wine's saved form)" : "");
        } else {
            ++failed;
            std::printf("FAIL %s: %s\n", cases[i].name, why.c_str());
        }
        WritePrivateProfileStringA(NULL, NULL, NULL, path.c_str());
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());

    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
