#include "run/GenerationRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>

#include "FileFaults.h"
#include "Files.h"
#include "SnapshotFixture.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"
#include "run/SaveUnitFile.h"

namespace tarvel {
namespace {

using testing::FailureMessageWithTimeLimit;
using testing::ListFolder;
using testing::ReadWholeFile;
using testing::TemporarySnapshot;

// HR has two procedures outside packages, a package with two routines, one without routines and
// one whose name differs from the first only in letter case, and one whose class would take the
// connection unit's class name.
const char* const kDictionary = R"sql(
insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values
  ('HR', 'LOG_MSG', 'PROCEDURE'), ('HR', 'HR_API', 'PACKAGE'), ('HR', 'EMPTY_PKG', 'PACKAGE'),
  ('HR', 'Hr_Api', 'PACKAGE'), ('HR', 'MY_ORACLE_DB', 'PACKAGE');
insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OBJECT_TYPE, OVERLOAD) values
  ('HR', 'LOG_MSG', NULL, 'PROCEDURE', NULL),
  ('HR', 'HR_API', NULL, 'PACKAGE', NULL),
  ('HR', 'HR_API', 'DO_IT', 'PACKAGE', NULL),
  ('HR', 'HR_API', 'GET_NAME', 'PACKAGE', NULL),
  ('HR', 'EMPTY_PKG', NULL, 'PACKAGE', NULL),
  ('HR', 'Hr_Api', NULL, 'PACKAGE', NULL),
  ('HR', 'Hr_Api', 'PING', 'PACKAGE', NULL),
  ('HR', 'MY_ORACLE_DB', 'PING', 'PACKAGE', NULL);
insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION,
                           SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) values
  ('HR', NULL, 'LOG_MSG', NULL, 'P_TEXT', 1, 1, 0, 'VARCHAR2', 'IN'),
  ('HR', 'HR_API', 'GET_NAME', NULL, NULL, 0, 1, 0, 'VARCHAR2', 'OUT'),
  ('HR', 'HR_API', 'GET_NAME', NULL, 'P_ID', 1, 2, 0, 'NUMBER', 'IN');
)sql";

class RecordingRunListener : public RunListener {
 public:
  void packageRead() override { ++packagesRead; }
  void warning(const RoutineWarning& warning) override { warnings.push_back(warning.message); }
  void pendingEvents() override { ++pendingEventCalls; }
  void readFailed() override { ++readFailures; }
  void unitSaved(UnitKind kind, const std::string& path, bool written) override {
    saved.push_back((kind == UnitKind::kConnection ? "connection " : "") +
                    std::filesystem::path(path).filename().string() + (written ? "" : " (same)"));
  }
  void pascalNamesChanged(const std::vector<PascalNameChange>& changes) override {
    for (const PascalNameChange& change : changes) {
      nameChanges.push_back(change.UnitName.str() + ": " + change.DbName + " -> " + change.Name);
    }
  }
  int packagesRead = 0;
  int pendingEventCalls = 0;
  int readFailures = 0;
  std::vector<std::string> warnings;
  std::vector<std::string> saved;
  std::vector<std::string> nameChanges;
};

class GenerationRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_.setConnectionString(BuildConnectionString({"hr", "", snapshot_.path()}));
    connection_.open();
  }

  GenerationRequest Request(std::vector<std::string> names) const {
    GenerationRequest request;
    request.user = "hr";
    request.names = std::move(names);
    request.maxStringSize = " 0042";
    request.maxBlobSize = "$10";
    request.maxClobSize = "-0";
    request.folder = output_.path().toStdString();
    return request;
  }
  std::string Output(const std::string& name) const {
    return ReadWholeFile(output_.path().toStdString() + "/" + name);
  }
  std::string OutputFiles() const { return ListFolder(output_.path().toStdString()); }

  TemporarySnapshot snapshot_{kDictionary};
  DictionaryConnection connection_;
  QTemporaryDir output_;
  RecordingRunListener listener_;
};

