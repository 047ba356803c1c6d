#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "ReaderTestSupport.h"
#include "common/QtText.h"
#include "settings/Settings.h"

namespace tarvel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DemoSnapshotTest : public SnapshotReaderTest {
 protected:
  void SetUp() override {
    SnapshotReaderTest::SetUp();
    OpenSnapshot(TARVEL_DEMO_SNAPSHOT);
  }
};

// With the sample type additions in config.ini, as scripts/run writes it.
TEST_F(DemoSnapshotTest, ReadsEveryEntryOfHr) {
  types = LoadSettings(TARVEL_SOURCE_DIR "/samples/type-additions.ini").typeAdditions;
  const auto database =
      LoadDatabase(connection, "HR", {"", "HR_API", "HR_AUDIT", "HR_BATCH", "HR_EMPTY", "HR_TYPES"},
                   types, listener);

  const std::vector<std::string> expected{
      "package  of ''",
      "  routine EmpCount EMP_COUNT of ''",
      "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
      "    PDept P_DEPT ftFloat double pdInput",
      "  routine LogMsg LOG_MSG of ''",
      "    PText P_TEXT ftString string pdInput",
      "  routine RefreshStats REFRESH_STATS of ''",
      "package HrApi of 'HR_API'",
      "  routine Find FIND of 'HR_API' overloaded",
      "    returns Result @RETURN_VALUE ftBoolean boolean pdReturnValue",
      "    PId P_ID ftFloat double pdInput",
      "  routine Find FIND of 'HR_API' overloaded",
      "    returns Result @RETURN_VALUE ftBoolean boolean pdReturnValue",
      "    PName P_NAME ftString string pdInput",
      "  routine GetName GET_NAME of 'HR_API'",
      "    returns Result @RETURN_VALUE ftString string pdReturnValue",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "  routine ListEmps LIST_EMPS of 'HR_API'",
      "    PDept P_DEPT ftFloat double pdInput",
      "    PCur P_CUR ftRefCursor TADODataSet pdOutput",
      "    PCur2 P_CUR2 ftRefCursor TADODataSet pdOutput",
      "  routine OpenEmps OPEN_EMPS of 'HR_API'",
      "    returns Result @RETURN_VALUE ftRefCursor TADODataSet pdReturnValue",
      "    PDept P_DEPT ftFloat double pdInput",
      "    PMore P_MORE ftRefCursor TADODataSet pdOutput",
      "  routine SaveDoc SAVE_DOC of 'HR_API'",
      "    PId P_ID ftFloat double pdInput",
      "    PData P_DATA ftBlob TBlobByteData pdInput",
      "    PText P_TEXT ftMemo TBlobData pdInput",
      "    PCopy P_COPY ftBlob TBlobByteData pdOutput",
      "    PStamp P_STAMP ftDateTime TDateTime pdOutput",
      "  routine UpdateSalary UPDATE_SALARY of 'HR_API'",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "    PNewSal P_NEW_SAL ftFloat double pdOutput",
      "    PNote P_NOTE ftString string pdInputOutput",
      "package HrAudit of 'HR_AUDIT'",
      "  routine CountEvents COUNT_EVENTS of 'HR_AUDIT'",
      "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
      "    PSince P_SINCE ftDateTime TDateTime pdInput",
      "package HrBatch of 'HR_BATCH'",
      "  routine NightlyRun NIGHTLY_RUN of 'HR_BATCH'",
      "  routine PendingJobs PENDING_JOBS of 'HR_BATCH'",
      "    returns Result @RETURN_VALUE ftRefCursor TADODataSet pdReturnValue",
      "  routine PurgeLogs PURGE_LOGS of 'HR_BATCH'",
      "package HrEmpty of 'HR_EMPTY'",
      "package HrTypes of 'HR_TYPES'",
      "  routine CountLeave COUNT_LEAVE of 'HR_TYPES'",
      "    returns Result @RETURN_VALUE ftInteger integer pdReturnValue",
      "    PEmpId P_EMP_ID ftInteger integer pdInput",
      "    PYear P_YEAR ftInteger integer pdInputOutput",
      "  routine GetCv GET_CV of 'HR_TYPES'",
      "    returns Result @RETURN_VALUE ftWideMemo string pdReturnValue",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "  routine LastLogin LAST_LOGIN of 'HR_TYPES'",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "    PAt P_AT ftDateTime TDateTime pdOutput",
      "    PAtZone P_AT_ZONE ftDateTime TDateTime pdOutput",
      "    PSeen P_SEEN ftDateTime TDateTime pdInputOutput",
      "  routine LocateEmp LOCATE_EMP of 'HR_TYPES'",
      "    returns Result @RETURN_VALUE ftString string pdReturnValue",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "    PLogical P_LOGICAL ftString string pdOutput",
      "  routine ScaleRate SCALE_RATE of 'HR_TYPES'",
      "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
      "    PRate P_RATE ftFloat double pdInput",
      "    PFactor P_FACTOR ftFloat double pdInputOutput",
      "  routine SetLocalName SET_LOCAL_NAME of 'HR_TYPES'",
      "    PEmpId P_EMP_ID ftFloat double pdInput",
      "    PName P_NAME ftString string pdInput",
      "    PInitial P_INITIAL ftString string pdOutput",
  };
  EXPECT_EQ(Describe(*database), expected);
  EXPECT_THAT(
      listener.events,
      ElementsAre("package read", "package read", "warning: Parameter type: OBJECT not supported!",
                  "warning: Cannot convert param in :HR.HR_AUDIT.SAVE_EMP", "package read",
                  "package read", "package read", "package read"));
}

