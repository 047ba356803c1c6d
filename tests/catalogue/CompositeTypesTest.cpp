#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Files.h"
#include "ModelText.h"
#include "OdbcConfiguration.h"
#include "PostgresServer.h"
#include "ReaderTestSupport.h"
#include "catalogue/DictionaryCopy.h"
#include "catalogue/PackageList.h"
#include "catalogue/SnapshotTables.h"

namespace tarvel::testing {
namespace {

using ::testing::ElementsAre;

class DescribingListener : public RecordingListener {
 public:
  bool describesComposites() const override { return true; }
};

std::string Sample(const std::string& name) {
  return ReadWholeFile(std::string(TARVEL_SOURCE_DIR) + "/samples/" + name);
}

// The demo dictionary as Oracle 19c lists it, served by PostgreSQL through unixODBC.
class DemoServer {
 public:
  DemoServer() {
    server_.RunSql("postgres",
                   "create role shapes login password 'shapes';\ncreate database demo;\n");
    server_.RunSql("demo", PostgresTablesSql() + Sample("demo-dictionary.sql"));
    configuration_.AddDriver("PostgreSQL Unicode", PostgresOdbcDriverLibrary());
    configuration_.AddDataSource("TarvelTypes", "PostgreSQL Unicode",
                                 {{"Servername", "127.0.0.1"},
                                  {"Port", std::to_string(server_.port())},
                                  {"Database", "demo"}});
    configuration_.Install();
  }

 private:
  PostgresServer server_;
  OdbcConfiguration configuration_;
};

// One package, one description, whichever form the dictionary has: 19c's type views in a
// snapshot, 11g's nested rows in a snapshot without the PL/SQL type views, and a 19c server read
// through the run's copy of its rows.
TEST(CompositeTypes, EveryFormOfTheDictionaryGivesTheSameDescription) {
  const std::vector<std::string> expected =
      Describe(*ParseModelText(ReadWholeFile(std::string(TARVEL_SOURCE_DIR) +
                                             "/tests/catalogue/shapes-api-model.txt"))
                    .Database);
  const TemporarySnapshot eleven(Sample("demo-dictionary.sql") + ";\n" +
                                 Sample("demo-dictionary-11g.sql"));
  DemoServer server;
  DictionaryConnection serverConnection;
  const auto snapshot = [](const std::string& path) {
    auto connection = std::make_unique<DictionaryConnection>();
    connection->setConnectionString(BuildConnectionString({"shapes", "", path}));
    connection->open();
    return connection;
  };
  const struct {
    const char* form;
    std::function<std::unique_ptr<DictionaryConnection>()> open;
  } forms[] = {
      {"19c snapshot", [&] { return snapshot(TARVEL_DEMO_SNAPSHOT); }},
      {"11g snapshot", [&] { return snapshot(eleven.path()); }},
      {"19c server, copied",
       [&] {
         serverConnection.setConnectionString(
             BuildConnectionString({"shapes", "shapes", "TarvelTypes"}));
         serverConnection.open();
         return std::make_unique<DictionaryConnection>(
             CopyServerDictionary(serverConnection, "SHAPES", {"SHAPES_API"}, true));
       }},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(form.form);
    const std::unique_ptr<DictionaryConnection> connection = form.open();
    DescribingListener listener;
    const auto database = LoadDatabase(*connection, "SHAPES", {"SHAPES_API"}, {}, listener);
    EXPECT_EQ(Describe(*database), expected);
    EXPECT_THAT(listener.events, ElementsAre("package read"));
  }
}

// One routine of the package P per way a type's structure can be missing, beside one whose record
// is found, each with the argument's row as 19c lists it.
std::string UnknownStructureRows() {
  std::string sql = Insert(ProcedureRow{.object = "P"});
  const char* const rows[] = {
      "'GONE', 'P_X', 1, 'OBJECT', 'HR', 'GONE_T', NULL, 'TYPE'",
      "'SYN', 'P_X', 1, 'PL/SQL RECORD', 'HR', 'EMP_SYN', NULL, 'SYNONYM'",
      "'CURSOR_ROW', 'P_X', 1, 'PL/SQL RECORD', NULL, NULL, NULL, NULL",
      "'NO_REC', NULL, 0, 'PL/SQL RECORD', 'HR', 'P', 'NO_REC', 'PACKAGE'",
      "'FOUND', 'P_X', 1, 'PL/SQL RECORD', 'HR', 'P', 'REC', 'PACKAGE'",
  };
  for (const char* row : rows) {
    sql += std::string(
               "insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, ARGUMENT_NAME, "
               "POSITION, DATA_TYPE, TYPE_OWNER, TYPE_NAME, TYPE_SUBNAME, TYPE_OBJECT_TYPE, "
               "SEQUENCE, DATA_LEVEL, IN_OUT) values ('HR', 'P', ") +
           row + ", 1, 0, 'IN');\n";
  }
  return sql +
         "insert into all_plsql_types (OWNER, TYPE_NAME, PACKAGE_NAME, TYPECODE) values ('HR', "
         "'REC', 'P', 'PL/SQL RECORD');\n"
         "insert into all_plsql_type_attrs (OWNER, TYPE_NAME, PACKAGE_NAME, ATTR_NAME, "
         "ATTR_TYPE_NAME, ATTR_NO) values ('HR', 'REC', 'P', 'ID', 'NUMBER', 1);\n";
}

using CompositeTypesTest = SnapshotReaderTest;

// Kept, a routine whose type cannot be described is left out with a warning naming argument and
// type; left out as before, each gets the warning it always got, and no statement more is sent.
TEST_F(CompositeTypesTest, ATypeWithoutStructureLeavesItsRoutineOutWithAWarning) {
  OpenRows(UnknownStructureRows());
  DescribingListener describing;
  const auto kept = LoadDatabase(connection, "HR", {"P"}, types, describing);
  EXPECT_THAT(
      describing.events,
      ElementsAre(
          "warning: Unknown structure of type PL/SQL RECORD of argument P_X in :HR.P.CURSOR_ROW",
          "warning: Unknown structure of type HR.GONE_T of argument P_X in :HR.P.GONE",
          "warning: Unknown structure of type HR.P.NO_REC of argument @RETURN_VALUE in "
          ":HR.P.NO_REC",
          "warning: Unknown structure of type HR.EMP_SYN of argument P_X in :HR.P.SYN",
          "package read"));
  EXPECT_EQ(Describe(*kept),
            (std::vector<std::string>{"package P of 'P'", "  routine Found FOUND of 'P'",
                                      "    PX P_X   pdInput HR.P.REC", "type record HR.P.REC",
                                      "  field ID NUMBER"}));

  statements.clear();
  const auto leftOut = LoadDatabase(connection, "HR", {"P"}, types, listener);
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Parameter type: PL/SQL RECORD not supported!",
                          "warning: Parameter type: PL/SQL RECORD not supported!",
                          "warning: Parameter type: OBJECT not supported!",
                          "warning: Parameter type: PL/SQL RECORD not supported!",
                          "warning: Parameter type: PL/SQL RECORD not supported!", "package read"));
  EXPECT_EQ(statements.size(), 2u);  // the package's subprograms and argument rows
  EXPECT_EQ(Describe(*leftOut), std::vector<std::string>{"package P of 'P'"});
}

