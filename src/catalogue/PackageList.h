#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogue/DictionaryConnection.h"

namespace tarvel {

enum PackageEntryKind { kOutsidePackagesEntry = 0, kPackageEntry = 1 };
inline constexpr const char* kOutsidePackagesCaption = "Procedures outside packages";

// Where the package list goes: the window's list view, a batch command's output, a test's record.
class PackageListSink {
 public:
  virtual ~PackageListSink() = default;
  virtual void clear() = 0;  // once the connection is open
  virtual void add(const std::string& caption, PackageEntryKind kind) = 0;  // ticked
  virtual void finish() {}  // the list is complete, or the listing failed part way
};

// The three texts of the Login page, as typed.
struct LogOnTexts {
  std::string user;
  std::string password;
  std::string database;
};

std::string BuildConnectionString(const LogOnTexts& logOn);

// Closes the connection and opens it with the log-on texts.
void LogOn(DictionaryConnection& connection, const LogOnTexts& logOn);

// Whether the owner (the user name in upper case) has procedures or functions outside packages.
bool HasRoutinesOutsidePackages(DictionaryConnection& connection, const std::string& user);

// Those of `names` that name a package of the owner, exactly as written: asked for by name, a
// handful of statements however many packages the owner has.
std::set<std::string> FindPackages(DictionaryConnection& connection, const std::string& user,
                                   const std::vector<std::string>& names);

// Lists the owner's routines outside packages (one entry) and packages on an open connection.
void ListPackages(DictionaryConnection& connection, const std::string& user, PackageListSink& sink);

// Logs on afresh and lists the owner's routines outside packages (one entry) and packages.
void ConnectAndListPackages(DictionaryConnection& connection, const LogOnTexts& logOn,
                            PackageListSink& sink);

}  // namespace tarvel
