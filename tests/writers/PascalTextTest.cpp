#include "writers/PascalText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tarvel {
namespace {

TEST(PascalIntegerText, WritesOnlyTheHexadecimalPrefixesPascalLacksAsDollar) {
  const std::pair<const char*, const char*> cases[] = {
      {"0x10", "$10"}, {"0X10", "$10"},  {"x10", "$10"}, {"X10", "$10"}, {" +0xA", " +$A"},
      {"$10", "$10"},  {"0010", "0010"}, {" 42", " 42"}, {"-0", "-0"},   {"0", "0"}};
  for (const auto& [typed, written] : cases) EXPECT_EQ(PascalIntegerText(typed), written) << typed;
}

// A quote is doubled and a control byte leaves the quotes, so no name ends the literal.
TEST(AppendPascalLiteral, KeepsEveryByteInsideOneLiteral) {
  const std::pair<std::string, const char*> cases[] = {
      {"A'B", "'A''B'"}, {"A\nB", "'A'#10'B'"}, {"\r\n", "#13#10"},        {"\tX\x1f", "#9'X'#31"},
      {"", "''"},        {"'", "''''"},         {"\x7f\xc9", "'\x7f\xc9'"}};
  for (const auto& [text, literal] : cases) {
    std::string out = "(";
    AppendPascalLiteral(out, text);
    EXPECT_EQ(out, std::string("(") + literal) << text;
  }
}

}  // namespace
}  // namespace tarvel
