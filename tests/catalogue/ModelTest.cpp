#include <gtest/gtest.h>

#include <memory>

#include "catalogue/uClass.h"

namespace tarvel {
namespace {

TOraParameter Parameter(const std::string& dbName, const std::string& direction) {
  TOraParameter parameter;
  parameter.Name = FormatIdentifier(dbName);
  parameter.DbName = dbName;
  parameter.FieldType = "ftFloat";
  parameter.DelphiType = "double";
  parameter.Direction = direction;
  return parameter;
}

// Run under the sanitizers, a tree released once leaves nothing behind and frees nothing twice.
TEST(Model, ReleasingTheDatabaseReleasesTheWholeTree) {
  auto database = std::make_unique<TOraDatabase>();
  for (const char* packageName : {"", "HR_API", "HR_API"}) {
    auto& package = database->Packages.Add({});
    package.DbName = packageName;
    package.Name = FormatIdentifier(packageName);
    for (int overload = 1; overload <= 2; ++overload) {
      auto& routine = package.Procedures.Add({});
      routine.DbName = "FIND";
      routine.Name = "Find";
      routine.IsOverloaded = true;
      routine.Parameters.Add(Parameter("P_ID", "pdInput"));
      routine.Parameters.Add(Parameter("P_OUT", "pdOutput"));
      routine.ReturnParam =
          std::make_unique<TOraParameter>(Parameter("@RETURN_VALUE", "pdReturnValue"));
    }
  }
  EXPECT_EQ(database->Packages.Count(), 3u);
  EXPECT_EQ(database->Packages.Items(2).Procedures.Items(1).Parameters.Items(1).Name, "POut");
  EXPECT_TRUE(database->Procedures.Empty());
  database.reset();
}

TEST(Model, NewObjectsStartEmpty) {
  const TOraProcedure routine;
  EXPECT_TRUE(routine.Name.empty());
  EXPECT_FALSE(routine.IsOverloaded);
  EXPECT_EQ(routine.ReturnParam, nullptr);
  EXPECT_EQ(routine.Parameters.Count(), 0u);
}

}  // namespace
}  // namespace tarvel
