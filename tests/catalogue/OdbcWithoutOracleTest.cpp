#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "OdbcConfiguration.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"

namespace tarvel {
namespace {

// A loopback port that nothing listens on: a connection to it is refused at once.
int ClosedLoopbackPort() {
  const int socketHandle = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(socketHandle, reinterpret_cast<sockaddr*>(&address), &length);
  close(socketHandle);
  return ntohs(address.sin_port);
}

const int kReportingPort = ClosedLoopbackPort();

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
  EXPECT_FALSE(connection.IsOpen());
  EXPECT_TRUE(sink.calls.empty());
}

// The data source is found ignoring case and tried: the refusal is the driver's own.
TEST(OdbcWithoutOracleDriver, AConfiguredDataSourceIsUsedWithoutAnyOracleDriver) {
  DictionaryConnection connection;
  connection.SetConnectionString(BuildConnectionString({"hr", "secret", "REPORTING"}));
  try {
    connection.Open();
    FAIL() << "the log-on succeeded";
  } catch (const TarvelError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("port " + std::to_string(kReportingPort) + " failed"), std::string::npos)
        << message;
  }
  EXPECT_FALSE(connection.IsOpen());
}

}  // namespace
}  // namespace tarvel
