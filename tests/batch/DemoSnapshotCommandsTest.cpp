#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <csignal>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "BatchProcess.h"
#include "SnapshotFixture.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

const std::string kDemoWarnings =
    "tarvelgen: warning: HR.HR_AUDIT.LOG_EVENT left out: argument P_EVENT: Parameter type: "
    "OBJECT not supported!\n"
    "tarvelgen: warning: HR.HR_AUDIT.SAVE_EMP left out: Cannot convert param in "
    ":HR.HR_AUDIT.SAVE_EMP\n";

class DemoSnapshotCommandsTest : public ::testing::Test {
 protected:
  QString TempPath(const QString& name) const { return dir_.filePath(name); }

  static QStringList Command(const QString& command, const QString& user = QStringLiteral("hr"),
                             const QString& database = DemoSnapshotPath()) {
    return {command, QStringLiteral("--user"), user, QStringLiteral("--database"), database};
  }

  QStringList Generate(const QString& folderName) const {
    return Command(QStringLiteral("generate"))
           << QStringLiteral("--output") << TempPath(folderName);
  }

  QTemporaryDir dir_;
};

TEST_F(DemoSnapshotCommandsTest, ListPrintsTheEntriesAsTheWizardShowsThem) {
  const BatchResult hr = RunTarvelgen(Command(QStringLiteral("list")));
  EXPECT_EQ(hr.exitCode, 0);
  EXPECT_EQ(hr.out,
            "Procedures outside packages\nHR_API\nHR_AUDIT\nHR_BATCH\nHR_EMPTY\nHR_TYPES\n");
  EXPECT_EQ(hr.err, "");

  const BatchResult scott = RunTarvelgen(Command(QStringLiteral("list"), QStringLiteral("Scott")));
  EXPECT_EQ(scott.exitCode, 0);
  EXPECT_EQ(scott.out, "Procedures outside packages\nHR_API\nSCOTT_PKG\n");
}

TEST_F(DemoSnapshotCommandsTest, GenerateWritesTheWizardsUnitsIntoANewFolder) {
  const BatchResult result = RunTarvelgen(Generate(QStringLiteral("new/nested/out")));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "Units written: 5, unchanged: 0, routines left out: 2\n");
  EXPECT_EQ(result.err, kDemoWarnings);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("new/nested/out"))), GoldenUnits("demo-snapshot"));
}

TEST_F(DemoSnapshotCommandsTest, StrictMakesALeftOutRoutineStatusThree) {
  const BatchResult leftOut = RunTarvelgen(Generate(QStringLiteral("all")) << "--strict");
  EXPECT_EQ(leftOut.exitCode, 3);
  EXPECT_EQ(leftOut.err, kDemoWarnings);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("all"))), GoldenUnits("demo-snapshot"));

  const BatchResult complete = RunTarvelgen(Generate(QStringLiteral("api")) << "--strict"
                                                                            << "--package"
                                                                            << "HR_API");
  EXPECT_EQ(complete.exitCode, 0);
  EXPECT_EQ(complete.err, "");
}

// The packages named are looked up by their names, in one statement, not in a list of all.
TEST_F(DemoSnapshotCommandsTest, PackagesAreGeneratedInTheOrderGiven) {
  const QString log = TempPath(QStringLiteral("statements.log"));
  const BatchResult result =
      RunTarvelgen(Generate(QStringLiteral("out")) << "--package"
                                                   << "HR_BATCH"
                                                   << "--package"
                                                   << "HR_API"
                                                   << "--statement-log" << log);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string statements = ReadWholeFile(log);
  EXPECT_EQ(statements.substr(0, statements.find('\n')),
            "select object_name from dba_objects where owner = 'HR' and object_type = 'PACKAGE' "
            "and object_name in ('HR_BATCH', 'HR_API')");
  EXPECT_EQ(statements.find("dba_objects", statements.find('\n')), std::string::npos);
  EXPECT_EQ(result.out, "Units written: 3, unchanged: 0\n");
  const auto units = UnitFilesIn(TempPath(QStringLiteral("out")));
  const auto golden = GoldenUnits("demo-snapshot");
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units.at("uHrApi.pas"), golden.at("uHrApi.pas"));
  EXPECT_EQ(units.at("uHrBatch.pas"), golden.at("uHrBatch.pas"));
  const std::string& main = units.at("uMyOracleDB.pas");
  EXPECT_NE(main.find("uses Classes, ADODB, DB, uHrBatch, uHrApi;\r\n"), std::string::npos);
  EXPECT_LT(main.find("   HrBatch : THrBatch;"), main.find("   HrApi : THrApi;"));
  EXPECT_EQ(main.find("EmpCount"), std::string::npos);
}

TEST_F(DemoSnapshotCommandsTest, OutsideComesFirstWhereverItIsGiven) {
  const BatchResult after = RunTarvelgen(Generate(QStringLiteral("after")) << "--package"
                                                                           << "HR_API"
                                                                           << "--outside");
  const BatchResult before = RunTarvelgen(Generate(QStringLiteral("before")) << "--outside"
                                                                             << "--package"
                                                                             << "HR_API");
  ASSERT_EQ(after.exitCode, 0) << after.err;
  ASSERT_EQ(before.exitCode, 0) << before.err;
  const auto units = UnitFilesIn(TempPath(QStringLiteral("after")));
  EXPECT_EQ(units, UnitFilesIn(TempPath(QStringLiteral("before"))));
  ASSERT_EQ(units.size(), 2u);
  const std::string& main = units.at("uMyOracleDB.pas");
  EXPECT_NE(main.find("uses Classes, ADODB, DB, uHrApi;\r\n"), std::string::npos);
  EXPECT_NE(main.find("   function  EmpCount(PDept : double): double; \r\n"), std::string::npos);

  const BatchResult alone = RunTarvelgen(Generate(QStringLiteral("alone")) << "--outside");
  ASSERT_EQ(alone.exitCode, 0) << alone.err;
  EXPECT_EQ(alone.out, "Units written: 1, unchanged: 0\n");
}

