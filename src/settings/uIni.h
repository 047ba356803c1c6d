#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// config.ini beside the running executable, unless a test or a command points elsewhere.
std::string DefaultIniFilePath();
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
