#include "ModelText.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tarvel {
namespace {

constexpr std::array<std::pair<TypeKind, const char*>, 7> kKindWords{{
    {TypeKind::Record, "record"},
    {TypeKind::RowType, "rowtype"},
    {TypeKind::IndexBy, "indexby"},
    {TypeKind::NestedTable, "nestedtable"},
    {TypeKind::Varray, "varray"},
    {TypeKind::Object, "object"},
    {TypeKind::Opaque, "opaque"},
}};

std::string KindWord(TypeKind kind) {
  for (const auto& [known, word] : kKindWords) {
    if (known == kind) return word;
  }
  return "?";
}

std::string DescribeMember(const std::string& keyword, const TOraTypeMember& member) {
  std::string line = "  " + keyword + (member.DbName.empty() ? "" : " " + member.DbName.str());
  if (member.Length) line += " length=" + std::to_string(*member.Length);
  if (member.Precision) line += " precision=" + std::to_string(*member.Precision);
  if (member.Scale) line += " scale=" + std::to_string(*member.Scale);
  if (member.Type != nullptr) line += " type=" + TypeReference(*member.Type);
  return line + " " + member.DataType.str();
}

std::vector<std::string> DescribeType(const TOraType& type) {
  std::vector<std::string> lines{"type " + KindWord(type.Kind) + " " + TypeReference(type)};
  if (!type.IsFinal) lines.emplace_back("  notfinal");
  if (!type.IndexBy.empty()) lines.push_back("  indexby " + type.IndexBy.str());
  if (type.UpperBound) lines.push_back("  bound " + std::to_string(*type.UpperBound));
  for (const TOraTypeMember& field : type.Fields) lines.push_back(DescribeMember("field", field));
  if (type.Element) lines.push_back(DescribeMember("element", *type.Element));
  return lines;
}

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
    } else if (keyword == "blocks" && words.size() == 1) {
      model_.Options.CallsThroughBlocks = true;
    } else if (keyword == "twin" && words.size() == 1) {
      CurrentRoutine().HasPositionalTwin = true;
    } else if (keyword == "const" && words.size() == 4 && words[2] == "=") {
      model_.Options.SizeConstants.push_back({words[1], words[3]});
    } else if (keyword == "dbname" && words.size() > 1 && dbName_ != nullptr) {
      *dbName_ = WithByteEscapes(TextAfterKeyword(line, keyword));
    } else if (keyword == "package" && words.size() == 2) {
      AddPackage(words[1]);
    } else if (keyword == "standalone" && words.size() == 1) {
      AddPackage("");
    } else if (keyword == "procedure" && (words.size() == 2 || IsOverload(words, 2))) {
      AddRoutine(words[1], words.size() == 3);
    } else if (keyword == "function" && words.size() >= 4 && words.size() <= 6) {
      const bool overloaded = words.size() > 4 && words[4] == "overload";
      const std::size_t typeAt = overloaded ? 5 : 4;
      if (words.size() > typeAt + 1) Fail("unknown statement \"" + line + "\"");
      auto result = std::make_unique<TOraParameter>(
          NewParameter("Result", "@RETURN_VALUE", words[2], words[3], "pdReturnValue"));
      if (words.size() == typeAt + 1) result->Type = &FindType(words[typeAt]);
      AddRoutine(words[1], overloaded).ReturnParam = std::move(result);
    } else if (keyword == "arg" && (words.size() == 5 || words.size() == 6)) {
      TOraParameter& argument = CurrentRoutine().Parameters.Add(
          NewParameter(FormatIdentifier(words[1]), words[1], words[2], words[3], words[4]));
      if (words.size() == 6) argument.Type = &FindType(words[5]);
      dbName_ = &argument.DbName;
    } else if (keyword == "type" && words.size() == 3) {
      AddType(words[1], words[2]);
    } else if (keyword == "field" && words.size() >= 3) {
      CurrentType().Fields.push_back(ParseMember(words[1], words, 2));
    } else if (keyword == "element" && words.size() >= 2) {
      CurrentType().Element = ParseMember("", words, 1);
    } else if (keyword == "indexby" && words.size() == 2) {
      CurrentType().IndexBy = words[1];
    } else if (keyword == "bound" && words.size() == 2) {
      CurrentType().UpperBound = std::stoll(words[1]);
    } else if (keyword == "notfinal" && words.size() == 1) {
      CurrentType().IsFinal = false;
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

  void AddType(const std::string& kindWord, const std::string& reference) {
    const auto kind = std::find_if(kKindWords.begin(), kKindWords.end(),
                                   [&](const auto& known) { return kindWord == known.second; });
    if (kind == kKindWords.end()) Fail("unknown type kind \"" + kindWord + "\"");
    TOraType type;
    type.Kind = kind->first;
    std::vector<std::string> names;
    std::istringstream parts(reference);
    for (std::string part; std::getline(parts, part, '.');) names.push_back(part);
    if (names.size() < 2 || names.size() > 3) Fail("a type reference is OWNER.NAME[.SUBNAME]");
    type.Owner = names[0];
    type.Name = names[1];
    if (names.size() == 3) type.SubName = names[2];
    type_ = &model_.Database->Types.Add(std::move(type));
  }

  const TOraType& FindType(const std::string& reference) {
    for (const TOraType& type : model_.Database->Types) {
      if (TypeReference(type) == reference) return type;
    }
    Fail("type " + reference + " is not declared before");
  }

  // Options first, then the data type, which may hold blanks ("PL/SQL BOOLEAN").
  TOraTypeMember ParseMember(const std::string& name, const std::vector<std::string>& words,
                             std::size_t first) {
    TOraTypeMember member;
    member.DbName = name;
    std::size_t at = first;
    for (; at < words.size() && words[at].find('=') != std::string::npos; ++at) {
      const std::string key = words[at].substr(0, words[at].find('='));
      const std::string value = words[at].substr(key.size() + 1);
      if (key == "length") {
        member.Length = std::stoll(value);
      } else if (key == "precision") {
        member.Precision = std::stoll(value);
      } else if (key == "scale") {
        member.Scale = std::stoll(value);
      } else if (key == "type") {
        member.Type = &FindType(value);
      } else {
        Fail("unknown member option \"" + key + "\"");
      }
    }
    std::string dataType;
    for (; at < words.size(); ++at) dataType += (dataType.empty() ? "" : " ") + words[at];
    if (dataType.empty()) Fail("a field or element without a data type");
    member.DataType = dataType;
    return member;
  }

  TOraType& CurrentType() {
    if (type_ == nullptr) Fail("a type's line before any type");
    return *type_;
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
  TOraType* type_ = nullptr;      // the latest type
  int lineNumber_ = 0;
};

}  // namespace

ModelText ParseModelText(const std::string& text) {
  return ModelTextParser().Parse(text);
}

std::string TypeReference(const TOraType& type) {
  return type.Owner + "." + type.Name + (type.SubName.empty() ? "" : "." + type.SubName.str());
}

std::vector<std::string> DescribeTypes(const TOraTypesList& types) {
  std::vector<const TOraType*> ordered;
  for (const TOraType& type : types) ordered.push_back(&type);
  std::sort(ordered.begin(), ordered.end(), [](const TOraType* a, const TOraType* b) {
    return TypeReference(*a) < TypeReference(*b);
  });
  std::vector<std::string> lines;
  for (const TOraType* type : ordered) {
    for (std::string& line : DescribeType(*type)) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tarvel
