#include "exchange/dialect.h"
#include "exchange/line_reader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rk7 {
namespace {

std::vector<std::string> AllLines(std::string_view data) {
    LineReader reader(data);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    return lines;
}

TEST(ReadLine, KeepsTheLineFeedAndCountsLines) {
    LineReader reader("one\r\ntwo\nthree");
    std::string_view line;
    EXPECT_EQ(reader.LineNumber(), 0);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "one\r\n");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "two\n");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "three"); // the last line needs no line end
    EXPECT_EQ(reader.LineNumber(), 3);
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(reader.LineNumber(), 3);
}

TEST(ReadLine, EmptyDataHasNoLines) {
    EXPECT_TRUE(AllLines("").empty());
    // A final line end opens no further line.
    EXPECT_EQ(AllLines("a\r\n").size(), 1u);
    EXPECT_EQ(AllLines("\r\n\r\n"), (std::vector<std::string>{"\r\n", "\r\n"}));
}

TEST(ReadLine, CarriageReturnAloneDoesNotEndALine) {
    EXPECT_EQ(AllLines("a\rb\rc\r"), (std::vector<std::string>{"a\rb\rc\r"}));
    EXPECT_EQ(AllLines("a\rb\nc"), (std::vector<std::string>{"a\rb\n", "c"}));
}

TEST(ReadLine, ALongLineIsOneLine) {
    const std::string longLine = "Name=" + std::string(300, 'x') + "\r\n";
    const auto lines = AllLines(longLine + "next\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "next\r\n");
}

TEST(ValueAfterEquals, TakesTheTextAfterTheFirstEquals) {
    EXPECT_EQ(ValueAfterEquals("Name=Ferrari,Ferrari\r\n"), "Ferrari,Ferrari");
    EXPECT_EQ(ValueAfterEquals("Name=a=b\n"), "a=b");
    EXPECT_EQ(ValueAfterEquals("Key=tail"), "tail");
    EXPECT_EQ(ValueAfterEquals("=x"), "x");
    EXPECT_EQ(ValueAfterEquals("TQualPosD1=\r\n"), "");
    EXPECT_EQ(ValueAfterEquals("K=v\rmore\n"), "v");
}

TEST(ValueAfterEquals, NothingWithoutAnEquals) {
    EXPECT_FALSE(ValueAfterEquals("\r\n").has_value());
    EXPECT_FALSE(ValueAfterEquals("[Team #03]\r\n").has_value());
    EXPECT_FALSE(ValueAfterEquals("").has_value());
    // The value is there but empty: not the same as missing.
    EXPECT_TRUE(ValueAfterEquals("K=").has_value());
}

TEST(NextField, StopsAtTheSeparatorAndCountsIt) {
    std::string_view field;
    EXPECT_EQ(NextField("17,Anna,32001", field, ','), 3u);
    EXPECT_EQ(field, "17");
    EXPECT_EQ(NextField(",x", field, ','), 1u);
    EXPECT_EQ(field, "");
    EXPECT_EQ(NextField("last", field, ','), 4u);
    EXPECT_EQ(field, "last");
    EXPECT_EQ(NextField("", field, ','), 0u);
    EXPECT_EQ(field, "");
}

TEST(NextField, LineEndsStopAFieldToo) {
    std::string_view field;
    EXPECT_EQ(NextField("ab\r\n", field, ','), 3u);
    EXPECT_EQ(field, "ab");
    EXPECT_EQ(NextField("ab\ncd", field, ','), 3u);
    EXPECT_EQ(field, "ab");
}

TEST(NextField, NulSeparatorTakesTheRestCommasIncluded) {
    std::string_view field;
    EXPECT_EQ(NextField("2600,77, x", field, '\0'), 10u);
    EXPECT_EQ(field, "2600,77, x");
}

TEST(FieldReader, MissingFieldsAreEmpty) {
    FieldReader fields("a,b");
    EXPECT_EQ(fields.Next(), "a");
    EXPECT_EQ(fields.Next(), "b");
    EXPECT_EQ(fields.Next(), "");
    EXPECT_EQ(fields.Next('\0'), "");
}

TEST(TrimSpaces, TrimsBlanksOnly) {
    EXPECT_EQ(TrimSpaces("  31951  "), "31951");
    EXPECT_EQ(TrimSpaces("a b"), "a b");
    EXPECT_EQ(TrimSpaces("\t7 "), "\t7");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
}

TEST(Banner, ComparesTheTextUpToFileIgnoringCase) {
    EXPECT_TRUE(HasBanner(Dialect::Native, "** Rk7Power v2.46 - Performance File **\r\n"));
    EXPECT_TRUE(HasBanner(Dialect::Native, "** RK7POWER V2.46 - PERFORMANCE FILE\r\n"));
    EXPECT_TRUE(HasBanner(Dialect::Native, "** Rk7Power v2.46 - Performance File"));
    EXPECT_TRUE(HasBanner(Dialect::Exchange, "** rk7edit v1.85 - performance file, more\n"));
    // One character short, a leading blank, another version.
    EXPECT_FALSE(HasBanner(Dialect::Native, "** Rk7Power v2.46 - Performance Fil"));
    EXPECT_FALSE(HasBanner(Dialect::Native, " ** Rk7Power v2.46 - Performance File **"));
    EXPECT_FALSE(HasBanner(Dialect::Native, "** Rk7Power v2.47 - Performance File **"));
    EXPECT_FALSE(HasBanner(Dialect::Native, ""));
}

TEST(Banner, EachDialectRefusesTheOther) {
    EXPECT_FALSE(HasBanner(Dialect::Native, ExchangeBanner));
    EXPECT_FALSE(HasBanner(Dialect::Exchange, NativeBanner));
}

TEST(DetectDialect, NamesTheDialectOfTheFirstLine) {
    EXPECT_EQ(DetectDialect(std::string(NativeBanner) + "\r\n\r\n"), Dialect::Native);
    EXPECT_EQ(DetectDialect(std::string(ExchangeBanner) + "\r\n"), Dialect::Exchange);
    EXPECT_EQ(DetectDialect("** RK7EDIT V1.85 - PERFORMANCE FILE"), Dialect::Exchange);
    EXPECT_EQ(DetectDialect(""), std::nullopt);
    EXPECT_EQ(DetectDialect("[Team #00]\r\n"), std::nullopt);
    // Only the first line counts.
    EXPECT_EQ(DetectDialect("\r\n" + std::string(NativeBanner)), std::nullopt);
}

} // namespace
} // namespace rk7
