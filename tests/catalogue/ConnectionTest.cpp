#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
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

using testing::BuildSnapshotFile;
using testing::TemporarySnapshot;

std::string SnapshotLogOn(const std::string& path) {
  return BuildConnectionString({"hr", "ignored", path});
}

// The message of the failure that the action ends with, or "" when it does not fail.
template <typename Action>
std::string FailureOf(Action action) {
  try {
    action();
  } catch (const TarvelError& error) {
    return error.what();
  }
  return "";
}

const char* const kRows = R"sql(
insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION,
                           SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT)
values ('HR', 'HR_API', 'GET_NAME', null, null, 0, 1, 0, 'VARCHAR2', 'OUT'),
       ('HR', 'HR_API', 'GET_NAME', null, 'P_ID', 5000000000, 2, null, 'NUMBER', 'IN');
insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', 'HR_API', 'PACKAGE');
)sql";

class SnapshotConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    connection.setConnectionString(SnapshotLogOn(snapshot.path()));
    connection.open();
  }

  TemporarySnapshot snapshot{kRows};
  DictionaryConnection connection;
};

TEST_F(SnapshotConnection, ReadsColumnsIgnoringCaseWithNullAsEmptyTextOrZero) {
  DictionaryQuery query(connection,
                        "select argument_name, data_level, position, data_type, in_out from "
                        "sys.all_arguments where owner='HR' order by position");
  ASSERT_FALSE(query.eof());
  EXPECT_EQ(query.fieldText("ARGUMENT_NAME"), "");
  EXPECT_EQ(query.fieldInteger("Position"), 0);
  EXPECT_EQ(query.fieldText("data_type"), "VARCHAR2");
  query.next();
  ASSERT_FALSE(query.eof());
  EXPECT_EQ(query.fieldText("argument_name"), "P_ID");
  EXPECT_EQ(query.fieldInteger("DATA_LEVEL"), 0);
  EXPECT_EQ(query.fieldInteger("POSITION"), 5000000000);
  EXPECT_EQ(query.fieldText("POSITION"), "5000000000");
  query.next();
  EXPECT_TRUE(query.eof());
}

TEST_F(SnapshotConnection, NumbersStoredAsTextOrFractionsReadAsIntegers) {
  DictionaryQuery query(connection,
                        "select ' +42 ' as padded, '-7' as negative, 2.75 as fraction, "
                        "'12a' as word, x'3132' as bytes");
  EXPECT_EQ(query.fieldInteger("padded"), 42);
  EXPECT_EQ(query.fieldText("padded"), " +42 ");
  EXPECT_EQ(query.fieldInteger("negative"), -7);
  EXPECT_EQ(query.fieldInteger("fraction"), 2);
  EXPECT_EQ(query.fieldText("fraction"), "2");
  EXPECT_EQ(query.fieldInteger("bytes"), 12);
  EXPECT_EQ(FailureOf([&] { query.fieldInteger("word"); }),
            "The dictionary column word holds no integer: 12a");
}

TEST_F(SnapshotConnection, AQueryAtItsEndStaysThere) {
  DictionaryQuery query(connection, "select object_name from dba_objects");
  query.next();
  ASSERT_TRUE(query.eof());
  query.next();
  EXPECT_TRUE(query.eof());
}

TEST_F(SnapshotConnection, OnlyOneStatementRunsAtATime) {
  EXPECT_THROW(DictionaryQuery(connection, "select 1; delete from dba_objects"), TarvelError);
  EXPECT_FALSE(DictionaryQuery(connection, "select 1 as one;").eof());
}

TEST_F(SnapshotConnection, UnqualifiedAndSysQualifiedTablesAreTheSnapshotsOwn) {
  DictionaryQuery objects(connection, "select object_name from dba_objects");
  DictionaryQuery arguments(connection, "select count(*) as n from sys.all_arguments");
  EXPECT_EQ(objects.fieldText("OBJECT_NAME"), "HR_API");
  EXPECT_EQ(arguments.fieldInteger("n"), 2);
}

TEST_F(SnapshotConnection, AnEmptyResultIsAtItsEndAtOnce) {
  const DictionaryQuery query(connection, "select * from dba_objects where owner = 'NOBODY'");
  EXPECT_TRUE(query.eof());
}

TEST_F(SnapshotConnection, AnUnknownColumnFails) {
  const DictionaryQuery query(connection, "select object_name from dba_objects");
  EXPECT_EQ(FailureOf([&] { query.fieldText("owner"); }),
            "The dictionary query has no column owner");
}

TEST_F(SnapshotConnection, AFailingStatementCarriesTheDatabasesMessageAfterTheFile) {
  EXPECT_EQ(FailureOf([&] { DictionaryQuery(connection, "select * from no_such_view"); }),
            snapshot.path() + ": no such table: no_such_view");
}

