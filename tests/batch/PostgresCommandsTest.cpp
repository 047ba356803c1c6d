#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "BatchProcess.h"
#include "OdbcConfiguration.h"
#include "PostgresServer.h"
#include "SnapshotFixture.h"
#include "StallingProxy.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

// The demo dictionary served by PostgreSQL through unixODBC, standing in for Oracle: the views
// as tables of the snapshot's shape, filled by the very SQL text that builds the demo snapshot.
const char* const kDataSource = "TarvelDemoDictionary";
// The same server behind a proxy that a test makes stop answering.
const char* const kStallingDataSource = "TarvelStalling";
const std::string kHrPassword = "Hr-9fq2-lantern";

const std::string kDemoWarnings =
    "tarvelgen: warning: HR.HR_AUDIT.LOG_EVENT left out: argument P_EVENT: Parameter type: "
    "OBJECT not supported!\n"
    "tarvelgen: warning: HR.HR_AUDIT.SAVE_EMP left out: Cannot convert param in "
    ":HR.HR_AUDIT.SAVE_EMP\n";

// One server for the whole process. The data source is configured through ODBCSYSINI and
// ODBCINI, which every tarvelgen started by the tests inherits.
class DemoDictionaryServer : public ::testing::Environment {
 public:
  void SetUp() override {
    server = std::make_unique<PostgresServer>();
    server->RunSql("postgres", "create role hr login password '" + kHrPassword +
                                   "';\ncreate database dictionary;\n");
    server->RunSql("dictionary",
                   PostgresTablesSql() + ReadWholeFile(QStringLiteral(TARVEL_DEMO_DICTIONARY_SQL)));
    proxy = std::make_unique<StallingProxy>(server->port());
    configuration_.AddDriver("PostgreSQL Unicode", PostgresOdbcDriverLibrary());
    for (const auto& [name, port] :
         {std::pair(kDataSource, server->port()), std::pair(kStallingDataSource, proxy->port())}) {
      configuration_.AddDataSource(name, "PostgreSQL Unicode",
                                   {{"Servername", "127.0.0.1"},
                                    {"Port", std::to_string(port)},
                                    {"Database", "dictionary"}});
    }
    configuration_.Install();
  }
  void TearDown() override {
    proxy.reset();
    server.reset();
  }

  static inline std::unique_ptr<PostgresServer> server;
  static inline std::unique_ptr<StallingProxy> proxy;

 private:
  OdbcConfiguration configuration_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DemoDictionaryServer);

class PostgresCommandsTest : public ::testing::Test {
 protected:
  QString TempPath(const QString& name) const { return dir_.filePath(name); }

  static QStringList Command(const QString& command,
                             const QString& database = QString::fromLatin1(kDataSource)) {
    return {command,
            QStringLiteral("--user"),
            QStringLiteral("hr"),
            QStringLiteral("--database"),
            database,
            QStringLiteral("--password-stdin")};
  }

  // From the server with the password on standard input.
  BatchResult Run(const QStringList& arguments) const {
    return RunTarvelgen(arguments, kHrPassword + "\n");
  }

  BatchResult Generate(const QString& folderName, const QStringList& options = {}) const {
    return Run(Command(QStringLiteral("generate"))
               << "--output" << TempPath(folderName) << options);
  }

  QTemporaryDir dir_;
};

TEST_F(PostgresCommandsTest, ListPrintsTheEntriesOfTheServer) {
  const BatchResult result = Run(Command(QStringLiteral("list")));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "Procedures outside packages\nHR_API\nHR_AUDIT\nHR_BATCH\nHR_EMPTY\nHR_TYPES\n");
}

TEST_F(PostgresCommandsTest, GenerateWritesTheWizardsUnits) {
  const BatchResult result = Generate(QStringLiteral("out"));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "Units written: 5, unchanged: 0, routines left out: 2\n");
  EXPECT_EQ(result.err, kDemoWarnings);
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("out"))), GoldenUnits("demo-snapshot"));

  const BatchResult strict = Generate(QStringLiteral("strict"), {QStringLiteral("--strict")});
  EXPECT_EQ(strict.exitCode, 3);
  EXPECT_EQ(strict.err, kDemoWarnings);
}

