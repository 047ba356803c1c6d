#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "OdbcConfiguration.h"
#include "PostgresServer.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"
#include "catalogue/uOracleParser.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "run/GenerationRun.h"

namespace tarvel {
namespace {

using testing::PostgresServer;

const char* const kPostgresDriver = "PostgreSQL Unicode";
// Stands for Oracle's driver: a name holding "Oracle" on PostgreSQL's library, which reaches the
// test server through libpq's PGHOST, PGPORT and PGDATABASE, since the log-on names no server.
const char* const kOracleNamedDriver = "Oracle 19 ODBC driver (PostgreSQL stand-in)";
const char* const kHrPassword = "hr-password";
const char* const kAwkwardPassword = " semi;colon\"quote'brace} ";

// The dictionary views as PostgreSQL tables: dba_objects on the search path, the other two in
// a sys schema; OVERLOAD is an integer, as PostgreSQL compares no text with an integer. The
// driver hands text columns over as long varchar and varchar columns as varchar: both are read.
const char* const kDictionarySql = R"sql(
create schema sys;
create table dba_objects (owner varchar(128) not null, object_name text not null,
                          object_type varchar(23));
create table sys.all_arguments (owner varchar(128), package_name varchar(128),
  object_name varchar(128), overload integer, argument_name varchar(128), position integer,
  sequence integer, data_level integer, data_type varchar(30), in_out varchar(9));
create table sys.all_procedures (owner varchar(128), object_name varchar(128),
  procedure_name varchar(128), object_type varchar(23), overload integer);
grant usage on schema sys to public;
grant select on all tables in schema sys, public to public;

insert into dba_objects values
  ('HR', 'PAYROLL', 'PACKAGE'), ('HR', 'HR_API', 'PACKAGE'), ('HR', 'HR_API', 'PACKAGE BODY'),
  ('HR', 'RAISE_ALL', 'PROCEDURE'), ('SCOTT', 'ACCOUNTS', 'PACKAGE'),
  ('QUOTED', 'Q_API', 'PACKAGE');
insert into sys.all_arguments values
  ('HR', 'HR_API', 'GET_NAME', null, null, 0, 1, 0, 'VARCHAR2', 'OUT'),
  ('HR', 'HR_API', 'GET_NAME', null, 'P_ID', 1, 2, 0, 'NUMBER', 'IN'),
  ('HR', 'HR_API', 'FIND', 1, 'P_ID', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'HR_API', 'FIND', 2, 'P_NAME', 1, 1, 0, 'VARCHAR2', 'IN');
insert into sys.all_procedures values
  ('HR', 'HR_API', null, 'PACKAGE', null), ('HR', 'HR_API', 'FIND', 'PACKAGE', 1),
  ('HR', 'HR_API', 'FIND', 'PACKAGE', 2), ('HR', 'HR_API', 'GET_NAME', 'PACKAGE', null),
  ('HR', 'HR_API', 'RESET', 'PACKAGE', null);
)sql";

std::string SqlText(const std::string& value) {
  std::string literal = "'";
  for (char c : value) literal += c == '\'' ? std::string("''") : std::string(1, c);
  return literal + "'";
}

void CreateDictionary(const PostgresServer& server) {
  server.RunSql("postgres", "create role hr login password " + SqlText(kHrPassword) +
                                ";\ncreate role quoted login password " +
                                SqlText(kAwkwardPassword) + ";\ncreate database dictionary;\n");
  server.RunSql("dictionary", kDictionarySql);
}

std::map<std::string, std::string> DataSourceOf(int port) {
  return {{"Servername", "127.0.0.1"}, {"Port", std::to_string(port)}, {"Database", "dictionary"}};
}

// One server for the whole process, and the port of a second one that a test stops on purpose.
// Both data sources are configured before the first ODBC call, as unixODBC needs.
class PostgresOdbcEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    server = std::make_unique<PostgresServer>();
    CreateDictionary(*server);
    doomedPort = testing::FreeLoopbackPort();
    const std::string library = testing::PostgresOdbcDriverLibrary();
    configuration_.AddDriver(kPostgresDriver, library);
    configuration_.AddDriver(kOracleNamedDriver, library);
    configuration_.AddDataSource("TarvelDictionary", kPostgresDriver, DataSourceOf(server->port()));
    configuration_.AddDataSource("TarvelDoomed", kPostgresDriver, DataSourceOf(doomedPort));
    configuration_.Install();
    qputenv("PGHOST", "127.0.0.1");
    qputenv("PGPORT", QByteArray::number(server->port()));
    qputenv("PGDATABASE", "dictionary");
  }
  void TearDown() override { server.reset(); }

  static inline std::unique_ptr<PostgresServer> server;
  static inline int doomedPort = 0;

 private:
  testing::OdbcConfiguration configuration_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PostgresOdbcEnvironment);

class ListSink : public PackageListSink {
 public:
  void clear() override { entries.clear(); }
  void add(const std::string& caption, PackageEntryKind kind) override {
    entries.push_back(caption + " " + std::to_string(kind));
  }
  std::vector<std::string> entries{"BEFORE 1"};
};

class RecordingListener : public RunListener {
 public:
  void packageRead() override { events.push_back("package read"); }
  void warning(const RoutineWarning& warning) override {
    events.push_back("warning: " + warning.message);
  }
  void readFailed() override { events.push_back("read failed"); }
  std::vector<std::string> events;
};

