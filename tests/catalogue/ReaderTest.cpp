#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Files.h"
#include "ReaderTestSupport.h"
#include "common/Error.h"

namespace tarvel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// An ArgumentRow in order: owner, package, routine, overload, argument, position, level, type,
// in/out; an empty text is NULL.
class ReaderTest : public SnapshotReaderTest {};

// The reader's statements for the owner HR, written out once. Names come as SQL literals; ""
// stands for the routines outside packages. A package at a time: its subprograms, then the
// argument rows of all its routines.
std::vector<std::string> PackageStatements(const std::string& package) {
  const std::string selected =
      "select object_name, overload, argument_name, data_level, position, data_type, in_out from "
      "sys.all_arguments where owner='HR' and ";
  const std::string order = " order by object_name, overload, position";
  if (package.empty()) {
    return {
        "select object_name, overload from sys.all_procedures where owner='HR' and "
        "procedure_name is null and object_type in ('PROCEDURE', 'FUNCTION')",
        selected + "package_name is null" + order};
  }
  return {
      "select procedure_name, overload from sys.all_procedures where owner='HR' and "
      "object_name=" +
          package + " and procedure_name is not null",
      selected + "package_name=" + package + order};
}

// Routine by routine: the routines of a package from both views, then each routine's arguments.
std::string RoutineStatement(const std::string& package) {
  return "select distinct object_name, overload from sys.all_arguments where owner='HR' and "
         "package_name=" +
         package +
         " union select procedure_name, overload from sys.all_procedures where owner='HR' and "
         "object_name=" +
         package + " and procedure_name is not null order by 1, 2";
}

std::string ArgumentStatement(const std::string& package, const std::string& routine,
                              const std::string& overload = "") {
  return "select argument_name, data_level, position, data_type, in_out from sys.all_arguments "
         "where owner='HR' and " +
         (package.empty() ? "package_name is null" : "package_name=" + package) +
         " and object_name=" + routine + (overload.empty() ? "" : " and overload=" + overload) +
         " order by position";
}

std::string PackageRows(const std::string& package, std::initializer_list<std::string> routines) {
  std::string sql = Insert(ProcedureRow{.object = package});
  for (const std::string& routine : routines) {
    sql += Insert(ProcedureRow{.object = package, .procedure = routine});
  }
  return sql;
}

std::string StandAloneRow(const std::string& routine, const std::string& type) {
  return Insert(ProcedureRow{.object = routine, .type = type});
}

