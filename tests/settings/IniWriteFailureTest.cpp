#include <gtest/gtest.h>

#include "TempIniFile.h"
#include "common/Error.h"
#include "settings/uIni.h"

namespace tarvel {
namespace {

using testing::FailureMessageWithFileSizeLimit;
using testing::TempIniFile;

TEST(IniWriteFailure, PathBelowARegularFileFailsAndCreatesNothing) {
  TempIniFile ini;
  ini.write("[DB]\nUSER=scott\n");
  const std::string below = ini.path() + "/config.ini";
  try {
    WriteIniString(below, "DB", "USER", "hr");
    FAIL() << "the write succeeded";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + below).c_str());
  }
  EXPECT_EQ(IniFile::read(below).readString("DB", "USER", "none"), "none");
  EXPECT_EQ(ini.content(), "[DB]\nUSER=scott\n");
  EXPECT_EQ(testing::ListFolder(ini.folder()), "config.ini");
}

TEST(IniWriteFailure, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
  TempIniFile ini;
  const std::string before = "; kept as it is\n[DB]\nUSER=scott\n";
  ini.write(before);
  const std::string message = FailureMessageWithFileSizeLimit(
      static_cast<long>(before.size()),
      [&ini] { ini.writeString("FILES", "PATH", "/home/scott/generated units"); });
  EXPECT_EQ(message, "Unable to write to " + ini.path());
  EXPECT_EQ(ini.content(), before);
  EXPECT_EQ(testing::ListFolder(ini.folder()), "config.ini");
}

}  // namespace
}  // namespace tarvel
