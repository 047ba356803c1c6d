#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvel {

// How both writers build a unit: straight into the bytes of its file, each line followed by
// CR LF. A unit has tens of thousands of short lines; one growing text spares each line an
// allocation of its own and the copy into the file's text.

inline void AppendAll(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) out += part;
}

inline void EndLine(std::string& unit) {
  unit += "\r\n";
}

// One line of several parts.
inline void AppendLine(std::string& unit, std::initializer_list<std::string_view> parts) {
  AppendAll(unit, parts);
  EndLine(unit);
}

// Fixed lines, one per text; an empty text is an empty line.
inline void AppendLines(std::string& unit, std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) AppendLine(unit, {line});
}

}  // namespace tarvel