// As typed, but for a hexadecimal prefix that Pascal does not read.
TEST_F(DemoSnapshotCommandsTest, SizesReachTheConstantsAsTyped) {
  const BatchResult result = RunTarvelgen(Generate(QStringLiteral("out")) << "--outside"
                                                                          << "--max-string"
                                                                          << " 0x10"
                                                                          << "--max-blob"
                                                                          << "+007"
                                                                          << "--max-clob"
                                                                          << "0");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string main = ReadWholeFile(TempPath(QStringLiteral("out/uMyOracleDB.pas")));
  EXPECT_NE(main.find("  MAX_STRING_SIZE =  $10;\r\n  MAX_BLOB_SIZE = +007;\r\n"
                      "  MAX_CLOB_SIZE = 0;\r\n"),
            std::string::npos);
}

TEST_F(DemoSnapshotCommandsTest, HelpAndVersionGoToStandardOutput) {
  const BatchResult help = RunTarvelgen({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("tarvelgen snapshot --user U --database D --output FILE"),
            std::string::npos);
  const BatchResult generateHelp = RunTarvelgen({QStringLiteral("generate"), "--help"});
  EXPECT_EQ(generateHelp.exitCode, 0);
  EXPECT_EQ(generateHelp.out.rfind("Usage: tarvelgen generate", 0), 0u);
  EXPECT_NE(generateHelp.out.find("Diagnostic option:\n  --statement-log FILE"), std::string::npos);
  const BatchResult version = RunTarvelgen({QStringLiteral("--version")});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "tarvelgen 1.0.0\n");
}

TEST_F(DemoSnapshotCommandsTest, FailuresPrintTheSystemsMessageWithoutAFullStop) {
  const BatchResult noDriver = RunTarvelgen(
      Command(QStringLiteral("list"), QStringLiteral("hr"), QStringLiteral("nowhere")));
  EXPECT_EQ(noDriver.exitCode, 1);
  EXPECT_EQ(noDriver.err,
            "tarvelgen: No Oracle ODBC driver is installed: install Oracle's ODBC driver for "
            "unixODBC, or configure an ODBC data source named nowhere\n");
  EXPECT_EQ(noDriver.out, "");
  const BatchResult mistyped = RunTarvelgen(
      Command(QStringLiteral("list"), QStringLiteral("hr"), QStringLiteral("demo.snapshto.db")));
  EXPECT_EQ(mistyped.exitCode, 1);
  EXPECT_EQ(mistyped.err, "tarvelgen: No such dictionary snapshot: demo.snapshto.db\n");

  QFile blocker(TempPath(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  for (const QString& name : {QStringLiteral("file"), QStringLiteral("file/below")}) {
    const BatchResult folder = RunTarvelgen(Generate(name));
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err, "tarvelgen: Unable to create directory " + FromQString(TempPath(name)) +
                              ": Not a directory\n");
  }
}

// A check that cannot look tells why and fails; it never reports what it could not see as a
// difference or as missing units.
TEST_F(DemoSnapshotCommandsTest, ACheckThatCannotLookFailsWithTheReason) {
  QFile blocker(TempPath(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const std::string file = FromQString(TempPath(QStringLiteral("file")));
  ASSERT_TRUE(QDir().mkpath(TempPath(QStringLiteral("out/uHrApi.pas"))));
  const std::vector<std::pair<QString, std::string>> cases{
      {QStringLiteral("file"), "tarvelgen: " + file + " is not a folder\n"},
      {QStringLiteral("file/below"), kDemoWarnings + "tarvelgen: Unable to read " + file +
                                         "/below/uMyOracleDB.pas: Not a directory\n"},
      {QStringLiteral("out"), kDemoWarnings +
                                  "tarvelgen: " + FromQString(TempPath(QStringLiteral("out"))) +
                                  "/uHrApi.pas is a folder\n"},
  };
  for (const auto& [folder, message] : cases) {
    const BatchResult check = RunTarvelgen(Generate(folder) << QStringLiteral("--check"));
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(check.err, message);
  }
}

int SnapshotNumber(const QString& snapshot, const QString& statement) {
  int number = 0;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
    db.setDatabaseName(snapshot);
    QSqlQuery query(db);
    if (db.open() && query.exec(statement) && query.next()) number = query.value(0).toInt();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("look"));
  return number;
}

// The argument rows are damaged, the list and the routine names not: the run fails at the first
// routine instead of leaving every routine out with a warning.
TEST_F(DemoSnapshotCommandsTest, ADamagedSnapshotFailsTheRunAndWritesNoUnit) {
  const QString snapshot = TempPath(QStringLiteral("damaged.snapshot"));
  ASSERT_TRUE(QFile::copy(DemoSnapshotPath(), snapshot));
  const int page = SnapshotNumber(
      snapshot, QStringLiteral("select rootpage from sqlite_master where name = 'all_arguments'"));
  const int pageSize = SnapshotNumber(snapshot, QStringLiteral("pragma page_size"));
  ASSERT_GT(page, 1);
  QFile file(snapshot);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(qint64{page - 1} * pageSize));
  file.write(QByteArray(pageSize, '\xff'));
  file.close();

  const QString out = TempPath(QStringLiteral("out"));
  const BatchResult result = RunTarvelgen(
      Command(QStringLiteral("generate"), QStringLiteral("hr"), snapshot) << "--output" << out);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err,
            "tarvelgen: " + FromQString(snapshot) + ": database disk image is malformed\n");
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(UnitFilesIn(out).empty());
}

