#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/DictionaryConnection.h"
#include "catalogue/uClass.h"
#include "typemap/uUtil.h"

namespace tarvel {

// A routine the reader leaves out, and why.
struct RoutineWarning {
  std::string message;   // as the wizard's warning box shows it
  std::string routine;   // OWNER.PACKAGE.ROUTINE, or OWNER.ROUTINE outside packages
  std::string dataType;  // the data type that is not supported, when that is the reason
  std::string argument;  // the argument of that type; empty for a function result
};

// What the reader tells the one who runs it.
class ReadListener {
 public:
  virtual ~ReadListener() = default;
  virtual void packageRead() = 0;  // after each package name
  // A routine that could not be read; it is left out once this returns.
  virtual void warning(const RoutineWarning& warning) = 0;
  // Whether a database error while reading a routine ends the read instead of being a warning.
  virtual bool failsOnDatabaseError() const { return false; }
  // Whether LoadDatabase keeps routines with record, collection and object arguments, with each
  // type's structure in the model, rather than leaving them out as ADO cannot bind them.
  virtual bool describesComposites() const { return false; }
  // The argument (or function result) that the one who runs the read cannot pass on, for which
  // the routine is left out with the unsupported-type warning; none keeps the routine.
  virtual const TOraParameter* uncarriedArgument(const TOraProcedure& /*routine*/) const {
    return nullptr;
  }
};

// How a package is asked for. Both give the same model and the same warnings in the same order.
enum class ReadWay {
  // Two statements per package: its subprograms, and the argument rows of all its routines.
  kPackageAtATime,
  // The routine statement, then one statement per routine: a diagnosis.
  kRoutineByRoutine,
};

// One package per name, in order; the empty name reads the routines outside packages. Data
// types outside the built-in table take the additions given.
std::unique_ptr<TOraDatabase> LoadDatabase(DictionaryConnection& connection,
                                           const std::string& owner,
                                           const std::vector<std::string>& packageNames,
                                           const TypeAdditions& types, ReadListener& listener,
                                           ReadWay way = ReadWay::kPackageAtATime);
std::unique_ptr<TOraPackage> LoadPackage(DictionaryConnection& connection, const std::string& owner,
                                         const std::string& packageName, const TypeAdditions& types,
                                         ReadListener& listener,
                                         ReadWay way = ReadWay::kPackageAtATime);
std::unique_ptr<TOraProcedure> LoadProcedure(
    DictionaryConnection& connection, const std::string& owner, const std::string& packageName,
    const std::string& routineName, const std::string& overload, const TypeAdditions& types);

}  // namespace tarvel
