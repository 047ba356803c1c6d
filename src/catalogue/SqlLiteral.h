#pragma once

#include <initializer_list>
#include <string>

namespace tarvel {

// A name as it goes into a dictionary statement: ASCII upper case, in single quotes, inner
// quotes doubled.
std::string QuoteName(const std::string& name);

// Fills the "%s" places of a statement template in order.
std::string FillTemplate(const std::string& statementTemplate,
                         std::initializer_list<std::string> values);

}  // namespace tarvel
