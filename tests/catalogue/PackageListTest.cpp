#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "SnapshotFixture.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel {
namespace {

using testing::TemporarySnapshot;

// Behaves as the window's list: clear() empties it, add() appends a ticked entry. It also keeps
// the calls in order.
class ListSink : public PackageListSink {
 public:
  void clear() override {
    calls.push_back("clear");
    entries.clear();
  }
  void add(const std::string& caption, PackageEntryKind kind) override {
    calls.push_back("add " + caption + " " + std::to_string(kind));
    entries.push_back(caption + " " + std::to_string(kind));
  }
  void finish() override { calls.push_back("finish"); }

  std::vector<std::string> entries;
  std::vector<std::string> calls;
};

std::string Object(const std::string& owner, const std::string& name, const std::string& type) {
  return "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('" + owner + "', '" +
         name + "', '" + type + "');\n";
}

const std::string kStandAloneRoutinesStatement =
    "select * from dba_objects where owner = 'HR' and (object_type = 'FUNCTION' or object_type = "
    "'PROCEDURE') order by object_name";
const std::string kPackagesStatement =
    "select * from dba_objects where owner = 'HR' and object_type = 'PACKAGE' order by "
    "object_name";

class PackageList : public ::testing::Test {
 protected:
  void List(const TemporarySnapshot& snapshot, const std::string& user = "hr") {
    ConnectAndListPackages(connection, {user, "any", snapshot.path()}, sink);
  }

  DictionaryConnection connection;
  ListSink sink;
};

TEST_F(PackageList, AnOwnerWithoutObjectsGetsAnEmptyList) {
  const TemporarySnapshot snapshot(Object("SCOTT", "EMP_API", "PACKAGE") +
                                   Object("SCOTT", "RAISE", "PROCEDURE"));
  List(snapshot);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"clear", "finish"}));
  EXPECT_TRUE(connection.isOpen());
}

TEST_F(PackageList, RoutinesOutsidePackagesComeFirstThenThePackagesByName) {
  const TemporarySnapshot snapshot(
      Object("HR", "PAYROLL", "PACKAGE") + Object("HR", "GET_TIME", "FUNCTION") +
      Object("HR", "HR_API", "PACKAGE") + Object("HR", "RAISE_ALL", "PROCEDURE") +
      Object("HR", "PAYROLL", "PACKAGE BODY") + Object("HR", "EMPLOYEES", "TABLE") +
      Object("HR", "AUDIT", "PACKAGE") + Object("SCOTT", "ACCOUNTS", "PACKAGE") +
      Object("SCOTT", "LOG", "PROCEDURE"));
  std::vector<std::string> statements;
  connection.setStatementObserver(
      [&](const std::string& text, bool) { statements.push_back(text); });
  List(snapshot);
  EXPECT_EQ(sink.calls,
            (std::vector<std::string>{"clear", "add Procedures outside packages 0", "add AUDIT 1",
                                      "add HR_API 1", "add PAYROLL 1", "finish"}));
  EXPECT_EQ(statements,
            (std::vector<std::string>{kStandAloneRoutinesStatement, kPackagesStatement}));
}

TEST_F(PackageList, ALowerCaseUserNameListsTheUpperCaseOwner) {
  const TemporarySnapshot snapshot(Object("HR", "HR_API", "PACKAGE") +
                                   Object("hr", "LOWER_API", "PACKAGE"));
  List(snapshot, "hR");
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"HR_API 1"}));
}

TEST_F(PackageList, AQuoteInTheUserNameIsDoubledInTheOwnerLiteral) {
  const TemporarySnapshot snapshot(Object("O''BRIEN", "ACCOUNTS", "PACKAGE"));
  std::vector<std::string> statements;
  connection.setStatementObserver(
      [&](const std::string& text, bool) { statements.push_back(text); });
  List(snapshot, "o'brien");
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"ACCOUNTS 1"}));
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[1],
            "select * from dba_objects where owner = 'O''BRIEN' and object_type = 'PACKAGE' "
            "order by object_name");
}

TEST_F(PackageList, CallingTwiceGivesTheSameList) {
  const TemporarySnapshot snapshot(Object("HR", "HR_API", "PACKAGE") +
                                   Object("HR", "RAISE_ALL", "PROCEDURE"));
  List(snapshot);
  const std::vector<std::string> first = sink.entries;
  List(snapshot);
  EXPECT_EQ(sink.entries, first);
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"Procedures outside packages 0", "HR_API 1"}));
  EXPECT_EQ(sink.calls.size(), 8u);
}

TEST_F(PackageList, AFailedLogOnKeepsTheListAsItWas) {
  const TemporarySnapshot snapshot(Object("HR", "HR_API", "PACKAGE"));
  List(snapshot);
  QTemporaryDir dir;
  const std::string missingTables = FromQString(dir.filePath("empty.sqlite"));
  testing::BuildSnapshotFile(missingTables, "create table unrelated (x integer)");
  EXPECT_THROW(ConnectAndListPackages(connection, {"hr", "any", missingTables}, sink), TarvelError);
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"HR_API 1"}));
  EXPECT_FALSE(connection.isOpen());
}

// A generated column that fails to compute once the rows reach the object named BROKEN makes a
// listing statement fail part way, as a dictionary read can.
std::string ObjectsFailingAt(const std::string& rows) {
  return rows +
         "alter table dba_objects add column DETAIL as (case when OBJECT_NAME = 'BROKEN' then "
         "abs(-9223372036854775807 - 1 + 0 * length(OBJECT_NAME)) end);\n";
}

std::string ObjectIn(const std::string& name, const std::string& type) {
  return "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', '" + name +
         "', '" + type + "');\n";
}

TEST_F(PackageList, AFailureListingRoutinesOutsidePackagesLeavesTheListEmpty) {
  const TemporarySnapshot snapshot(
      ObjectsFailingAt(ObjectIn("BROKEN", "FUNCTION") + ObjectIn("HR_API", "PACKAGE")));
  sink.entries = {"OLD 1"};
  try {
    List(snapshot);
    FAIL() << "the listing succeeded";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(), "integer overflow");
  }
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"clear"}));
  EXPECT_TRUE(sink.entries.empty());
}

TEST_F(PackageList, AFailureListingPackagesKeepsTheEntriesAddedBefore) {
  const TemporarySnapshot snapshot(
      ObjectsFailingAt(ObjectIn("RAISE_ALL", "PROCEDURE") + ObjectIn("AUDIT", "PACKAGE") +
                       ObjectIn("BROKEN", "PACKAGE") + ObjectIn("HR_API", "PACKAGE")));
  EXPECT_THROW(List(snapshot), TarvelError);
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"Procedures outside packages 0", "AUDIT 1"}));
  EXPECT_EQ(sink.calls.back(), "finish");
}

}  // namespace
}  // namespace tarvel
