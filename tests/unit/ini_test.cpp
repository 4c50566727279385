#include "platform/fake/ini.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const unsigned kBuffer = 10240;  // the buffer the settings reader passes

// A file as the standard first start leaves it.
const std::string kThreeKeys = "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n";

struct ReadCase {
    const char* name;
    std::string file;
    std::string section, key, fallback;
    unsigned buffer;
    std::string want;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, GivesWhatTheProfileReaderGives) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ini::Read(c.file, c.section, c.key, c.fallback, c.buffer), c.want);
}

const std::string kLong(12000, 'p');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(
        // Present and absent entries.
        ReadCase{"AbsentFile", "", "Language", "L1", "2", kBuffer, "2"},
        ReadCase{"MissingSection", kThreeKeys, "Path", "Path1", "", kBuffer, ""},
        ReadCase{"MissingKey", kThreeKeys, "Con", "Con3", "0", kBuffer, "0"},
        ReadCase{"PresentKey", kThreeKeys, "T", "T1", "9", kBuffer, "1"},
        ReadCase{"EmptyValueIsNotTheFallback", "[T]\r\nT1=\r\n", "T", "T1", "1", kBuffer, ""},
        ReadCase{"BlankValueIsEmpty", "[T]\r\nT1=   \r\n", "T", "T1", "1", kBuffer, ""},
        ReadCase{"LeadingZeroKept", "[Con]\r\nCon1=01\r\n", "Con", "Con1", "0", kBuffer, "01"},
        ReadCase{"KeyOfAnotherSectionNotFound", kThreeKeys, "T", "Con1", "x", kBuffer, "x"},
        ReadCase{"KeyLineWithoutEqualsHasNoValue", "[Con]\r\nCon1\r\n", "Con", "Con1", "0", kBuffer, "0"},
        ReadCase{"LinesBeforeFirstHeaderBelongToNoSection", "Con1=1\r\n[Con]\r\n", "Con", "Con1", "0",
                 kBuffer, "0"},
        // Names.
        ReadCase{"SectionCaseInsensitive", "[cON]\r\nCon1=1\r\n", "Con", "Con1", "0", kBuffer, "1"},
        ReadCase{"KeyCaseInsensitive", "[Con]\r\ncON1=1\r\n", "Con", "Con1", "0", kBuffer, "1"},
        ReadCase{"BlanksAroundNamesInFile", "  [ Con ]  \r\n\t Con1 \t= 1\r\n", "Con", "Con1", "0",
                 kBuffer, "1"},
        ReadCase{"BlanksAroundNamesAsked", kThreeKeys, " Con ", "\tCon1 ", "x", kBuffer, "0"},
        ReadCase{"FirstOfTwoKeys", "[Con]\r\nCon1=1\r\nCON1=0\r\n", "Con", "Con1", "x", kBuffer, "1"},
        ReadCase{"FirstOfTwoSections", "[Con]\r\nCon1=1\r\n[con]\r\nCon1=0\r\n", "Con", "Con1", "x",
                 kBuffer, "1"},
        ReadCase{"OnlyFirstSectionSearched", "[Con]\r\nCon1=1\r\n[T]\r\n[Con]\r\nCon2=1\r\n", "Con",
                 "Con2", "0", kBuffer, "0"},
        ReadCase{"TextAfterClosingBracketIgnored", "[Con] ; options\r\nCon1=1\r\n", "Con", "Con1", "0",
                 kBuffer, "1"},
        ReadCase{"LastBracketClosesName", "[C]n]\r\nk=1\r\n", "C]n", "k", "0", kBuffer, "1"},
        ReadCase{"UnclosedBracketIsNoHeader", "[Con]\r\n[T\r\nT1=5\r\n", "Con", "T1", "0", kBuffer, "5"},
        ReadCase{"CommentsAreNoKeys", "[Con]\r\n; Con1=1\r\nCon1=0\r\n", "Con", "Con1", "x", kBuffer, "0"},
        // Values.
        ReadCase{"BlanksAroundValue", "[Path]\r\nPath1= \t D:\\B k\\ \t\r\n", "Path", "Path1", "", kBuffer,
                 "D:\\B k\\"},
        ReadCase{"EndOfFileMarkTrimmed", "[T]\r\nT1=7\x1a", "T", "T1", "", kBuffer, "7"},
        ReadCase{"DoubleQuotesRemoved", "[Path]\r\nPath1=\"D:\\Backup\\\"\r\n", "Path", "Path1", "", kBuffer,
                 "D:\\Backup\\"},
        ReadCase{"SingleQuotesRemoved", "[Path]\r\nPath1='D:\\x\\'\r\n", "Path", "Path1", "", kBuffer,
                 "D:\\x\\"},
        ReadCase{"BlanksInsideQuotesKept", "[Path]\r\nPath1= \" a \" \r\n", "Path", "Path1", "", kBuffer,
                 " a "},
        ReadCase{"EmptyQuotes", "[T]\r\nT1=\"\"\r\n", "T", "T1", "1", kBuffer, ""},
        ReadCase{"LoneQuoteKept", "[T]\r\nT1=\"\r\n", "T", "T1", "1", kBuffer, "\""},
        ReadCase{"UnmatchedQuoteKept", "[T]\r\nT1=\"12\r\n", "T", "T1", "1", kBuffer, "\"12"},
        ReadCase{"MixedQuotesKept", "[T]\r\nT1=\"12'\r\n", "T", "T1", "1", kBuffer, "\"12'"},
        ReadCase{"OnlyOuterQuotesRemoved", "[T]\r\nT1=\"1\"2\"\r\n", "T", "T1", "1", kBuffer, "1\"2"},
        ReadCase{"LongValueCut", "[Path]\r\nPath1=" + kLong + "\r\n", "Path", "Path1", "", kBuffer,
                 std::string(10239, 'p')},
        ReadCase{"ValueOfBufferMinusOneKept", "[Path]\r\nPath1=" + std::string(10239, 'p') + "\r\n", "Path",
                 "Path1", "", kBuffer, std::string(10239, 'p')},
        ReadCase{"SmallBufferCut", kThreeKeys + "[Path]\r\nPath1=D:\\Backup\\\r\n", "Path", "Path1", "", 5,
                 "D:\\B"},
        ReadCase{"CutAfterQuotesRemoved", "[T]\r\nT1=\"abcdef\"\r\n", "T", "T1", "", 4, "abc"},
        ReadCase{"BufferOfOneGivesEmpty", kThreeKeys, "T", "T1", "9", 1, ""},
        ReadCase{"BufferOfZeroGivesEmpty", kThreeKeys, "T", "T1", "9", 0, ""},
        ReadCase{"FallbackLosesTrailingSpaces", kThreeKeys, "T", "T2", " 1  ", kBuffer, " 1"},
        ReadCase{"FallbackCut", "", "T", "T1", "12345", 3, "12"},
        // Line ends.
        ReadCase{"LineFeedOnly", "[Con]\nCon1=1\n[T]\nT1=3\n", "T", "T1", "1", kBuffer, "3"},
        ReadCase{"NoFinalLineEnd", "[T]\r\nT1=3", "T", "T1", "1", kBuffer, "3"},
        // Two-byte characters: the second byte is no letter, bracket or quote.
        ReadCase{"GbkValue", "[Path]\r\nPath1=D:\\备份\\\r\n", "Path", "Path1", "", kBuffer, "D:\\备份\\"},
        ReadCase{"GbkSectionName", "[备份]\r\nk=1\r\n", "备份", "k", "0", kBuffer, "1"},
        // 乚 is 81 5D: its second byte is ']', which must not close the name.
        ReadCase{"TrailByteIsNoBracket", "[Con]\r\n[x乚\r\nCon1=1\r\n", "Con", "Con1", "0", kBuffer, "1"},
        ReadCase{"TrailByteBracketInName", "[乚]\r\nk=1\r\n", "乚", "k", "0", kBuffer, "1"},
        // 丄 is 81 41, 乤 is 81 61: folding the second byte would join them.
        ReadCase{"TrailByteNotFolded", "[Con]\r\n丄=1\r\n", "Con", "乤", "0", kBuffer, "0"},
        ReadCase{"LeadByteAtLineEnd", "[T]\r\nT1=1\xb1\r\n", "T", "T1", "", kBuffer, "1\xb1"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    std::string file;
    std::string section, key, value;
    std::string want;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, GivesTheFileTheProfileWriterLeaves) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(ini::Write(c.file, c.section, c.key, c.value), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        // Creation of file, section and key.
        WriteCase{"AbsentFileCreated", "", "Con", "Con1", "0", "[Con]\r\nCon1=0\r\n"},
        WriteCase{"NamesTrimmed", "", " Con\t", " Con1 ", "0", "[Con]\r\nCon1=0\r\n"},
        WriteCase{"SectionAppendedAtEnd", kThreeKeys, "Path", "Path1", "D:\\",
                  kThreeKeys + "[Path]\r\nPath1=D:\\\r\n"},
        WriteCase{"SectionAppendedAfterNoFinalLineEnd", "[T]\r\nT1=1", "Con", "Con1", "0",
                  "[T]\r\nT1=1\r\n[Con]\r\nCon1=0\r\n"},
        WriteCase{"SectionAppendedAfterTrailingBlankLines", "[T]\r\nT1=1\r\n\r\n", "Con", "Con1", "0",
                  "[T]\r\nT1=1\r\n\r\n[Con]\r\nCon1=0\r\n"},
        WriteCase{"KeyAppendedToMiddleSection", kThreeKeys, "Con", "Con3", "1",
                  "[Con]\r\nCon1=0\r\nCon2=0\r\nCon3=1\r\n[T]\r\nT1=1\r\n"},
        WriteCase{"KeyAppendedToLastSection", kThreeKeys, "T", "T2", "1", kThreeKeys + "T2=1\r\n"},
        WriteCase{"KeyAppendedToEmptySection", "[Con]\r\n[T]\r\n", "Con", "Con1", "0",
                  "[Con]\r\nCon1=0\r\n[T]\r\n"},
        WriteCase{"KeyAppendedAfterNoFinalLineEnd", "[T]\r\nT1=1", "T", "T2", "2", "[T]\r\nT1=1\r\nT2=2\r\n"},
        WriteCase{"KeyAppendedAfterBareCarriageReturn", "[T]\r\nT1=1\r", "T", "T2", "2",
                  "[T]\r\nT1=1\r\nT2=2\r\n"},
        WriteCase{"KeyAppendedAfterCommentBeforeBlankLines", "[Con]\r\nCon1=0\r\n; end\r\n\r\n\r\n[T]\r\n", "Con",
                  "Con2", "1", "[Con]\r\nCon1=0\r\n; end\r\nCon2=1\r\n\r\n\r\n[T]\r\n"},
        WriteCase{"KeyAppendedToSectionOfOtherCase", "[con]\r\ncon1=0\r\n", "CON", "Con2", "1",
                  "[con]\r\ncon1=0\r\nCon2=1\r\n"},
        WriteCase{"KeyAppendedToFirstOfTwoSections", "[Con]\r\nCon1=0\r\n[T]\r\n[Con]\r\nCon2=0\r\n", "Con",
                  "Con2", "1", "[Con]\r\nCon1=0\r\nCon2=1\r\n[T]\r\n[Con]\r\nCon2=0\r\n"},
        // Replacement in place.
        WriteCase{"ValueReplaced", kThreeKeys, "Con", "Con1", "1", "[Con]\r\nCon1=1\r\nCon2=0\r\n[T]\r\nT1=1\r\n"},
        WriteCase{"ValueReplacedKeepingSpelling", "[cON]\r\ncon1=0\r\n", "Con", "Con1", "1",
                  "[cON]\r\ncon1=1\r\n"},
        WriteCase{"ValueReplacedKeepingSpacing", "[Con]\r\n  Con1 = 0  \r\nCon2=0\r\n", "Con", "Con1", "1",
                  "[Con]\r\n  Con1 = 1\r\nCon2=0\r\n"},
        WriteCase{"EmptyValueFilled", "[T]\r\nT1=  \r\n", "T", "T1", "5", "[T]\r\nT1=5\r\n"},
        WriteCase{"ValueEmptied", kThreeKeys, "T", "T1", "", "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=\r\n"},
        WriteCase{"QuotedValueReplacedWhole", "[Path]\r\nPath1=\"D:\\\"\r\n", "Path", "Path1", "E:\\",
                  "[Path]\r\nPath1=E:\\\r\n"},
        WriteCase{"FirstOfTwoKeysReplaced", "[Con]\r\nCon1=0\r\nCon1=0\r\n", "Con", "Con1", "1",
                  "[Con]\r\nCon1=1\r\nCon1=0\r\n"},
        WriteCase{"KeyLineWithoutEqualsGetsValue", "[Con]\r\nCon1\r\nCon2=0\r\n", "Con", "Con1", "1",
                  "[Con]\r\nCon1=1\r\nCon2=0\r\n"},
        WriteCase{"LineEndOfReplacedLineKept", "[Con]\nCon1=0\nCon2=0", "Con", "Con2", "1",
                  "[Con]\nCon1=0\nCon2=1"},
        // Everything else stays byte for byte.
        WriteCase{"OtherLinesKept",
                  "; settings\r\n\r\n[Con]\r\n; clear\r\nCon1=0\r\n\tOther = x \r\n\r\n[T]\nT1=1\n", "T", "T1",
                  "2", "; settings\r\n\r\n[Con]\r\n; clear\r\nCon1=0\r\n\tOther = x \r\n\r\n[T]\nT1=2\n"},
        WriteCase{"ValueWrittenAsGiven", "", "Path", "Path1", " \"D:\\备份\\\" ",
                  "[Path]\r\nPath1= \"D:\\备份\\\" \r\n"},
        WriteCase{"GbkValueReplaced", "[Path]\r\nPath1=D:\\备份\\\r\n", "Path", "Path1", "E:\\日志\\",
                  "[Path]\r\nPath1=E:\\日志\\\r\n"},
        WriteCase{"TrailByteBracketIsNoHeader", "[Con]\r\n[x乚\r\n", "Con", "Con1", "1",
                  "[Con]\r\n[x乚\r\nCon1=1\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// The writes of a first start and of the first path and language change, and
// the bytes the Windows profile writer leaves for them.
TEST(IniWriteSequence, FreshFileHasTheWriterBytes) {
    std::string file;
    file = ini::Write(file, "Con", "Con1", "0");
    file = ini::Write(file, "Con", "Con2", "0");
    file = ini::Write(file, "T", "T1", "1");
    EXPECT_EQ(file, "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n");
    file = ini::Write(file, "Path", "Path1", "D:\\Backup\\");
    file = ini::Write(file, "Language", "L1", "2");
    EXPECT_EQ(file,
              "[Con]\r\nCon1=0\r\nCon2=0\r\n[T]\r\nT1=1\r\n"
              "[Path]\r\nPath1=D:\\Backup\\\r\n[Language]\r\nL1=2\r\n");
    file = ini::Write(file, "Con", "Con1", "1");
    file = ini::Write(file, "T", "T1", "15");
    EXPECT_EQ(file,
              "[Con]\r\nCon1=1\r\nCon2=0\r\n[T]\r\nT1=15\r\n"
              "[Path]\r\nPath1=D:\\Backup\\\r\n[Language]\r\nL1=2\r\n");
}

// Whatever the file looked like, a written value is what the next read gives,
// and the other keys keep theirs.
TEST(IniWriteThenRead, WrittenValueReadBackOthersUnchanged) {
    const std::vector<std::string> files = {
        "",
        kThreeKeys,
        "[Con]\nCon1=1\n\n[T]\nT1=\n",
        "; c\r\n  [ con ]  \r\n  CON1 = 1  \r\n[T]\r\nT1=\"7\"",
        "[Con]\r\nCon1=1\r\n[T]\r\nT1=2\r\n[Con]\r\nCon2=1\r\n",
    };
    const std::vector<std::string> values = {"0", "", "D:\\备份\\", std::string(10239, 'v')};
    for (const std::string& file : files) {
        for (const std::string& value : values) {
            SCOPED_TRACE("file: " + file + " value: " + value.substr(0, 12));
            std::string before_t1 = ini::Read(file, "T", "T1", "fb", kBuffer);
            std::string written = ini::Write(file, "Con", "Con2", value);
            EXPECT_EQ(ini::Read(written, "Con", "Con2", "fb", kBuffer), value);
            EXPECT_EQ(ini::Read(written, "T", "T1", "fb", kBuffer), before_t1);
            std::string again = ini::Write(written, "con", "con2", "x");
            EXPECT_EQ(ini::Read(again, "Con", "Con2", "fb", kBuffer), "x");
            EXPECT_EQ(again.size(), written.size() - value.size() + 1) << "replaced, not added";
        }
    }
}

}  // namespace
