#include "catalogue/PackageList.h"

#include <unordered_set>

#include "catalogue/ConnectionString.h"
#include "catalogue/SqlLiteral.h"

namespace tarvel {
namespace {

const char* const kConnectionTemplate =
    "Provider=OraOLEDB.Oracle.1;PLSQLRSet=1;Password=%s;Persist Security Info=True;User "
    "ID=%s;Data Source=%s";
// Only the column read is asked for: a snapshot's further columns may be large or computed.
const char* const kRoutinesOutsidePackagesStatement =
    "select object_name from dba_objects where owner = %s and (object_type = 'FUNCTION' or "
    "object_type = "
    "'PROCEDURE') order by object_name";
const char* const kNamedPackagesStatement =
    "select object_name from dba_objects where owner = %s and object_type = 'PACKAGE' and "
    "object_name in (%s)";
const char* const kPackagesStatement =
    "select object_name from dba_objects where owner = %s and object_type = 'PACKAGE' order "
    "by object_name";

// The sink hears that the list is complete, or that it ends where the listing failed.
class FinishGuard {
 public:
  explicit FinishGuard(PackageListSink& sink) : sink_(sink) {}
  ~FinishGuard() { sink_.finish(); }
  FinishGuard(const FinishGuard&) = delete;
  FinishGuard& operator=(const FinishGuard&) = delete;

 private:
  PackageListSink& sink_;
};

}  // namespace

std::string BuildConnectionString(const LogOnTexts& logOn) {
  return FillTemplate(kConnectionTemplate,
                      {ConnectionStringValue(logOn.password), ConnectionStringValue(logOn.user),
                       ConnectionStringValue(logOn.database)});
}

void LogOn(DictionaryConnection& connection, const LogOnTexts& logOn) {
  connection.close();
  connection.setConnectionString(BuildConnectionString(logOn));
  connection.open();
}

bool HasRoutinesOutsidePackages(DictionaryConnection& connection, const std::string& user) {
  const DictionaryQuery routines(
      connection, FillTemplate(kRoutinesOutsidePackagesStatement, {QuoteOwner(user)}));
  return !routines.eof();
}

std::set<std::string> FindPackages(DictionaryConnection& connection, const std::string& user,
                                   const std::vector<std::string>& names) {
  std::set<std::string> found;
  for (const std::string& list : QuotedLists(names)) {
    DictionaryQuery packages(connection,
                             FillTemplate(kNamedPackagesStatement, {QuoteOwner(user), list}));
    for (; !packages.eof(); packages.next()) found.insert(packages.fieldText("object_name"));
  }
  found.erase("");  // the empty name stands for the routines outside packages
  return found;
}

void ListPackages(DictionaryConnection& connection, const std::string& user,
                  PackageListSink& sink) {
  sink.clear();
  if (HasRoutinesOutsidePackages(connection, user)) {
    sink.add(kOutsidePackagesCaption, kOutsidePackagesEntry);
  }
  const FinishGuard finish(sink);
  DictionaryQuery packages(connection, FillTemplate(kPackagesStatement, {QuoteOwner(user)}));
  // The empty name stands for the routines outside packages; a name given twice is one package.
  std::unordered_set<std::string> listed;
  for (; !packages.eof(); packages.next()) {
    std::string name = packages.fieldText("object_name");
    if (name.empty() || listed.count(name) != 0) continue;
    sink.add(name, kPackageEntry);
    listed.insert(std::move(name));
  }
}

void ConnectAndListPackages(DictionaryConnection& connection, const LogOnTexts& logOn,
                            PackageListSink& sink) {
  LogOn(connection, logOn);
  ListPackages(connection, logOn.user, sink);
}

}  // namespace tarvel
