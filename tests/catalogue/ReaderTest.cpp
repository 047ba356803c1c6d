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

class ReaderTest : public SnapshotReaderTest {};

// The reader's two statements for the owner HR, written out once: the routines of a package (""
// for those outside packages) and the arguments of one routine. Names come as SQL literals.
std::string RoutineStatement(const std::string& package) {
  if (package.empty()) {
    return "select distinct object_name, overload from sys.all_arguments where owner='HR' and "
           "package_name is null union select object_name, overload from sys.all_procedures "
           "where owner='HR' and procedure_name is null and object_type in ('PROCEDURE', "
           "'FUNCTION') order by 1, 2";
  }
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
  OpenRows(
      PackageRows("PKG", {"ZAP_ALL", "GET_TOTAL"}) +
      Insert({.package = "PKG",
              .routine = "ZAP_ALL",
              .argument = "P_C",
              .position = 3,
              .type = "DATE",
              .inOut = "IN/OUT"}) +
      Insert({.package = "PKG", .routine = "ZAP_ALL", .argument = "P_A", .type = "NUMBER"}) +
      Insert({.package = "PKG",
              .routine = "ZAP_ALL",
              .argument = "P_B",
              .position = 2,
              .type = "VARCHAR2",
              .inOut = "OUT"}) +
      Insert({.package = "PKG",
              .routine = "GET_TOTAL",
              .argument = "P_TO",
              .position = 2,
              .type = "DATE"}) +
      Insert({.package = "PKG",
              .routine = "GET_TOTAL",
              .position = 0,
              .type = "NUMBER",
              .inOut = "OUT"}) +
      Insert({.package = "PKG", .routine = "GET_TOTAL", .argument = "P_FROM", .type = "DATE"}));

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
  EXPECT_THAT(statements,
              ElementsAre(RoutineStatement("'PKG'"), ArgumentStatement("'PKG'", "'GET_TOTAL'"),
                          ArgumentStatement("'PKG'", "'ZAP_ALL'")));
  EXPECT_THAT(listener.events, IsEmpty());
}

TEST_F(ReaderTest, EmptyPackageNameReadsTheRoutinesOutsidePackages) {
  OpenRows(
      PackageRows("PKG", {"LOG_MSG"}) +
      Insert({.package = "PKG", .routine = "LOG_MSG", .argument = "P_LEVEL", .type = "NUMBER"}) +
      StandAloneRow("LOG_MSG", "PROCEDURE") +
      Insert({.routine = "LOG_MSG", .argument = "P_TEXT", .type = "VARCHAR2"}) +
      StandAloneRow("EMP_COUNT", "FUNCTION") +
      Insert({.routine = "EMP_COUNT", .position = 0, .type = "NUMBER", .inOut = "OUT"}) +
      StandAloneRow("AUDIT_TRG", "TRIGGER") +
      Insert(ProcedureRow{.owner = "SCOTT", .object = "OTHER_FN", .type = "FUNCTION"}) +
      Insert({.owner = "SCOTT",
              .routine = "OTHER_FN",
              .position = 0,
              .type = "NUMBER",
              .inOut = "OUT"}));

  const auto database = LoadDatabase(connection, "HR", {""}, types, listener);

  EXPECT_THAT(
      Describe(*database),
      ElementsAre("package  of ''",  //
                  "  routine EmpCount EMP_COUNT of ''",
                  "    returns Result @RETURN_VALUE ftFloat double pdReturnValue",
                  "  routine LogMsg LOG_MSG of ''", "    PText P_TEXT ftString string pdInput"));
  EXPECT_THAT(statements, ElementsAre(RoutineStatement(""), ArgumentStatement("", "'EMP_COUNT'"),
                                      ArgumentStatement("", "'LOG_MSG'")));
  EXPECT_THAT(listener.events, ElementsAre("package read"));
}

