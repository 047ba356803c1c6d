#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>

#include "WizardFixture.h"
#include "common/QtText.h"
#include "settings/uIni.h"
#include "ui/Notebook.h"

namespace tarvel::testing {
namespace {

using WizardRunTest = WizardTest;

const std::string kAllDemoUnits =
    "uHrApi.pas uHrAudit.pas uHrBatch.pas uHrTypes.pas uMyOracleDB.pas";

// What the window looks like while a run writes, seen at each progress step.
struct RunSighting {
  int page;
  bool navigatorEnabled;
  bool busyCursor;
  int barValue;
  int barMaximum;
  std::string files;
};

class RunWatch {
 public:
  RunWatch(Tfmain& window, std::string folder) : folder_(std::move(folder)) {
    QObject::connect(&window, &Tfmain::progressStepped, &window, [this, &window](int steps) {
      const auto* bar = window.findChild<QProgressBar*>("pgBar");
      this->steps = steps;
      sightings.push_back({window.findChild<TNotebook*>("Notebook1")->PageIndex(),
                           window.findChild<TDelphiWizard*>("DelphiWizard1")->isEnabled(),
                           window.cursor().shape() == Qt::WaitCursor, bar->value(), bar->maximum(),
                           ListFolder(folder_)});
    });
  }
  int steps = 0;
  std::vector<RunSighting> sightings;

