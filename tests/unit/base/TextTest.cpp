#include <gtest/gtest.h>

#include "base/Text.h"

using namespace tolvar;

TEST(TextToLines, SplitsAtEveryKindOfLineEnd) {
    struct Case {
        std::string text;
        TextLines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\nb\r\n", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\r", {"a", ""}},  // LF then a lone CR: two line ends
        {std::string("ab\0cd\r\n", 7), {"ab"}},
        {"\xB9\xAE\xC0\xDA\r\nx", {"\xB9\xAE\xC0\xDA", "x"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToLines(c.text), c.lines) << "text: " << c.text;
        EXPECT_EQ(LineCount(c.text), c.lines.size()) << "counted as split: " << c.text;
    }
    // Counted without a line made: ten million empty ones, as a list meant to swamp the client.
    std::string many;
    for (int i = 0; i < 10000000; ++i) many += i % 2 ? "\r\n" : "\n";
    EXPECT_EQ(LineCount(many + "last"), 10000001u);
}

TEST(TextToLines, RoundTripsThroughLinesToText) {
    const TextLines lines = {"one", "", "three "};
    EXPECT_EQ(LinesToText(lines), "one\r\n\r\nthree \r\n");
    EXPECT_EQ(TextToLines(LinesToText(lines)), lines);
}

TEST(ValueOf, FindsTheFirstLineByNameWithoutRegardToCase) {
    const TextLines lines = {
        "companycode=ACME ", "CompanyCode=second", "Domain IP=1.2.3.4", "Empty=", "NoEquals", "Eq=a=b"};
    EXPECT_EQ(ValueOf(lines, "CompanyCode"), "ACME ");  // first wins, value untrimmed
    EXPECT_EQ(ValueOf(lines, "DomainIP"), "");          // a blank before "=" is part of the name
    EXPECT_EQ(ValueOf(lines, "Domain IP"), "1.2.3.4");
    EXPECT_EQ(ValueOf(lines, "Empty"), "");
    EXPECT_EQ(ValueOf(lines, "NoEquals"), "");
    EXPECT_EQ(ValueOf(lines, "Eq"), "a=b");
    EXPECT_EQ(ValueOf(lines, "Missing"), "");
    EXPECT_EQ(IndexOfName(lines, "empty"), 3);
    EXPECT_EQ(IndexOfName(lines, "Missing"), -1);
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(Trim("  a b \t"), "a b");
    EXPECT_EQ(Trim("\r\n"), "");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(UpperCaseAscii("File\xE9"), "FILE\xE9");  // only ASCII letters change
    EXPECT_TRUE(SameTextAscii("SPath", "spATH"));
    EXPECT_FALSE(SameTextAscii("SPATH", "SPATH "));
}
