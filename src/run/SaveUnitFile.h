#pragma once

#include <string>

#include "common/Text.h"

namespace tarvel {

// Every line's bytes then CR LF, written atomically: a failure leaves an older file intact.
void SaveUnitFile(const std::string& path, const LineList& lines);

}  // namespace tarvel
