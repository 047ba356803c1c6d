#include "catalogue/PackageList.h"

#include "catalogue/ConnectionString.h"
#include "catalogue/SqlLiteral.h"

namespace tarvel {
namespace {

const char* const kConnectionTemplate =
    "Provider=OraOLEDB.Oracle.1;PLSQLRSet=1;Password=%s;Persist Security Info=True;User "
    "ID=%s;Data Source=%s";
const char* const kRoutinesOutsidePackagesStatement =
    "select * from dba_objects where owner = %s and (object_type = 'FUNCTION' or object_type = "
    "'PROCEDURE') order by object_name";
const char* const kPackagesStatement =
    "select * from dba_objects where owner = %s and object_type = 'PACKAGE' order by object_name";

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

void ConnectAndListPackages(DictionaryConnection& connection, const LogOnTexts& logOn,
                            PackageListSink& sink) {
  connection.close();
  connection.setConnectionString(BuildConnectionString(logOn));
  connection.open();
  sink.clear();
  const std::string owner = QuoteOwner(logOn.user);
  {
    const DictionaryQuery routines(connection,
                                   FillTemplate(kRoutinesOutsidePackagesStatement, {owner}));
    if (!routines.eof()) sink.add(kOutsidePackagesCaption, kOutsidePackagesEntry);
  }
  const FinishGuard finish(sink);
  DictionaryQuery packages(connection, FillTemplate(kPackagesStatement, {owner}));
  for (; !packages.eof(); packages.next()) {
    sink.add(packages.fieldText("object_name"), kPackageEntry);
  }
}

}  // namespace tarvel
