#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarvel {

// config.ini beside the running executable, or in the user's config folder for the installed
// package.
std::string DefaultIniFilePath();
// Where DefaultIniFilePath() lies, as the help texts say it.
extern const char* const kIniFilePlace;
// The sample type additions the program ships: installed, in its data folder; built here, in
// the source tree's samples folder.
std::string SampleTypeAdditionsPath();

// config.ini as read once; section and key names match ignoring ASCII case.
class IniFile {
 public:
  // A file that does not exist reads as empty. One that exists but is no regular file, or
  // cannot be read or parsed, fails with "Cannot read <path>: <reason>": it is never taken as
  // empty.
  static IniFile read(const std::string& path);

  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;
  ~IniFile();

  std::string readString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  std::int32_t readInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) const;
  // The keys of a section with their values, in file order.
  std::vector<std::pair<std::string, std::string>> sectionValues(const std::string& section) const;

 private:
  struct Parsed;
  explicit IniFile(std::unique_ptr<Parsed> parsed);
  std::unique_ptr<Parsed> parsed_;
};

// Writes one value into the file as it is on disk. A write that cannot be done fails with
// "Unable to write to <path>"; the old file stays intact.
void WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);
void WriteIniInteger(const std::string& path, const std::string& section, const std::string& key,
                     std::int32_t value);

}  // namespace tarvel