TEST_F(DemoSnapshotTest, AnotherOwnerSeesOnlyItsOwnObjects) {
  const auto database =
      LoadDatabase(connection, "scott", {"", "HR_API", "SCOTT_PKG"}, types, listener);

  EXPECT_EQ(Describe(*database),
            (std::vector<std::string>{
                "package  of ''",
                "  routine BonusRun BONUS_RUN of ''",
                "  routine ScottFn SCOTT_FN of ''",
                "    returns Result @RETURN_VALUE ftString string pdReturnValue",
                "    PId P_ID ftFloat double pdInput",
                "package HrApi of 'HR_API'",
                "  routine Cleanup CLEANUP of 'HR_API'",
                "  routine SecretProc SECRET_PROC of 'HR_API'",
                "    PX P_X ftFloat double pdInput",
                "package ScottPkg of 'SCOTT_PKG'",
                "  routine RaiseBonus RAISE_BONUS of 'SCOTT_PKG'",
                "    PPct P_PCT ftFloat double pdInput",
            }));
  EXPECT_THAT(listener.events, ElementsAre("package read", "package read", "package read"));
}

// The plan of every statement the reader sends, on the demo's tables and indexes.
std::vector<std::string> QueryPlan(const std::string& snapshotPath, const std::string& statement) {
  std::vector<std::string> plan;
  const QString name = QStringLiteral("demo-query-plan");
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(ToQString(snapshotPath));
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(database.open());
    QSqlQuery query(database);
    EXPECT_TRUE(query.exec("attach database '" + ToQString(snapshotPath) + "' as sys"));
    if (query.exec(ToQString("explain query plan " + statement))) {
      while (query.next()) plan.push_back(FromQString(query.value(3).toString()));
    } else {
      ADD_FAILURE() << FromQString(query.lastError().text());
    }
  }
  QSqlDatabase::removeDatabase(name);
  return plan;
}

// Without statistics SQLite plans by the indexes alone; a scan of a whole view would make every
// routine cost a pass over a large dictionary.
TEST_F(DemoSnapshotTest, EveryStatementOfTheReadSearchesAnIndex) {
  LoadDatabase(connection, "HR", {"", "HR_API"}, types, listener);
  ASSERT_EQ(statements.size(), 12u);

  for (const std::string& statement : statements) {
    std::vector<std::string> scans;
    for (const std::string& step : QueryPlan(TARVEL_DEMO_SNAPSHOT, statement)) {
      if (step.rfind("SCAN ", 0) == 0) scans.push_back(step);
    }
    EXPECT_THAT(scans, IsEmpty()) << statement;
  }
}

}  // namespace
}  // namespace tarvel::testing
