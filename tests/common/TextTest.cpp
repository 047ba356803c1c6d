#include "common/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {
namespace {

TEST(ParseInt32, AcceptsDecimalWithBlanksAndOneSign) {
  EXPECT_EQ(ParseInt32("4096"), 4096);
  EXPECT_EQ(ParseInt32("  +0042"), 42);
  EXPECT_EQ(ParseInt32("-17"), -17);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), -2147483647 - 1);
}

TEST(ParseInt32, AcceptsEveryHexadecimalPrefix) {
  EXPECT_EQ(ParseInt32("$1000"), 4096);
  EXPECT_EQ(ParseInt32("x1f"), 31);
  EXPECT_EQ(ParseInt32("X1F"), 31);
  EXPECT_EQ(ParseInt32("0x7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseInt32("0XaB"), 171);
  EXPECT_EQ(ParseInt32(" -$10"), -16);
}

TEST(ParseInt32, RefusesWhatIsNotOneWholeNumberInRange) {
  for (const char* text :
       {"",          " ",          "+",    "-",          "$",
        "0x",        "12 ",        "1 2",  "++1",        "+-1",
        "1.5",       "1e3",        "abc",  "2147483648", "-2147483649",
        "$80000000", "0xFFFFFFFF", "0x-1", "\t12",       "99999999999999999999"}) {
    EXPECT_FALSE(ParseInt32(text).has_value()) << '"' << text << '"';
  }
}

// Well-formed UTF-8 is shown as it is; controls of both sets, and every byte of a broken,
// overlong or surrogate sequence, are shown as numbers.
TEST(ShownOnTerminal, ShowsControlsAndBytesThatAreNoUtf8AsNumbers) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"PKG_\xc3\x89T\xc3\x89 \xe2\x82\xac \xf0\x9f\x98\x80",
       "PKG_\xc3\x89T\xc3\x89 \xe2\x82\xac \xf0\x9f\x98\x80"},
      {"EVIL\x1b[2J\x7f", "EVIL\\x1B[2J\\x7F"},
      {"C1\x9b"
       "2J",
       "C1\\x9B2J"},
      {"C1\xc2\x9b"
       "2J \xc2\xa0",
       "C1\\xC2\\x9B2J \xc2\xa0"},
      {"latin\xff\xe9t\xe9", "latin\\xFF\\xE9t\\xE9"},
      {"cut\xe2\x82", "cut\\xE2\\x82"},
      {"overlong\xc0\xaf \xe0\x80\xaf", "overlong\\xC0\\xAF \\xE0\\x80\\xAF"},
      {"surrogate\xed\xa0\x80 beyond\xf4\x90\x80\x80",
       "surrogate\\xED\\xA0\\x80 beyond\\xF4\\x90\\x80\\x80"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(ShownOnTerminal(text), shown) << shown;
}

TEST(AsciiCase, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpper("hr_api$\xe9x"), "HR_API$\xe9X");
  EXPECT_EQ(AsciiLower("HR_API$\xc9X"), "hr_api$\xc9x");
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Avar", "AVAR"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xe9", "\xc9"));
}

TEST(Enclosed, DoublesTheClosingCharacterOnly) {
  EXPECT_EQ(Enclosed("O'Brien", '\'', '\''), "'O''Brien'");
  EXPECT_EQ(Enclosed("a{b}c", '{', '}'), "{a{b}}c}");
  EXPECT_EQ(Enclosed("", '"', '"'), "\"\"");
}

TEST(FormatIdentifier, TurnsDictionaryNamesIntoIdentifiers) {
  const std::pair<const char*, const char*> cases[] = {
      {"GET_EMPLOYEE_NAME", "GetEmployeeName"},
      {"P_ID", "PId"},
      {"EMP", "Emp"},
      {"X", "X"},
      {"x", "x"},
      {"A__B", "AB"},
      {"NAME_", "Name"},
      {"_P_X", "PX"},
      {"__X", "X"},
      {"_", "_"},
      {"___", "_"},
      {"", ""},
      {"V1_2$X", "V12$x"},
      {"P_\xc9T\xc9", "P\xc9t\xc9"},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(FormatIdentifier(name), expected) << name;
  }
}

}  // namespace
}  // namespace tarvel