void SetModified(const QString& path, const QDateTime& time) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

std::map<std::string, QDateTime> ModificationTimes(const QString& folder) {
  std::map<std::string, QDateTime> times;
  for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.pas")}, QDir::Files)) {
    times[FromQString(info.fileName())] = info.lastModified();
  }
  return times;
}

TEST_F(DemoSnapshotCommandsTest, UnchangedUnitsKeepTheirTimeAndAChangedSchemaRewritesOnlyItsUnit) {
  const QString snapshot = TempPath(QStringLiteral("copy.snapshot"));
  ASSERT_TRUE(QFile::copy(DemoSnapshotPath(), snapshot));
  const QString out = TempPath(QStringLiteral("out"));
  const QStringList generate = Command(QStringLiteral("generate"), QStringLiteral("hr"), snapshot)
                               << "--output" << out;
  ASSERT_EQ(RunTarvelgen(generate).exitCode, 0);

  const QDateTime past = QDateTime::fromString(QStringLiteral("2001-02-03T04:05:06Z"), Qt::ISODate);
  for (const auto& [name, time] : ModificationTimes(out))
    SetModified(out + "/" + ToQString(name), past);

  const BatchResult again = RunTarvelgen(generate);
  EXPECT_EQ(again.out, "Units written: 0, unchanged: 5, routines left out: 2\n");
  for (const auto& [name, time] : ModificationTimes(out)) EXPECT_EQ(time, past) << name;

  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
    db.setDatabaseName(snapshot);
    ASSERT_TRUE(db.open());
    QSqlQuery edit(db);
    ASSERT_TRUE(edit.exec(QStringLiteral(
        "update all_arguments set DATA_TYPE = 'VARCHAR2' where OWNER = 'HR' and "
        "PACKAGE_NAME = 'HR_API' and OBJECT_NAME = 'LIST_EMPS' and ARGUMENT_NAME = 'P_DEPT'")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("edit"));

  const BatchResult changed = RunTarvelgen(generate);
  EXPECT_EQ(changed.out, "Units written: 1, unchanged: 4, routines left out: 2\n");
  const auto times = ModificationTimes(out);
  EXPECT_NE(times.at("uHrApi.pas"), past);
  EXPECT_EQ(times.at("uHrAudit.pas"), past);
  EXPECT_EQ(times.at("uHrBatch.pas"), past);
  EXPECT_EQ(times.at("uMyOracleDB.pas"), past);
  EXPECT_NE(ReadWholeFile(out + "/uHrApi.pas"), GoldenUnits("demo-snapshot").at("uHrApi.pas"));
}

// --check writes nothing, whatever it finds; a unit's finding outranks --strict's left-out routine.
TEST_F(DemoSnapshotCommandsTest, CheckPrintsEachUnitMissingOrDifferentAndWritesNothing) {
  const QString out = TempPath(QStringLiteral("out"));
  ASSERT_EQ(RunTarvelgen(Generate(QStringLiteral("out"))).exitCode, 0);
  const QDateTime past = QDateTime::fromString(QStringLiteral("2001-02-03T04:05:06Z"), Qt::ISODate);
  for (const auto& [name, time] : ModificationTimes(out))
    SetModified(out + "/" + ToQString(name), past);
  const QStringList check = Generate(QStringLiteral("out")) << "--check";

  const BatchResult same = RunTarvelgen(check);
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(same.err, kDemoWarnings);
  EXPECT_EQ(RunTarvelgen(QStringList(check) << "--strict").exitCode, 3);

  const std::string changed = GoldenUnits("demo-snapshot").at("uHrApi.pas") + "// mine\r\n";
  {
    QFile api(out + "/uHrApi.pas");
    ASSERT_TRUE(api.open(QIODevice::Append));
    api.write("// mine\r\n");
  }
  SetModified(out + "/uHrApi.pas", past);
  ASSERT_TRUE(QFile::remove(out + "/uHrBatch.pas"));
  const std::string folder = FromQString(out);
  for (const QStringList& arguments : {check, QStringList(check) << "--strict"}) {
    const BatchResult found = RunTarvelgen(arguments);
    EXPECT_EQ(found.exitCode, 4);
    EXPECT_EQ(found.out.rfind("differs: " + folder + "/uHrApi.pas\nmissing: " + folder +
                                  "/uHrBatch.pas\nUnits differing: 1, missing: 1, stale: 0. To "
                                  "update them, run: tarvelgen generate --user hr ",
                              0),
              0u)
        << found.out;
  }
  EXPECT_EQ(ReadWholeFile(out + "/uHrApi.pas"), changed);
  const auto times = ModificationTimes(out);
  EXPECT_EQ(times.size(), 4u);
  for (const auto& [name, time] : times) EXPECT_EQ(time, past) << name;

  const BatchResult none = RunTarvelgen(Generate(QStringLiteral("none")) << "--check");
  EXPECT_EQ(none.exitCode, 4);
  const std::string missing = "missing: " + FromQString(TempPath(QStringLiteral("none"))) + "/";
  EXPECT_EQ(none.out.rfind(missing + "uMyOracleDB.pas\n" + missing + "uHrApi.pas\n" + missing +
                               "uHrAudit.pas\n" + missing + "uHrBatch.pas\n" + missing +
                               "uHrTypes.pas\nUnits differing: 0, missing: 5, stale: 0.",
                           0),
            0u)
      << none.out;
  EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("none"))));
}

