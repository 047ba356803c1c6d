#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OdbcConfiguration.h"
#include "PostgresServer.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"

namespace tarvel {
namespace {

// Nothing listens there, so a log-on through the data source is refused at once.
const int kReportingPort = testing::FreeLoopbackPort();

// PostgreSQL's driver is installed and one data source is configured; no driver is Oracle's.
class MachineWithoutOracleDriver : public ::testing::Environment {
 public:
  void SetUp() override {
    configuration_.AddDriver("PostgreSQL Unicode", testing::PostgresOdbcDriverLibrary());
    configuration_.AddDataSource("Reporting", "PostgreSQL Unicode",
                                 {{"Servername", "127.0.0.1"},
                                  {"Port", std::to_string(kReportingPort)},
                                  {"Database", "reports"}});
    configuration_.Install();
  }

 private:
  testing::OdbcConfiguration configuration_;
};

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new MachineWithoutOracleDriver);

class RecordingSink : public PackageListSink {
 public:
  void clear() override { calls.push_back("clear"); }
  void add(const std::string& caption, PackageEntryKind) override { calls.push_back(caption); }
  std::vector<std::string> calls;
};

TEST(OdbcWithoutOracleDriver, AnOracleIdentifierFailsWithTheMessageToInstallTheDriver) {
  DictionaryConnection connection;
  RecordingSink sink;
  try {
    ConnectAndListPackages(connection, {"hr", "secret", "ORCL"}, sink);
    FAIL() << "the log-on succeeded";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(),
                 "No Oracle ODBC driver is installed: install Oracle's ODBC driver for unixODBC, "
                 "or configure an ODBC data source named ORCL");
  }
  EXPECT_FALSE(connection.isOpen());
  EXPECT_TRUE(sink.calls.empty());
}

// The data source is found ignoring case and tried: the refusal is the driver's own.
TEST(OdbcWithoutOracleDriver, AConfiguredDataSourceIsUsedWithoutAnyOracleDriver) {
  DictionaryConnection connection;
  connection.setConnectionString(BuildConnectionString({"hr", "secret", "REPORTING"}));
  try {
    connection.open();
    FAIL() << "the log-on succeeded";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("port " + std::to_string(kReportingPort) + " failed"), std::string::npos)
        << message;
  }
  EXPECT_FALSE(connection.isOpen());
}

// QODBC would read such a text as the name of a file data source.
TEST(OdbcWithoutOracleDriver, AValueHoldingDotDsnIsRefusedBeforeItReachesTheDriver) {
  DictionaryConnection connection;
  connection.setConnectionString(BuildConnectionString({"hr", "backup.DSN", "Reporting"}));
  try {
    connection.open();
    FAIL() << "the log-on succeeded";
  } catch (const TarvelError& error) {
    EXPECT_STREQ(error.what(),
                 "The ODBC log-on cannot carry a user name, password or database holding "
                 "\".dsn\"");
  }
  EXPECT_FALSE(connection.isOpen());
}

}  // namespace
}  // namespace tarvel
