#pragma once

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "FileFaults.h"
#include "settings/uIni.h"

namespace tarvel::testing {

// Points the settings store at config.ini in a fresh temporary folder for one test.
class TempIniFile {
 public:
  TempIniFile() : path_(folder() + "/config.ini") { SetIniFilePath(path_); }
  ~TempIniFile() { SetIniFilePath(""); }

  const std::string& path() const { return path_; }
  std::string folder() const { return folder_.path().toStdString(); }

  void Write(const std::string& content) const {
    std::ofstream(path_, std::ios::binary) << content;
  }
  std::string Content() const { return ReadWholeFile(path_); }

 private:
  QTemporaryDir folder_;
  std::string path_;
};

}  // namespace tarvel::testing