TEST_F(DemoSnapshotCommandsTest, ASnapshotOfTheSnapshotGeneratesTheSameUnits) {
  const QString copy = TempPath(QStringLiteral("hr.snapshot"));
  QFile stale(copy);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write("an older file the snapshot replaces");
  stale.close();

  const BatchResult snapshot =
      RunTarvelgen(Command(QStringLiteral("snapshot")) << "--output" << copy);
  ASSERT_EQ(snapshot.exitCode, 0) << snapshot.err;
  EXPECT_EQ(snapshot.out, "Snapshot written to " + FromQString(copy) +
                              ": 8 objects, 51 argument rows, 28 procedure rows\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("hr.snapshot")});

  const BatchResult list =
      RunTarvelgen(Command(QStringLiteral("list"), QStringLiteral("hr"), copy));
  EXPECT_EQ(list.out,
            "Procedures outside packages\nHR_API\nHR_AUDIT\nHR_BATCH\nHR_EMPTY\nHR_TYPES\n");
  const BatchResult generate =
      RunTarvelgen(Command(QStringLiteral("generate"), QStringLiteral("hr"), copy)
                   << "--output" << TempPath("out"));
  EXPECT_EQ(generate.exitCode, 0);
  EXPECT_EQ(generate.err, kDemoWarnings);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("out"))), GoldenUnits("demo-snapshot"));

  // Only the owner's rows are copied.
  const BatchResult scott =
      RunTarvelgen(Command(QStringLiteral("list"), QStringLiteral("scott"), copy));
  EXPECT_EQ(scott.exitCode, 0);
  EXPECT_EQ(scott.out, "");
}

// Overloads Pascal could not tell apart: the later ones are left out with a warning each, after
// the package's other warnings, and count for --strict; renamed identifiers are counted, and
// listed with --verbose.
TEST_F(DemoSnapshotCommandsTest, SameSignatureOverloadsAreLeftOutAndRenamedNamesCounted) {
  const TemporarySnapshot snapshot(ReadWholeFile(
      ToQString(TARVEL_SOURCE_DIR "/tests/golden/same_signature_overloads/dictionary.sql")));
  const QStringList generate =
      Command(QStringLiteral("generate"), QStringLiteral("hr"), ToQString(snapshot.path()))
      << "--output" << TempPath(QStringLiteral("out"));

  const BatchResult result = RunTarvelgen(generate);
  EXPECT_EQ(result.exitCode, 0);
  const std::string prefix = "tarvelgen: warning: HR.OVERLOADS.";
  const std::string same = " has the same Delphi argument types as overload 1\n";
  EXPECT_EQ(result.err, prefix +
                            "SAVE_REC left out: Cannot convert param in :HR.OVERLOADS.SAVE_REC\n" +
                            prefix + "FIND left out: Overload 2 of :HR.OVERLOADS.FIND" + same +
                            prefix + "PUT left out: Overload 2 of :HR.OVERLOADS.PUT" + same +
                            prefix + "SET_IT left out: Overload 3 of :HR.OVERLOADS.SET_IT" + same +
                            prefix + "TRIPLE left out: Overload 2 of :HR.OVERLOADS.TRIPLE" + same +
                            prefix + "TRIPLE left out: Overload 3 of :HR.OVERLOADS.TRIPLE" + same);
  EXPECT_EQ(result.out,
            "Units written: 3, unchanged: 0, routines left out: 6\n"
            "Pascal names changed: 1 (see --verbose)\n");
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("out"))), GoldenUnits("same_signature_overloads"));

  const BatchResult strict = RunTarvelgen(QStringList(generate) << "--strict"
                                                                << "--verbose");
  EXPECT_EQ(strict.exitCode, 3);
  EXPECT_EQ(strict.out,
            "Units written: 0, unchanged: 3, routines left out: 6\n"
            "Pascal names changed: 1\n"
            "uNextPkg: NAME -> Name_\n");
}

TEST_F(DemoSnapshotCommandsTest, AFailedSnapshotLeavesNothingBehind) {
  const QString target = TempPath(QStringLiteral("missing/hr.snapshot"));
  const BatchResult result =
      RunTarvelgen(Command(QStringLiteral("snapshot")) << "--output" << target);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.rfind("tarvelgen: Unable to write to " + FromQString(target) + ": ", 0), 0u)
      << result.err;
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

