#include "ReaderTestSupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "ModelText.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

std::string DescribeParameter(const std::string& indent, const TOraParameter& parameter) {
  return indent + parameter.Name + " " + parameter.DbName + " " + parameter.FieldType + " " +
         parameter.DelphiType + " " + parameter.Direction +
         (parameter.Type != nullptr ? " " + TypeReference(*parameter.Type) : "");
}

void DescribeRoutine(const TOraProcedure& routine, const std::string& packageName,
                     std::vector<std::string>& lines) {
  lines.push_back("  routine " + routine.Name + " " + routine.DbName + " of '" + packageName + "'" +
                  (routine.IsOverloaded ? " overloaded" : ""));
  if (routine.ReturnParam) lines.push_back(DescribeParameter("    returns ", *routine.ReturnParam));
  for (const TOraParameter& parameter : routine.Parameters) {
    lines.push_back(DescribeParameter("    ", parameter));
  }
}

}  // namespace

void RecordingListener::packageRead() {
  events.push_back("package read");
}

void RecordingListener::warning(const RoutineWarning& warning) {
  events.push_back("warning: " + warning.message);
}

std::vector<std::string> Describe(const TOraPackage& package) {
  std::vector<std::string> lines{"package " + package.Name + " of '" + package.DbName + "'"};
  for (const TOraProcedure& routine : package.Procedures)
    DescribeRoutine(routine, package.DbName, lines);
  return lines;
}

std::vector<std::string> Describe(const TOraDatabase& database) {
  std::vector<std::string> lines;
  for (const TOraPackage& package : database.Packages) {
    for (std::string& line : Describe(package)) lines.push_back(std::move(line));
  }
  if (!database.Procedures.Empty()) lines.push_back("database routines filled");
  for (std::string& line : DescribeTypes(database.Types)) lines.push_back(std::move(line));
  return lines;
}

void ChangeSnapshot(const std::string& path, const std::string& sql) {
  const QString name = QStringLiteral("reader-test-change");
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(ToQString(path));
    bool done = database.open();
    std::string message = FromQString(database.lastError().text());
    if (done) {
      QSqlQuery query(database);
      done = query.exec(ToQString(sql));
      message = FromQString(query.lastError().text());
    }
    database.close();
    if (!done) ADD_FAILURE() << "Cannot change " << path << ": " << message;
  }
  QSqlDatabase::removeDatabase(name);
}

void SnapshotReaderTest::SetUp() {
  connection.setStatementObserver(
      [this](const std::string& statement, bool) { statements.push_back(statement); });
}

void SnapshotReaderTest::OpenSnapshot(const std::string& path) {
  connection.close();
  connection.setConnectionString(BuildConnectionString({"hr", "secret", path}));
  connection.open();
}

void SnapshotReaderTest::OpenRows(const std::string& rowsSql) {
  connection.close();
  snapshot = std::make_unique<TemporarySnapshot>(rowsSql);
  OpenSnapshot(snapshot->path());
}

}  // namespace tarvel::testing