TEST_F(PostgresCommandsTest, PackageOrderAndOutsideGiveWhatTheSnapshotGives) {
  const QStringList options{"--package", "HR_BATCH", "--outside", "--package", "HR_API"};
  const BatchResult server = Generate(QStringLiteral("server"), options);
  ASSERT_EQ(server.exitCode, 0) << server.err;
  const BatchResult snapshot =
      RunTarvelgen(QStringList{"generate", "--user", "hr", "--database", DemoSnapshotPath(),
                               "--output", TempPath(QStringLiteral("snapshot"))}
                   << options);
  ASSERT_EQ(snapshot.exitCode, 0) << snapshot.err;
  const auto units = UnitFilesIn(TempPath(QStringLiteral("server")));
  EXPECT_EQ(units, UnitFilesIn(TempPath(QStringLiteral("snapshot"))));
  ASSERT_EQ(units.size(), 3u);
  EXPECT_NE(units.at("uMyOracleDB.pas").find("uses Classes, ADODB, DB, uHrBatch, uHrApi;\r\n"),
            std::string::npos);
  EXPECT_NE(units.at("uMyOracleDB.pas").find("function  EmpCount(PDept : double): double;"),
            std::string::npos);
}

TEST_F(PostgresCommandsTest, BadSizesAndUnknownOptionsFailAsWithASnapshot) {
  const BatchResult size = Generate(QStringLiteral("out"), {"--max-string", "-1"});
  EXPECT_EQ(size.exitCode, 2);
  EXPECT_EQ(size.err,
            "tarvelgen: --max-string -1: Ivalid value for MaxStringLength. Must be between 0 and "
            "2147483647\nRun 'tarvelgen --help' for usage.\n");
  const BatchResult option = Run(Command(QStringLiteral("list")) << "--output"
                                                                 << "x");
  EXPECT_EQ(option.exitCode, 2);
  EXPECT_EQ(option.err, "tarvelgen: unknown option --output\nRun 'tarvelgen --help' for usage.\n");
  EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("out"))));
}

TEST_F(PostgresCommandsTest, AWrongPasswordFailsWithTheServersMessageAndShowsNoPassword) {
  const std::string wrong = "Wrong-77-pass";
  const BatchResult list = RunTarvelgen(Command(QStringLiteral("list")), wrong + "\n");
  const BatchResult snapshot = RunTarvelgen(
      Command(QStringLiteral("snapshot")) << "--output" << TempPath(QStringLiteral("hr.snapshot")),
      wrong + "\n");
  for (const BatchResult& result : {list, snapshot}) {
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("password authentication failed for user \"hr\""), std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find(wrong), std::string::npos);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});

  // Cut at the NUL byte, the password would be the right one.
  const BatchResult nul =
      RunTarvelgen(Command(QStringLiteral("list")), kHrPassword + std::string(1, '\0') + "x\n");
  EXPECT_EQ(nul.exitCode, 1);
  EXPECT_EQ(nul.err,
            "tarvelgen: The ODBC log-on cannot carry a user name, password or database holding a "
            "NUL byte\n");
  EXPECT_EQ(nul.out, "");
}

TEST_F(PostgresCommandsTest, ASnapshotOfTheServerGeneratesWhatTheServerGenerates) {
  const QString copy = TempPath(QStringLiteral("hr.snapshot"));
  const BatchResult snapshot = Run(Command(QStringLiteral("snapshot")) << "--output" << copy);
  ASSERT_EQ(snapshot.exitCode, 0) << snapshot.err;
  EXPECT_EQ(snapshot.out, "Snapshot written to " + FromQString(copy) +
                              ": 8 objects, 51 argument rows, 28 procedure rows\n");

  const BatchResult fromServer = Generate(QStringLiteral("server"));
  const BatchResult fromSnapshot = RunTarvelgen(
      Command(QStringLiteral("generate"), copy) << "--output" << TempPath(QStringLiteral("copy")),
      "");
  ASSERT_EQ(fromServer.exitCode, 0) << fromServer.err;
  ASSERT_EQ(fromSnapshot.exitCode, 0) << fromSnapshot.err;
  EXPECT_EQ(fromSnapshot.err, fromServer.err);
  const auto units = UnitFilesIn(TempPath(QStringLiteral("server")));
  EXPECT_EQ(UnitFilesIn(TempPath(QStringLiteral("copy"))), units);
  EXPECT_EQ(units, GoldenUnits("demo-snapshot"));
}

// A server that stops answering at the log-on, or at a statement of the listing, the copy or
// the snapshot, fails the command once the wait given has run out, naming server and wait.
TEST_F(PostgresCommandsTest, AServerThatStopsAnsweringFailsTheCommandOnceTheWaitRunsOut) {
  const QString stalling = QString::fromLatin1(kStallingDataSource);
  const QStringList wait{"--timeout", "2"};
  const struct {
    const char* clientSends;  // what the proxy stalls at; nothing: at once
    QStringList command;
  } stalls[] = {
      {"", Command(QStringLiteral("list"), stalling) << wait},
      {"dba_objects", Command(QStringLiteral("list"), stalling) << wait},
      {"all_arguments", Command(QStringLiteral("generate"), stalling)
                            << wait << "--output" << TempPath(QStringLiteral("out"))},
      {"all_procedures", Command(QStringLiteral("snapshot"), stalling)
                             << wait << "--output" << TempPath(QStringLiteral("hr.snapshot"))},
  };
  for (const auto& stall : stalls) {
    SCOPED_TRACE(stall.clientSends);
    DemoDictionaryServer::proxy->stallWhenClientSends(stall.clientSends);
    const BatchResult result = Run(stall.command);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "tarvelgen: No answer from TarvelStalling within 2 seconds\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_TRUE(UnitFilesIn(TempPath(QStringLiteral("out"))).empty());
  EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("hr.snapshot"))));
}