TEST_F(GenerationRunTest, WritesTheConnectionUnitFirstThenOneUnitPerPackageWithRoutines) {
  RunGeneration(connection_, Request({"", "HR_API", "EMPTY_PKG"}), listener_);

  EXPECT_EQ(listener_.saved,
            (std::vector<std::string>{"connection uMyOracleDB.pas", "uHrApi.pas"}));
  EXPECT_EQ(OutputFiles(), "uHrApi.pas uMyOracleDB.pas");
  EXPECT_EQ(listener_.packagesRead, 3);
  EXPECT_EQ(listener_.pendingEventCalls, 1);
  EXPECT_EQ(listener_.readFailures, 0);
  EXPECT_TRUE(listener_.warnings.empty());

  const std::string mainUnit = Output("uMyOracleDB.pas");
  EXPECT_NE(mainUnit.find("uses Classes, ADODB, DB, uHrApi;\r\n"), std::string::npos);
  EXPECT_NE(mainUnit.find("   procedure LogMsg(PText : string); \r\n"), std::string::npos);
  EXPECT_EQ(mainUnit.find("EmptyPkg"), std::string::npos);
  EXPECT_NE(Output("uHrApi.pas").find("   procedure DoIt; \r\n"), std::string::npos);
}

// As typed, but "0x10" would not compile: a prefix Pascal does not know becomes "$".
TEST_F(GenerationRunTest, CopiesTheSizeTextsAsTypedInAFormPascalReads) {
  GenerationRequest request = Request({});
  RunGeneration(connection_, request, listener_);
  request.maxBlobSize = "0x10";
  request.maxClobSize = " -X0";
  RunGeneration(connection_, request, listener_);
  EXPECT_NE(Output("uMyOracleDB.pas")
                .find("  MAX_STRING_SIZE =  0042;\r\n  MAX_BLOB_SIZE = $10;\r\n"
                      "  MAX_CLOB_SIZE =  -$0;\r\n"),
            std::string::npos);
}

TEST_F(GenerationRunTest, NothingTickedStillWritesTheConnectionUnitAlone) {
  RunGeneration(connection_, Request({}), listener_);
  EXPECT_EQ(OutputFiles(), "uMyOracleDB.pas");
  EXPECT_EQ(listener_.packagesRead, 0);
  EXPECT_NE(Output("uMyOracleDB.pas").find("uses Classes, ADODB, DB;\r\n"), std::string::npos);
}

TEST_F(GenerationRunTest, OnlyTheRoutinesOutsidePackagesGoIntoTheConnectionUnit) {
  RunGeneration(connection_, Request({""}), listener_);
  EXPECT_EQ(OutputFiles(), "uMyOracleDB.pas");
  EXPECT_EQ(listener_.packagesRead, 1);
  EXPECT_NE(Output("uMyOracleDB.pas").find("procedure TMyOracleDB.LogMsg(PText : string); \r\n"),
            std::string::npos);
}

TEST_F(GenerationRunTest, ReplacesEarlierUnitsAndKeepsUnitsOfPackagesNotTicked) {
  const std::string folder = output_.path().toStdString();
  SaveUnitFile(folder + "/uHrApi.pas", "stale\r\n");
  SaveUnitFile(folder + "/uOther.pas", "kept\r\n");

  RunGeneration(connection_, Request({"HR_API"}), listener_);

  EXPECT_NE(Output("uHrApi.pas"), "stale\r\n");
  EXPECT_EQ(Output("uOther.pas"), "kept\r\n");
}

TEST_F(GenerationRunTest, UnitNamesEqualIgnoringCaseStopTheRunBeforeAnyFile) {
  try {
    RunGeneration(connection_, Request({"HR_API", "Hr_Api"}), listener_);
    FAIL() << "the run went on";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(), "Packages HR_API and Hr_Api both give the unit name uHrApi");
  }
  EXPECT_EQ(OutputFiles(), "");
}

TEST_F(GenerationRunTest, APackageGivingTheConnectionClassesNameGetsAnUnderscoreAndIsTold) {
  RunGeneration(connection_, Request({"MY_ORACLE_DB"}), listener_);
  EXPECT_EQ(OutputFiles(), "uMyOracleDB.pas uMyOracleDb_.pas");
  EXPECT_EQ(listener_.nameChanges,
            (std::vector<std::string>{"uMyOracleDb_: MY_ORACLE_DB -> MyOracleDb_"}));
}

