#include "settings/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempIniFile.h"
#include "common/Error.h"

namespace tarvel {
namespace {

using testing::FailureMessageAsUnprivilegedUser;
using testing::FailureMessageWithFileSizeLimit;
using testing::TempIniFile;

WindowSettings TypedSettings() {
  WindowSettings settings;
  settings.user = "scott";
  settings.password = "tiger";
  settings.database = "orcl";
  settings.folder = "/home/scott/units";
  settings.maxStringSize = "8000";
  settings.maxBlobSize = "$100000";
  settings.maxClobSize = "  0042";
  return settings;
}

const char* const kSavedTypedSettings =
    "[DB]\n"
    "USER=scott\n"
    "PWD=\n"
    "SRV=orcl\n"
    "\n"
    "\n"
    "[FILES]\n"
    "PATH=/home/scott/units\n"
    "\n"
    "\n"
    "[CONST]\n"
    "STRING=8000\n"
    "BLOB=1048576\n"
    "CLOB=42\n";

void ExpectSettings(const WindowSettings& actual, const WindowSettings& expected) {
  EXPECT_EQ(actual.user, expected.user);
  EXPECT_EQ(actual.password, expected.password);
  EXPECT_EQ(actual.database, expected.database);
  EXPECT_EQ(actual.folder, expected.folder);
  EXPECT_EQ(actual.maxStringSize, expected.maxStringSize);
  EXPECT_EQ(actual.maxBlobSize, expected.maxBlobSize);
  EXPECT_EQ(actual.maxClobSize, expected.maxClobSize);
}

TEST(Settings, FirstStartShowsEmptyBoxesAndDefaultSizes) {
  TempIniFile ini;
  ExpectSettings(LoadSettings(ini.path()).window, WindowSettings{});
  EXPECT_EQ(testing::ListFolder(ini.folder()), "");
}

// The first start begins with calls through blocks and the shipped type additions, in a folder it
// creates; a file that exists already is never replaced.
TEST(Settings, AFirstStartWritesTheSampleTypeAdditions) {
  const TempIniFile ini;
  const std::string path = ini.folder() + "/tarvelgen/config.ini";
  const std::string sample = FirstStartSettings();
  EXPECT_NE(sample.find("PLS_INTEGER=ftInteger"), std::string::npos);
  CreateSettings(path, sample);
  EXPECT_EQ(testing::ReadWholeFile(path), sample);
  EXPECT_EQ(LoadSettings(path).typeAdditions.delphiTypes.at("PLS_INTEGER"), "integer");
  EXPECT_TRUE(LoadSettings(path).callsThroughBlocks);

  ini.write("[DB]\nUSER=scott\n");
  CreateSettings(ini.path(), sample);
  EXPECT_EQ(ini.content(), "[DB]\nUSER=scott\n");
}

TEST(Settings, SaveWritesTheFileAndLoadReadsItBackWithoutThePassword) {
  TempIniFile ini;
  SaveSettings(ini.path(), TypedSettings());
  EXPECT_EQ(ini.content(), kSavedTypedSettings);

  WindowSettings expected = TypedSettings();
  expected.password = "";
  expected.maxBlobSize = "1048576";
  expected.maxClobSize = "42";
  ExpectSettings(LoadSettings(ini.path()).window, expected);
}

TEST(Settings, PasswordLeavesNoTraceInTheFile) {
  TempIniFile ini;
  ini.write("[DB]\nPWD=secret\n");
  SaveSettings(ini.path(), TypedSettings());
  const std::string content = ini.content();
  std::string complemented = "tiger";
  for (char& c : complemented) c = static_cast<char>(255 - static_cast<unsigned char>(c));
  EXPECT_EQ(content.find("tiger"), std::string::npos);
  EXPECT_EQ(content.find(complemented), std::string::npos);
  EXPECT_EQ(content.find("secret"), std::string::npos);
  EXPECT_EQ(ini.read().readString("DB", "PWD", "missing"), "");
  EXPECT_EQ(LoadSettings(ini.path()).window.password, "");
}

TEST(Settings, UnusableStoredSizesShowTheDefaultsAndAreWrittenBack) {
  TempIniFile ini;
  ini.write("[CONST]\nSTRING=large\nBLOB=\nCLOB=007\n");
  const WindowSettings loaded = LoadSettings(ini.path()).window;
  EXPECT_EQ(loaded.maxStringSize, "4096");
  EXPECT_EQ(loaded.maxBlobSize, "10485760");
  EXPECT_EQ(loaded.maxClobSize, "7");
  SaveSettings(ini.path(), loaded);
  EXPECT_EQ(ini.content(),
            "[CONST]\nSTRING=4096\nBLOB=10485760\nCLOB=7\n"
            "\n\n[DB]\nUSER=\nPWD=\nSRV=\n"
            "\n\n[FILES]\nPATH=\n");
}

// Only BLOCKS=1 turns the calls through blocks on: a file written before they existed, or any
// other text, keeps the units as they were.
TEST(Settings, CallsGoThroughBlocksOnlyWithBlocksSetToOne) {
  TempIniFile ini;
  const auto blocks = [&ini](const std::string& file) {
    ini.write(file);
    return LoadSettings(ini.path()).callsThroughBlocks;
  };
  EXPECT_TRUE(blocks("[CALLS]\nBLOCKS=1\n"));
  EXPECT_TRUE(blocks("[calls]\nblocks=1\n"));
  EXPECT_FALSE(blocks("[DB]\nUSER=scott\n"));
  EXPECT_FALSE(blocks("[CALLS]\nBLOCKS=\n"));
  EXPECT_FALSE(blocks("[CALLS]\nBLOCKS=0\n"));
  EXPECT_FALSE(blocks("[CALLS]\nBLOCKS=yes\n"));
  EXPECT_FALSE(blocks("[CALLS]\nBLOCKS=01\n"));
  EXPECT_FALSE(blocks("[DB]\nBLOCKS=1\n"));
}

TEST(Settings, SizeBoxesThatHoldNoIntegerStoreTheDefaults) {
  TempIniFile ini;
  WindowSettings settings;
  settings.maxStringSize = "4 096";
  settings.maxBlobSize = "";
  settings.maxClobSize = "0x80000000";
  SaveSettings(ini.path(), settings);
  EXPECT_EQ(ini.read().readString("CONST", "STRING", ""), "4096");
  EXPECT_EQ(ini.read().readString("CONST", "BLOB", ""), "10485760");
  EXPECT_EQ(ini.read().readString("CONST", "CLOB", ""), "10485760");
}

// A file that exists but cannot be read is never taken as empty: its type additions would
// vanish unnoticed.
TEST(Settings, AFileThatCannotBeReadFailsNamingItAndTheReason) {
  TempIniFile ini;
  const std::string path = ini.path();
  const auto failure = [&path] {
    try {
      LoadSettings(path);
    } catch (const TarvelError& error) {
      return std::string(error.what());
    }
    return std::string("read");
  };
  ini.write(std::string("[AVAR]\nX=ftX\n\0", 14));
  EXPECT_EQ(failure(), "Cannot read " + path + ": it holds a NUL byte");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  ASSERT_EQ(chmod(ini.folder().c_str(), 0755), 0);
  EXPECT_EQ(FailureMessageAsUnprivilegedUser([&path] { LoadSettings(path); }),
            "Cannot read " + path + ": Permission denied");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(failure(), "Cannot read " + path + ": it is not a regular file");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink("missing.ini", path.c_str()), 0);
  EXPECT_EQ(failure(), "Cannot read " + path + ": No such file or directory");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_EQ(failure(), "Cannot read " + path + ": Is a directory");
}

TEST(Settings, FirstFailingWriteEndsTheSave) {
  TempIniFile ini;
  const std::string message = FailureMessageWithFileSizeLimit(
      static_cast<long>(std::string("[DB]\nUSER=scott\nPWD=\nSRV=orcl\n").size()),
      [&ini] { SaveSettings(ini.path(), TypedSettings()); });
  EXPECT_EQ(message, "Unable to write to " + ini.path());
  EXPECT_EQ(ini.content(), "[DB]\nUSER=scott\nPWD=\nSRV=orcl\n");
  EXPECT_EQ(testing::ListFolder(ini.folder()), "config.ini");
}

// A size whose write fails is written once more with its default; only that second failure
// ends the save.
TEST(Settings, FailedSizeWriteIsRetriedWithTheDefault) {
  TempIniFile ini;
  const std::string fits =
      "[DB]\nUSER=scott\nPWD=\nSRV=orcl\n"
      "\n\n[FILES]\nPATH=/home/scott/units\n"
      "\n\n[CONST]\nSTRING=4096\n";
  WindowSettings settings = TypedSettings();
  settings.maxStringSize = "2147483647";
  const std::string message = FailureMessageWithFileSizeLimit(
      static_cast<long>(fits.size()), [&] { SaveSettings(ini.path(), settings); });
  EXPECT_EQ(message, "Unable to write to " + ini.path());
  EXPECT_EQ(ini.content(), fits);
}

}  // namespace
}  // namespace tarvel
