#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "GoldenCases.h"
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

// With the sample type additions in config.ini, as scripts/run writes it: the model of the
// golden case whose units the wizard and the batch command write from the demo snapshot.
TEST_F(DemoSnapshotTest, ReadsEveryEntryOfHr) {
  types = LoadSettings(TARVEL_SOURCE_DIR "/samples/type-additions.ini").typeAdditions;
  const auto database =
      LoadDatabase(connection, "HR", {"", "HR_API", "HR_AUDIT", "HR_BATCH", "HR_EMPTY", "HR_TYPES"},
                   types, listener);

  EXPECT_EQ(Describe(*database), Describe(*LoadGoldenCase("demo-snapshot").Database));
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
// package cost a pass over a large dictionary, and a sort of its rows cost most of the read.
TEST_F(DemoSnapshotTest, EveryStatementOfTheReadSearchesAnIndexInItsOrder) {
  LoadDatabase(connection, "HR", {"", "HR_API"}, types, listener);
  ASSERT_EQ(statements.size(), 4u);

  for (const std::string& statement : statements) {
    std::vector<std::string> scansAndSorts;
    for (const std::string& step : QueryPlan(TARVEL_DEMO_SNAPSHOT, statement)) {
      if (step.starts_with("SCAN ") || step.find("USE TEMP B-TREE") != std::string::npos) {
        scansAndSorts.push_back(step);
      }
    }
    EXPECT_THAT(scansAndSorts, IsEmpty()) << statement;
  }
}

}  // namespace
}  // namespace tarvel::testing
