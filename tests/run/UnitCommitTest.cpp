#include "run/UnitCommit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>

#include "FileFaults.h"
#include "Files.h"
#include "run/SaveUnitFile.h"

namespace tarvel {
namespace {

using testing::FailureMessageWithFileSizeLimit;
using testing::ListFolder;
using testing::ReadWholeFile;

// The two ways a new file waits for the commit: without a name while descriptors last, under a
// hidden name past that.
struct Way {
  const char* name;
  std::size_t unnamedLimit;
  std::size_t hiddenBeforeCommit;  // temporary files to be seen in the folder
};
const Way kWays[] = {{"without a name", 100, 0}, {"under a hidden name", 0, 2}};

class UnitCommitTest : public ::testing::Test {
 protected:
  // A folder of its own per way, holding the older uA.pas and uB.pas.
  std::string OlderUnits(const Way& way) {
    const std::string folder = root_.path().toStdString() + "/" + way.name;
    std::filesystem::create_directory(folder);
    SaveUnitFile(folder + "/uA.pas", "old A");
    SaveUnitFile(folder + "/uB.pas", "old B");
    return folder;
  }
  static std::size_t HiddenFiles(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      count += entry.path().filename().string().front() == '.' ? 1 : 0;
    }
    return count;
  }
  QTemporaryDir root_;
};

TEST_F(UnitCommitTest, OlderFilesStayUntilTheCommitThenTheNewOnesTakeTheirPlace) {
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.name);
    const std::string folder = OlderUnits(way);
    UnitCommit units(way.unnamedLimit);
    EXPECT_TRUE(units.write(folder + "/uA.pas", "new A"));
    EXPECT_FALSE(units.write(folder + "/uB.pas", "old B"));
    EXPECT_TRUE(units.write(folder + "/uC.pas", "new C"));
    EXPECT_EQ(ReadWholeFile(folder + "/uA.pas"), "old A");
    EXPECT_EQ(HiddenFiles(folder), way.hiddenBeforeCommit);

    units.commit();
    EXPECT_EQ(ListFolder(folder), "uA.pas uB.pas uC.pas");
    EXPECT_EQ(ReadWholeFile(folder + "/uA.pas"), "new A");
    EXPECT_EQ(ReadWholeFile(folder + "/uC.pas"), "new C");
  }
}

TEST_F(UnitCommitTest, ACommitGivenUpLeavesTheOlderFilesAndNoTemporary) {
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.name);
    const std::string folder = OlderUnits(way);
    {
      UnitCommit units(way.unnamedLimit);
      units.write(folder + "/uA.pas", "new A");
      units.write(folder + "/uC.pas", "new C");
    }
    EXPECT_EQ(ListFolder(folder), "uA.pas uB.pas");
    EXPECT_EQ(ReadWholeFile(folder + "/uA.pas"), "old A");
  }
}

// The disk fills up at the second unit: the first, already written, never takes its place.
TEST_F(UnitCommitTest, AFullDiskPartWayLeavesEveryOlderFileAndNoTemporary) {
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.name);
    const std::string folder = OlderUnits(way);
    const std::string message = FailureMessageWithFileSizeLimit(4096, [&] {
      UnitCommit units(way.unnamedLimit);
      units.write(folder + "/uA.pas", "new A");
      units.write(folder + "/uB.pas", std::string(8000, 'x'));
      units.commit();
    });
    EXPECT_EQ(message, "Unable to write to " + folder + "/uB.pas: File too large");
    EXPECT_EQ(ListFolder(folder), "uA.pas uB.pas");
    EXPECT_EQ(ReadWholeFile(folder + "/uA.pas"), "old A");
    EXPECT_EQ(ReadWholeFile(folder + "/uB.pas"), "old B");
  }
}

// A unit kept elsewhere through a link is replaced where it lies, with its permissions; the
// link stays, and a dangling one gets the file it names.
TEST_F(UnitCommitTest, ALinkedUnitIsReplacedWhereItLiesWithItsPermissions) {
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.name);
    const std::string folder = OlderUnits(way);
    std::filesystem::create_directory(folder + "/kept");
    SaveUnitFile(folder + "/kept/uReal.pas", "old");
    ASSERT_EQ(chmod((folder + "/kept/uReal.pas").c_str(), 0640), 0);
    std::filesystem::create_symlink("kept/uReal.pas", folder + "/uLinked.pas");
    std::filesystem::create_symlink("kept/uMade.pas", folder + "/uDangling.pas");

    UnitCommit units(way.unnamedLimit);
    units.write(folder + "/uLinked.pas", "new");
    units.write(folder + "/uDangling.pas", "made");
    units.commit();

    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/uLinked.pas"));
    EXPECT_EQ(ReadWholeFile(folder + "/kept/uReal.pas"), "new");
    struct stat info {};
    ASSERT_EQ(stat((folder + "/kept/uReal.pas").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadWholeFile(folder + "/kept/uMade.pas"), "made");
    EXPECT_EQ(ListFolder(folder + "/kept"), "uMade.pas uReal.pas");
  }
}

}  // namespace
}  // namespace tarvel
