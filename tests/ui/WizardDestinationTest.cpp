#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <tuple>

#include "WizardFixture.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

using WizardDestinationTest = WizardTest;

const std::string kStringMessage =
    "Ivalid value for MaxStringLength. Must be between 0 and 2147483647.";
const std::string kBlobMessage = "Ivalid value for MaxBlobSize. Must be between 0 and 2147483647.";
const std::string kClobMessage = "Ivalid value for MaxClobSize. Must be between 0 and 2147483647.";
const std::string kFolderQuestion = "Folder not exists. Do you want to create this folder?";
const MessageBox kFolderBox{"Confirm", kFolderQuestion, MessageIcon::kQuestion,
                            MessageButtons::kYesNo};

bool Exists(const std::string& path) {
  return QFileInfo::exists(ToQString(path));
}

// The first size that is no whole number from 0 to 2147483647 is named, and the page stays; the
// folder is missing as well, and nothing asks about it.
TEST_F(WizardDestinationTest, ASizeThatIsNoWholeNumberInRangeStaysOnThePage) {
  GoToDestination(TempPath("missing"));
  TypeInto("MaxBlobSize", "ten");
  TypeInto("MaxClobSize", "1a");
  const std::vector<std::tuple<const char*, const char*, std::string>> steps = {
      {"MaxStringSize", "abc", kStringMessage}, {"MaxStringSize", "", kStringMessage},
      {"MaxStringSize", "-1", kStringMessage},  {"MaxStringSize", "2147483648", kStringMessage},
      {"MaxStringSize", "12 ", kStringMessage}, {"MaxStringSize", "$80000000", kStringMessage},
      {"MaxStringSize", "10", kBlobMessage},    {"MaxBlobSize", "10", kClobMessage}};
  for (const auto& [box, text, message] : steps) {
    SCOPED_TRACE(std::string(box) + "=" + text);
    messages_.forget();
    TypeInto(box, text);
    ClickNext();
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(messages_.shown(), std::vector<MessageBox>{ErrorBox(message)});
    EXPECT_TRUE(IsIdle());
  }
  EXPECT_FALSE(Exists(TempPath("missing")));
}

TEST_F(WizardDestinationTest, AMissingFolderDeclinedStaysQuietlyAndCreatesNothing) {
  const std::string folder = TempPath("a/b/c");
  GoToDestination(folder);
  messages_.answerNext(MessageAnswer::kNo);
  ClickNext();
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(messages_.shown(), std::vector<MessageBox>{kFolderBox});
  EXPECT_FALSE(Exists(TempPath("a")));
  EXPECT_TRUE(IsIdle());
}

TEST_F(WizardDestinationTest, AMissingFolderThreeLevelsDeepIsCreatedOnYesAndTheRunStarts) {
  const std::string folder = TempPath("a/b/c");
  GoToDestination(folder);
  messages_.answerNext(MessageAnswer::kYes);
  ClickNext();
  EXPECT_TRUE(QFileInfo(ToQString(folder)).isDir());
  EXPECT_EQ(ShownButWarnings(), (std::vector<std::string>{kFolderQuestion, "Finished!"}));
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(Exists(folder + "/uMyOracleDB.pas"));
}

TEST_F(WizardDestinationTest, AnEmptyFolderAnsweredYesCannotBeCreated) {
  GoToDestination("");
  messages_.answerNext(MessageAnswer::kYes);
  ClickNext();
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(messages_.shown(),
            (std::vector<MessageBox>{kFolderBox, ErrorBox("Unable to create directory.")}));
  EXPECT_TRUE(IsIdle());
}

TEST_F(WizardDestinationTest, SizesAtTheEdgesOfTheRangeAreAcceptedAndCopiedAsTyped) {
  const std::string folder = FromQString(temp_.path());
  GoToDestination(folder);
  TypeInto("MaxStringSize", "  0");
  TypeInto("MaxBlobSize", "2147483647");
  TypeInto("MaxClobSize", "$10");
  ClickNext();
  EXPECT_EQ(ShownButWarnings(), std::vector<std::string>{"Finished!"});
  const std::string unit = ReadWholeFile(folder + "/uMyOracleDB.pas");
  EXPECT_NE(unit.find("MAX_STRING_SIZE =   0;"), std::string::npos);
  EXPECT_NE(unit.find("MAX_BLOB_SIZE = 2147483647;"), std::string::npos);
  EXPECT_NE(unit.find("MAX_CLOB_SIZE = $10;"), std::string::npos);
}

}  // namespace
}  // namespace tarvel::testing
