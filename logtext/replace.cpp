#include "logtext/replace.h"

namespace {

bool SameBytes(const std::string& s, size_t at, const std::string& find, bool caseSensitive) {
    for (size_t i = 0; i < find.size(); ++i) {
        unsigned char a = static_cast<unsigned char>(s[at + i]);
        unsigned char b = static_cast<unsigned char>(find[i]);
        if (!caseSensitive) {
            // Byte-wise ASCII folding, applied to every byte as the rule says,
            // the trail byte of a two-byte character included.
            if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
        }
        if (a != b) return false;
    }
    return true;
}

std::string Pass(const std::string& s, const ReplacePair& pair, const ReplaceOptions& o) {
    const std::string& f = pair.find;
    size_t p = o.start > 0 ? static_cast<size_t>(o.start - 1) : 0;
    if (s.empty() || f.empty() || p >= s.size() || o.count == 0) return s;

    std::string out(s, 0, p);
    size_t at = p;
    int made = 0;
    while (s.size() - at >= f.size()) {
        if (SameBytes(s, at, f, o.caseSensitive)) {
            out += pair.replacement;
            at += f.size();
            if (o.count > 0 && ++made == o.count) break;
        } else {
            // Step over a whole character, so a match never starts on the
            // trail byte of a two-byte character.
            size_t step = (static_cast<unsigned char>(s[at]) & 0x80) ? 2 : 1;
            if (at + step > s.size()) step = 1;  // lone lead byte at the very end
            out.append(s, at, step);
            at += step;
        }
    }
    out.append(s, at, std::string::npos);
    return out;
}

}  // namespace

std::string ReplaceSubtexts(const std::string& source, const ReplaceOptions& options,
                            const ReplacePair& p1, const ReplacePair& p2, const ReplacePair& p3,
                            const ReplacePair& p4, const ReplacePair& p5) {
    std::string text = source;
    for (const ReplacePair* pair : {&p1, &p2, &p3, &p4, &p5}) text = Pass(text, *pair, options);
    return text;
}

std::string ReplaceSubtexts(const std::string& source, const ReplacePair& p1,
                            const ReplacePair& p2, const ReplacePair& p3, const ReplacePair& p4,
                            const ReplacePair& p5) {
    return ReplaceSubtexts(source, ReplaceOptions{}, p1, p2, p3, p4, p5);
}
