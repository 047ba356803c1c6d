#include "writers/GenerateUnits.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(UnitFileText, EndsEveryLineWithCrLfAndKeepsInnerBreaksAndBytes) {
  EXPECT_EQ(UnitFileText({"unit uA;", "", "uses A,\r\n     B;", "// \xe9\xc8", "end."}),
            "unit uA;\r\n\r\nuses A,\r\n     B;\r\n// \xe9\xc8\r\nend.\r\n");
}

}  // namespace
}  // namespace tarvel