// A number's text is written where the row keeps it; reading a later column must not move it.
TEST_F(SnapshotConnection, ATextStaysValidUntilTheNextRowWhateverColumnsAreReadAfterIt) {
  const DictionaryQuery query(connection,
                              "select 7 as a, 'x' as b, 123456789012 as c, -9223372036854775808 "
                              "as d, 2.5 as e, position as f from all_arguments order by position");
  const std::string_view first = query.fieldView(query.column("a"));
  std::vector<std::string_view> later;
  for (const char* name : {"f", "e", "d", "c", "b"}) {
    later.push_back(query.fieldView(query.column(name)));
  }
  EXPECT_EQ(first, "7");
  EXPECT_EQ(later,
            (std::vector<std::string_view>{"0", "2", "-9223372036854775808", "123456789012", "x"}));
}

TEST_F(SnapshotConnection, TheSnapshotIsNeverWritten) {
  EXPECT_EQ(FailureOf([&] { DictionaryQuery(connection, "delete from sys.all_arguments"); }),
            snapshot.path() + ": attempt to write a readonly database");
  EXPECT_EQ(FailureOf([&] { DictionaryQuery(connection, "delete from dba_objects"); }),
            snapshot.path() + ": attempt to write a readonly database");
  EXPECT_EQ(
      DictionaryQuery(connection, "select count(*) as n from all_arguments").fieldInteger("N"), 2);
}

TEST_F(SnapshotConnection, TheObserverSeesEveryStatementBeforeItRuns) {
  std::vector<std::string> seen;
  connection.setStatementObserver([&](const std::string& statement, bool toServer) {
    seen.push_back(statement + (toServer ? " on a server" : ""));
  });
  DictionaryQuery(connection, "select 1 as one");
  EXPECT_THROW(DictionaryQuery(connection, "select broken"), TarvelError);
  EXPECT_EQ(seen, (std::vector<std::string>{"select 1 as one", "select broken"}));
}

// A template is prepared once: a failing run leaves it fit for the next, and a second query of
// the same template while the first is open reads its own rows.
TEST_F(SnapshotConnection, ATemplateRunsWithEachQuerysOwnValues) {
  std::vector<std::string> seen;
  connection.setStatementObserver(
      [&](const std::string& statement, bool) { seen.push_back(statement); });
  const auto json = [&](const std::string& text) {
    return DictionaryQuery(connection, DictionaryStatement{"select json(%s) as j", {{text}}})
        .fieldText("j");
  };
  EXPECT_EQ(FailureOf([&] { json("{"); }), snapshot.path() + ": malformed JSON");
  EXPECT_EQ(json("[1, 2]"), "[1,2]");
  const DictionaryStatement byPosition{
      "select data_type from sys.all_arguments where owner=%s and position=%s",
      {{"HR"}, {"0", true}}};
  DictionaryQuery first(connection, byPosition);
  const DictionaryQuery second(
      connection, DictionaryStatement{byPosition.shape, {{"HR"}, {"005000000000", true}}});
  EXPECT_EQ(first.fieldText("data_type"), "VARCHAR2");
  EXPECT_EQ(second.fieldText("data_type"), "NUMBER");
  first.next();
  EXPECT_TRUE(first.eof());
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "select json('{') as j", "select json('[1, 2]') as j",
                      "select data_type from sys.all_arguments where owner='HR' and position=0",
                      "select data_type from sys.all_arguments where owner='HR' and "
                      "position=005000000000"}));
}

// Whether another connection, which does not wait, can delete a row of the snapshot now.
bool DeletedElsewhere(const std::string& path) {
  const QString name = QStringLiteral("writer elsewhere");
  bool deleted = false;
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(ToQString(path));
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    EXPECT_TRUE(database.open());
    deleted =
        QSqlQuery(database).exec(QStringLiteral("delete from all_arguments where position = 0"));
  }
  QSqlDatabase::removeDatabase(name);
  return deleted;
}

// The statements of a reading share one lock of the file, rather than each locking it again and
// checking it for changes; a reading inside another leaves the outer one's lock alone.
TEST_F(SnapshotConnection, AReadingKeepsTheSnapshotAsItWasUntilItEnds) {
  {
    const DictionaryReading reading(connection);
    DictionaryQuery(connection, "select position from sys.all_arguments");
    { const DictionaryReading inner(connection); }
    EXPECT_FALSE(DeletedElsewhere(snapshot.path()));
  }
  EXPECT_TRUE(DeletedElsewhere(snapshot.path()));
}

TEST_F(SnapshotConnection, CloseIsHarmlessWhenClosedAndAClosedConnectionRunsNothing) {
  connection.close();
  connection.close();
  EXPECT_FALSE(connection.isOpen());
  EXPECT_EQ(FailureOf([&] { DictionaryQuery(connection, "select 1"); }),
            "The dictionary connection is not open");
  connection.open();
  EXPECT_TRUE(connection.isOpen());
  EXPECT_FALSE(DictionaryQuery(connection, "select 1 as one").eof());
}

TEST_F(SnapshotConnection, OpeningAgainUsesTheStringNowSet) {
  const TemporarySnapshot other(
      "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', 'OTHER', "
      "'PACKAGE')");
  connection.setConnectionString(SnapshotLogOn(other.path()));
  connection.open();
  EXPECT_EQ(
      DictionaryQuery(connection, "select object_name from dba_objects").fieldText("object_name"),
      "OTHER");
}