// The password is read from standard input while the process runs; it must not show in its
// arguments, its output or anything it writes.
TEST_F(DemoSnapshotCommandsTest, APasswordOnStandardInputShowsNowhere) {
  const std::string password = "Pw-7731-zebra";
  const QString out = TempPath(QStringLiteral("out"));
  QProcess process;
  process.start(TarvelgenPath(), Generate(QStringLiteral("out")) << "--password-stdin");
  ASSERT_TRUE(process.waitForStarted());
  const std::string arguments =
      ReadWholeFile(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
  EXPECT_NE(arguments.find("--password-stdin"), std::string::npos);
  process.write((password + "\n").c_str());
  process.closeWriteChannel();
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(arguments.find(password), std::string::npos);
  EXPECT_EQ(process.readAllStandardOutput().toStdString().find(password), std::string::npos);
  EXPECT_EQ(process.readAllStandardError().toStdString().find(password), std::string::npos);
  const auto units = UnitFilesIn(out);
  EXPECT_EQ(units, GoldenUnits("demo-snapshot"));

  const BatchResult failed = RunTarvelgen(
      Command(QStringLiteral("snapshot"), QStringLiteral("hr"), QStringLiteral("nowhere"))
          << "--output" << TempPath(QStringLiteral("s")) << "--password-stdin",
      password + "\n");
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err.find(password), std::string::npos);
}

// config.ini beside the program adds types; the batch commands read it and never write it. A
// type it does not add leaves its routine out.
TEST_F(DemoSnapshotCommandsTest, TypeAdditionsComeFromConfigIniWhichStaysUntouched) {
  const QString program = TempPath(QStringLiteral("tarvelgen"));
  ASSERT_TRUE(QFile::copy(TarvelgenPath(), program));
  const QString ini = TempPath(QStringLiteral("config.ini"));
  const std::string settings =
      "[DB]\r\nUSER=someone\r\n[AVAR]\r\nNCLOB=ftWideMemo\r\n[DVAR]\r\nnclob=string\r\n";
  {
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(settings.c_str());
  }
  const QDateTime past = QDateTime::fromString(QStringLiteral("2001-02-03T04:05:06Z"), Qt::ISODate);
  SetModified(ini, past);

  const BatchResult result = RunTarvelgen(Generate(QStringLiteral("out")) << "--package"
                                                                          << "HR_TYPES",
                                          "", program);
  EXPECT_EQ(result.exitCode, 0);
  const std::string warnings = result.err.substr(0, result.err.find("tarvelgen: hint: "));
  EXPECT_EQ(warnings,
            "tarvelgen: warning: HR.HR_TYPES.COUNT_LEAVE left out: function result: Parameter "
            "type: PLS_INTEGER not supported!\n"
            "tarvelgen: warning: HR.HR_TYPES.LAST_LOGIN left out: argument P_AT: Parameter type: "
            "TIMESTAMP not supported!\n"
            "tarvelgen: warning: HR.HR_TYPES.LOCATE_EMP left out: function result: Parameter "
            "type: ROWID not supported!\n"
            "tarvelgen: warning: HR.HR_TYPES.SCALE_RATE left out: function result: Parameter "
            "type: BINARY_DOUBLE not supported!\n"
            "tarvelgen: warning: HR.HR_TYPES.SET_LOCAL_NAME left out: argument P_NAME: Parameter "
            "type: NVARCHAR2 not supported!\n");
  EXPECT_EQ(result.err.substr(warnings.size()).rfind("tarvelgen: hint: " + FromQString(ini), 0),
            0u);
  EXPECT_NE(ReadWholeFile(TempPath(QStringLiteral("out/uHrTypes.pas")))
                .find("function THrTypes.GetCv(PEmpId : double): string;"),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(ini), settings);
  EXPECT_EQ(QFileInfo(ini).lastModified(), past);
}