TEST_F(ReaderTest, EachOverloadIsReadWithItsOwnValue) {
  OpenRows(
      Insert(ProcedureRow{.object = "PKG"}) +
      Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "1"}) +
      Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "2"}) +
      Insert(ProcedureRow{.object = "PKG", .procedure = "GET_ONE"}) +
      Insert({.package = "PKG",
              .routine = "FIND",
              .overload = "1",
              .position = 0,
              .type = "PL/SQL BOOLEAN",
              .inOut = "OUT"}) +
      Insert({.package = "PKG",
              .routine = "FIND",
              .overload = "1",
              .argument = "P_ID",
              .type = "NUMBER"}) +
      Insert({.package = "PKG",
              .routine = "FIND",
              .overload = "2",
              .position = 0,
              .type = "PL/SQL BOOLEAN",
              .inOut = "OUT"}) +
      Insert({.package = "PKG",
              .routine = "FIND",
              .overload = "2",
              .argument = "P_NAME",
              .type = "VARCHAR2"}) +
      Insert(
          {.package = "PKG", .routine = "GET_ONE", .position = 0, .type = "CHAR", .inOut = "OUT"}) +
      Insert({.routine = "FIND", .overload = "2", .argument = "P_CODE", .type = "CHAR"}));

  const auto package = LoadPackage(connection, "HR", "PKG", types, listener);
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
  OpenRows(
      PackageRows(package, {"IT'S_DONE", "lowerRoutine", "LOWERROUTINE", "BAD'ONE"}) +
      PackageRows("O'BRIEN_API", {"OTHER"}) +
      Insert({.package = package, .routine = "IT'S_DONE", .argument = "P_X", .type = "NUMBER"}) +
      Insert({.package = package, .routine = "lowerRoutine", .argument = "p_low", .type = "DATE"}) +
      Insert(
          {.package = package, .routine = "LOWERROUTINE", .argument = "P_UP", .type = "NUMBER"}) +
      Insert({.package = package,
              .routine = "BAD'ONE",
              .argument = "P_Z",
              .type = "NUMBER",
              .inOut = "in"}));

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
  EXPECT_THAT(statements, ElementsAre(RoutineStatement("'O''Brien_Api'"),
                                      ArgumentStatement("'O''Brien_Api'", "'BAD''ONE'"),
                                      ArgumentStatement("'O''Brien_Api'", "'IT''S_DONE'"),
                                      ArgumentStatement("'O''Brien_Api'", "'LOWERROUTINE'"),
                                      ArgumentStatement("'O''Brien_Api'", "'lowerRoutine'")));
}

// B_RECORD fails after its first argument was read: under the sanitizers nothing of it leaks.
TEST_F(ReaderTest, RowRulesApplyInTheirOrder) {
  OpenRows(
      PackageRows("PKG", {"A_FIRST", "B_RECORD", "C_LEVEL_UNTYPED", "D_NAMED_RESULT",
                          "E_NAMED_UNTYPED", "F_OLD_STYLE", "G_LAST"}) +
      Insert({.package = "PKG", .routine = "A_FIRST", .argument = "P_A", .type = "NUMBER"}) +
      Insert({.package = "PKG", .routine = "B_RECORD", .argument = "P_ID", .type = "NUMBER"}) +
      Insert({.package = "PKG",
              .routine = "B_RECORD",
              .argument = "P_REC",
              .position = 2,
              .type = "PL/SQL RECORD"}) +
      Insert({.package = "PKG",
              .routine = "B_RECORD",
              .argument = "F_ONE",
              .level = 1,
              .type = "NUMBER"}) +
      Insert({.package = "PKG",
              .routine = "B_RECORD",
              .argument = "F_TWO",
              .position = 2,
              .level = 1,
              .type = "VARCHAR2"}) +
      Insert({.package = "PKG", .routine = "C_LEVEL_UNTYPED", .level = 1}) +
      Insert({.package = "PKG",
              .routine = "D_NAMED_RESULT",
              .argument = "P_RES",
              .position = 0,
              .type = "NUMBER",
              .inOut = "OUT"}) +
      Insert({.package = "PKG",
              .routine = "E_NAMED_UNTYPED",
              .argument = "P_RES",
              .position = 0,
              .inOut = "OUT"}) +
      Insert(
          {.package = "PKG", .routine = "E_NAMED_UNTYPED", .argument = "P_A", .type = "NUMBER"}) +
      Insert({.package = "PKG", .routine = "F_OLD_STYLE"}) +
      Insert({.package = "PKG",
              .routine = "G_LAST",
              .position = 0,
              .type = "VARCHAR2",
              .inOut = "OUT"}));

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
  OpenRows(
      PackageRows("PKG", {"LOWER_IN", "SPACED", "TRAILING", "VALID"}) +
      Insert({.package = "PKG", .routine = "LOWER_IN", .argument = "P_ONE", .type = "NUMBER"}) +
      Insert({.package = "PKG",
              .routine = "LOWER_IN",
              .argument = "P_TWO",
              .position = 2,
              .type = "NUMBER",
              .inOut = "in"}) +
      Insert({.package = "PKG",
              .routine = "SPACED",
              .argument = "P_ONE",
              .type = "NUMBER",
              .inOut = "IN OUT"}) +
      Insert({.package = "PKG",
              .routine = "TRAILING",
              .argument = "P_ONE",
              .type = "NUMBER",
              .inOut = "OUT "}) +
      Insert({.package = "PKG",
              .routine = "VALID",
              .argument = "P_ONE",
              .type = "NUMBER",
              .inOut = "OUT"}) +
      StandAloneRow("LOG_IT", "PROCEDURE") +
      Insert({.routine = "LOG_IT", .argument = "P_TEXT", .type = "VARCHAR2", .inOut = "INOUT"}));

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
  OpenRows(
      PackageRows("PKG", {"LOG_EVENT", "GET_STAMP", "COUNT_IT"}) +
      Insert({.package = "PKG", .routine = "LOG_EVENT", .argument = "P_AT", .type = "TIMESTAMP"}) +
      Insert({.package = "PKG",
              .routine = "GET_STAMP",
              .position = 0,
              .type = "TIMESTAMP WITH TIME ZONE",
              .inOut = "OUT"}) +
      Insert(
          {.package = "PKG", .routine = "COUNT_IT", .argument = "P_N", .type = "BINARY_INTEGER"}));

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

  OpenRows(catalogue + Insert({.package = "PKG", .routine = "RUN_ALL"}) +
           Insert({.routine = "RESET_ALL"}));
  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"", "PKG"}, types, listener)), expected);

  OpenRows(catalogue);
  EXPECT_EQ(Describe(*LoadDatabase(connection, "HR", {"", "PKG"}, types, listener)), expected);

  EXPECT_THAT(listener.events,
              ElementsAre("package read", "package read", "package read", "package read"));
}

