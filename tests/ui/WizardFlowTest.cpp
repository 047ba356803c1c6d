#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <tuple>

#include "WizardFixture.h"
#include "catalogue/PackageList.h"
#include "common/QtText.h"
#include "settings/uIni.h"
#include "ui/Notebook.h"

namespace tarvel::testing {
namespace {

using WizardFlowTest = WizardTest;

const std::vector<std::string> kDemoEntries = {
    "Procedures outside packages", "HR_API", "HR_AUDIT", "HR_BATCH", "HR_EMPTY", "HR_TYPES"};

// The handles this process holds on the file, as the kernel lists them.
int OpenHandlesOn(const std::string& path) {
  const QString file = QFileInfo(ToQString(path)).canonicalFilePath();
  int count = 0;
  const QDir handles(QStringLiteral("/proc/self/fd"));
  for (const QFileInfo& handle : handles.entryInfoList(QDir::AllEntries | QDir::System)) {
    if (handle.symLinkTarget() == file) ++count;
  }
  return count;
}

TEST_F(WizardFlowTest, NextFromTheWelcomePageAndBackFromTheLoginPage) {
  ClickNext();
  EXPECT_EQ(Page(), 1);
  EXPECT_TRUE(Navigator()->BackButton()->isEnabled());
  ClickBack();
  EXPECT_EQ(Page(), 0);
  EXPECT_FALSE(Navigator()->BackButton()->isEnabled());
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(WizardFlowTest, EnterAndEscapePressNoButton) {
  ClickNext();
  QLineEdit* user = Control<QLineEdit>("eUser");
  user->setFocus();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(user, key);
  }
  EXPECT_EQ(Page(), 1);
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(WizardFlowTest, LogOnListsEveryEntryTickedWithItsKind) {
  LogOnToDemo();
  EXPECT_EQ(ListCaptions(), kDemoEntries);
  EXPECT_EQ(ListChecks(), std::vector<Qt::CheckState>(kDemoEntries.size(), Qt::Checked));
  QTreeWidget* list = List();
  EXPECT_EQ(list->topLevelItem(0)->data(0, Tfmain::kEntryKindRole).toInt(), kOutsidePackagesEntry);
  for (int i = 1; i < list->topLevelItemCount(); ++i) {
    EXPECT_EQ(list->topLevelItem(i)->data(0, Tfmain::kEntryKindRole).toInt(), kPackageEntry);
  }
  EXPECT_FALSE(Control<QLabel>("lConnecting")->isVisible());
  EXPECT_TRUE(IsIdle());
  EXPECT_TRUE(window_->connection()->isOpen());
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(WizardFlowTest, AFailedLogOnStaysOnTheLoginPageAndShowsTheMessage) {
  const std::string notASnapshot = TempFile("notes.txt", "not a database\n");
  ClickNext();
  TypeInto("eUser", "HR");
  TypeInto("eServer", notASnapshot);
  ClickNext();
  EXPECT_EQ(Page(), 1);
  EXPECT_FALSE(Control<QLabel>("lConnecting")->isVisible());
  EXPECT_TRUE(IsIdle());
  ASSERT_EQ(messages_.shown().size(), 1u);
  const std::string text = messages_.shown()[0].text;
  EXPECT_EQ(messages_.shown()[0], ErrorBox(text));
  EXPECT_NE(text.find(notASnapshot), std::string::npos) << text;
  EXPECT_EQ(text.back(), '.');
}

TEST_F(WizardFlowTest, BackFromTheListKeepsTicksAndNextListsAfresh) {
  LogOnToDemo();
  Click("bClear");
  EXPECT_EQ(ListChecks(), std::vector<Qt::CheckState>(kDemoEntries.size(), Qt::Unchecked));
  SetCheck(1, Qt::Checked);

  ClickBack();
  EXPECT_EQ(Page(), 1);
  EXPECT_TRUE(window_->connection()->isOpen());
  EXPECT_EQ(List()->topLevelItem(1)->checkState(0), Qt::Checked);
  EXPECT_EQ(List()->topLevelItem(2)->checkState(0), Qt::Unchecked);

  ClickNext();
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(ListCaptions(), kDemoEntries);
  EXPECT_EQ(ListChecks(), std::vector<Qt::CheckState>(kDemoEntries.size(), Qt::Checked));
}

TEST_F(WizardFlowTest, CheckAllAndClearAllTouchEveryEntry) {
  LogOnToDemo();
  SetCheck(0, Qt::Unchecked);
  SetCheck(3, Qt::Unchecked);
  Click("bAll");
  EXPECT_EQ(ListChecks(), std::vector<Qt::CheckState>(kDemoEntries.size(), Qt::Checked));
  Click("bClear");
  EXPECT_EQ(ListChecks(), std::vector<Qt::CheckState>(kDemoEntries.size(), Qt::Unchecked));
}

// Nothing ticked, or an owner without objects and so an empty list.
TEST_F(WizardFlowTest, NextFromTheListNeedsNoTick) {
  ClickNext();
  for (const std::string user : {"HR", "nobody"}) {
    TypeInto("eUser", user);
    TypeInto("eServer", DemoSnapshotPath());
    ClickNext();
    ASSERT_EQ(Page(), 2);
    Click("bClear");
    ClickNext();
    EXPECT_EQ(Page(), 3);
    ClickBack();
    ClickBack();
  }
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(WizardFlowTest, BackFromTheDestinationChecksNothing) {
  GoToDestination("");
  TypeInto("MaxStringSize", "lots");
  ClickBack();
  EXPECT_EQ(Page(), 2);
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(WizardFlowTest, CancelClosesFromAnyPageBeforeTheReport) {
  for (int page = 0; page < 4; ++page) {
    SCOPED_TRACE(page);
    window_->show();
    Navigator()->GoToPage(page);
    ASSERT_EQ(Page(), page);
    EXPECT_EQ(Navigator()->EndButton()->text(), "&Cancel");
    ClickEnd();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(messages_.shown().empty());
  }
}

TEST_F(WizardFlowTest, CancelSavesTheBoxesAtTheEnd) {
  ClickNext();
  TypeInto("eUser", "scott");
  TypeInto("ePass", "tiger");
  TypeInto("eServer", "ORCL");
  ClickEnd();
  EXPECT_FALSE(window_->isVisible());
  CloseProgram();
  EXPECT_EQ(StoredValue("DB", "USER"), "scott");
  EXPECT_EQ(StoredValue("DB", "PWD"), "");
  EXPECT_EQ(StoredValue("DB", "SRV"), "ORCL");
  EXPECT_EQ(StoredValue("CONST", "STRING"), "4096");
}

// A stored size is shown as the number it reads as, an unreadable one as its default.
TEST_F(WizardFlowTest, TheWindowStartsWithTheSavedBoxesAndAnEmptyPassword) {
  CloseProgram();
  const std::vector<std::tuple<const char*, const char*, const char*, const char*, const char*>>
      boxes = {{"DB", "USER", "HR", "eUser", "HR"},
               {"DB", "SRV", "demo", "eServer", "demo"},
               {"DB", "PWD", "whatever", "ePass", ""},
               {"FILES", "PATH", "/tmp/units", "ePath", "/tmp/units"},
               {"CONST", "STRING", "0010", "MaxStringSize", "10"},
               {"CONST", "BLOB", "many", "MaxBlobSize", "10485760"}};
  for (const auto& [section, key, stored, box, shown] : boxes) {
    WriteIniString(iniPath_, section, key, stored);
  }
  OpenWindow();
  for (const auto& [section, key, stored, box, shown] : boxes) EXPECT_EQ(TextOf(box), shown);
  EXPECT_EQ(TextOf("MaxClobSize"), "10485760");
}

TEST_F(WizardFlowTest, AConfigFileThatCannotBeWrittenIsReportedOnceAndTheWindowStillGoes) {
  const std::string unwritable = TempFile("blocker") + "/config.ini";
  CloseProgram();
  iniPath_ = unwritable;
  OpenWindow();
  EXPECT_TRUE(messages_.shown().empty());
  LogOnToDemo();
  EXPECT_GT(OpenHandlesOn(DemoSnapshotPath()), 0);

  CloseProgram();
  EXPECT_EQ(messages_.shown(),
            std::vector<MessageBox>{ErrorBox("Unable to write to " + unwritable + ".")});
  EXPECT_EQ(OpenHandlesOn(DemoSnapshotPath()), 0);
}

// The user's file is never taken as empty nor written over: the boxes start at their defaults.
TEST_F(WizardFlowTest, AConfigFileThatCannotBeReadIsReportedOnceAndKeptByteForByte) {
  CloseProgram();
  const char kStored[] = "[DB]\nUSER=HR\0\n[AVAR]\nX=ftX\n";
  const std::string stored(kStored, sizeof kStored - 1);
  ASSERT_EQ(TempFile("config.ini", stored), iniPath_);
  OpenWindow();
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text, "Cannot read " + iniPath_ + ": it holds a NUL byte.");
  EXPECT_EQ(TextOf("eUser"), "");
  EXPECT_EQ(TextOf("MaxStringSize"), "4096");
  ClickNext();
  TypeInto("eUser", "scott");
  CloseProgram();
  EXPECT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(ReadWholeFile(iniPath_), stored);
}

TEST_F(WizardFlowTest, TheFolderBrowserStartsInAnExistingFolderAndCancelKeepsTheText) {
  GoToDestination(TempPath("missing"));
  Click("bFolder");
  ASSERT_EQ(messages_.folderRequests().size(), 1u);
  EXPECT_EQ(messages_.folderRequests()[0].caption, "Select output folder ");
  EXPECT_EQ(messages_.folderRequests()[0].startFolder, "");
  EXPECT_EQ(TextOf("ePath"), TempPath("missing"));

  TypeInto("ePath", FromQString(temp_.path()));
  messages_.chooseNext(TempPath("chosen"));
  Click("bFolder");
  ASSERT_EQ(messages_.folderRequests().size(), 2u);
  EXPECT_EQ(messages_.folderRequests()[1].startFolder, FromQString(temp_.path()));
  EXPECT_EQ(TextOf("ePath"), TempPath("chosen"));
}

}  // namespace
}  // namespace tarvel::testing
