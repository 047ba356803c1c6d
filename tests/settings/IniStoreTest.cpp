#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>

#include "TempIniFile.h"
#include "settings/uIni.h"

namespace tarvel {
namespace {

using testing::TempIniFile;

TEST(IniStore, DefaultPathIsConfigIniBesideTheExecutable) {
  const std::filesystem::path path = DefaultIniFilePath();
  EXPECT_EQ(path.filename(), "config.ini");
  EXPECT_EQ(
      std::filesystem::canonical(path.parent_path()),
      std::filesystem::canonical(std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}

// The path's bytes are the folder's name, UTF-8 or not.
TEST(IniStore, AWriteCreatesTheMissingFoldersOfThePath) {
  TempIniFile ini;
  const std::string nested = ini.folder() + "/home\xff/.config/tarvelgen/config.ini";
  WriteIniString(nested, "DB", "USER", "hr");
  EXPECT_EQ(IniFile::read(nested).readString("DB", "USER", ""), "hr");
  EXPECT_TRUE(std::filesystem::is_regular_file(nested));
}

TEST(IniStore, AWriteThroughASymbolicLinkReplacesTheFileItNamesAndKeepsTheLink) {
  TempIniFile ini;
  const std::string kept = ini.folder() + "/kept.ini";
  const std::string link = ini.folder() + "/config.ini";
  WriteIniString(kept, "DB", "USER", "scott");
  std::filesystem::create_symlink(kept, link);
  WriteIniString(link, "DB", "USER", "hr");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(IniFile::read(kept).readString("DB", "USER", ""), "hr");
}

TEST(IniStore, MissingFileSectionOrKeyGivesTheDefault) {
  TempIniFile ini;
  EXPECT_EQ(ini.read().readString("DB", "USER", "nobody"), "nobody");
  EXPECT_EQ(ini.read().readInteger("CONST", "STRING", 4096), 4096);
  ini.write("[DB]\nUSER=scott\n");
  EXPECT_EQ(ini.read().readString("FILES", "PATH", "/none"), "/none");
  EXPECT_EQ(ini.read().readString("DB", "SRV", "orcl"), "orcl");
  EXPECT_EQ(ini.read().readString("DB", "USER", "nobody"), "scott");
}

TEST(IniStore, KeyWithAnEmptyValueReadsEmptyAndIsNoInteger) {
  TempIniFile ini;
  ini.write("[CONST]\nSTRING=\n");
  EXPECT_EQ(ini.read().readString("CONST", "STRING", "4096"), "");
  EXPECT_EQ(ini.read().readInteger("CONST", "STRING", 4096), 4096);
}

TEST(IniStore, LongValueIsReadBackCutTo2047Characters) {
  TempIniFile ini;
  std::string value;
  for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
  ini.writeString("FILES", "PATH", value);
  EXPECT_EQ(ini.content(), "[FILES]\nPATH=" + value + "\n");
  EXPECT_EQ(ini.read().readString("FILES", "PATH", ""), value.substr(0, 2047));
}

TEST(IniStore, NamesMatchInAnyLetterCaseAndKeepTheirSpelling) {
  TempIniFile ini;
  ini.write("[Db]\nuSeR=scott\n");
  EXPECT_EQ(ini.read().readString("DB", "USER", ""), "scott");
  EXPECT_EQ(ini.read().readString("db", "user", ""), "scott");
  ini.writeString("DB", "USER", "hr");
  EXPECT_EQ(ini.content(), "[Db]\nuSeR=hr\n");
}

TEST(IniStore, HandWrittenFileIsReadAndItsCommentsSurviveAWrite) {
  TempIniFile ini;
  ini.write(
      "; Settings of the generator\r\n"
      "[DB]\r\n"
      "; who logs on\r\n"
      "USER = scott\r\n"
      "SRV\t=\torcl  \r\n"
      "\r\n"
      "# where the units go\r\n"
      "[FILES]\r\n"
      "PATH= /home/scott/units\r\n");
  EXPECT_EQ(ini.read().readString("DB", "USER", ""), "scott");
  EXPECT_EQ(ini.read().readString("DB", "SRV", ""), "orcl");
  EXPECT_EQ(ini.read().readString("FILES", "PATH", ""), "/home/scott/units");

  const std::string rewritten =
      "; Settings of the generator\n"
      "\n"
      "\n"
      "[DB]\n"
      "\n"
      "; who logs on\n"
      "USER=scott\n"
      "SRV=prod\n"
      "\n"
      "\n"
      "# where the units go\n"
      "[FILES]\n"
      "PATH=/home/scott/units\n";
  ini.writeString("DB", "SRV", "prod");
  EXPECT_EQ(ini.content(), rewritten);
  // Blank lines around the comments do not pile up from one write to the next.
  ini.writeString("DB", "SRV", "prod");
  EXPECT_EQ(ini.content(), rewritten);
}

TEST(IniStore, WritesCreateSectionsAndKeysInFirstWrittenOrder) {
  TempIniFile ini;
  ini.writeString("DB", "USER", "scott");
  ini.writeString("FILES", "PATH", "/out");
  ini.writeString("DB", "SRV", "orcl");
  WriteIniInteger(ini.path(), "CONST", "STRING", -17);
  ini.writeString("DB", "USER", "hr");
  EXPECT_EQ(ini.content(),
            "[DB]\nUSER=hr\nSRV=orcl\n"
            "\n\n[FILES]\nPATH=/out\n"
            "\n\n[CONST]\nSTRING=-17\n");
}

TEST(IniStore, ValuesWithBlanksAtTheEndsReadBackAsWritten) {
  TempIniFile ini;
  ini.writeString("FILES", "PATH", "  /home/my units ");
  EXPECT_EQ(ini.read().readString("FILES", "PATH", ""), "  /home/my units ");
}

// The number forms themselves are the shared conversion's; this is what the store adds to it.
TEST(IniStore, IntegerReadsTheStoredTextOrFallsBackToTheDefault) {
  TempIniFile ini;
  ini.write(
      "[CONST]\n"
      "STRING=$1000\n"
      "BLOB=  000042  \n"
      "CLOB=2147483648\n"
      "PADDED=\"12 \"\n"
      "WORD=big\n"
      "LOW=-2147483648\n");
  EXPECT_EQ(ini.read().readInteger("CONST", "STRING", 1), 4096);
  EXPECT_EQ(ini.read().readInteger("CONST", "BLOB", 1), 42);
  EXPECT_EQ(ini.read().readInteger("CONST", "CLOB", 1), 1);
  EXPECT_EQ(ini.read().readInteger("CONST", "PADDED", 1), 1);
  EXPECT_EQ(ini.read().readInteger("CONST", "WORD", 7), 7);
  EXPECT_EQ(ini.read().readInteger("CONST", "LOW", 1), -2147483647 - 1);
}

}  // namespace
}  // namespace tarvel
