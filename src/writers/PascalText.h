#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// A Pascal string literal of the text: "'" doubled, and each byte below 32 written outside the
// quotes as "#" and its decimal value, so that no text can end the literal or break its line.
void AppendPascalLiteral(std::string& out, std::string_view text);

// An integer text that ParseInt32 accepts, as Pascal reads it: the prefixes "0x", "0X", "x"
// and "X" become "$"; every other text stays as it is.
std::string PascalIntegerText(std::string_view text);

}  // namespace tarvel
