#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "Files.h"
#include "ReaderTestSupport.h"
#include "settings/Settings.h"

namespace tarvel::testing {
namespace {

// Rows the two ways of reading could tell apart: ties of POSITION between a record and its
// fields, NULL beside the empty text, overloads written unlike numbers, one name under several
// overloads, texts where integers belong, and routines known to one view only.
std::string AwkwardRows() {
  std::string rows = Insert(ProcedureRow{.object = "PKG"});
  for (const char* routine : {"REC_FIRST", "FIELDS_FIRST", "MIXED", "ONLY_LISTED", "TWICE"}) {
    rows += Insert(ProcedureRow{.object = "PKG", .procedure = routine});
  }
  rows += Insert(ProcedureRow{.object = "PKG", .procedure = "TWICE"}) +
          Insert(ProcedureRow{.object = "PKG", .procedure = "ZERO", .overload = "01"}) +
          Insert(ProcedureRow{
              .object = "PKG", .procedure = "HUGE", .overload = "99999999999999999999"}) +
          Insert(ProcedureRow{.object = "PKG", .procedure = "REC_OVL", .overload = "1"}) +
          "insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) "
          "values ('HR', 'PKG', 'DUO', '', 'PACKAGE'), ('HR', 'PKG', '', NULL, 'PACKAGE');\n";
  // Whichever row of a tied position comes first decides the routine's message.
  rows += Insert(ArgumentRow{"HR", "PKG", "REC_FIRST", "", "P_REC", 1, 0, "PL/SQL RECORD"}) +
          Insert(ArgumentRow{"HR", "PKG", "REC_FIRST", "", "F_A", 1, 1, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "FIELDS_FIRST", "", "F_A", 1, 1, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "FIELDS_FIRST", "", "P_REC", 1, 0, "PL/SQL RECORD"}) +
          Insert(ArgumentRow{"HR", "PKG", "REC_OVL", "1", "P_REC", 1, 0, "PL/SQL RECORD"}) +
          Insert(ArgumentRow{"HR", "PKG", "REC_OVL", "1", "F_A", 1, 1, "NUMBER"});
  // MIXED is listed without an overload and has rows under two, and under none.
  rows += Insert(ArgumentRow{"HR", "PKG", "MIXED", "2", "P_C", 2, 0, "DATE"}) +
          Insert(ArgumentRow{"HR", "PKG", "MIXED", "1", "P_A", 1, 0, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "MIXED", "2", "P_B", 1, 0, "VARCHAR2"}) +
          Insert(ArgumentRow{"HR", "PKG", "MIXED", "", "P_N", 3, 0, "CHAR"});
  rows += Insert(ArgumentRow{"HR", "PKG", "ZERO", "1", "P_ONE", 1, 0, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "ZERO", "01", "P_ZERO_ONE", 1, 0, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "HUGE", "99999999999999999999", "P_H", 1, 0, "DATE"}) +
          Insert(ArgumentRow{"HR", "PKG", "DUO", "", "P_D", 1, 0, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "", "", "P_NAMELESS", 1, 0, "NUMBER"}) +
          Insert(ArgumentRow{"HR", "PKG", "ONLY_ROWS", "", "P_R", 1, 0, "NUMBER", "OUT"}) +
          Insert(ArgumentRow{"HR", "PKG", "TWICE", "", "P_T", 1, 0, "NUMBER"}) +
          "insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, ARGUMENT_NAME, POSITION, "
          "DATA_LEVEL, DATA_TYPE, IN_OUT) values ('HR', 'PKG', 'TEXTS', 'P_L', 1, 'x', 'NUMBER', "
          "'IN'), ('HR', 'PKG', 'TEXTS', 'P_P', '2a', 0, 'NUMBER', 'IN'), ('HR', NULL, 'ALONE', "
          "'P_S', '1', '0', 'NUMBER', 'IN');\n";
  return rows + Insert(ProcedureRow{.object = "ALONE", .type = "FUNCTION"}) +
         Insert(ProcedureRow{.object = "LISTED_ALONE", .type = "PROCEDURE"});
}

struct ReadCase {
  const char* name;
  std::string snapshot;  // a file, or empty for AwkwardRows()
  std::string owner;
  std::vector<std::string> names;
  // Routines whose package's rows cannot tell what their own statement would read.
  std::size_t ownStatements;
};

std::vector<ReadCase> ReadCases() {
  const std::string golden = TARVEL_SOURCE_DIR "/tests/golden/";
  return {
      {"awkward rows", "", "HR", {"", "PKG", "NO_SUCH"}, 4},
      {"demo",
       TARVEL_DEMO_SNAPSHOT,
       "HR",
       {"", "HR_API", "HR_AUDIT", "HR_BATCH", "HR_EMPTY", "HR_TYPES"},
       0},
      {"demo, another owner", TARVEL_DEMO_SNAPSHOT, "scott", {"", "HR_API", "SCOTT_PKG"}, 0},
      {"same signature overloads",
       golden + "same_signature_overloads/dictionary.sql",
       "HR",
       {"", "OVERLOADS", "NEXT_PKG"},
       0},
      {"type additions", golden + "type_additions/dictionary.sql", "HR", {"", "ADDED_TYPES"}, 0},
  };
}

class ReadWaysTest : public SnapshotReaderTest {
 protected:
  // What one way of reading made: the model, then every warning and step in order.
  std::vector<std::string> Read(const ReadCase& read, ReadWay way) {
    RecordingListener steps;
    std::vector<std::string> made =
        Describe(*LoadDatabase(connection, read.owner, read.names, types, steps, way));
    made.insert(made.end(), steps.events.begin(), steps.events.end());
    return made;
  }
};

// A package at a time gives what routine by routine gives, warnings and their order included;
// where a package's rows cannot tell, the routine is read by its own statement.
TEST_F(ReadWaysTest, APackageAtATimeReadsWhatRoutineByRoutineReads) {
  types = LoadSettings(TARVEL_SOURCE_DIR "/samples/type-additions.ini").typeAdditions;
  for (const ReadCase& read : ReadCases()) {
    SCOPED_TRACE(read.name);
    if (read.snapshot.empty()) {
      OpenRows(AwkwardRows());
    } else if (read.snapshot.ends_with(".sql")) {
      OpenRows(ReadWholeFile(read.snapshot));
    } else {
      OpenSnapshot(read.snapshot);
    }
    statements.clear();
    const auto byPackage = Read(read, ReadWay::kPackageAtATime);
    const auto ownStatements = std::count_if(
        statements.begin(), statements.end(),
        [](const std::string& statement) { return statement.ends_with(" order by position"); });
    EXPECT_EQ(statements.size(), 2 * read.names.size() + read.ownStatements);
    EXPECT_EQ(static_cast<std::size_t>(ownStatements), read.ownStatements);

    const auto byRoutine = Read(read, ReadWay::kRoutineByRoutine);
    EXPECT_EQ(byPackage, byRoutine);
    EXPECT_GT(byPackage.size(), read.names.size() * 2);
  }
}

}  // namespace
}  // namespace tarvel::testing
