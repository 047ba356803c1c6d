#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "Files.h"
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
    "select object_name from dba_objects where owner = 'HR' and (object_type = 'FUNCTION' or "
    "object_type = "
    "'PROCEDURE') order by object_name";
const std::string kPackagesStatement =
    "select object_name from dba_objects where owner = 'HR' and object_type = 'PACKAGE' order by "
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
  EXPECT_EQ(
      statements[1],
      "select object_name from dba_objects where owner = 'O''BRIEN' and object_type = 'PACKAGE' "
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

std::string ObjectIn(const std::string& name, const std::string& type) {
  return "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', '" + name +
         "', '" + type + "');\n";
}

// Enough packages for the listing's index to take several pages.
std::string ManyPackages() {
  std::string rows;
  for (int i = 100; i < 250; ++i) {
    rows += ObjectIn("PAD_" + std::to_string(i) + std::string(60, 'X'), "PACKAGE");
  }
  return rows;
}

// Overwrites the index leaf page that holds the name, so that a listing statement fails when it
// gets there, as a dictionary read can part way. The table's own pages stay whole.
void DamageIndexPageHolding(const std::string& path, const std::string& name) {
  constexpr std::size_t kPageSize = 4096;
  constexpr char kIndexLeaf = 0x0a;
  std::string bytes = testing::ReadWholeFile(path);
  int damaged = 0;
  for (std::size_t page = kPageSize; page < bytes.size(); page += kPageSize) {
    const std::string_view content(bytes.data() + page, kPageSize);
    if (content.front() != kIndexLeaf || content.find(name) == std::string_view::npos) continue;
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(page), kPageSize, '\x5a');
    ++damaged;
  }
  ASSERT_EQ(damaged, 1) << name << " is on no index leaf page, or on several";
  QFile file(ToQString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST_F(PackageList, AFailureListingRoutinesOutsidePackagesLeavesTheListEmpty) {
  const TemporarySnapshot snapshot(ObjectIn("BROKEN", "FUNCTION") + ManyPackages());
  DamageIndexPageHolding(snapshot.path(), "BROKEN");
  sink.entries = {"OLD 1"};
  try {
    List(snapshot);
    FAIL() << "the listing succeeded";
  } catch (const TarvelError& error) {
    EXPECT_EQ(error.what(), snapshot.path() + ": database disk image is malformed");
  }
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"clear"}));
  EXPECT_TRUE(sink.entries.empty());
}

TEST_F(PackageList, AFailureListingPackagesKeepsTheEntriesAddedBefore) {
  const TemporarySnapshot snapshot(ObjectIn("RAISE_ALL", "FUNCTION") +
                                   ObjectIn("AUDIT", "PACKAGE") + ManyPackages());
  DamageIndexPageHolding(snapshot.path(), "PAD_200");
  EXPECT_THROW(List(snapshot), TarvelError);
  ASSERT_GE(sink.entries.size(), 3u);
  EXPECT_EQ(sink.entries[0], "Procedures outside packages 0");
  EXPECT_EQ(sink.entries[1], "AUDIT 1");
  EXPECT_EQ(sink.entries.back().rfind("PAD_1", 0), 0u) << sink.entries.back();
  EXPECT_EQ(sink.calls.back(), "finish");
}

}  // namespace
}  // namespace tarvel
