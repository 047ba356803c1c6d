#pragma once

#include <string>

namespace tarvel {

// A size text must read as a whole number from 0 to 2147483647; otherwise this fails with
// "Ivalid value for <boxName>. Must be between 0 and 2147483647".
void CheckSizeText(const std::string& text, const std::string& boxName);

// The three sizes of the Destination page in the order string, BLOB, CLOB; the first that does
// not read fails, and the others are not looked at.
void CheckSizeTexts(const std::string& maxStringSize, const std::string& maxBlobSize,
                    const std::string& maxClobSize);

}  // namespace tarvel
