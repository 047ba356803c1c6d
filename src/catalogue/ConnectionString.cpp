#include "catalogue/ConnectionString.h"

#include "common/Error.h"
#include "common/Text.h"

namespace tarvel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool NeedsQuotes(const std::string& value) {
  if (value.empty()) return false;
  if (IsBlank(value.front()) || IsBlank(value.back())) return true;
  return value.find_first_of(";\"'") != std::string::npos;
}

// Reads a quoted value starting at the opening quote; returns the position after the closing one.
std::size_t ReadQuotedValue(const std::string& text, std::size_t open, std::string& value) {
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    if (text[i] != '"') {
      value += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      value += '"';
      ++i;
    } else {
      return i + 1;
    }
  }
  throw TarvelError("The connection string has a quoted value without its closing quote");
}

}  // namespace

std::string ConnectionStringValue(const std::string& value) {
  if (!NeedsQuotes(value)) return value;
  return Enclosed(value, '"', '"');
}

std::string ConnectionStringValues::value(const std::string& key) const {
  auto found = values_.find(AsciiUpper(key));
  return found == values_.end() ? std::string() : found->second;
}

ConnectionStringValues ParseConnectionString(const std::string& text) {
  ConnectionStringValues result;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t equals = text.find('=', pos);
    const std::size_t semicolon = text.find(';', pos);
    if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
      // A piece without '=' names nothing; blanks between separators are allowed.
      if (!Trim(text.substr(pos, semicolon - pos)).empty()) {
        throw TarvelError("The connection string has a part without '=': " +
                          Trim(text.substr(pos, semicolon - pos)));
      }
      if (semicolon == std::string::npos) break;
      pos = semicolon + 1;
      continue;
    }
    const std::string key = AsciiUpper(Trim(text.substr(pos, equals - pos)));
    std::size_t valueStart = equals + 1;
    while (valueStart < text.size() && IsBlank(text[valueStart])) ++valueStart;
    std::string value;
    std::size_t end;
    if (valueStart < text.size() && text[valueStart] == '"') {
      end = ReadQuotedValue(text, valueStart, value);
      while (end < text.size() && IsBlank(text[end])) ++end;
      if (end < text.size() && text[end] != ';') {
        throw TarvelError("The connection string has text after the quoted value of " + key);
      }
    } else {
      end = text.find(';', valueStart);
      if (end == std::string::npos) end = text.size();
      value = Trim(text.substr(valueStart, end - valueStart));
    }
    result.values_[key] = value;
    pos = end + 1;
  }
  return result;
}

}  // namespace tarvel