TEST_F(ReaderTest, ReadsRoutinesInNameOrderWithTheirArgumentsInPositionOrder) {
  OpenRows(PackageRows("PKG", {"ZAP_ALL", "GET_TOTAL"}) +
           Insert(ArgumentRow{"HR", "PKG", "ZAP_ALL", "", "P_C", 3, 0, "DATE", "IN/OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "ZAP_ALL", "", "P_A", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "ZAP_ALL", "", "P_B", 2, 0, "VARCHAR2", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "GET_TOTAL", "", "P_TO", 2, 0, "DATE"}) +
           Insert(ArgumentRow{"HR", "PKG", "GET_TOTAL", "", "", 0, 0, "NUMBER", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "GET_TOTAL", "", "P_FROM", 1, 0, "DATE"}));

  const auto package = LoadPackage(connection, "HR", "PKG", types, listener);

  EXPECT_THAT(
      Describe(*package),
      ElementsAre("package Pkg of 'PKG'",  //
                  "  routine GetTotal GET_TOTAL of 'PKG'",
                  "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
                  "    PFrom P_FROM ftDateTime TDateTime pdInput",
                  "    PTo P_TO ftDateTime TDateTime pdInput",
                  "  routine ZapAll ZAP_ALL of 'PKG'",  //
                  "    PA P_A ftFloat double pdInput", "    PB P_B ftString string pdOutput",
                  "    PC P_C ftDateTime TDateTime pdInputOutput"));
  EXPECT_EQ(statements, PackageStatements("'PKG'"));
  EXPECT_THAT(listener.events, IsEmpty());
}

TEST_F(ReaderTest, EmptyPackageNameReadsTheRoutinesOutsidePackages) {
  OpenRows(PackageRows("PKG", {"LOG_MSG"}) +
           Insert(ArgumentRow{"HR", "PKG", "LOG_MSG", "", "P_LEVEL", 1, 0, "NUMBER"}) +
           StandAloneRow("LOG_MSG", "PROCEDURE") +
           Insert(ArgumentRow{"HR", "", "LOG_MSG", "", "P_TEXT", 1, 0, "VARCHAR2"}) +
           StandAloneRow("EMP_COUNT", "FUNCTION") +
           Insert(ArgumentRow{"HR", "", "EMP_COUNT", "", "", 0, 0, "NUMBER", "OUT"}) +
           StandAloneRow("AUDIT_TRG", "TRIGGER") +
           Insert(ProcedureRow{.owner = "SCOTT", .object = "OTHER_FN", .type = "FUNCTION"}) +
           Insert(ArgumentRow{"SCOTT", "", "OTHER_FN", "", "", 0, 0, "NUMBER", "OUT"}));

  const auto database = LoadDatabase(connection, "HR", {""}, types, listener);

  EXPECT_THAT(
      Describe(*database),
      ElementsAre("package  of ''",  //
                  "  routine EmpCount EMP_COUNT of ''",
                  "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
                  "  routine LogMsg LOG_MSG of ''", "    PText P_TEXT ftString string pdInput"));
  EXPECT_EQ(statements, PackageStatements(""));
  EXPECT_THAT(listener.events, ElementsAre("package read"));
}

// Routine by routine, as the diagnosis reads: each overload by its own statement.
TEST_F(ReaderTest, EachOverloadIsReadWithItsOwnValue) {
  OpenRows(Insert(ProcedureRow{.object = "PKG"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "1"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "2"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "GET_ONE"}) +
           Insert(ArgumentRow{"HR", "PKG", "FIND", "1", "", 0, 0, "PL/SQL BOOLEAN", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "FIND", "1", "P_ID", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "FIND", "2", "", 0, 0, "PL/SQL BOOLEAN", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "FIND", "2", "P_NAME", 1, 0, "VARCHAR2"}) +
           Insert(ArgumentRow{"HR", "PKG", "GET_ONE", "", "", 0, 0, "CHAR", "OUT"}) +
           Insert(ArgumentRow{"HR", "", "FIND", "2", "P_CODE", 1, 0, "CHAR"}));

  const auto package =
      LoadPackage(connection, "HR", "PKG", types, listener, ReadWay::kRoutineByRoutine);
  const auto standAlone = LoadProcedure(connection, "HR", "", "FIND", "2", types);

  EXPECT_THAT(
      Describe(*package),
      ElementsAre("package Pkg of 'PKG'",  //
                  "  routine Find FIND of 'PKG' overloaded",
                  "    returns Result @RETURN_VALUE ftBoolean boolean pdReturnValue",
                  "    PId P_ID ftFloat double pdInput", "  routine Find FIND of 'PKG' overloaded",
                  "    returns Result @RETURN_VALUE ftBoolean boolean pdReturnValue",
                  "    PName P_NAME ftString string pdInput", "  routine GetOne GET_ONE of 'PKG'",
                  "    returns Result @RETURN_VALUE ftString string pdReturnValue"));
  EXPECT_TRUE(standAlone->IsOverloaded);
  ASSERT_EQ(standAlone->Parameters.Count(), 1u);
  EXPECT_EQ(standAlone->Parameters.Items(0).DbName, "P_CODE");
  EXPECT_THAT(
      statements,
      ElementsAre(RoutineStatement("'PKG'"), ArgumentStatement("'PKG'", "'FIND'", "1"),
                  ArgumentStatement("'PKG'", "'FIND'", "2"),
                  ArgumentStatement("'PKG'", "'GET_ONE'"), ArgumentStatement("", "'FIND'", "2")));
}

// Only the owner goes out in upper case: a quoted mixed-case package and its routines find their
// own rows, never those of a name that differs in case. Quotes are doubled; messages name owner,
// package and routine as they were passed in.
TEST_F(ReaderTest, NamesAreSentAsTheDictionaryGaveThemWithQuotesDoubled) {
  const std::string package = "O'Brien_Api";
  OpenRows(PackageRows(package, {"IT'S_DONE", "lowerRoutine", "LOWERROUTINE", "BAD'ONE"}) +
           PackageRows("O'BRIEN_API", {"OTHER"}) +
           Insert(ArgumentRow{"HR", package, "IT'S_DONE", "", "P_X", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", package, "lowerRoutine", "", "p_low", 1, 0, "DATE"}) +
           Insert(ArgumentRow{"HR", package, "LOWERROUTINE", "", "P_UP", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", package, "BAD'ONE", "", "P_Z", 1, 0, "NUMBER", "in"}));

  const auto read = LoadPackage(connection, "hr", package, types, listener);

  EXPECT_THAT(Describe(*read), ElementsAre("package O'brienApi of 'O'Brien_Api'",
                                           "  routine It'sDone IT'S_DONE of 'O'Brien_Api'",
                                           "    PX P_X ftFloat double pdInput",
                                           "  routine Lowerroutine LOWERROUTINE of 'O'Brien_Api'",
                                           "    PUp P_UP ftFloat double pdInput",
                                           "  routine Lowerroutine lowerRoutine of 'O'Brien_Api'",
                                           "    PLow p_low ftDateTime TDateTime pdInput"));
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Invalid parameter direction (in) in :hr.O'Brien_Api.BAD'ONE  "
                          "argument name: P_Z"));
  EXPECT_EQ(statements, PackageStatements("'O''Brien_Api'"));
}

// B_RECORD fails after its first argument was read: under the sanitizers nothing of it leaks.
TEST_F(ReaderTest, RowRulesApplyInTheirOrder) {
  OpenRows(PackageRows("PKG", {"A_FIRST", "B_RECORD", "C_LEVEL_UNTYPED", "D_NAMED_RESULT",
                               "E_NAMED_UNTYPED", "F_OLD_STYLE", "G_LAST"}) +
           Insert(ArgumentRow{"HR", "PKG", "A_FIRST", "", "P_A", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "B_RECORD", "", "P_ID", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "B_RECORD", "", "P_REC", 2, 0, "PL/SQL RECORD"}) +
           Insert(ArgumentRow{"HR", "PKG", "B_RECORD", "", "F_ONE", 1, 1, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "B_RECORD", "", "F_TWO", 2, 1, "VARCHAR2"}) +
           Insert(ArgumentRow{"HR", "PKG", "C_LEVEL_UNTYPED", "", "", 1, 1}) +
           Insert(ArgumentRow{"HR", "PKG", "D_NAMED_RESULT", "", "P_RES", 0, 0, "NUMBER", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "E_NAMED_UNTYPED", "", "P_RES", 0, 0, "", "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "E_NAMED_UNTYPED", "", "P_A", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "F_OLD_STYLE"}) +
           Insert(ArgumentRow{"HR", "PKG", "G_LAST", "", "", 0, 0, "VARCHAR2", "OUT"}));

  const auto database = LoadDatabase(connection, "HR", {"PKG"}, types, listener);

  EXPECT_THAT(
      Describe(*database),
      ElementsAre("package Pkg of 'PKG'",               //
                  "  routine AFirst A_FIRST of 'PKG'",  //
                  "    PA P_A ftFloat double pdInput",
                  "  routine ENamedUntyped E_NAMED_UNTYPED of 'PKG'",
                  "    PA P_A ftFloat double pdInput", "  routine FOldStyle F_OLD_STYLE of 'PKG'",
                  "  routine GLast G_LAST of 'PKG'",
                  "    returns Result @RETURN_VALUE ftString string pdReturnValue"));
  EXPECT_THAT(
      listener.events,
      ElementsAre("warning: Cannot convert param in :HR.PKG.B_RECORD",
                  "warning: Cannot convert param in :HR.PKG.C_LEVEL_UNTYPED",
                  "warning: Cannot convert param in :HR.PKG.D_NAMED_RESULT", "package read"));
}

TEST_F(ReaderTest, DirectionMustBeOneOfTheThreeTextsAsWritten) {
  OpenRows(PackageRows("PKG", {"LOWER_IN", "SPACED", "TRAILING", "VALID"}) +
           Insert(ArgumentRow{"HR", "PKG", "LOWER_IN", "", "P_ONE", 1, 0, "NUMBER"}) +
           Insert(ArgumentRow{"HR", "PKG", "LOWER_IN", "", "P_TWO", 2, 0, "NUMBER", "in"}) +
           Insert(ArgumentRow{"HR", "PKG", "SPACED", "", "P_ONE", 1, 0, "NUMBER", "IN OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "TRAILING", "", "P_ONE", 1, 0, "NUMBER", "OUT "}) +
           Insert(ArgumentRow{"HR", "PKG", "VALID", "", "P_ONE", 1, 0, "NUMBER", "OUT"}) +
           StandAloneRow("LOG_IT", "PROCEDURE") +
           Insert(ArgumentRow{"HR", "", "LOG_IT", "", "P_TEXT", 1, 0, "VARCHAR2", "INOUT"}));

  const auto database = LoadDatabase(connection, "HR", {"", "PKG"}, types, listener);

  EXPECT_THAT(Describe(*database),
              ElementsAre("package  of ''",  //
                          "package Pkg of 'PKG'", "  routine Valid VALID of 'PKG'",
                          "    POne P_ONE ftFloat double pdOutput"));
  EXPECT_THAT(
      listener.events,
      ElementsAre("warning: Invalid parameter direction (INOUT) in :HR..LOG_IT  argument name: "
                  "P_TEXT",
                  "package read",
                  "warning: Invalid parameter direction (in) in :HR.PKG.LOWER_IN  argument name: "
                  "P_TWO",
                  "warning: Invalid parameter direction (IN OUT) in :HR.PKG.SPACED  argument "
                  "name: P_ONE",
                  "warning: Invalid parameter direction (OUT ) in :HR.PKG.TRAILING  argument "
                  "name: P_ONE",
                  "package read"));
}

TEST_F(ReaderTest, TypeTheMappingRefusesLeavesTheRoutineOutWithTheMappingsMessage) {
  OpenRows(PackageRows("PKG", {"LOG_EVENT", "GET_STAMP", "COUNT_IT"}) +
           Insert(ArgumentRow{"HR", "PKG", "LOG_EVENT", "", "P_AT", 1, 0, "TIMESTAMP"}) +
           Insert(ArgumentRow{"HR", "PKG", "GET_STAMP", "", "", 0, 0, "TIMESTAMP WITH TIME ZONE",
                              "OUT"}) +
           Insert(ArgumentRow{"HR", "PKG", "COUNT_IT", "", "P_N", 1, 0, "BINARY_INTEGER"}));

  const auto refused = LoadPackage(connection, "HR", "PKG", types, listener);
  types = {{{"BINARY_INTEGER", "ftInteger"}}, {{"BINARY_INTEGER", "integer"}}};
  const auto added = LoadPackage(connection, "HR", "PKG", types, listener);

  EXPECT_THAT(Describe(*refused), ElementsAre("package Pkg of 'PKG'"));
  EXPECT_THAT(Describe(*added), ElementsAre("package Pkg of 'PKG'",  //
                                            "  routine CountIt COUNT_IT of 'PKG'",
                                            "    PN P_N ftInteger integer pdInput"));
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Parameter type: BINARY_INTEGER not supported!",
                          "warning: Parameter type: TIMESTAMP WITH TIME ZONE not supported!",
                          "warning: Parameter type: TIMESTAMP not supported!",
                          "warning: Parameter type: TIMESTAMP WITH TIME ZONE not supported!",
                          "warning: Parameter type: TIMESTAMP not supported!"));
}

// Oracle before 12.1.0.2 lists a procedure without arguments as one row without name and type;
// later versions list it in all_procedures only.
TEST_F(ReaderTest, ProcedureWithoutArgumentsReadsTheSameInBothDictionaryStyles) {
  const std::string catalogue =
      PackageRows("PKG", {"RUN_ALL"}) + StandAloneRow("RESET_ALL", "PROCEDURE");
  const std::vector<std::string> expected{"package  of ''", "  routine ResetAll RESET_ALL of ''",
                                          "package Pkg of 'PKG'",
                                          "  routine RunAll RUN_ALL of 'PKG'"};

  OpenRows(catalogue + Insert(ArgumentRow{"HR", "PKG", "RUN_ALL"}) +
           Insert(ArgumentRow{"HR", "", "RESET_ALL"}));
  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"", "PKG"}, types, listener)), expected);

  OpenRows(catalogue);
  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"", "PKG"}, types, listener)), expected);

  EXPECT_THAT(listener.events,
              ElementsAre("package read", "package read", "package read", "package read"));
}