// Every file the commands write, the snapshot included, and the process's own arguments.
TEST_F(PostgresCommandsTest, ThePasswordShowsInNoArgumentAndNoFile) {
  QProcess process;
  process.start(TarvelgenPath(), Command(QStringLiteral("snapshot"))
                                     << "--output" << TempPath(QStringLiteral("hr.snapshot")));
  ASSERT_TRUE(process.waitForStarted());
  const std::string arguments =
      ReadWholeFile(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
  process.write((kHrPassword + "\n").c_str());
  process.closeWriteChannel();
  ASSERT_TRUE(process.waitForFinished(120000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_NE(arguments.find("--password-stdin"), std::string::npos);
  EXPECT_EQ(arguments.find(kHrPassword), std::string::npos);

  ASSERT_EQ(Generate(QStringLiteral("out")).exitCode, 0);
  int files = 0;
  for (QDirIterator it(dir_.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
    const QString path = it.next();
    ++files;
    EXPECT_EQ(ReadWholeFile(path).find(kHrPassword), std::string::npos) << FromQString(path);
  }
  EXPECT_EQ(files, 6);
}

}  // namespace
}  // namespace tarvel::testing

namespace tarvel::testing {
namespace {

// An ArgumentRow in order: owner, package, routine, overload, argument, position, level, type,
// in/out; an empty text is NULL.

// Twelve overloads of FIND (n arguments each, so that each stays), overloads of RESET of which
// the first has no arguments and so no all_arguments row, and routines outside packages.
std::string TwelveOverloadsRows() {
  std::string rows =
      Insert(ObjectRow{"OVL", "OVL_API"}) + Insert(ObjectRow{"OVL", "PING", "PROCEDURE"}) +
      Insert(ObjectRow{"OVL", "NOW_TEXT", "FUNCTION"}) + Insert(ProcedureRow{"OVL", "OVL_API"}) +
      Insert(ProcedureRow{"OVL", "PING", "", "", "PROCEDURE"}) +
      Insert(ProcedureRow{"OVL", "NOW_TEXT", "", "", "FUNCTION"}) +
      Insert(ArgumentRow{"OVL", "", "NOW_TEXT", "", "", 0, 0, "VARCHAR2", "OUT"});
  for (int overload = 1; overload <= 12; ++overload) {
    const std::string value = std::to_string(overload);
    rows += Insert(ProcedureRow{"OVL", "OVL_API", "FIND", value});
    for (int position = 1; position <= overload; ++position) {
      const std::string name = "P_" + std::to_string(position);
      rows += Insert(ArgumentRow{"OVL", "OVL_API", "FIND", value, name, position, 0, "NUMBER"});
    }
  }
  return rows + Insert(ProcedureRow{"OVL", "OVL_API", "RESET", "1"}) +
         Insert(ProcedureRow{"OVL", "OVL_API", "RESET", "2"}) +
         Insert(ArgumentRow{"OVL", "OVL_API", "RESET", "2", "P_FORCE", 1, 0, "VARCHAR2"});
}

// A mixed-case package name, an overload without arguments, a record argument, a type the
// mapping refuses, an argument name beyond ASCII, and a routine outside packages.
std::string MixedRows() {
  const std::string package = "Mixed_Api";
  return Insert(ObjectRow{"MIX", package}) + Insert(ObjectRow{"MIX", "LOG_IT", "PROCEDURE"}) +
         Insert(ProcedureRow{"MIX", package}) +
         Insert(ProcedureRow{"MIX", "LOG_IT", "", "", "PROCEDURE"}) +
         Insert(ArgumentRow{"MIX", "", "LOG_IT", "", "P_TEXT", 1, 0, "VARCHAR2"}) +
         Insert(ProcedureRow{"MIX", package, "GET", "1"}) +
         Insert(ProcedureRow{"MIX", package, "GET", "2"}) +
         Insert(ArgumentRow{"MIX", package, "GET", "2", "P_ID", 1, 0, "NUMBER"}) +
         Insert(ArgumentRow{"MIX", package, "SAVE_REC", "", "P_REC", 2, 0, "PL/SQL RECORD"}) +
         Insert(ArgumentRow{"MIX", package, "SAVE_REC", "", "ID", 1, 1, "NUMBER"}) +
         Insert(ArgumentRow{"MIX", package, "STAMP", "", "P_AT", 1, 0, "OBJECT"}) +
         Insert(ArgumentRow{"MIX", package, "ADD_ONE", "", "", 0, 0, "NUMBER", "OUT"}) +
         Insert(ArgumentRow{"MIX", package, "ADD_ONE", "", "P_N", 1, 0, "NUMBER"}) +
         Insert(ArgumentRow{"MIX", package, "ADD_ONE", "", "P_ÉTÉ_€", 2, 0, "VARCHAR2"});
}

struct ReadCase {
  const char* user;
  std::string rows;  // "" for the demo dictionary, which the server holds from the start
  std::string out;
  std::string err;
  int entries;  // of the package list, each read from the copy in two statements
  // The server sorts its integer OVERLOAD as a number, where Oracle and the copy sort text:
  // read routine by routine it gives the same order only below ten overloads.
  bool perRoutineToo;
};

std::vector<ReadCase> ReadCases() {
  return {
      {"hr", "", "Units written: 5, unchanged: 0, routines left out: 2\n", kDemoWarnings, 6, true},
      {"ovl", TwelveOverloadsRows(), "Units written: 2, unchanged: 0\n", "", 2, false},
      {"mix", MixedRows(),
       "Units written: 2, unchanged: 0, routines left out: 2\n"
       "Pascal names changed: 1 (see --verbose)\n",
       "tarvelgen: warning: MIX.Mixed_Api.SAVE_REC left out: Cannot convert param in "
       ":MIX.Mixed_Api.SAVE_REC\n"
       "tarvelgen: warning: MIX.Mixed_Api.STAMP left out: argument P_AT: Parameter type: "
       "OBJECT not supported!\n",
       2, true}};
}

// The statements of a --statement-log: those sent to the server, and those run on the copy.
std::pair<int, int> CountStatements(const QString& log) {
  std::pair<int, int> counts{0, 0};
  QFile file(log);
  if (!file.open(QIODevice::ReadOnly)) return counts;
  while (!file.atEnd()) {
    (file.readLine().startsWith("-- sent to the server: ") ? counts.first : counts.second)++;
  }
  return counts;
}

// The server's rows are copied in four statements (the listing's two and one per view), and
// the reader's statements, two per package, then run on the copy: the same units and warnings as
// the snapshot of the same rows gives, and as reading the server routine by routine gives.
TEST_F(PostgresCommandsTest, TheServerIsReadAsASnapshotOfTheSameRowsIsRead) {
  for (const ReadCase& read : ReadCases()) {
    const QString user = QString::fromLatin1(read.user);
    SCOPED_TRACE(read.user);
    QString snapshot = DemoSnapshotPath();
    if (!read.rows.empty()) {
      DemoDictionaryServer::server->RunSql(
          "postgres",
          "create role " + std::string(read.user) + " login password '" + kHrPassword + "';\n");
      DemoDictionaryServer::server->RunSql("dictionary",
                                           "set search_path = sys, public;\n" + read.rows);
      snapshot = TempPath(user + ".snapshot");
      BuildSnapshotFile(FromQString(snapshot), SnapshotTablesSql() + read.rows);
    }
    const QString expected = TempPath(user + "-snapshot");
    const BatchResult fromSnapshot =
        RunTarvelgen({"generate", "--user", user, "--database", snapshot, "--output", expected});
    EXPECT_EQ(fromSnapshot.out, read.out);
    EXPECT_EQ(fromSnapshot.err, read.err);

    for (const QString& way : {QStringLiteral("copy"), QStringLiteral("per-routine")}) {
      const bool perRoutine = way == QStringLiteral("per-routine");
      if (perRoutine && !read.perRoutineToo) continue;
      SCOPED_TRACE(FromQString(way));
      const QString folder = TempPath(user + "-" + way);
      QStringList arguments{"generate",        "--user",           user,       "--database",
                            kDataSource,       "--password-stdin", "--output", folder,
                            "--statement-log", folder + ".log"};
      if (perRoutine) arguments << "--read-per-routine";
      const BatchResult fromServer = RunTarvelgen(arguments, kHrPassword + "\n");
      EXPECT_EQ(fromServer.out, read.out);
      EXPECT_EQ(fromServer.err, read.err);
      EXPECT_EQ(UnitFilesIn(folder), UnitFilesIn(expected));
      const auto [sent, local] = CountStatements(folder + ".log");
      EXPECT_EQ(sent, perRoutine ? sent + local : 4);
      if (perRoutine) {
        EXPECT_GT(sent, 4 + 2 * read.entries);
      } else {
        EXPECT_EQ(local, 2 * read.entries);
      }
    }
  }
}

}  // namespace
}  // namespace tarvel::testing
