#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "ShellCommand.h"
#include "run/SaveUnitFile.h"
#include "writers/CollectionReader.h"

namespace tarvel {
namespace {

// The smallest types unit that holds the reader as the writers emit it.
std::string TypesUnitWithReader() {
  std::string unit = "unit uMyOracleTypes;\r\n\r\ninterface\r\n\r\ntype\r\n";
  AppendCollectionReaderDeclaration(unit);
  unit += "\r\nimplementation\r\n\r\nuses SysUtils, Variants;\r\n\r\n";
  AppendCollectionReaderBody(unit);
  return unit + "\r\nend.\r\n";
}

// Compiles a test program of tests/pascal against the stubs and that unit, and runs it.
CommandResult RunWithReader(const std::string& program) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString();
  SaveUnitFile(path + "/uMyOracleTypes.pas", TypesUnitWithReader());
  const std::string stubs = std::string(TARVEL_SOURCE_DIR) + "/tests/pascal";
  const CommandResult compiled =
      RunShellCommand(ShellQuoted(TARVEL_FPC) + " -Mdelphi -FU" + ShellQuoted(path) + " -FE" +
                      ShellQuoted(path) + " -Fu" + ShellQuoted(stubs) + " -Fu" + ShellQuoted(path) +
                      " " + ShellQuoted(stubs + "/" + program + ".pas"));
  if (!compiled.Succeeded) return compiled;
  return RunShellCommand(ShellQuoted(path + "/" + program));
}

TEST(CollectionReader, ReadsWellFormedTextsAndRefusesHostileOnes) {
  ASSERT_TRUE(std::filesystem::exists(TARVEL_FPC)) << "fpc was not found when configuring";
  const CommandResult result = RunWithReader("collectionreaderruns");
  EXPECT_TRUE(result.Succeeded) << result.Output;
  EXPECT_NE(result.Output.find("read and refused the texts as expected"), std::string::npos)
      << result.Output;
}

// The server runs the collection blocks as generated methods send them, and the reader reads
// back what their serialisation wrote.
TEST(CollectionReader, ReadsWhatTheSimulatedServerSerialises) {
  ASSERT_TRUE(std::filesystem::exists(TARVEL_FPC)) << "fpc was not found when configuring";
  const CommandResult result = RunWithReader("collectionblockruns");
  EXPECT_TRUE(result.Succeeded) << result.Output;
  EXPECT_NE(result.Output.find("ran the collection blocks as expected"), std::string::npos)
      << result.Output;
}

}  // namespace
}  // namespace tarvel
