#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <set>

#include "Files.h"
#include "GoldenCases.h"
#include "ShellCommand.h"

namespace tarvel {
namespace {

// A missing expected file diffs against /dev/null, so the whole written unit shows.
std::string UnifiedDiff(const std::filesystem::path& expectedPath, const std::string& written,
                        const std::string& label) {
  QTemporaryDir folder;
  const std::filesystem::path writtenPath = folder.path().toStdString() + "/written.pas";
  std::ofstream(writtenPath, std::ios::binary) << written;
  const std::string expected =
      std::filesystem::exists(expectedPath) ? expectedPath.string() : "/dev/null";
  return RunShellCommand("diff -u --label " + ShellQuoted("expected/" + label) + " --label " +
                         ShellQuoted("written/" + label) + " " + ShellQuoted(expected) + " " +
                         ShellQuoted(writtenPath.string()))
      .Output;
}

std::string RegenerateHint() {
  return std::string("If the change is intended, regenerate with: ") + kRegenerateCommand;
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, WritersReproduceTheStoredUnitsByteForByte) {
  const std::string& caseName = GetParam();
  const std::filesystem::path folder = GoldenFolder() / caseName;
  const std::vector<std::string> storedNames = ExpectedUnitFileNames(caseName);
  std::set<std::string> unwritten(storedNames.begin(), storedNames.end());
  const CaseOutput output = GenerateCase(caseName);
  EXPECT_EQ(WarningsText(output.Warnings), WarningsText(ExpectedWarnings(caseName)))
      << caseName << "/warnings.txt differs. " << RegenerateHint();
  for (const UnitFile& unit : output.Units) {
    const std::filesystem::path expectedPath = folder / unit.FileName;
    const std::string& written = unit.Text;
    unwritten.erase(unit.FileName);
    const bool stored = std::filesystem::exists(expectedPath);
    if (!stored || tarvel::testing::ReadWholeFile(expectedPath.string()) != written) {
      ADD_FAILURE() << caseName << "/" << unit.FileName << " differs:\n"
                    << UnifiedDiff(expectedPath, written, caseName + "/" + unit.FileName)
                    << RegenerateHint();
    }
  }
  for (const std::string& fileName : unwritten) {
    ADD_FAILURE() << caseName << "/" << fileName << " is stored but no longer written. "
                  << RegenerateHint();
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(GoldenCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return CaseTestName(info.param);
                         });

TEST(GoldenCases, AreFoundAndEachStoresItsUnits) {
  const std::vector<std::string> names = GoldenCaseNames();
  EXPECT_GE(names.size(), 10u);
  for (const std::string& name : names) {
    EXPECT_FALSE(ExpectedUnitFileNames(name).empty()) << name;
  }
}

}  // namespace
}  // namespace tarvel