TEST_F(ReaderTest, EveryNameIsReadAgainAndUnknownOrEmptyPackagesStayEmpty) {
  OpenRows(PackageRows("PKG", {"RUN"}) + PackageRows("EMPTY_PKG", {}) +
           Insert({.package = "PKG", .routine = "RUN", .argument = "P_A", .type = "NUMBER"}));

  const auto database =
      LoadDatabase(connection, "HR", {"PKG", "NO_SUCH", "EMPTY_PKG", "PKG"}, types, listener);

  EXPECT_THAT(Describe(*database),
              ElementsAre("package Pkg of 'PKG'",  //
                          "  routine Run RUN of 'PKG'", "    PA P_A ftFloat double pdInput",
                          "package NoSuch of 'NO_SUCH'", "package EmptyPkg of 'EMPTY_PKG'",
                          "package Pkg of 'PKG'",  //
                          "  routine Run RUN of 'PKG'", "    PA P_A ftFloat double pdInput"));
  EXPECT_EQ(statements.size(), 6u);
  EXPECT_EQ(statements[0], statements[4]);
  EXPECT_EQ(statements[1], statements[5]);
  EXPECT_THAT(listener.events,
              ElementsAre("package read", "package read", "package read", "package read"));
}

// The overload value goes into the statement unquoted, so only digits may get there.
TEST_F(ReaderTest, OverloadValueThatIsNotAllDigitsFailsItsRoutineAndIsNeverSent) {
  OpenRows(Insert(ProcedureRow{.object = "PKG"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "1"}) +
           Insert(ProcedureRow{.object = "PKG", .procedure = "FIND", .overload = "2 or 1=1"}) +
           Insert({.package = "PKG",
                   .routine = "FIND",
                   .overload = "1",
                   .argument = "P_ID",
                   .type = "NUMBER"}));

  const auto package = LoadPackage(connection, "HR", "PKG", types, listener);

  EXPECT_THAT(Describe(*package),
              ElementsAre("package Pkg of 'PKG'", "  routine Find FIND of 'PKG' overloaded",
                          "    PId P_ID ftFloat double pdInput"));
  EXPECT_THAT(listener.events,
              ElementsAre("warning: Invalid overload value (2 or 1=1) in :HR.PKG.FIND"));
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_THAT(statements[1], HasSubstr("overload=1 "));

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
           Insert({.package = "PKG", .routine = "RUN", .argument = "P_A", .type = "NUMBER"}));
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
    kept.push_back(routine.DbName + (routine.IsOverloaded ? " overloaded" : ""));
  }
  EXPECT_THAT(kept, ElementsAre("FIND overloaded", "PUT overloaded", "SET_IT overloaded",
                                "SET_IT overloaded", "TRIPLE overloaded"));
}

}  // namespace
}  // namespace tarvel::testing
