#include "platform/fake/ini.h"

#include <cstddef>
#include <vector>

namespace ini {
namespace {

// The profile functions trim these around names and values; 0x1A is the old
// end-of-file mark that some editors leave behind.
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

// A byte with its high bit set starts a two-byte character whose second byte
// may look like '[', ']', '\' or a Latin letter: scans and comparisons must
// step over such pairs whole.
bool StartsPair(const std::string& s, size_t i, size_t end) {
    return (static_cast<unsigned char>(s[i]) & 0x80) != 0 && i + 1 < end;
}

struct Range {
    size_t begin, end;
};

Range Trim(const std::string& s, Range r) {
    while (r.begin < r.end && IsBlank(static_cast<unsigned char>(s[r.begin]))) ++r.begin;
    while (r.end > r.begin && IsBlank(static_cast<unsigned char>(s[r.end - 1]))) --r.end;
    return r;
}

std::string Trimmed(const std::string& s) {
    Range r = Trim(s, {0, s.size()});
    return s.substr(r.begin, r.end - r.begin);
}

unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& s, Range r, const std::string& name) {
    if (r.end - r.begin != name.size()) return false;
    for (size_t i = 0; i < name.size();) {
        size_t at = r.begin + i;
        if (StartsPair(s, at, r.end)) {
            if (s[at] != name[i] || s[at + 1] != name[i + 1]) return false;
            i += 2;
        } else {
            if (Fold(static_cast<unsigned char>(s[at])) != Fold(static_cast<unsigned char>(name[i])))
                return false;
            ++i;
        }
    }
    return true;
}

enum class Kind { Blank, Header, Key, Bare };

struct Line {
    size_t begin;       // first byte
    size_t end;         // end of the text, before CR LF or LF
    size_t next;        // first byte of the next line
    Kind kind;
    Range name;         // section name, key name, or the whole bare line
    size_t equals;      // position of '=' in a key line
};

Line Parse(const std::string& s, size_t begin) {
    Line line{begin, begin, begin, Kind::Blank, {begin, begin}, 0};
    size_t lf = s.find('\n', begin);
    line.next = lf == std::string::npos ? s.size() : lf + 1;
    line.end = lf == std::string::npos ? s.size() : (lf > begin && s[lf - 1] == '\r' ? lf - 1 : lf);

    Range text = Trim(s, {line.begin, line.end});
    if (text.begin == text.end) return line;

    if (s[text.begin] == '[') {
        size_t close = std::string::npos;
        for (size_t i = text.begin + 1; i < text.end;) {
            if (StartsPair(s, i, text.end)) {
                i += 2;
            } else {
                if (s[i] == ']') close = i;
                ++i;
            }
        }
        if (close != std::string::npos) {
            line.kind = Kind::Header;
            line.name = Trim(s, {text.begin + 1, close});
            return line;
        }
        // Without a closing bracket it is no header: it stays an ordinary line.
    }
    for (size_t i = text.begin; i < text.end;) {
        if (StartsPair(s, i, text.end)) {
            i += 2;
        } else if (s[i] == '=') {
            line.kind = Kind::Key;
            line.equals = i;
            line.name = Trim(s, {text.begin, i});
            return line;
        } else {
            ++i;
        }
    }
    line.kind = Kind::Bare;
    line.name = text;
    return line;
}

std::vector<Line> Lines(const std::string& s) {
    std::vector<Line> lines;
    for (size_t at = 0; at < s.size();) {
        lines.push_back(Parse(s, at));
        at = lines.back().next;
    }
    return lines;
}

const size_t kNone = static_cast<size_t>(-1);

struct Place {
    size_t header = kNone;         // index of the section's header line
    size_t key = kNone;            // index of the key's line
    size_t lastFilled = kNone;     // last non-blank line of the section
};

// Only the first section of the name is looked at: a key that is missing
// there is missing, even when a later section of the same name has it.
Place Locate(const std::vector<Line>& lines, const std::string& s, const std::string& section,
             const std::string& key) {
    Place place;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Kind::Header && SameName(s, lines[i].name, section)) {
            place.header = i;
            break;
        }
    }
    if (place.header == kNone) return place;
    place.lastFilled = place.header;
    for (size_t i = place.header + 1; i < lines.size() && lines[i].kind != Kind::Header; ++i) {
        if (lines[i].kind == Kind::Blank) continue;
        place.lastFilled = i;
        if (place.key == kNone && (lines[i].kind == Kind::Key || lines[i].kind == Kind::Bare) &&
            SameName(s, lines[i].name, key))
            place.key = i;
    }
    return place;
}

// The break that a line without one needs before more text is added after it.
std::string BreakAfter(const std::string& s) {
    if (s.empty() || s.back() == '\n') return "";
    return s.back() == '\r' ? "\n" : "\r\n";
}

}  // namespace

std::string Read(const std::string& bytes, const std::string& section, const std::string& key,
                 const std::string& fallback, unsigned buffer) {
    if (buffer == 0) return "";
    std::vector<Line> lines = Lines(bytes);
    Place place = Locate(lines, bytes, Trimmed(section), Trimmed(key));

    std::string text;
    if (place.key != kNone && lines[place.key].kind == Kind::Key) {
        const Line& line = lines[place.key];
        Range value = Trim(bytes, {line.equals + 1, line.end});
        size_t length = value.end - value.begin;
        if (length >= 2 && (bytes[value.begin] == '"' || bytes[value.begin] == '\'') &&
            bytes[value.end - 1] == bytes[value.begin]) {
            ++value.begin;
            --value.end;
        }
        text = bytes.substr(value.begin, value.end - value.begin);
    } else {
        // A key line without '=' has no value either: the fallback stands.
        text = fallback;
        while (!text.empty() && text.back() == ' ') text.pop_back();
    }
    if (text.size() > buffer - 1) text.resize(buffer - 1);
    return text;
}

std::string Write(const std::string& bytes, const std::string& section, const std::string& key,
                  const std::string& value) {
    const std::string sectionName = Trimmed(section);
    const std::string keyName = Trimmed(key);
    std::vector<Line> lines = Lines(bytes);
    Place place = Locate(lines, bytes, sectionName, keyName);

    if (place.header == kNone)
        return bytes + BreakAfter(bytes) + "[" + sectionName + "]\r\n" + keyName + "=" + value + "\r\n";

    if (place.key != kNone) {
        const Line& line = lines[place.key];
        size_t keep;
        std::string middle;
        if (line.kind == Kind::Key) {
            // What stands before the old value stays, spacing included.
            Range old = Trim(bytes, {line.equals + 1, line.end});
            keep = old.begin == old.end ? line.equals + 1 : old.begin;
        } else {
            keep = line.name.end;
            middle = "=";
        }
        return bytes.substr(0, keep) + middle + value + bytes.substr(line.end);
    }

    // A new key goes after the section's last non-blank line, so blank lines
    // that set the next section apart stay where they are.
    size_t at = lines[place.lastFilled].next;
    std::string head = bytes.substr(0, at);
    return head + BreakAfter(head) + keyName + "=" + value + "\r\n" + bytes.substr(at);
}

}  // namespace ini
