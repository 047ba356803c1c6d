#include "ModelText.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace tarvel {
namespace {

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream stream(line);
  std::string word;
  while (stream >> word) words.push_back(word == "\"\"" ? std::string() : word);
  return words;
}

TOraParameter NewParameter(const std::string& name, const std::string& dbName,
                           const std::string& fieldType, const std::string& delphiType,
                           const std::string& direction) {
  TOraParameter parameter;
  parameter.Name = name;
  parameter.DbName = dbName;
  parameter.FieldType = fieldType;
  parameter.DelphiType = delphiType;
  parameter.Direction = direction;
  return parameter;
}

class ModelTextParser {
 public:
  ModelText Parse(const std::string& text) {
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
      ++lineNumber_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ParseStatement(line);
    }
    return std::move(model_);
  }

 private:
  void ParseStatement(const std::string& line) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0].starts_with("#")) return;
    const std::string& keyword = words[0];
    if (keyword == "compile" && words.size() == 1) {
      model_.Compile = CompileExpectation::Compiles;
    } else if (keyword == "compile" && words.size() == 2 && words[1] == "fails") {
      model_.Compile = CompileExpectation::Fails;
    } else if (keyword == "const" && words.size() > 1) {
      model_.ConstantLines.push_back(TextAfterKeyword(line, keyword));
    } else if (keyword == "dbname" && words.size() > 1 && dbName_ != nullptr) {
      *dbName_ = WithByteEscapes(TextAfterKeyword(line, keyword));
    } else if (keyword == "package" && words.size() == 2) {
      AddPackage(words[1]);
    } else if (keyword == "standalone" && words.size() == 1) {
      AddPackage("");
    } else if (keyword == "procedure" && (words.size() == 2 || IsOverload(words, 2))) {
      AddRoutine(words[1], words.size() == 3);
    } else if (keyword == "function" && (words.size() == 4 || IsOverload(words, 4))) {
      AddRoutine(words[1], words.size() == 5).ReturnParam = std::make_unique<TOraParameter>(
          NewParameter("Result", "@RETURN_VALUE", words[2], words[3], "pdReturnValue"));
    } else if (keyword == "arg" && words.size() == 5) {
      dbName_ = &CurrentRoutine()
                     .Parameters
                     .Add(NewParameter(FormatIdentifier(words[1]), words[1], words[2], words[3],
                                       words[4]))
                     .DbName;
    } else {
      Fail("unknown statement \"" + line + "\"");
    }
  }

  // The text keeps its own spacing; only the blanks around the keyword go.
  static std::string TextAfterKeyword(const std::string& line, const std::string& keyword) {
    const std::size_t start = line.find_first_not_of(" \t", line.find(keyword) + keyword.size());
    return line.substr(start);
  }

  // "\xNN" stands for the byte of that hexadecimal value, so that a name can hold any byte.
  static std::string WithByteEscapes(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\\x") == 0 && i + 4 <= text.size()) {
        bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
        i += 3;
      } else {
        bytes += text[i];
      }
    }
    return bytes;
  }

  static bool IsOverload(const std::vector<std::string>& words, std::size_t at) {
    return words.size() == at + 1 && words[at] == "overload";
  }

  void AddPackage(const std::string& dbName) {
    TOraPackage& package = model_.Database->Packages.Add({});
    package.DbName = dbName;
    package.Name = FormatIdentifier(dbName);
    package_ = &package;
    routine_ = nullptr;
    dbName_ = nullptr;
  }

  TOraProcedure& AddRoutine(const std::string& dbName, bool overloaded) {
    if (package_ == nullptr) Fail("a routine before any package");
    TOraProcedure& routine = package_->Procedures.Add({});
    routine.DbName = dbName;
    routine.Name = FormatIdentifier(dbName);
    routine.IsOverloaded = overloaded;
    routine_ = &routine;
    dbName_ = &routine.DbName;
    return routine;
  }

  TOraProcedure& CurrentRoutine() {
    if (routine_ == nullptr) Fail("an argument before any routine");
    return *routine_;
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw std::runtime_error("model text line " + std::to_string(lineNumber_) + ": " + reason);
  }

  ModelText model_;
  TOraPackage* package_ = nullptr;
  TOraProcedure* routine_ = nullptr;
  SharedText* dbName_ = nullptr;  // of the latest routine or argument
  int lineNumber_ = 0;
};

}  // namespace

ModelText ParseModelText(const std::string& text) {
  return ModelTextParser().Parse(text);
}

}  // namespace tarvel