// With calls through blocks the demo's two FIND functions (a PL/SQL BOOLEAN result) and SAVE_EMP
// (a record, its type declared in uMyOracleTypes.pas) change; LOG_EVENT's object, which the
// demo's rows do not describe, stays out with its reason. --no-blocks keeps every unit as it is
// without them, whatever config.ini says.
TEST_F(DemoSnapshotCommandsTest,
       BlocksChangeOnlyTheRoutinesAdoCannotCallAndNoBlocksOverridesConfigIni) {
  const BatchResult blocks = RunTarvelgen(Generate(QStringLiteral("blocks")) << "--blocks");
  EXPECT_EQ(blocks.exitCode, 0);
  EXPECT_EQ(blocks.err,
            "tarvelgen: warning: HR.HR_AUDIT.LOG_EVENT left out: Unknown structure of type "
            ".AUDIT_EVENT_T of argument P_EVENT in :HR.HR_AUDIT.LOG_EVENT\n");
  std::map<std::string, std::string> units = UnitFilesIn(TempPath(QStringLiteral("blocks")));
  std::map<std::string, std::string> golden = GoldenUnits("demo-snapshot");
  const std::string api = units["uHrApi.pas"];
  EXPECT_NE(api, golden["uHrApi.pas"]);
  EXPECT_NE(api.find("function THrApi.Find(PId : double): boolean; \r\n"
                     "var\r\n  nMyRecordsAffected : integer;\r\nbegin\r\n"
                     "  with TADOCommand.Create(Self) do\r\n  try\r\n"
                     "   Connection := FConnection;\r\n   CommandType := cmdText;\r\n"
                     "   ParamCheck := False;\r\n"),
            std::string::npos);
  EXPECT_NE(api.find("  V0 := \"HR_API\".\"FIND\"('#10 +\r\n     '    \"P_NAME\" => ?);'#10"),
            std::string::npos);
  // The demo's nested rows name no type owner: the type is the logged-on owner's.
  const std::string audit = units["uHrAudit.pas"];
  EXPECT_NE(audit.find("uses Classes, ADODB, DB, Variants, uMyOracleTypes;\r\n"),
            std::string::npos);
  EXPECT_NE(audit.find("   procedure SaveEmp(PId : double; const PEmp : THrAuditEmpRec); \r\n"),
            std::string::npos);
  EXPECT_NE(audit.find("     '  V2 \"HR_AUDIT\".\"EMP_REC\";'#10 +\r\n"), std::string::npos);
  EXPECT_NE(units["uMyOracleTypes.pas"].find("  THrAuditEmpRec = record\r\n"
                                             "    EmpId : double;\r\n"
                                             "    EmpName : string;\r\n  end;\r\n"),
            std::string::npos);
  for (const char* changed : {"uHrApi.pas", "uHrAudit.pas", "uMyOracleTypes.pas"}) {
    units.erase(changed);
    golden.erase(changed);
  }
  EXPECT_EQ(units, golden);

  const QString program = TempPath(QStringLiteral("tarvelgen"));
  ASSERT_TRUE(QFile::copy(TarvelgenPath(), program));
  {
    QFile ini(TempPath(QStringLiteral("config.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[CALLS]\r\nBLOCKS=1\r\n");
  }
  const BatchResult none =
      RunTarvelgen(Generate(QStringLiteral("none")) << "--no-blocks", "", program);
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("none"))).at("uHrApi.pas"),
            GoldenUnits("demo-snapshot").at("uHrApi.pas"));
  const BatchResult configured = RunTarvelgen(Generate(QStringLiteral("configured")), "", program);
  EXPECT_EQ(configured.exitCode, 0);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("configured"))).at("uHrApi.pas"), api);
}

// The owner SHAPES has a routine of each composite kind: with calls through blocks (and the sample
// type additions, for a PLS_INTEGER field) the record, %ROWTYPE, object and XMLTYPE routines are
// wrapped and the collections stay out with their reason.
TEST_F(DemoSnapshotCommandsTest, BlocksWrapEveryShapesRoutine) {
  const BatchResult shapes = RunTarvelgen(
      Command(QStringLiteral("generate"), QStringLiteral("shapes"))
      << "--output" << TempPath(QStringLiteral("shapes")) << "--blocks"
      << "--config" << QStringLiteral(TARVEL_SOURCE_DIR "/samples/type-additions.ini"));
  EXPECT_EQ(shapes.exitCode, 0);
  EXPECT_EQ(shapes.err, "");
  const std::map<std::string, std::string> units = UnitFilesIn(TempPath(QStringLiteral("shapes")));
  const std::string api = units.at("uShapesApi.pas");
  EXPECT_NE(api.find("   function  GetEmp(PId : double): TShapesApiEmpRec; \r\n"
                     "   function  GetProfile(PId : double): string; \r\n"
                     "   procedure Hire(const PRow : TEmployeesRow; const PAddress : TAddressT); "
                     "\r\n"
                     "   procedure SaveEmps(const PEmps : array of TShapesApiEmpRec); \r\n"
                     "   procedure SetNames(const PNames : array of string;  var PPhones : "
                     "TPhoneList); \r\n"),
            std::string::npos);
  EXPECT_NE(api.find("       '  V1(V1I).\"GRADE\" := ?;'#10;\r\n"), std::string::npos);
  EXPECT_NE(api.find("     '  V1 := \"SHAPES\".\"SHAPES_API\".\"NAME_LIST\"();'#10;\r\n"),
            std::string::npos);
  EXPECT_NE(api.find("     '  ? := case V0.\"ACTIVE\" when true then 1 when false then 0 end;'#10 "
                     "+\r\n"),
            std::string::npos);
  EXPECT_NE(api.find("     '  V2 := \"SHAPES\".\"ADDRESS_T\"(null, null);'#10 +\r\n"),
            std::string::npos);
  EXPECT_NE(api.find("     '  ? := case when V0 is not null then V0.getclobval() end;'#10 +\r\n"),
            std::string::npos);
  EXPECT_NE(units.at("uMyOracleTypes.pas")
                .find("  TShapesApiEmpRec = record\r\n    EmpId : double;\r\n"
                      "    FullName : string;\r\n    Active : boolean;\r\n"
                      "    Grade : integer;\r\n  end;\r\n\r\n"
                      "  TEmployeesRow = record\r\n"),
            std::string::npos);
  EXPECT_NE(units.at("uMyOracleTypes.pas")
                .find("  TShapesApiEmpTab = array of TShapesApiEmpRec;\r\n\r\n"
                      "  TShapesApiNameList = array of string;\r\n\r\n"
                      "  TPhoneList = array of string;\r\n"),
            std::string::npos);
}

