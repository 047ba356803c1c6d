#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/Text.h"

namespace tarvel {

// How both writers build their lines: fixed texts appended as they stand, and a line of several
// parts joined with one allocation (a unit has tens of thousands of short lines).

inline void AppendAll(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) out += part;
}

inline std::string Joined(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  AppendAll(text, parts);
  return text;
}

inline void AppendLines(LineList& lines, std::initializer_list<std::string_view> texts) {
  for (std::string_view text : texts) lines.emplace_back(text);
}

}  // namespace tarvel
