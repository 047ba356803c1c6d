#include "writers/CallNames.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarvel {
namespace {

// Oracle reads an unquoted name in upper case: only an ordinary upper-case identifier that is no
// reserved word may go into the call as it stands.
TEST(CallTextName, QuotesEveryNameOracleWouldNotReadAsWritten) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"HR_API", "HR_API"},
      {"A$#9_", "A$#9_"},
      {"VARCHAR3", "VARCHAR3"},
      {"VARCHAR2", "\"VARCHAR2\""},
      {"WITH", "\"WITH\""},
      {"hr_api", "\"hr_api\""},
      {"Hr_Api", "\"Hr_Api\""},
      {"_X", "\"_X\""},
      {"1ST", "\"1ST\""},
      {"A B", "\"A B\""},
      {"\xc3\x89T\xc3\x89", "\"\xc3\x89T\xc3\x89\""},
      {"X\"; drop; }", "\"X\"\"; drop; }\""},
      {"", "\"\""},
  };
  for (const auto& [name, written] : cases) EXPECT_EQ(CallTextName(name), written) << name;
}

TEST(MakeAdoNamesUnique, AppendsUnderscoresUntilNoEarlierNameEqualsIgnoringCase) {
  std::vector<BoundParameter> parameters;
  for (const char* name : {"@RETURN_VALUE", "p_out", "P_OUT", "p_out_", "p_cur", "@return_value"}) {
    parameters.emplace_back().AdoName = name;
  }
  MakeAdoNamesUnique(parameters);
  std::vector<std::string> names;
  for (const BoundParameter& parameter : parameters) names.push_back(parameter.AdoName);
  EXPECT_EQ(names, (std::vector<std::string>{"@RETURN_VALUE", "p_out", "P_OUT_", "p_out__", "p_cur",
                                             "@return_value_"}));
}

}  // namespace
}  // namespace tarvel
