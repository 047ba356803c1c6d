#include <gmock/gmock.h>
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

using ::testing::HasSubstr;

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

// The message the log-on fails with; the connection stays closed and nothing is listed.
std::string LogOnFailure(const LogOnTexts& logOn) {
  DictionaryConnection connection;
  RecordingSink sink;
  try {
    ConnectAndListPackages(connection, logOn, sink);
  } catch (const TarvelError& error) {
    EXPECT_FALSE(connection.isOpen());
    EXPECT_TRUE(sink.calls.empty());
    return error.what();
  }
  return "the log-on succeeded";
}

// Without a data source of its name an Oracle identifier needs Oracle's driver; a configured
// data source is found ignoring case and tried, so the refusal is its driver's own; QODBC would
// read a text holding ".dsn" as the name of a file data source.
TEST(OdbcWithoutOracleDriver, ALogOnFailsWithTheMessageThatSaysWhy) {
  EXPECT_EQ(LogOnFailure({"hr", "secret", "ORCL"}),
            "No Oracle ODBC driver is installed: install Oracle's ODBC driver for unixODBC, or "
            "configure an ODBC data source named ORCL");
  EXPECT_THAT(LogOnFailure({"hr", "secret", "REPORTING"}),
              HasSubstr("port " + std::to_string(kReportingPort) + " failed"));
  EXPECT_EQ(LogOnFailure({"hr", "backup.DSN", "Reporting"}),
            "The ODBC log-on cannot carry a user name, password or database holding \".dsn\"");
}

}  // namespace
}  // namespace tarvel
