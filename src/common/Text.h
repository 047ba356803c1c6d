#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Hashes a text key by its view, so that a set or map of texts is searched without a copy.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

// Case changes touch the ASCII letters only; every other byte passes unchanged. The byte forms
// are inline: they run once per byte of every name.
inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// The first of the names that equals `wanted` ignoring ASCII case, or none.
const std::string* FindIgnoringCase(const std::vector<std::string>& names, std::string_view wanted);

// The text between `open` and `close`, with every `close` inside it doubled: the quoting of SQL
// literals, of connection-string values and of ODBC's braces.
void AppendEnclosed(std::string& out, std::string_view text, char open, char close);
std::string Enclosed(std::string_view text, char open, char close);

// The text as it is shown on a terminal: each control (below 32, 127, and the C1 controls
// U+0080..U+009F) and each byte that is not part of well-formed UTF-8 written as "\xNN" per byte.
// A name from the dictionary could otherwise move the cursor or rewrite the screen.
std::string ShownOnTerminal(std::string_view text);

// The platform's 32-bit integer conversion: leading blanks, one sign, then decimal digits or
// hexadecimal digits after "$", "x", "X", "0x" or "0X", and nothing after them. The value must
// fit -2147483648..2147483647; a hexadecimal magnitude above 2147483647 fails.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Where the digits of such a text start: after blanks, one sign and a hexadecimal prefix.
struct IntegerForm {
  std::size_t prefixStart;
  std::size_t digitsStart;
  int base;
};
IntegerForm IntegerFormOf(std::string_view text);

}  // namespace tarvel
