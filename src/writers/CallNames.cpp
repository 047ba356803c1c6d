#include "writers/CallNames.h"

#include <algorithm>
#include <array>

#include "common/Text.h"
#include "writers/AdoTexts.h"

namespace tarvel {
namespace {

// Oracle's SQL and PL/SQL reserved words, sorted: unquoted, none of them names an object.
constexpr std::array<std::string_view, 133> kReservedWords{
    "ACCESS",   "ADD",      "ALL",        "ALTER",     "AND",        "ANY",        "AS",
    "ASC",      "AT",       "AUDIT",      "BEGIN",     "BETWEEN",    "BY",         "CASE",
    "CHAR",     "CHECK",    "CLUSTER",    "CLUSTERS",  "COLAUTH",    "COLUMN",     "COLUMNS",
    "COMMENT",  "COMPRESS", "CONNECT",    "CRASH",     "CREATE",     "CURRENT",    "CURSOR",
    "DATE",     "DECIMAL",  "DECLARE",    "DEFAULT",   "DELETE",     "DESC",       "DISTINCT",
    "DROP",     "ELSE",     "END",        "EXCEPTION", "EXCLUSIVE",  "EXISTS",     "FETCH",
    "FILE",     "FLOAT",    "FOR",        "FROM",      "FUNCTION",   "GOTO",       "GRANT",
    "GROUP",    "HAVING",   "IDENTIFIED", "IF",        "IMMEDIATE",  "IN",         "INCREMENT",
    "INDEX",    "INDEXES",  "INITIAL",    "INSERT",    "INTEGER",    "INTERSECT",  "INTO",
    "IS",       "LEVEL",    "LIKE",       "LOCK",      "LONG",       "MAXEXTENTS", "MINUS",
    "MLSLABEL", "MODE",     "MODIFY",     "NOAUDIT",   "NOCOMPRESS", "NOT",        "NOWAIT",
    "NULL",     "NUMBER",   "OF",         "OFFLINE",   "ON",         "ONLINE",     "OPTION",
    "OR",       "ORDER",    "OVERLAPS",   "PCTFREE",   "PRIOR",      "PRIVILEGES", "PROCEDURE",
    "PUBLIC",   "RAW",      "RENAME",     "RESOURCE",  "REVOKE",     "ROW",        "ROWID",
    "ROWNUM",   "ROWS",     "SELECT",     "SESSION",   "SET",        "SHARE",      "SIZE",
    "SMALLINT", "SQL",      "START",      "SUBTYPE",   "SUCCESSFUL", "SYNONYM",    "SYSDATE",
    "TABAUTH",  "TABLE",    "THEN",       "TO",        "TRIGGER",    "TYPE",       "UID",
    "UNION",    "UNIQUE",   "UPDATE",     "USER",      "VALIDATE",   "VALUES",     "VARCHAR",
    "VARCHAR2", "VIEW",     "VIEWS",      "WHEN",      "WHENEVER",   "WHERE",      "WITH",
};

bool IsOrdinaryByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '#';
}

bool IsOrdinaryIdentifier(std::string_view name) {
  return !name.empty() && name.front() >= 'A' && name.front() <= 'Z' &&
         std::all_of(name.begin(), name.end(), IsOrdinaryByte) &&
         !std::binary_search(kReservedWords.begin(), kReservedWords.end(), name);
}

}  // namespace

bool IsCursorParameter(const TOraParameter& parameter) {
  return parameter.FieldType == kFtRefCursor;
}

std::string QuotedName(std::string_view dbName) {
  std::string quoted = "\"";
  for (char c : dbName) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + '"';
}

std::string CallTextName(std::string_view dbName) {
  if (IsOrdinaryIdentifier(dbName)) return std::string(dbName);
  return QuotedName(dbName);
}

void MakeAdoNamesUnique(std::vector<BoundParameter>& parameters) {
  for (auto parameter = parameters.begin(); parameter != parameters.end(); ++parameter) {
    if (!parameter->ElementNameTail.empty()) continue;
    const auto taken = [&](const BoundParameter& earlier) {
      return earlier.ElementNameTail.empty() &&
             EqualsIgnoringAsciiCase(earlier.AdoName, parameter->AdoName);
    };
    while (std::any_of(parameters.begin(), parameter, taken)) parameter->AdoName += '_';
  }
}

}  // namespace tarvel