TEST_F(ReaderTest, EveryNameIsReadAgainAndUnknownOrEmptyPackagesStayEmpty) {
  OpenRows(PackageRows("PKG", {"RUN"}) + PackageRows("EMPTY_PKG", {}) +
           Insert(ArgumentRow{"HR", "PKG", "RUN", "", "P_A", 1, 0, "NUMBER"}));

  const auto database =
      LoadDatabase(connection, "HR", {"PKG", "NO_SUCH", "EMPTY_PKG", "PKG"}, types, listener);

  EXPECT_THAT(Describe(*database),
              ElementsAre("package Pkg of 'PKG'",  //
                          "  routine Run RUN of 'PKG'", "    PA P_A ftFloat double pdInput",
                          "package NoSuch of 'NO_SUCH'", "package EmptyPkg of 'EMPTY_PKG'",
                          "package Pkg of 'PKG'",  //
                          "  routine Run RUN of 'PKG'", "    PA P_A ftFloat double pdInput"));
  EXPECT_EQ(statements.size(), 8u);
  EXPECT_EQ(statements[0], statements[6]);
  EXPECT_EQ(statements[1], statements[7]);
  EXPECT_THAT(listener.events,
              ElementsAre("package read", "package read", "package read", "package read"));
}

// The overload value goes into the statement unquoted, so only digits may get there.
TEST_F(ReaderTest, OverloadValueThatIsNotAllDigitsFailsItsRoutineAndIsNeverSent) {
  OpenRows(Insert(ProcedureRow{.object = "PKG"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "1"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "2 or 1=1"}) +
           Insert(ArgumentRow{"HR", "PKG", "FIND", "1", "P_ID", 1, 0, "NUMBER"}));

  const auto package = LoadPackage(connection, "HR", "PKG", types, listener);

  EXPECT_THAT(Describe(*package),
              ElementsAre("package Pkg of 'PKG'", "  routine Find FIND of 'PKG' overloaded",
                          "    PId P_ID ftFloat double pdInput"));
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Invalid overload value (2 or 1=1) in :HR.PKG.FIND"));
  EXPECT_EQ(statements, PackageStatements("'PKG'"));

  statements.clear();
  for (const std::string overload : {"-1", " 1", "1 ", "1a", "0x1", "1'--"}) {
    try {
      LoadProcedure(connection, "HR", "", "FIND", overload, types);
      ADD_FAILURE() << "read with overload value " << overload;
    } catch (const TarvelError& error) {
      EXPECT_EQ(error.what(), "Invalid overload value (" + overload + ") in :HR..FIND");
    }
  }
  EXPECT_THAT(statements, IsEmpty());
}