 private:
  std::string folder_;
};

TEST_F(WizardRunTest, ASuccessfulRunWritesTheUnitsSaysFinishedAndCloses) {
  const std::string folder = TempFolder("units");
  GoToDestination(folder);
  TypeInto("ePass", "secret");
  RunWatch watch(*window_, folder);
  ClickNext();

  EXPECT_EQ(ListFolder(folder), kAllDemoUnits);
  EXPECT_EQ(UnitFilesIn(folder),
            UnitFilesIn(std::string(TARVEL_SOURCE_DIR "/tests/golden/demo-snapshot")));
  // The demo holds two routines the reader cannot take; each is shown once and left out.
  EXPECT_EQ(messages_.shown(),
            (std::vector<MessageBox>{
                WarningBox("Parameter type: OBJECT not supported!"),
                WarningBox("Cannot convert param in :HR.HR_AUDIT.SAVE_EMP"),
                {"Tarvel Generator", "Finished!", MessageIcon::kNone, MessageButtons::kOk}}));
  const std::string audit = ReadWholeFile(folder + "/uHrAudit.pas");
  EXPECT_NE(audit.find("CountEvents"), std::string::npos);
  EXPECT_EQ(audit.find("SaveEmp"), std::string::npos);
  EXPECT_EQ(audit.find("LogEvent"), std::string::npos);
  EXPECT_EQ(Control<QLabel>("lProgres")->text(), "Finished.");
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(IsIdle());
  SaveScreenshot("page4-finished");

  // Six entries read, five units saved, then put in place together: the bar runs over 0..14 on
  // the Report page while reading (room for a unit per entry), over 0..12 once the units are
  // counted, and is full only when the files are there.
  EXPECT_EQ(watch.steps, 12);
  ASSERT_EQ(watch.sightings.size(), 12u);
  const RunSighting& first = watch.sightings.front();
  EXPECT_EQ(first.page, 4);
  EXPECT_FALSE(first.navigatorEnabled);
  EXPECT_TRUE(first.busyCursor);
  EXPECT_EQ(first.barValue, 1);
  EXPECT_EQ(first.barMaximum, 14);
  EXPECT_EQ(first.files, "");
  EXPECT_EQ(watch.sightings[5].barValue, 6);
  EXPECT_EQ(watch.sightings[6].barMaximum, 12);
  EXPECT_EQ(watch.sightings[10].files, "");
  EXPECT_EQ(watch.sightings[10].barValue, 11);
  EXPECT_EQ(watch.sightings[11].barValue, 12);
  EXPECT_EQ(watch.sightings[11].files, kAllDemoUnits);

  CloseProgram();
  EXPECT_EQ(StoredValue("DB", "USER"), "HR");
  EXPECT_EQ(StoredValue("DB", "PWD"), "");
  EXPECT_EQ(StoredValue("DB", "SRV"), DemoSnapshotPath());
  EXPECT_EQ(StoredValue("FILES", "PATH"), folder);
  EXPECT_EQ(StoredValue("CONST", "STRING"), "4096");
  EXPECT_EQ(StoredValue("CONST", "BLOB"), "10485760");
  EXPECT_EQ(StoredValue("CONST", "CLOB"), "10485760");
  EXPECT_EQ(StoredValue("DVAR", "TIMESTAMP WITH LOCAL TIME ZONE"), "TDateTime");
}

TEST_F(WizardRunTest, ClosingTheWindowDuringARunLetsTheRunFinish) {
  const std::string folder = TempFolder("units");
  GoToDestination(folder);
  QObject::connect(window_.get(), &Tfmain::progressStepped, window_.get(), [this](int steps) {
    if (steps == 1) window_->close();
  });
  ClickNext();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(ListFolder(folder), kAllDemoUnits);
  EXPECT_EQ(ShownButWarnings(), std::vector<std::string>{"Finished!"});
  EXPECT_TRUE(IsIdle());
}

// The entries ticked decide the units written; the connection unit is always written.
TEST_F(WizardRunTest, TheTickedEntriesAloneAreReadAndWritten) {
  struct Case {
    std::vector<int> ticked;
    std::string files;
    int steps;  // one per entry read, one per unit saved, one when they take their place
    std::vector<std::string> inConnectionUnit, notInConnectionUnit;
  };
  const Case cases[] = {
      {{}, "uMyOracleDB.pas", 2, {}, {"HrApi"}},
      {{0}, "uMyOracleDB.pas", 3, {"EmpCount", "LogMsg"}, {"HrApi"}},
      // HR_EMPTY has no routines: it is read but gets no unit.
      {{1, 4}, "uHrApi.pas uMyOracleDB.pas", 5, {"HrApi"}, {}},
  };
  LogOnToDemo();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.ticked));
    const std::string folder = TempFolder("units" + std::to_string(c.steps));
    Click("bClear");
    for (const int entry : c.ticked) SetCheck(entry, Qt::Checked);
    ClickNext();
    TypeInto("ePath", folder);
    RunWatch watch(*window_, folder);
    ClickNext();
    EXPECT_EQ(ListFolder(folder), c.files);
    EXPECT_EQ(watch.steps, c.steps);
    // An empty bar, not Qt's busy animation.
    EXPECT_LT(Bar()->minimum(), Bar()->maximum());
    EXPECT_EQ(Bar()->value(), 0);
    const std::string unit = ReadWholeFile(folder + "/uMyOracleDB.pas");
    for (const std::string& name : c.inConnectionUnit)
      EXPECT_NE(unit.find(name), std::string::npos);
    for (const std::string& name : c.notInConnectionUnit) {
      EXPECT_EQ(unit.find(name), std::string::npos);
    }
    Navigator()->GoToPage(2);
    window_->show();
  }
}

