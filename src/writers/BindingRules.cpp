#include "writers/BindingRules.h"

#include "writers/AdoTexts.h"

namespace tarvel {
namespace {

// Only these exact texts change a size or a default; every other text takes the general path.
const char kBlobData[] = "TBlobData";
const char kBlobByteData[] = "TBlobByteData";
const char kStringType[] = "string";

}  // namespace

PascalExpression SizeExpression(const TOraParameter& parameter, std::string_view direction,
                                std::string_view operand) {
  std::string_view function = "Length";
  std::string_view maximum;
  if (parameter.FieldType == kFtString && parameter.DelphiType == kBlobData) {
    maximum = "MAX_CLOB_SIZE";
  } else if (parameter.FieldType == kFtString) {
    maximum = "MAX_STRING_SIZE";
  } else if (parameter.FieldType == kFtBlob) {
    function = "High";
    maximum = "MAX_BLOB_SIZE";
  } else if (parameter.FieldType == kFtOraClob) {
    maximum = "MAX_CLOB_SIZE";
  } else {
    return {"SizeOf", parameter.DelphiType};
  }
  if (direction == kPdInput) return {function, operand};
  return {{}, maximum};
}

bool IsReadBack(const TOraParameter& parameter) {
  return parameter.Direction != kPdInput;
}

// Byte arrays take nil and strings '': a number cannot be assigned to either (LONG is a memo
// field read into a string).
std::string_view ReadBackDefault(const TOraParameter& output) {
  if (output.DelphiType == kBlobData || output.DelphiType == kBlobByteData) return " := nil;";
  if (output.FieldType == kFtString || output.DelphiType == kStringType) return " := '';";
  if (output.FieldType == kFtBoolean) return " := false;";
  return " := 0;";
}

}  // namespace tarvel