class OdbcPostgres : public ::testing::Test {
 protected:
  void SetUp() override {
    connection.setStatementObserver([this](const std::string& text, bool toServer) {
      statements.push_back((toServer ? "server: " : "local: ") + text);
    });
  }

  DictionaryConnection connection;
  ListSink sink;
  std::vector<std::string> statements;
};

const std::vector<std::string> kHrEntries{"Procedures outside packages 0", "HR_API 1", "PAYROLL 1"};

TEST_F(OdbcPostgres, ListsTheOwnersPackagesThroughADataSource) {
  ConnectAndListPackages(connection, {"hr", kHrPassword, "TarvelDictionary"}, sink);
  EXPECT_EQ(sink.entries, kHrEntries);
  EXPECT_EQ(statements,
            (std::vector<std::string>{
                "server: select object_name from dba_objects where owner = 'HR' and (object_type = "
                "'FUNCTION' or object_type = 'PROCEDURE') order by object_name",
                "server: select object_name from dba_objects where owner = 'HR' and object_type = "
                "'PACKAGE' "
                "order by object_name"}));
  EXPECT_TRUE(connection.isOpen());
}

TEST_F(OdbcPostgres, AWrongPasswordFailsWithTheServersOwnMessage) {
  try {
    ConnectAndListPackages(connection, {"hr", "not-the-password", "TarvelDictionary"}, sink);
    FAIL() << "the log-on succeeded";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("password authentication failed for user \"hr\""), std::string::npos)
        << message;
  }
  EXPECT_FALSE(connection.isOpen());
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"BEFORE 1"}));
}

TEST_F(OdbcPostgres, APasswordHoldingSeparatorsQuotesBracesAndOuterBlanksLogsOn) {
  ConnectAndListPackages(connection, {"quoted", kAwkwardPassword, "TarvelDictionary"}, sink);
  EXPECT_EQ(sink.entries, (std::vector<std::string>{"Q_API 1"}));
}

TEST_F(OdbcPostgres, WithoutADataSourceOfThatNameTheDriverNamedOracleIsUsed) {
  ConnectAndListPackages(connection, {"hr", kHrPassword, "ORCL"}, sink);
  EXPECT_EQ(sink.entries, kHrEntries);
}

TEST_F(OdbcPostgres, RoutinesAndArgumentsAreReadThroughTheDriver) {
  ConnectAndListPackages(connection, {"hr", kHrPassword, "TarvelDictionary"}, sink);
  RecordingListener listener;
  const auto database = LoadDatabase(connection, "HR", {"HR_API"}, TypeAdditions{}, listener);
  EXPECT_EQ(listener.events, (std::vector<std::string>{"package read"}));
  ASSERT_EQ(database->Packages.Count(), 1);
  const TOraPackage& package = database->Packages.Items(0);
  std::vector<std::string> routines;
  for (const auto& routine : package.Procedures) {
    std::string line = routine.DbName + (routine.IsOverloaded ? " overloaded" : "") + ":";
    if (routine.ReturnParam) line += " returns " + routine.ReturnParam->FieldType;
    for (const auto& parameter : routine.Parameters) {
      line += " " + parameter.DbName + " " + parameter.FieldType + " " + parameter.Direction;
    }
    routines.push_back(line);
  }
  EXPECT_EQ(routines,
            (std::vector<std::string>{
                "FIND overloaded: P_ID ftFloat pdInput", "FIND overloaded: P_NAME ftString pdInput",
                "GET_NAME: returns ftString P_ID ftFloat pdInput", "RESET:"}));
}

TEST_F(OdbcPostgres, AServerStoppedBetweenListingAndReadingFailsTheRead) {
  PostgresServer doomed(PostgresOdbcEnvironment::doomedPort);
  CreateDictionary(doomed);
  ConnectAndListPackages(connection, {"hr", kHrPassword, "TarvelDoomed"}, sink);
  EXPECT_EQ(sink.entries, kHrEntries);
  doomed.Stop();
  RecordingListener listener;
  try {
    LoadDatabase(connection, "HR", {"PAYROLL", "HR_API"}, TypeAdditions{}, listener);
    FAIL() << "the read succeeded";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("server closed the connection unexpectedly"), std::string::npos)
        << message;
  }
  EXPECT_TRUE(listener.events.empty());
}

// The copy of the server's rows is part of the read: a server gone while it is made fails the
// run with the driver's message before any unit is written.
TEST_F(OdbcPostgres, AServerStoppedDuringTheCopyFailsTheRunAndWritesNothing) {
  PostgresServer doomed(PostgresOdbcEnvironment::doomedPort);
  CreateDictionary(doomed);
  ConnectAndListPackages(connection, {"hr", kHrPassword, "TarvelDoomed"}, sink);
  connection.setStatementObserver([&](const std::string& statement, bool) {
    statements.push_back(statement);
    if (statement.find("sys.all_procedures") != std::string::npos) doomed.Stop();
  });
  QTemporaryDir folder;
  GenerationRequest request;
  request.user = "hr";
  request.names = {"", "HR_API"};
  request.folder = FromQString(folder.path());
  RecordingListener listener;
  try {
    RunGeneration(connection, request, listener);
    FAIL() << "the run succeeded";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("server closed the connection unexpectedly"), std::string::npos)
        << message;
  }
  // The listing's two, then the copy's two, the second of which met the stopped server.
  EXPECT_EQ(statements.size(), 4u);
  EXPECT_EQ(listener.events, (std::vector<std::string>{"read failed"}));
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace
}  // namespace tarvel