// Breaks the snapshot after the first package, so that the next routine statement fails.
class SnapshotBreakingListener : public RecordingListener {
 public:
  explicit SnapshotBreakingListener(std::string path) : path_(std::move(path)) {}
  void packageRead() override {
    RecordingListener::packageRead();
    ChangeSnapshot(path_, "drop table all_procedures");
  }

 private:
  std::string path_;
};

TEST_F(ReaderTest, FailingRoutineStatementEndsTheWholeReadWithItsOwnMessage) {
  OpenRows(PackageRows("PKG", {"RUN"}) +
           Insert(ArgumentRow{"HR", "PKG", "RUN", "", "P_A", 1, 0, "NUMBER"}));
  SnapshotBreakingListener breaking(SnapshotPath());

  try {
    LoadDatabase(connection, "HR", {"PKG", "PKG"}, types, breaking);
    FAIL() << "the read went on without all_procedures";
  } catch (const TarvelError& error) {
    EXPECT_THAT(error.what(), HasSubstr("all_procedures"));
  }
  EXPECT_THAT(breaking.events, ElementsAre("package read"));
  EXPECT_EQ(statements.size(), 3u);
}

// A later overload with the same Delphi argument types as one kept before it is left out; its
// warning follows the package's other warnings and comes before the package's step.
TEST_F(ReaderTest, OverloadsWithTheSameDelphiArgumentTypesKeepOnlyTheFirst) {
  OpenRows(
      ReadWholeFile(TARVEL_SOURCE_DIR "/tests/golden/same_signature_overloads/dictionary.sql"));

  const auto database = LoadDatabase(connection, "HR", {"OVERLOADS", "NEXT_PKG"}, types, listener);

  const std::string same = " has the same Delphi argument types as overload ";
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Cannot convert param in :HR.OVERLOADS.SAVE_REC",
                          "warning: Overload 2 of :HR.OVERLOADS.FIND" + same + "1",
                          "warning: Overload 2 of :HR.OVERLOADS.PUT" + same + "1",
                          "warning: Overload 3 of :HR.OVERLOADS.SET_IT" + same + "1",
                          "warning: Overload 2 of :HR.OVERLOADS.TRIPLE" + same + "1",
                          "warning: Overload 3 of :HR.OVERLOADS.TRIPLE" + same + "1",
                          "package read", "package read"));
  std::vector<std::string> kept;
  for (const TOraProcedure& routine : database->Packages.Items(0).Procedures) {
    kept.push_back(routine.DbName + (routine.IsOverloaded ? " overloaded" : "") +
                   (routine.HasPositionalTwin ? " twin" : ""));
  }
  // A twin by position is one with the same field types, left out or not: RAW and BLOB differ.
  EXPECT_THAT(kept, ElementsAre("FIND overloaded twin", "PUT overloaded", "SET_IT overloaded twin",
                                "SET_IT overloaded", "TRIPLE overloaded twin"));
}

}  // namespace
}  // namespace tarvel::testing
