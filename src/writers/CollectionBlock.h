#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/DelphiTypeNames.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// What a block carries for one collection argument (docs/calls-through-blocks.md,
// "Collections"): its locals, the statements that build it element by element before the call,
// the lines that serialise it into one CLOB after the call, and on the Pascal side the
// parameters of one element and the reads that fill the caller's array from the CLOB.

enum class CollectionKind { IndexByNumber, IndexByText, NestedTable, Varray };

// How one value of an element travels: the letters the types unit's reader takes.
enum class CollectionValueKind { Text, Number, Integer, Date, Boolean };

struct CollectionValue {
  std::string Field;  // the field in double quotes, as the block writes it; empty for a scalar
  CollectionValueKind Kind = CollectionValueKind::Text;
  std::string PascalField;  // the Pascal record field; empty for a scalar
  std::string_view FieldType;
  std::string_view DelphiType;
};

struct CollectionArgument {
  std::string Local;     // "V1", "V0" for a result
  std::string TypeName;  // the collection's type as the block declares it
  CollectionKind Kind = CollectionKind::NestedTable;
  // The constructor an element that is an object starts from ("\"HR\".\"ADDRESS_T\"(null,
  // null)"); empty for other elements.
  std::string ElementConstructor;
  std::vector<CollectionValue> Values;  // one for a scalar element, one per field for a record
};

// How a value of a scalar member travels, or none when the text has no form for it (LOBs, RAW,
// INTERVAL, XMLTYPE, a Delphi type of the user's additions other than these).
std::optional<CollectionValueKind> CollectionValueKindOf(const TOraTypeMember& member);

// An index-by table, nested table or varray whose element is a scalar with a value kind, or a
// record, %ROWTYPE or FINAL object whose every field is one.
bool IsCarriedCollection(const TOraType& type);

// The Delphi type of a collection's element: the type table's for a scalar, the record's, or
// the entry record of a table keyed by text.
std::string_view ElementDelphiType(const TOraType& collection, const DelphiTypeNames& types);

// The collection argument of a type that IsCarriedCollection accepts. `typeName` is the type as
// the block declares it, `elementConstructor` an object element's constructor (empty for other
// elements), `fieldNames` a record element's Pascal field names in order.
CollectionArgument DescribeCollection(const TOraType& type, std::string local, std::string typeName,
                                      std::string elementConstructor,
                                      const std::vector<std::string>& fieldNames);

// The locals: the collection, its CLOB when it comes back, and its index or key.
std::vector<std::string> CollectionLocals(const CollectionArgument& argument, bool comesBack);

// What comes once before the elements: the constructor of a nested table or varray.
std::vector<std::string> CollectionStart(const CollectionArgument& argument);

// The lines of one element, the same for every element; one "?" per value (the key of a
// text-keyed table first).
std::vector<std::string> CollectionElement(const CollectionArgument& argument);

// After the call: the collection written into its CLOB, then handed to a "?".
std::vector<std::string> CollectionSerialisation(const CollectionArgument& argument);

// The reader's kinds of an element: "S", "FSB", "SF" for a text-keyed table of numbers.
std::string CollectionReaderKinds(const CollectionArgument& argument);

// The name of the element index in the Pascal loops that bind and read elements.
inline constexpr char kElementIndex[] = "nMyIndex";

// One parameter of an element, in the order of the element's "?" marks. Its name is made at run
// time: the argument's name, "(", the element's number counting from 1, then AdoNameAfterIndex.
struct ElementParameter {
  std::string AdoNameAfterIndex;  // ")", ").EMP_ID", ").KEY()"
  std::string_view FieldType;
  // The size expression: "SizeOf(double)", "Length(PNames[nMyIndex])".
  std::string_view SizeFunction;
  std::string SizeOperand;
  // The value sent: "PIds[nMyIndex]", "integer(PFlags[nMyIndex])".
  std::string_view ValueFunction;
  std::string ValueOperand;
};

// The parameters of element nMyIndex of the open array `array`.
std::vector<ElementParameter> ElementParameters(const CollectionArgument& argument,
                                                std::string_view array);

// The assignments that fill element nMyIndex of the caller's array from the reader, in the
// order of the element's values.
std::vector<ElementRead> ElementReads(const CollectionArgument& argument);

}  // namespace tarvel