// A record type or field whose name is not the plain form of its dictionary name is listed with
// the other names that changed.
TEST_F(DemoSnapshotCommandsTest, VerboseListsTheRecordTypesAndFieldsWhoseNamesChanged) {
  const TemporarySnapshot records(ReadWholeFile(
      std::string(TARVEL_SOURCE_DIR) + "/tests/golden/records_through_blocks/dictionary.sql"));
  const BatchResult run =
      RunTarvelgen(Command(QStringLiteral("generate"), QStringLiteral("hr"),
                           QString::fromStdString(records.path()))
                   << "--output" << TempPath(QStringLiteral("records")) << "--blocks"
                   << "--verbose");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("Pascal names changed: 8\n"
                         "uHrRecords: TAG -> Tag_\n"
                         "uMyOracleTypes: HR.HR_RECORDS.odd rec -> THrRecordsOdd_rec\n"
                         "uMyOracleTypes: BEGIN -> Begin_\n"
                         "uMyOracleTypes: end -> End_\n"
                         "uMyOracleTypes: IT'S \"X\" -> It_s__x_\n"
                         "uMyOracleTypes: Name -> Name_\n"
                         "uMyOracleTypes: APP.HR_RECORDS -> THrRecords_\n"
                         "uMyOracleTypes: LABEL -> Label_\n"),
            std::string::npos)
      << run.out;
}

// Named by mistake, the snapshot itself would be lost: the log must be a new file.
TEST_F(DemoSnapshotCommandsTest, TheStatementLogIsNeverWrittenOverAFile) {
  const QString snapshot = TempPath(QStringLiteral("hr.snapshot"));
  ASSERT_TRUE(QFile::copy(DemoSnapshotPath(), snapshot));
  const QString out = TempPath(QStringLiteral("out"));
  const QStringList generate = Command(QStringLiteral("generate"), QStringLiteral("hr"), snapshot)
                               << "--output" << out << "--statement-log";
  const BatchResult existing = RunTarvelgen(QStringList(generate) << snapshot);
  EXPECT_EQ(existing.exitCode, 1);
  EXPECT_EQ(existing.err,
            "tarvelgen: Unable to write to " + FromQString(snapshot) + ": File exists\n");
  EXPECT_EQ(ReadWholeFile(snapshot), ReadWholeFile(DemoSnapshotPath()));
  EXPECT_FALSE(QFileInfo::exists(out));

  const QString log = TempPath(QStringLiteral("statements.log"));
  ASSERT_EQ(RunTarvelgen(QStringList(generate) << log).exitCode, 0);
  EXPECT_EQ(ReadWholeFile(log).rfind("select object_name from dba_objects where owner = 'HR'", 0),
            0u);
}

// Ended by a signal while it writes, the snapshot command leaves neither the file nor its
// temporary one behind.
TEST_F(DemoSnapshotCommandsTest, ASignalDuringSnapshotRemovesTheTemporaryFile) {
  const TemporarySnapshot source(
      "insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, ARGUMENT_NAME, POSITION, "
      "SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) with recursive n(i) as (select 1 union all "
      "select i + 1 from n where i < 500000) select 'HR', 'PKG', 'R' || (i / 10), 'P' || i, "
      "i % 10, i, 0, 'NUMBER', 'IN' from n");
  const QDir folder(dir_.path());
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    QProcess process;
    process.start(
        TarvelgenPath(),
        Command(QStringLiteral("snapshot"), QStringLiteral("hr"), ToQString(source.path()))
            << "--output" << TempPath(QStringLiteral("copy.snapshot")));
    ASSERT_TRUE(process.waitForStarted());
    bool seen = false;
    while (!seen && process.state() == QProcess::Running) {
      seen = !folder.entryList({QStringLiteral("copy.snapshot.*")}, QDir::Files).isEmpty();
      QThread::usleep(200);
    }
    ASSERT_TRUE(seen) << "the snapshot was written before its temporary file was seen";
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), signal), 0);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << signal;
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList()) << signal;
  }
}

// A path is used as its bytes, UTF-8 or not: a shell hands the program the byte 0xFF.
TEST_F(DemoSnapshotCommandsTest, AnOutputFolderThatIsNotUtf8IsThatFolder) {
  const std::string folder = FromQString(dir_.path()) + "/out\xff";
  for (const char* check : {"", " --check"}) {
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("exec \"$0\" generate --user hr --database \"$1\" --output "
                                "\"$2/out$(printf '\\377')\"") +
                     QString::fromLatin1(check),
                 TarvelgenPath(), DemoSnapshotPath(), dir_.path()});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << check << shell.readAllStandardError().toStdString();
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"uHrApi.pas", "uHrAudit.pas", "uHrBatch.pas",
                                             "uHrTypes.pas", "uMyOracleDB.pas"}));

  std::ofstream(folder + "/uHrApi.pas", std::ios::app) << "// mine\r\n";
  QProcess diff;
  diff.start(QStringLiteral("sh"),
             {QStringLiteral("-c"),
              QStringLiteral("exec \"$0\" generate --user hr --database \"$1\" --output "
                             "\"$2/out$(printf '\\377')\" --check --diff"),
              TarvelgenPath(), DemoSnapshotPath(), dir_.path()});
  ASSERT_TRUE(diff.waitForFinished(60000));
  EXPECT_EQ(diff.exitCode(), 4) << diff.readAllStandardError().toStdString();
  const std::string out = diff.readAllStandardOutput().toStdString();
  EXPECT_EQ(out.rfind("differs: " + folder + "/uHrApi.pas\n--- " + folder + "/uHrApi.pas\n", 0), 0u)
      << out;
  EXPECT_NE(out.find("\n end.\n-// mine\n"), std::string::npos) << out;
}