TEST(SnapshotLogOn, AFileThatIsNotSqliteFailsNamingIt) {
  QTemporaryDir dir;
  const std::string path = FromQString(dir.filePath("notes.txt"));
  QFile file(ToQString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("select * from dba_objects;\n");
  file.close();
  DictionaryConnection connection;
  connection.setConnectionString(SnapshotLogOn(path));
  EXPECT_EQ(FailureOf([&] { connection.open(); }),
            path + " is not a dictionary snapshot: it is not an SQLite database");
  EXPECT_FALSE(connection.isOpen());
}

TEST(SnapshotLogOn, AnSqliteFileWithoutTheDictionaryTablesFailsNamingWhatIsMissing) {
  QTemporaryDir dir;
  const std::string path = FromQString(dir.filePath("other.sqlite"));
  BuildSnapshotFile(path,
                    "create table DBA_OBJECTS (owner text, object_name text, object_type text);"
                    "create table all_arguments (OWNER text, OBJECT_NAME text);");
  DictionaryConnection connection;
  connection.setConnectionString(SnapshotLogOn(path));
  EXPECT_EQ(FailureOf([&] { connection.open(); }),
            path +
                " is not a dictionary snapshot: table all_arguments has no column PACKAGE_NAME; "
                "table all_arguments has no column OVERLOAD; table all_arguments has no column "
                "ARGUMENT_NAME; table all_arguments has no column POSITION; table all_arguments "
                "has no column SEQUENCE; table all_arguments has no column DATA_LEVEL; table "
                "all_arguments has no column DATA_TYPE; table all_arguments has no column "
                "IN_OUT; table all_procedures is missing");
  EXPECT_FALSE(connection.isOpen());
}

std::string LogOnFailure(const std::string& database) {
  DictionaryConnection connection;
  connection.setConnectionString(SnapshotLogOn(database));
  return FailureOf([&] { connection.open(); });
}

// A view may run any query, here an endless one; a virtual table runs its module's code.
TEST(SnapshotLogOn, OnlyTablesAreReadNeverViews) {
  QTemporaryDir dir;
  const std::string path = FromQString(dir.filePath("views.sqlite"));
  BuildSnapshotFile(path, testing::SnapshotTablesSql() +
                              ";drop table dba_objects;"
                              "create view dba_objects as with recursive r(n) as (select 1 union "
                              "all select n + 1 from r) select 'HR' as OWNER, 'P' || n as "
                              "OBJECT_NAME, 'PACKAGE' as OBJECT_TYPE from r;"
                              "drop table all_procedures;"
                              "create virtual table all_procedures using rtree(id, a, b);");
  EXPECT_EQ(LogOnFailure(path), path +
                                    " is not a dictionary snapshot: dba_objects is a view, not a "
                                    "table; all_procedures is a virtual table, not a table");
}

// Text written as a path or a snapshot's file name never goes to ODBC as a database name.
TEST(SnapshotLogOn, APathThatNamesNoFileSaysSo) {
  QTemporaryDir dir;
  const std::string folder = FromQString(dir.path());
  for (const std::string& typed :
       std::vector<std::string>{"./hr.snapshot", "../hr", "~/hr", "/no/such", "hr.db", "hr.sqlite",
                                folder + "/hr.snapshot"}) {
    EXPECT_EQ(LogOnFailure(typed), "No such dictionary snapshot: " + typed);
  }
  EXPECT_EQ(LogOnFailure(folder), folder + " is a folder, not a dictionary snapshot");
  EXPECT_EQ(LogOnFailure(folder + "/x.db/"), "No such dictionary snapshot: " + folder + "/x.db/");
}

// An empty Database box names neither a file nor a server; the message says what is missing.
TEST(SnapshotLogOn, AnEmptyDatabaseSaysWhatIsMissing) {
  EXPECT_EQ(LogOnFailure(""),
            "No database given: name an Oracle database (an ODBC data source, an Easy Connect "
            "string or a TNS name) or the path of a dictionary snapshot");
}

// SQLite would read "file:..." as a URI naming another file; the name is always a plain one.
TEST(SnapshotLogOn, AFileNameBeginningWithFileIsThatFile) {
  QTemporaryDir dir;
  BuildSnapshotFile(FromQString(dir.filePath("file:hr.snapshot")),
                    testing::SnapshotTablesSql() +
                        ";insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values "
                        "('HR', 'MINE', 'PACKAGE')");
  BuildSnapshotFile(FromQString(dir.filePath("hr.snapshot")), testing::SnapshotTablesSql());
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  DictionaryConnection connection;
  connection.setConnectionString(SnapshotLogOn("file:hr.snapshot"));
  connection.open();
  const DictionaryQuery objects(connection, "select object_name from sys.dba_objects");
  QDir::setCurrent(previous);
  EXPECT_EQ(objects.fieldText("object_name"), "MINE");
}

}  // namespace
}  // namespace tarvel
