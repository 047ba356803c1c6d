#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "BatchProcess.h"
#include "OdbcConfiguration.h"
#include "PostgresServer.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

// The demo dictionary served by PostgreSQL through unixODBC, standing in for Oracle: the views
// as tables with the snapshot's columns (dba_objects on the search path, the other two in a sys
// schema, OVERLOAD an integer), filled by the very SQL text that builds the demo snapshot.
const char* const kDictionaryTables = R"sql(
create schema sys;
create table dba_objects (OWNER text not null, OBJECT_NAME text not null, SUBOBJECT_NAME text,
  OBJECT_ID integer, OBJECT_TYPE text, STATUS text default 'VALID');
create table sys.all_arguments (OWNER text not null, OBJECT_NAME text, PACKAGE_NAME text,
  OBJECT_ID integer, OVERLOAD integer, SUBPROGRAM_ID integer, ARGUMENT_NAME text,
  POSITION integer, SEQUENCE integer, DATA_LEVEL integer, DATA_TYPE text, IN_OUT text,
  DATA_LENGTH integer, TYPE_NAME text, TYPE_SUBNAME text);
create table sys.all_procedures (OWNER text not null, OBJECT_NAME text, PROCEDURE_NAME text,
  OBJECT_ID integer, SUBPROGRAM_ID integer, OVERLOAD integer, OBJECT_TYPE text);
grant usage on schema sys to public;
grant select on all tables in schema sys, public to public;
set search_path = sys, public;
)sql";

const char* const kDataSource = "TarvelDemoDictionary";
const std::string kHrPassword = "Hr-9fq2-lantern";

const std::string kDemoWarnings =
    "Parameter type: OBJECT not supported!\n"
    "Cannot convert param in :HR.HR_AUDIT.SAVE_EMP\n";

// One server for the whole process. The data source is configured through ODBCSYSINI and
// ODBCINI, which every tarvelgen started by the tests inherits.
class DemoDictionaryServer : public ::testing::Environment {
 public:
  void SetUp() override {
    server = std::make_unique<PostgresServer>();
    server->RunSql("postgres", "create role hr login password '" + kHrPassword +
                                   "';\ncreate database dictionary;\n");
    server->RunSql("dictionary", std::string(kDictionaryTables) +
                                     ReadBytes(QStringLiteral(TARVEL_DEMO_DICTIONARY_SQL)));
    configuration_.AddDriver("PostgreSQL Unicode", PostgresOdbcDriverLibrary());
    configuration_.AddDataSource(kDataSource, "PostgreSQL Unicode",
                                 {{"Servername", "127.0.0.1"},
                                  {"Port", std::to_string(server->port())},
                                  {"Database", "dictionary"}});
    configuration_.Install();
  }
  void TearDown() override { server.reset(); }

  static inline std::unique_ptr<PostgresServer> server;

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
  EXPECT_EQ(UnitFiles(TempPath(QStringLiteral("out"))), GoldenUnits("demo-snapshot"));

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
  const auto units = UnitFiles(TempPath(QStringLiteral("server")));
  EXPECT_EQ(units, UnitFiles(TempPath(QStringLiteral("snapshot"))));
  ASSERT_EQ(units.size(), 3u);
  EXPECT_NE(units.at("uMyOracleDB.pas").find("uses Classes, ADODB, DB, uHrBatch, uHrApi;\r\n"),
            std::string::npos);
  EXPECT_NE(units.at("uMyOracleDB.pas").find("function  EmpCount(PDept : double): double;"),
            std::string::npos);
}

TEST_F(PostgresCommandsTest, BadSizesAndUnknownOptionsFailAsWithASnapshot) {
  const BatchResult size = Generate(QStringLiteral("out"), {"--max-string", "-1"});
  EXPECT_EQ(size.exitCode, 1);
  EXPECT_EQ(size.err, "Ivalid value for MaxStringLength. Must be between 0 and 2147483647\n");
  const BatchResult option = Run(Command(QStringLiteral("list")) << "--output"
                                                                 << "x");
  EXPECT_EQ(option.exitCode, 2);
  EXPECT_EQ(option.err.rfind("tarvelgen: unknown option --output\n\nUsage: tarvelgen list", 0), 0u);
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
  const auto units = UnitFiles(TempPath(QStringLiteral("server")));
  EXPECT_EQ(UnitFiles(TempPath(QStringLiteral("copy"))), units);
  EXPECT_EQ(units, GoldenUnits("demo-snapshot"));
}

// Every file the commands write, the snapshot included, and the process's own arguments.
TEST_F(PostgresCommandsTest, ThePasswordShowsInNoArgumentAndNoFile) {
  QProcess process;
  process.start(TarvelgenPath(), Command(QStringLiteral("snapshot"))
                                     << "--output" << TempPath(QStringLiteral("hr.snapshot")));
  ASSERT_TRUE(process.waitForStarted());
  const std::string arguments =
      ReadBytes(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
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
    EXPECT_EQ(ReadBytes(path).find(kHrPassword), std::string::npos) << FromQString(path);
  }
  EXPECT_EQ(files, 6);
}

}  // namespace
}  // namespace tarvel::testing
