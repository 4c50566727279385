#pragma once
#include <string>

// Up to five find-and-replace pairs applied one after the other on ANSI
// code page bytes. Matches start only at character boundaries; the inserted
// text is never scanned again.
struct ReplaceOptions {
    int count = -1;          // most replacements per pass; negative: all, 0: none
    int start = 1;           // 1-based byte position; 0 or negative: 1
    bool caseSensitive = false;
};

struct ReplacePair {
    std::string find;
    std::string replacement;
};

std::string ReplaceSubtexts(const std::string& source, const ReplaceOptions& options,
                            const ReplacePair& p1, const ReplacePair& p2 = {},
                            const ReplacePair& p3 = {}, const ReplacePair& p4 = {},
                            const ReplacePair& p5 = {});

// The same with the default options.
std::string ReplaceSubtexts(const std::string& source, const ReplacePair& p1,
                            const ReplacePair& p2 = {}, const ReplacePair& p3 = {},
                            const ReplacePair& p4 = {}, const ReplacePair& p5 = {});
