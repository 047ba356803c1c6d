#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryStatement.h"

namespace tarvel {

// A name as it goes into a dictionary statement: exactly as the dictionary gave it, in single
// quotes, inner quotes doubled, so that a quoted mixed-case name finds its own rows.
std::string QuoteName(const std::string& name);
// The owner is the typed user name, which the dictionary holds in upper case.
std::string QuoteOwner(const std::string& user);
// The same two as values of a statement template.
StatementValue NameValue(const std::string& name);
StatementValue OwnerValue(const std::string& user);

// The names as lists for "in (...)", each name quoted as QuoteName quotes it, in order, at
// most 500 to a list: any server takes that many.
std::vector<std::string> QuotedLists(const std::vector<std::string>& names);

// Fills the "%s" places of a statement template in order.
std::string FillTemplate(std::string_view statementTemplate,
                         const std::vector<std::string>& values);

}  // namespace tarvel
