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

TOraParameter Parameter(const std::string& name, const std::string& fieldType = "ftFloat") {
  TOraParameter parameter;
  parameter.DbName = name;
  parameter.FieldType = fieldType;
  return parameter;
}

// A cursor creates no parameter, so it neither takes a name nor makes a later one change.
TEST(AdoParameterNamesOf, AppendsUnderscoresUntilNoEarlierNameEqualsIgnoringCase) {
  TOraProcedure routine;
  routine.ReturnParam = std::make_unique<TOraParameter>(Parameter("@RETURN_VALUE"));
  for (const char* name : {"p_out", "P_OUT", "p_out_", "P_CUR", "p_cur", "@return_value"}) {
    routine.Parameters.Add(
        Parameter(name, std::string(name) == "P_CUR" ? "ftRefCursor" : "ftFloat"));
  }
  const AdoParameterNames names = AdoParameterNamesOf(routine);
  EXPECT_EQ(names.result, "@RETURN_VALUE");
  EXPECT_EQ(names.arguments, (std::vector<std::string>{"p_out", "P_OUT_", "p_out__", "", "p_cur",
                                                       "@return_value_"}));
}

}  // namespace
}  // namespace tarvel
