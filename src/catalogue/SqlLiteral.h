#pragma once

#include <initializer_list>
#include <string>

namespace tarvel {

// A name as it goes into a dictionary statement: exactly as the dictionary gave it, in single
// quotes, inner quotes doubled, so that a quoted mixed-case name finds its own rows.
std::string QuoteName(const std::string& name);
// The owner is the typed user name, which the dictionary holds in upper case.
std::string QuoteOwner(const std::string& user);

// Fills the "%s" places of a statement template in order.
std::string FillTemplate(const std::string& statementTemplate,
                         std::initializer_list<std::string> values);

}  // namespace tarvel
