#include "run/SaveUnitFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "FileFaults.h"
#include "Files.h"
#include "common/Error.h"

namespace tarvel {
namespace {

using testing::FailureMessageWithFileSizeLimit;
using testing::ListFolder;
using testing::ReadWholeFile;

class SaveUnitFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const {
    return folder_.path().toStdString() + "/" + name;
  }
  QTemporaryDir folder_;
};

TEST_F(SaveUnitFileTest, WritesBytesAboveAsciiAsTheyStand) {
  SaveUnitFile(PathOf("uB.pas"), "// \xe9\xc8\r\n");
  EXPECT_EQ(ReadWholeFile(PathOf("uB.pas")), "// \xe9\xc8\r\n");
}

TEST_F(SaveUnitFileTest, ReplacesAnOlderFile) {
  SaveUnitFile(PathOf("uA.pas"), "a much longer first version of the unit");
  SaveUnitFile(PathOf("uA.pas"), "short");
  EXPECT_EQ(ReadWholeFile(PathOf("uA.pas")), "short");
}

TEST_F(SaveUnitFileTest, FailsBelowARegularFileWithThePathAndTheReason) {
  SaveUnitFile(PathOf("plain"), "not a folder");
  const std::string path = PathOf("plain/uA.pas");
  try {
    SaveUnitFile(path, "unit uA;");
    FAIL() << "a file below a regular file was written";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("Unable to write to " + path + ": ", 0), 0u) << message;
    EXPECT_GT(message.size(), ("Unable to write to " + path + ": ").size()) << message;
  }
}

TEST_F(SaveUnitFileTest, FullDiskLeavesTheOlderFileIntactAndNoTemporary) {
  const std::string path = PathOf("uBig.pas");
  SaveUnitFile(path, "old content");
  // A large unit is written straight through; a small one stays in the buffer until the end.
  for (const auto& [limit, size] : {std::pair{64 * 1024L, 200000}, std::pair{4 * 1024L, 8000}}) {
    const std::string unit(size, 'x');

    const std::string message =
        FailureMessageWithFileSizeLimit(limit, [&] { SaveUnitFile(path, unit); });

    EXPECT_EQ(message, "Unable to write to " + path + ": File too large");
    EXPECT_EQ(ReadWholeFile(path), "old content");
    EXPECT_EQ(ListFolder(folder_.path().toStdString()), "uBig.pas");
  }
}

// Whatever the model holds, a unit goes into the folder under a name of its own, and only in
// place of a regular file.
TEST_F(SaveUnitFileTest, OnlyPlainNamesAndRegularFilesPassTheCheck) {
  const std::string folder = folder_.path().toStdString();
  for (const std::string& name : {std::string("u/A.pas"), std::string("."), std::string(".."),
                                  std::string(""), std::string("uA\0.pas", 7)}) {
    EXPECT_THROW(CheckUnitFile(folder, name), TarvelError) << name;
  }
  try {
    CheckUnitFile(folder, "../uA.pas");
    ADD_FAILURE() << "../uA.pas passed";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + folder +
                                "/../uA.pas: the unit's file name is not a plain name")
                                   .c_str());
  }
  SaveUnitFile(PathOf("uA.pas"), "unit uA;");
  std::filesystem::create_symlink("uA.pas", PathOf("uLink.pas"));
  const std::string longest(255 - 4, 'A');
  for (const std::string& name :
       {std::string("uA.pas"), std::string("uLink.pas"), std::string("uNew.pas"),
        std::string("u\xc9.pas"), longest + ".pas"}) {
    EXPECT_NO_THROW(CheckUnitFile(folder, name)) << name;
  }
}

// A dangling link would take the unit to wherever it points; a name longer than the file system
// holds would fail only once earlier units were written.
TEST_F(SaveUnitFileTest, AFolderADanglingLinkAndAnOverlongNameFailTheCheckSayingSo) {
  const std::string folder = folder_.path().toStdString();
  std::filesystem::create_symlink("/nowhere/uA.pas", PathOf("uDangling.pas"));
  std::filesystem::create_directory(PathOf("uFolder.pas"));
  const std::string overlong = std::string(256 - 4, 'A') + ".pas";
  const std::vector<std::pair<std::string, std::string>> cases{
      {"uDangling.pas", PathOf("uDangling.pas") + " is a dangling symbolic link"},
      {"uFolder.pas", PathOf("uFolder.pas") + " is a folder"},
      {overlong, "Unable to write to " + PathOf(overlong) + ": File name too long"},
  };
  for (const auto& [name, message] : cases) {
    try {
      CheckUnitFile(folder, name);
      ADD_FAILURE() << name << " passed";
    } catch (const TarvelError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}

// Only a unit that is certainly not there is missing; any other failure to look is a failure.
TEST_F(SaveUnitFileTest, ComparingFailsWhereTheFileCannotBeReadOrTheFolderSearched) {
  SaveUnitFile(PathOf("uA.pas"), "unit uA;");
  EXPECT_EQ(CompareUnitFile(PathOf("uA.pas"), "unit uA;"), UnitFileState::kSame);
  EXPECT_EQ(CompareUnitFile(PathOf("uA.pas"), "unit uB;"), UnitFileState::kDiffers);
  EXPECT_EQ(CompareUnitFile(PathOf("uB.pas"), "unit uB;"), UnitFileState::kMissing);
  const std::string below = PathOf("uA.pas") + "/uB.pas";
  try {
    CompareUnitFile(below, "unit uB;");
    ADD_FAILURE() << "a path below a regular file was compared";
  } catch (const TarvelError& error) {
    EXPECT_EQ(error.what(), "Unable to read " + below + ": Not a directory");
  }
}

TEST_F(SaveUnitFileTest, LeavesAFileWithTheSameTextUntouched) {
  const std::string path = PathOf("uSame.pas");
  const std::string text = "unit uSame;\r\nend.\r\n";
  SaveUnitFile(path, text);
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(path, old);

  SaveUnitFile(path, text);
  EXPECT_EQ(std::filesystem::last_write_time(path), old);

  SaveUnitFile(path, "unit uSame;\r\n\r\nend.\r\n");
  EXPECT_NE(std::filesystem::last_write_time(path), old);
  EXPECT_EQ(ReadWholeFile(path), "unit uSame;\r\n\r\nend.\r\n");
}

}  // namespace
}  // namespace tarvel