// A snapshot made before the type columns and views were known reads as it always did.
TEST_F(CompositeTypesTest, ASnapshotWithoutTypeColumnsAndViewsReadsAsBefore) {
  const std::string rows =
      Insert(ProcedureRow{.object = "P"}) +
      Insert(ArgumentRow{.package = "P", .routine = "R_NUM", .argument = "P_N", .type = "NUMBER"}) +
      Insert(ArgumentRow{.package = "P", .routine = "R_OBJ", .argument = "P_O", .type = "OBJECT"}) +
      Insert(ArgumentRow{
          .package = "P", .routine = "R_REC", .argument = "P_R", .type = "PL/SQL RECORD"}) +
      Insert(ArgumentRow{
          .package = "P", .routine = "R_REC", .argument = "F", .level = 1, .type = "NUMBER"});
  std::string oldTables;
  for (const SnapshotTable& table : SnapshotTables()) {
    oldTables += std::string("create table ") + table.name + " (";
    for (const char* column : table.columns) {
      oldTables += std::string(column) + (IsIntegerColumn(column) ? " integer" : " text") +
                   (column == table.columns.back() ? ");\n" : ", ");
    }
  }
  OpenRows(rows);
  const std::vector<std::string> current =
      Describe(*LoadDatabase(connection, "HR", {"P"}, types, listener));
  const std::vector<std::string> currentEvents = listener.events;
  const std::string old = snapshot->folder() + "/old.snapshot";
  BuildSnapshotFile(old, oldTables + rows);
  OpenSnapshot(old);
  listener.events.clear();

  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"P"}, types, listener)), current);
  EXPECT_EQ(listener.events, currentEvents);
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Parameter type: OBJECT not supported!",
                          "warning: Parameter type: PL/SQL RECORD not supported!", "package read"));

  // Described, such a snapshot names no composite's type: those routines are left out as types
  // without structure, and the others are read.
  DescribingListener describing;
  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"P"}, types, describing)),
            (std::vector<std::string>{"package P of 'P'", "  routine RNum R_NUM of 'P'",
                                      "    PN P_N ftFloat double pdInput"}));
  EXPECT_THAT(
      describing.events,
      ElementsAre("warning: Unknown structure of type OBJECT of argument P_O in :HR.P.R_OBJ",
                  "warning: Unknown structure of type PL/SQL RECORD of argument P_R in :HR.P.R_REC",
                  "package read"));
}

}  // namespace
}  // namespace tarvel::testing