TEST_F(WizardRunTest, AFailedSaveStaysOnTheReportPageAndBackThenNextRunsAgain) {
  const std::string belowAFile = TempFile("blocker") + "/units";
  GoToDestination(belowAFile);
  messages_.answerNext(MessageAnswer::kYes);
  ClickNext();

  ASSERT_EQ(ShownButWarnings().size(), 2u);
  const MessageBox& error = messages_.shown().back();
  EXPECT_EQ(error, ErrorBox(error.text));
  EXPECT_EQ(error.text.rfind("Unable to write to " + belowAFile + "/uMyOracleDB.pas: ", 0), 0u)
      << error.text;
  EXPECT_EQ(Page(), 4);
  EXPECT_TRUE(window_->isVisible());
  TDelphiWizard* navigator = Navigator();
  EXPECT_TRUE(navigator->BackButton()->isEnabledTo(navigator));
  EXPECT_FALSE(navigator->NextButton()->isEnabledTo(navigator));
  EXPECT_EQ(navigator->EndButton()->text(), "&Finish");
  EXPECT_TRUE(IsIdle());
  EXPECT_EQ(Control<QLabel>("lProgres")->text(), "Generating code. Please wait...");
  EXPECT_EQ(Bar()->value(), 0);
  SaveScreenshot("page4-failed-run");

  ClickBack();
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(navigator->EndButton()->text(), "&Cancel");
  messages_.forget();
  messages_.answerNext(MessageAnswer::kYes);
  ClickNext();
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(ShownButWarnings().size(), 2u);

  const std::string folder = TempPath("units");
  ClickBack();
  TypeInto("ePath", folder);
  messages_.forget();
  messages_.answerNext(MessageAnswer::kYes);
  ClickNext();
  EXPECT_EQ(messages_.shownTexts().back(), "Finished!");
  EXPECT_EQ(ListFolder(folder), kAllDemoUnits);
}

// Runs the statements on the snapshot through a connection of their own.
void ChangeSnapshot(const std::string& snapshot, std::initializer_list<const char*> statements) {
  {
    QSqlDatabase editor = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "editor");
    editor.setDatabaseName(ToQString(snapshot));
    ASSERT_TRUE(editor.open());
    for (const char* statement : statements) {
      ASSERT_TRUE(QSqlQuery(editor).exec(QString::fromLatin1(statement))) << statement;
    }
    editor.close();
  }
  QSqlDatabase::removeDatabase("editor");
}

TEST_F(WizardRunTest, AFailedReadSaysErrorAndWritesNothingAndFinishCloses) {
  const std::string snapshot = TempPath("copy.snapshot");
  ASSERT_TRUE(QFile::copy(ToQString(DemoSnapshotPath()), ToQString(snapshot)));
  const std::string folder = TempFolder("units");
  LogOnTo(snapshot);
  ClickNext();
  TypeInto("ePath", folder);
  // The dictionary loses a view between the listing and the run.
  ChangeSnapshot(snapshot, {"drop table all_arguments"});
  ClickNext();
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(Control<QLabel>("lProgres")->text(), "Error!");
  ASSERT_EQ(messages_.shown().size(), 1u);
  const MessageBox& error = messages_.shown()[0];
  EXPECT_EQ(error, ErrorBox(error.text));
  EXPECT_NE(error.text.find("all_arguments"), std::string::npos) << error.text;
  EXPECT_EQ(ListFolder(folder), "");
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_TRUE(IsIdle());
  SaveScreenshot("page4-read-error");
  ClickEnd();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(IsIdle());
}

// A name that is not UTF-8 is shown with a replacement character, and read as the dictionary
// holds it.
TEST_F(WizardRunTest, APackageNameThatIsNotUtf8IsReadAsItsBytes) {
  const std::string snapshot = TempPath("copy.snapshot");
  ASSERT_TRUE(QFile::copy(ToQString(DemoSnapshotPath()), ToQString(snapshot)));
  ChangeSnapshot(
      snapshot,
      {"update dba_objects set object_name = 'HR_API' || x'ff' where object_name = 'HR_API'",
       "update all_arguments set package_name = 'HR_API' || x'ff' where package_name = 'HR_API'",
       "update all_procedures set object_name = 'HR_API' || x'ff' where object_name = 'HR_API'"});
  const std::string folder = TempFolder("units");
  LogOnTo(snapshot);
  EXPECT_EQ(Control<QTreeWidget>("lvPackList")->topLevelItem(1)->text(0),
            QStringLiteral("HR_API\uFFFD"));
  ClickNext();
  TypeInto("ePath", folder);
  ClickNext();
  EXPECT_EQ(ListFolder(folder),
            "uHrApi_.pas uHrAudit.pas uHrBatch.pas uHrTypes.pas uMyOracleDB.pas");
}

}  // namespace
}  // namespace tarvel::testing
