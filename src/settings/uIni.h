#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// config.ini beside the running executable, or in the user's config folder for the installed
// package; a test or a command may point elsewhere.
std::string DefaultIniFilePath();
// Where DefaultIniFilePath() lies, as the help texts say it.
extern const char* const kIniFilePlace;
void SetIniFilePath(const std::string& path);
const std::string& IniFilePath();

// Every operation opens the file anew; section and key names match ignoring ASCII case.
std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& defaultValue);
std::int32_t ReadIniInteger(const std::string& section, const std::string& key,
                            std::int32_t defaultValue);
// A write that cannot be done fails with "Unable to write to <path>"; the old file stays intact.
void WriteIniString(const std::string& section, const std::string& key, const std::string& value);
void WriteIniInteger(const std::string& section, const std::string& key, std::int32_t value);

}  // namespace tarvel
