#pragma once

#include <QTemporaryDir>
#include <map>
#include <string>

namespace tarvel::testing {

// odbcinst.ini and odbc.ini of the test's own, so that no driver or data source of the machine
// changes what a test sees. unixODBC keeps the paths it reads first, so Install() must run
// before the process makes its first ODBC call.
class OdbcConfiguration {
 public:
  OdbcConfiguration();
  void AddDriver(const std::string& name, const std::string& library);
  void AddDataSource(const std::string& name, const std::string& driver,
                     const std::map<std::string, std::string>& attributes);
  // Writes both files and points ODBCSYSINI and ODBCINI at them.
  void Install() const;

 private:
  QTemporaryDir dir_;
  std::string drivers_;
  std::string dataSources_;
};

// PostgreSQL's Unicode ODBC driver library, by its full path.
std::string PostgresOdbcDriverLibrary();

}  // namespace tarvel::testing
