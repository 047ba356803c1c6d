#include "batch/ProjectSettings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "catalogue/DictionaryConnection.h"
#include "common/Error.h"
#include "run/SizeCheck.h"
#include "settings/uIni.h"

namespace tarvel {

namespace {

// The caption `list` prints for the routines outside packages, as a key of [PACKAGES].
constexpr const char* kOutsideEntry = "Procedures outside packages";

struct SizeSetting {
  const char* option;
  const char* key;  // in [CONST]
  const char* boxName;
  std::string CommandLine::*field;
};

constexpr SizeSetting kSizeSettings[] = {
    {"--max-string", "STRING", "MaxStringLength", &CommandLine::maxStringSize},
    {"--max-blob", "BLOB", "MaxBlobSize", &CommandLine::maxBlobSize},
    {"--max-clob", "CLOB", "MaxClobSize", &CommandLine::maxClobSize},
};

// A relative path in the file is taken from the file's own folder, so that the developer and CI
// read the same paths wherever they start the command.
std::string FromFileFolder(const std::string& file, const std::string& path) {
  const std::size_t slash = file.rfind('/');
  if (path.empty() || path.front() == '/' || slash == std::string::npos) return path;
  return file.substr(0, slash + 1) + path;
}

// A database that names a snapshot is a path; any other is the name of an Oracle database.
std::string DatabaseFromFile(const std::string& file, const std::string& database) {
  const std::string resolved = FromFileFolder(file, database);
  return IsSnapshotDataSource(resolved) ? resolved : database;
}

void Fill(CommandLine& line, const char* option, std::string CommandLine::*field,
          const std::string& value) {
  if (!line.given.contains(option) && !value.empty()) line.*field = value;
}

// "1" ticks an entry, "0" leaves it unticked; keys are the captions `list` prints.
void FillPackages(CommandLine& line, const IniFile& ini) {
  if (line.given.contains("--package") || line.given.contains("--outside")) return;
  const auto entries = ini.sectionValues("PACKAGES");
  if (entries.empty()) return;
  for (const auto& [caption, ticked] : entries) {
    if (ticked != "0" && ticked != "1") {
      throw UsageError(
          line.config + ": [PACKAGES] " + caption + "=" + ticked + ": the value is 1 (ticked) or 0",
          line.command);
    }
    if (ticked == "0") continue;
    if (caption == kOutsideEntry) {
      line.outside = true;
    } else {
      line.packages.push_back(caption);
    }
  }
  if (line.packages.empty() && !line.outside) {
    throw UsageError(line.config + ": [PACKAGES] ticks no entry", line.command);
  }
}

// Never taken as empty when missing: a mistyped name would read other settings unnoticed.
IniFile ReadProjectFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw TarvelError("Cannot read " + path + ": " + std::strerror(errno));
  }
  return IniFile::read(path);
}

void FillFromFile(CommandLine& line) {
  const IniFile ini = ReadProjectFile(line.config);
  Fill(line, "--user", &CommandLine::user, ini.readString("DB", "USER", ""));
  Fill(line, "--database", &CommandLine::database,
       DatabaseFromFile(line.config, ini.readString("DB", "SRV", "")));
  if (line.command != BatchCommand::kGenerate) return;
  Fill(line, "--output", &CommandLine::output,
       FromFileFolder(line.config, ini.readString("FILES", "PATH", "")));
  for (const SizeSetting& size : kSizeSettings) {
    Fill(line, size.option, size.field, ini.readString("CONST", size.key, ""));
  }
  FillPackages(line, ini);
}

// A bad size is a usage error that says where the size came from.
void CheckSizes(const CommandLine& line) {
  for (const SizeSetting& size : kSizeSettings) {
    const std::string& text = line.*size.field;
    try {
      CheckSizeText(text, size.boxName);
    } catch (const TarvelError& error) {
      const std::string place = line.given.contains(size.option)
                                    ? std::string(size.option) + " " + text
                                    : line.config + ": [CONST] " + size.key + "=" + text;
      throw UsageError(place + ": " + error.what(), line.command);
    }
  }
}

}  // namespace

std::string SettingsFileOf(const CommandLine& line) {
  return line.config.empty() ? DefaultIniFilePath() : line.config;
}

void CompleteCommandLine(CommandLine& line) {
  if (!line.config.empty()) {
    FillFromFile(line);
    RequireOptions(line, line.config);
  }
  if (line.command == BatchCommand::kGenerate) CheckSizes(line);
}

}  // namespace tarvel