TEST_F(GenerationRunTest, AReadFailureIsReportedAndWritesNothing) {
  connection_.close();
  EXPECT_THROW(RunGeneration(connection_, Request({"HR_API"}), listener_), TarvelError);
  EXPECT_EQ(listener_.readFailures, 1);
  EXPECT_EQ(OutputFiles(), "");
}

TEST_F(GenerationRunTest, AFolderThatCannotBeWrittenFailsWithThePath) {
  GenerationRequest request = Request({"HR_API"});
  SaveUnitFile(request.folder + "/plain", "");
  request.folder += "/plain";
  try {
    RunGeneration(connection_, request, listener_);
    FAIL() << "the run went on";
  } catch (const TarvelError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("Unable to write to " + request.folder + "/uMyOracleDB.pas: ", 0),
              0u)
        << error.what();
  }
  EXPECT_EQ(listener_.readFailures, 0);
}

// A FIFO in a unit's place would hang the run (the time limit ends it should it hang); a folder
// would take the unit. Either fails the run before any file is written.
TEST_F(GenerationRunTest, AUnitPathThatIsNoRegularFileFailsBeforeAnyWrite) {
  const std::string folder = output_.path().toStdString();
  GenerationRequest request = Request({"HR_API"});
  const auto run = [&] { RunGeneration(connection_, request, listener_); };
  ASSERT_EQ(mkfifo((folder + "/uHrApi.pas").c_str(), 0600), 0);
  EXPECT_EQ(FailureMessageWithTimeLimit(60, run),
            "Unable to write to " + folder + "/uHrApi.pas: it is not a regular file");
  ASSERT_TRUE(std::filesystem::remove(folder + "/uHrApi.pas"));
  ASSERT_TRUE(std::filesystem::create_directory(folder + "/uHrApi.pas"));
  EXPECT_EQ(FailureMessageWithTimeLimit(60, run), folder + "/uHrApi.pas is a folder");
  EXPECT_EQ(OutputFiles(), "uHrApi.pas");
}

TEST_F(GenerationRunTest, LeavesUnchangedUnitsUntouched) {
  GenerationRequest request = Request({"", "HR_API"});
  RunGeneration(connection_, request, listener_);
  listener_.saved.clear();
  RunGeneration(connection_, request, listener_);
  EXPECT_EQ(listener_.saved,
            (std::vector<std::string>{"connection uMyOracleDB.pas (same)", "uHrApi.pas (same)"}));
}

// Killed once every new unit is written, before they take their place: the older units are as
// they were, and no temporary file is left, the new ones having no name yet.
TEST_F(GenerationRunTest, ARunKilledBeforeItsUnitsTakeTheirPlaceLeavesTheOlderOnesAlone) {
  class KilledAfterTheLastUnit : public RecordingRunListener {
   public:
    void unitsToSave(std::size_t count) override { left_ = count; }
    void unitSaved(UnitKind /*kind*/, const std::string& /*path*/, bool /*written*/) override {
      if (--left_ == 0) std::raise(SIGKILL);
    }

   private:
    std::size_t left_ = 0;
  };
  const std::string folder = output_.path().toStdString();
  SaveUnitFile(folder + "/uMyOracleDB.pas", "old\r\n");
  SaveUnitFile(folder + "/uHrApi.pas", "old\r\n");
  const std::string message = FailureMessageWithTimeLimit(60, [&] {
    KilledAfterTheLastUnit listener;
    RunGeneration(connection_, Request({"", "HR_API"}), listener);
  });
  EXPECT_EQ(message, "");
  EXPECT_EQ(OutputFiles(), "uHrApi.pas uMyOracleDB.pas");
  EXPECT_EQ(Output("uMyOracleDB.pas"), "old\r\n");
  EXPECT_EQ(Output("uHrApi.pas"), "old\r\n");
}

}  // namespace
}  // namespace tarvel
