#include "OdbcConfiguration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

void WriteFile(const QString& path, const std::string& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    throw TarvelError("Cannot write " + FromQString(path));
  }
}

}  // namespace

OdbcConfiguration::OdbcConfiguration() {
  if (!dir_.isValid()) throw TarvelError("Cannot create a folder for the ODBC configuration");
}

void OdbcConfiguration::AddDriver(const std::string& name, const std::string& library) {
  drivers_ += "[" + name + "]\nDescription=" + name + "\nDriver=" + library + "\n\n";
}

void OdbcConfiguration::AddDataSource(const std::string& name, const std::string& driver,
                                      const std::map<std::string, std::string>& attributes) {
  dataSources_ += "[" + name + "]\nDriver=" + driver + "\n";
  for (const auto& [key, value] : attributes) dataSources_ += key + "=" + value + "\n";
  dataSources_ += "\n";
}

void OdbcConfiguration::Install() const {
  WriteFile(dir_.filePath(QStringLiteral("odbcinst.ini")), drivers_);
  WriteFile(dir_.filePath(QStringLiteral("odbc.ini")), dataSources_);
  qputenv("ODBCSYSINI", QFile::encodeName(dir_.path()));
  qputenv("ODBCINI", QFile::encodeName(dir_.filePath(QStringLiteral("odbc.ini"))));
}

std::string PostgresOdbcDriverLibrary() {
  const QDir libraries(QStringLiteral("/usr/lib"));
  for (const QString& folder : libraries.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QFileInfo library(libraries.filePath(folder + QStringLiteral("/odbc/psqlodbcw.so")));
    if (library.isFile()) return FromQString(library.absoluteFilePath());
  }
  throw TarvelError("PostgreSQL's ODBC driver (psqlodbcw.so) is not installed");
}

}  // namespace tarvel::testing
