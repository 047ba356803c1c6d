#pragma once

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "FileFaults.h"
#include "Files.h"
#include "settings/uIni.h"

namespace tarvel::testing {

// config.ini in a fresh temporary folder for one test.
class TempIniFile {
 public:
  TempIniFile() : path_(folder() + "/config.ini") {}

  const std::string& path() const { return path_; }
  std::string folder() const { return folder_.path().toStdString(); }

  void write(const std::string& content) const {
    std::ofstream(path_, std::ios::binary) << content;
  }
  std::string content() const { return ReadWholeFile(path_); }
  IniFile read() const { return IniFile::read(path_); }
  void writeString(const std::string& section, const std::string& key,
                   const std::string& value) const {
    WriteIniString(path_, section, key, value);
  }

 private:
  QTemporaryDir folder_;
  std::string path_;
};

}  // namespace tarvel::testing