// A name holding line breaks leaves each statement on its own line.
TEST_F(DemoSnapshotCommandsTest, TheStatementLogHoldsOneStatementPerLine) {
  const TemporarySnapshot snapshot(
      "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', 'A' || char(10) || "
      "'B' || char(13), 'PACKAGE');");
  const QString log = TempPath(QStringLiteral("statements.log"));
  const BatchResult result = RunTarvelgen(
      Command(QStringLiteral("generate"), QStringLiteral("hr"), ToQString(snapshot.path()))
      << "--output" << TempPath(QStringLiteral("out")) << "--statement-log" << log);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string lines = ReadWholeFile(log);
  EXPECT_NE(lines.find("package_name='A\\x0AB\\x0D' order by"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;
  EXPECT_EQ(lines.find('\r'), std::string::npos);
}

struct TerminalRun {
  std::string shown;  // what the terminal received
  termios after{};    // the terminal's settings once the program has ended
  int status = -1;
};

// Runs tarvelgen on a terminal of its own, typing `keys` once `prompt` has shown.
TerminalRun RunOnTerminal(const QStringList& arguments, const std::string& prompt,
                          const std::string& keys) {
  TerminalRun run;
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return run;
  std::vector<std::string> words{FromQString(TarvelgenPath())};
  for (const QString& argument : arguments) words.push_back(FromQString(argument));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    for (int fd : {0, 1, 2}) dup2(slave, fd);
    execv(argv[0], argv.data());
    _exit(127);
  }
  // The terminal stays open here, so its end is the program's, not an end of input.
  bool typed = prompt.empty();
  bool ended = false;
  char buffer[4096];
  pollfd input{master, POLLIN, 0};
  for (int waited = 0; waited < 600; ++waited) {
    if (poll(&input, 1, 100) > 0) {
      const ssize_t count = read(master, buffer, sizeof buffer);
      if (count > 0) run.shown.append(buffer, static_cast<std::size_t>(count));
    } else if (ended) {
      break;
    }
    if (!typed && run.shown.find(prompt) != std::string::npos) {
      typed = write(master, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
    }
    if (!ended) ended = waitpid(child, &run.status, WNOHANG) == child;
  }
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &run.status, 0);
  }
  tcgetattr(slave, &run.after);
  close(master);
  close(slave);
  return run;
}

// What reaches a terminal: Ctrl-C at the password prompt leaves it echoing; a snapshot asks for
// no password; control bytes of dictionary names are shown, while a pipe gets them as they are.
TEST_F(DemoSnapshotCommandsTest, ATerminalIsLeftAsItWasAndShownNoControlBytes) {
  const TerminalRun interrupted =
      RunOnTerminal(Command(QStringLiteral("list"), QStringLiteral("hr"), QStringLiteral("ORCL")),
                    "Password: ", "\x03");
  EXPECT_TRUE(WIFSIGNALED(interrupted.status) && WTERMSIG(interrupted.status) == SIGINT)
      << interrupted.status;
  EXPECT_NE(interrupted.after.c_lflag & ECHO, 0u);

  const TemporarySnapshot snapshot(
      "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', 'EVIL' || char(27) "
      "|| '[2J', 'PACKAGE');"
      "insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, ARGUMENT_NAME, POSITION, "
      "SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) values ('HR', 'EVIL' || char(27) || '[2J', 'RUN', "
      "'P', 1, 1, 0, 'ODD' || char(7), 'IN');");
  const QString database = ToQString(snapshot.path());
  const TerminalRun listed =
      RunOnTerminal(Command(QStringLiteral("list"), QStringLiteral("hr"), database), "", "");
  EXPECT_EQ(listed.shown, "EVIL\\x1B[2J\r\n");
  EXPECT_EQ(RunTarvelgen(Command(QStringLiteral("list"), QStringLiteral("hr"), database)).out,
            "EVIL\x1b[2J\n");
  const BatchResult generate =
      RunTarvelgen(Command(QStringLiteral("generate"), QStringLiteral("hr"), database)
                   << "--output" << TempPath(QStringLiteral("out")));
  EXPECT_EQ(generate.err.substr(0, generate.err.find('\n')),
            "tarvelgen: warning: HR.EVIL\\x1B[2J.RUN left out: argument P: Parameter type: "
            "ODD\\x07 not supported!");
}

// A config.ini that exists but cannot be read would lose its type additions unnoticed.
TEST_F(DemoSnapshotCommandsTest, AConfigIniThatCannotBeReadFailsTheCommand) {
  const QString program = TempPath(QStringLiteral("tarvelgen"));
  ASSERT_TRUE(QFile::copy(TarvelgenPath(), program));
  const QString ini = TempPath(QStringLiteral("config.ini"));
  {
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[AVAR]\0\r\n", 9));
  }
  const BatchResult nul = RunTarvelgen(Generate(QStringLiteral("out")), "", program);
  EXPECT_EQ(nul.exitCode, 1);
  EXPECT_EQ(nul.err, "tarvelgen: Cannot read " + FromQString(ini) + ": it holds a NUL byte\n");
  ASSERT_TRUE(QFile::remove(ini) && QDir().mkdir(ini));
  const BatchResult folder = RunTarvelgen(Generate(QStringLiteral("out")), "", program);
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.err, "tarvelgen: Cannot read " + FromQString(ini) + ": Is a directory\n");
  EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("out"))));
}

}  // namespace
}  // namespace tarvel::testing
