#include <gtest/gtest.h>

#include "batch/CommandLine.h"
#include "common/Error.h"
#include "run/SizeCheck.h"

namespace tarvel {
namespace {

using Words = std::vector<std::string>;

std::string UsageMessage(const Words& words, BatchCommand* command = nullptr) {
  try {
    ParseCommandLine(words);
  } catch (const UsageError& error) {
    if (command != nullptr) *command = error.command();
    return error.what();
  }
  return "<accepted>";
}

TEST(CommandLineTest, GenerateTakesItsDefaultsAndKeepsThePackageOrder) {
  const CommandLine line =
      ParseCommandLine({"generate", "--user", "hr", "--database=demo.snapshot", "--output", "out",
                        "--package", "HR_BATCH", "--package=HR_API", "--outside"});
  EXPECT_EQ(line.command, BatchCommand::kGenerate);
  EXPECT_EQ(line.user, "hr");
  EXPECT_EQ(line.database, "demo.snapshot");
  EXPECT_EQ(line.output, "out");
  EXPECT_EQ(line.packages, (Words{"HR_BATCH", "HR_API"}));
  EXPECT_TRUE(line.outside);
  EXPECT_FALSE(line.strict);
  EXPECT_FALSE(line.check);
  EXPECT_FALSE(line.passwordFromStdin);
  EXPECT_EQ(line.maxStringSize, "4096");
  EXPECT_EQ(line.maxBlobSize, "10485760");
  EXPECT_EQ(line.maxClobSize, "10485760");
  EXPECT_FALSE(line.callsThroughBlocks.has_value());
}

TEST(CommandLineTest, BlocksOrNoBlocksOverrideTheConfigFile) {
  const auto blocks = [](const char* option) {
    return ParseCommandLine({"generate", "--user", "u", "--database", "d", "--output", "o", option})
        .callsThroughBlocks;
  };
  EXPECT_EQ(blocks("--blocks"), std::optional<bool>(true));
  EXPECT_EQ(blocks("--no-blocks"), std::optional<bool>(false));
}

TEST(CommandLineTest, SizesAreKeptAsTyped) {
  const CommandLine line =
      ParseCommandLine({"generate", "--user", "u", "--database", "d", "--output", "o",
                        "--max-string", " 0x10", "--max-blob", "+007", "--max-clob", "$FF"});
  EXPECT_EQ(line.maxStringSize, " 0x10");
  EXPECT_EQ(line.maxBlobSize, "+007");
  EXPECT_EQ(line.maxClobSize, "$FF");
}

TEST(CommandLineTest, ProgramHelpAndVersionStandAlone) {
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_EQ(ParseCommandLine({"--help"}).command, BatchCommand::kNone);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_EQ(UsageMessage({"--version", "list"}), "unexpected argument list");
  EXPECT_NE(VersionText().find("tarvelgen "), std::string::npos);
}

TEST(CommandLineTest, CommandHelpNeedsNoOtherOption) {
  const CommandLine line = ParseCommandLine({"snapshot", "--help"});
  EXPECT_TRUE(line.help);
  EXPECT_EQ(line.command, BatchCommand::kSnapshot);
  EXPECT_EQ(UsageText(BatchCommand::kSnapshot).rfind("Usage: tarvelgen snapshot", 0), 0u);
}

TEST(CommandLineTest, UsageErrorsNameTheirCauseAndCommand) {
  BatchCommand command = BatchCommand::kNone;
  EXPECT_EQ(UsageMessage({"generate", "--user", "u", "--database", "d", "--output", "o",
                          "--package", "A", "--package", "A"},
                         &command),
            "package A given twice");
  EXPECT_EQ(command, BatchCommand::kGenerate);
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--output", "o"}, &command),
            "unknown option --output");
  EXPECT_EQ(command, BatchCommand::kList);
  EXPECT_EQ(UsageMessage({"snapshot", "--user", "u", "--database", "d", "--strict"}),
            "unknown option --strict");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--check"}),
            "unknown option --check");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--user", "v", "--database", "d"}),
            "option --user given twice");
  EXPECT_EQ(UsageMessage({"generate", "--user", "u", "--database", "d", "--output", "o",
                          "--no-blocks", "--blocks"}),
            "options --blocks and --no-blocks exclude each other");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--blocks"}),
            "unknown option --blocks");
  EXPECT_EQ(UsageMessage({"list", "--user"}), "option --user needs a value");
  EXPECT_EQ(UsageMessage({"list", "--user", "u"}), "missing option --database");
  EXPECT_EQ(UsageMessage({"generate", "--user", "u", "--database", "d"}),
            "missing option --output");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "extra"}),
            "unexpected argument extra");
  EXPECT_EQ(UsageMessage({"list", "--password-stdin=yes", "--user", "u", "--database", "d"}),
            "option --password-stdin takes no value");
  EXPECT_EQ(UsageMessage({"--password", "x"}, &command), "unknown option --password");
  EXPECT_EQ(command, BatchCommand::kNone);
  EXPECT_EQ(UsageMessage({"make"}), "unknown command make");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--diff"}),
            "unknown option --diff");
}

// The project file may give user, database and folder: they are required once it is read.
TEST(CommandLineTest, ConfigLeavesTheRequiredOptionsToTheFile) {
  const CommandLine line =
      ParseCommandLine({"generate", "--config", "ci.ini", "--check", "--diff"});
  EXPECT_EQ(line.config, "ci.ini");
  EXPECT_TRUE(line.diff);
  EXPECT_EQ(line.given, (std::set<std::string>{"--config", "--check", "--diff"}));
  EXPECT_EQ(line.arguments, (Words{"generate", "--config", "ci.ini", "--check", "--diff"}));
}

TEST(CommandLineTest, ThePasswordIsNeverAnOption) {
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--password", "secret"}),
            "unknown option --password");
  EXPECT_EQ(UsageMessage({"list", "--user", "u", "--database", "d", "--password=secret"}),
            "unknown option --password");
}

std::string SizeMessage(const std::string& string, const std::string& blob,
                        const std::string& clob) {
  try {
    CheckSizeTexts(string, blob, clob);
  } catch (const TarvelError& error) {
    return error.what();
  }
  return "<accepted>";
}

TEST(SizeCheckTest, TheFirstSizeThatDoesNotReadFailsWithItsMessage) {
  const std::string range = ". Must be between 0 and 2147483647";
  EXPECT_EQ(SizeMessage("abc", "x", "x"), "Ivalid value for MaxStringLength" + range);
  EXPECT_EQ(SizeMessage("", "1", "1"), "Ivalid value for MaxStringLength" + range);
  EXPECT_EQ(SizeMessage("-1", "1", "1"), "Ivalid value for MaxStringLength" + range);
  EXPECT_EQ(SizeMessage("2147483648", "1", "1"), "Ivalid value for MaxStringLength" + range);
  EXPECT_EQ(SizeMessage("1", "1 ", "x"), "Ivalid value for MaxBlobSize" + range);
  EXPECT_EQ(SizeMessage("4096", "10485760", "5k"), "Ivalid value for MaxClobSize" + range);
  EXPECT_EQ(SizeMessage("0", "2147483647", "  $7FFFFFFF"), "<accepted>");
  EXPECT_EQ(SizeMessage("-0", "+12", "0x10"), "<accepted>");
}

}  // namespace
}  // namespace tarvel
