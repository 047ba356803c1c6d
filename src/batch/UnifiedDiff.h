#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The unified diff (three lines of context) that turns `before` into `after`, under the headers
// "--- <label>" and "+++ <label>"; empty when the texts are equal. Lines are shown without the
// CR of a CR LF end; a last line without a line end is followed by "\ No newline at end of file".
std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& label);

}  // namespace tarvel
