#include <gtest/gtest.h>

#include "logtext/replace.h"

namespace {

struct Case {
    const char* name;
    std::string source;
    ReplaceOptions options;
    std::vector<ReplacePair> pairs;
    std::string expected;
};

std::string Apply(const Case& c) {
    std::vector<ReplacePair> p = c.pairs;
    p.resize(5);
    return ReplaceSubtexts(c.source, c.options, p[0], p[1], p[2], p[3], p[4]);
}

TEST(ReplaceSubtexts, Table) {
    const ReplaceOptions d;
    const Case cases[] = {
        {"english timestamp, first call", "2017年2月3日8时26分59秒", d,
         {{"年", "/"}, {"月", "/"}, {"日", "/"}, {"时", ":"}, {"分", ":"}}, "2017/2/3/8:26:59秒"},
        {"english timestamp, second call", "2017/2/3/8:26:59秒", d, {{"秒", ""}}, "2017/2/3/8:26:59"},
        {"date folder", "2017年2月3日", d, {{"年", ""}, {"月", ""}, {"日", ""}}, "201723"},
        // 暝 is EA D4: those bytes stand across the boundary of 年 (C4 EA) and 月 (D4 C2).
        {"no match across two characters", "\xC4\xEA\xD4\xC2", d, {{"\xEA\xD4", "X"}}, "\xC4\xEA\xD4\xC2"},
        {"one-byte find inside a trail byte", "\xB1\x41" "A", d, {{"A", "b"}}, "\xB1\x41" "b"},
        {"inserted text not rescanned", "aaa", d, {{"a", "aa"}}, "aaaaaa"},
        {"case ignored", "ABC aBc abc", d, {{"abc", "x"}}, "x x x"},
        {"case sensitive", "ABC aBc abc", {-1, 1, true}, {{"abc", "x"}}, "ABC aBc x"},
        // Folding is byte-wise: trail byte 0x41 'A' of a two-byte character matches 'a'.
        {"case folding on a trail byte", "\xB1\x41", d, {{"\xB1" "a", "Z"}}, "Z"},
        {"pairs act in order", "ab", d, {{"a", "b"}, {"b", "c"}}, "cc"},
        {"count 1 per pass", "aXa aXa", {1, 1, false}, {{"a", "-"}, {"X", "+"}}, "-+a aXa"},
        {"count 0", "abcabc", {0, 1, false}, {{"a", "x"}}, "abcabc"},
        {"negative count means all", "abab", {-7, 1, false}, {{"b", ""}}, "aa"},
        {"start position 3", "abcabc", {-1, 3, false}, {{"a", "x"}}, "abcxbc"},
        {"start position past the end", "abcabc", {-1, 7, false}, {{"a", "x"}}, "abcabc"},
        {"start position 0 means 1", "abc", {-1, 0, false}, {{"a", "x"}}, "xbc"},
        {"start counts characters from there", "\xC4\xEA\xD4\xC2", {-1, 2, false}, {{"\xEA\xD4", "X"}}, "\xC4X\xC2"},
        {"empty find", "abc", d, {{"", "x"}}, "abc"},
        {"omitted pairs", "abc", d, {{"z", "y"}}, "abc"},
        {"empty source", "", d, {{"a", "b"}}, ""},
        {"find longer than source", "ab", d, {{"abc", "x"}}, "ab"},
        {"whole text replaced by nothing", "aa", d, {{"a", ""}}, ""},
        {"lone lead byte at the end", "a\xC4", d, {{"a", "b"}}, "b\xC4"},
    };
    for (const Case& c : cases) EXPECT_EQ(Apply(c), c.expected) << c.name;
}

TEST(ReplaceSubtexts, LeavesItsSourceAsItWas) {
    const std::string source = "2017年2月3日";
    std::string result = ReplaceSubtexts(source, {"年", ""});
    EXPECT_EQ(source, "2017年2月3日");
    EXPECT_EQ(result, "20172月3日");
}

}  // namespace
