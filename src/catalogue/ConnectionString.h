#pragma once

#include <map>
#include <string>

namespace tarvel {

// A value as it goes into the OLE DB-style log-on string: as typed, or in double quotes (inner
// quotes doubled) when it holds ';', '"', '\'' or leading or trailing blanks, so that it comes
// back intact from ParseConnectionString.
std::string ConnectionStringValue(const std::string& value);

// The key-value pairs of an OLE DB-style log-on string. Keys compare ignoring ASCII case.
class ConnectionStringValues {
 public:
  // The value of the key, or an empty text when the string does not name it.
  std::string value(const std::string& key) const;

 private:
  friend ConnectionStringValues ParseConnectionString(const std::string& text);
  std::map<std::string, std::string> values_;  // by key in ASCII upper case
};

// Pairs are separated by ';'; blanks around keys and unquoted values are dropped; a value in
// double quotes may hold ';', with "" for a quote. A later pair wins over an earlier one.
ConnectionStringValues ParseConnectionString(const std::string& text);

}  // namespace tarvel
