#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "GoldenCases.h"
#include "ShellCommand.h"
#include "run/SaveUnitFile.h"

namespace tarvel {
namespace {

// A program that uses every unit makes Free Pascal compile them all, the connection unit and
// the package units that name each other.
std::string ProgramUsing(const std::vector<UnitFile>& units) {
  std::string text = "program CompileAll;\r\nuses ";
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::filesystem::path(units[i].FileName).stem().string();
  }
  return text + ";\r\nbegin\r\nend.\r\n";
}

CommandResult CompileCase(const std::string& caseName) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString();
  const std::vector<UnitFile> units = GenerateCase(caseName).Units;
  for (const UnitFile& unit : units) SaveUnitFile(path + "/" + unit.FileName, unit.Text);
  const std::string program = path + "/CompileAll.pas";
  std::ofstream(program, std::ios::binary) << ProgramUsing(units);
  const std::string stubs = std::string(TARVEL_SOURCE_DIR) + "/tests/pascal";
  // -Cn: compiling is the check, linking adds nothing.
  return RunShellCommand(ShellQuoted(TARVEL_FPC) + " -Mdelphi -Cn -FU" + ShellQuoted(path) +
                         " -Fu" + ShellQuoted(stubs) + " -Fu" + ShellQuoted(path) + " " +
                         ShellQuoted(program));
}

std::vector<std::string> CasesExpecting(CompileExpectation expectation) {
  std::vector<std::string> names;
  for (const std::string& name : GoldenCaseNames()) {
    if (CaseCompileExpectation(name) == expectation) names.push_back(name);
  }
  return names;
}

std::string ParamName(const testing::TestParamInfo<std::string>& info) {
  return CaseTestName(info.param);
}

class CompilingCase : public testing::TestWithParam<std::string> {};

TEST_P(CompilingCase, UnitsCompileWithFreePascalAgainstTheStubs) {
  ASSERT_TRUE(std::filesystem::exists(TARVEL_FPC)) << "fpc was not found when configuring";
  const CommandResult result = CompileCase(GetParam());
  EXPECT_TRUE(result.Succeeded) << result.Output;
}

INSTANTIATE_TEST_SUITE_P(Cases, CompilingCase,
                         testing::ValuesIn(CasesExpecting(CompileExpectation::Compiles)),
                         ParamName);

// The known limits of the generated code: these bodies cannot compile in Delphi either, and
// they show that the check above does reject bad units.
class RejectedCase : public testing::TestWithParam<std::string> {};

TEST_P(RejectedCase, FreePascalRejectsTheUnits) {
  ASSERT_TRUE(std::filesystem::exists(TARVEL_FPC)) << "fpc was not found when configuring";
  const CommandResult result = CompileCase(GetParam());
  EXPECT_FALSE(result.Succeeded) << result.Output;
  EXPECT_NE(result.Output.find("Error: Incompatible type"), std::string::npos) << result.Output;
}

INSTANTIATE_TEST_SUITE_P(Cases, RejectedCase,
                         testing::ValuesIn(CasesExpecting(CompileExpectation::Fails)), ParamName);

TEST(CompileCases, CoverTheEveryTypeModel) {
  const std::vector<std::string> compiling = CasesExpecting(CompileExpectation::Compiles);
  EXPECT_NE(std::find(compiling.begin(), compiling.end(), "every_type"), compiling.end());
}

}  // namespace
}  // namespace tarvel
