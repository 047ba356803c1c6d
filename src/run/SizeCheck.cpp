#include "run/SizeCheck.h"

#include <cstdint>
#include <limits>

#include "common/Error.h"
#include "common/Text.h"

namespace tarvel {

void CheckSizeText(const std::string& text, const std::string& boxName) {
  const auto value = ParseInt32(text);
  if (!value || *value < 0) {
    throw TarvelError("Ivalid value for " + boxName + ". Must be between 0 and " +
                      std::to_string(std::numeric_limits<std::int32_t>::max()));
  }
}

void CheckSizeTexts(const std::string& maxStringSize, const std::string& maxBlobSize,
                    const std::string& maxClobSize) {
  CheckSizeText(maxStringSize, "MaxStringLength");
  CheckSizeText(maxBlobSize, "MaxBlobSize");
  CheckSizeText(maxClobSize, "MaxClobSize");
}

}  // namespace tarvel
