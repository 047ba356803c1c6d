#include "writers/CollectionReader.h"

#include <string_view>

namespace tarvel {
namespace {

constexpr std::string_view kDeclaration =
    R"(  { Reads a collection that a block sent back as text: the element count, then each element's
    values, every item ended by "|"; "\N" is NULL, "\\" and "\|" stand for "\" and "|". The
    whole text is checked when the reader is made, so that a bad text never fills an array. }
  TMyCollectionReader = class
  private
    FName : string;
    FKinds : string;
    FCount : integer;
    FTexts : array of string;
    FNumbers : array of double;
    FNext : integer;
    procedure Refuse(const Problem: string);
    function NextItem(const Text: string; var Position: integer; var Buffer: string;
      out IsNull: boolean): string;
    procedure Store(Index: integer; const Value: string; IsNull: boolean);
    function NumberOf(Index: integer; const Value: string): double;
    function DateOf(Index: integer; const Value: string): TDateTime;
    function Take(Kind: char): integer;
  public
    { Kinds: one letter per value of an element, S text, F number, I integer, D date, B BOOLEAN;
      Name: the parameter the text came in, for messages. }
    constructor Create(const Serialised: Variant; const Kinds: string; const Name: string);
    property Count : integer read FCount;
    function ReadString: string;
    function ReadDouble: double;
    function ReadInteger: integer;
    function ReadDateTime: TDateTime;
    function ReadBoolean: boolean;
  end;
)";

constexpr std::string_view kBody =
    R"(constructor TMyCollectionReader.Create(const Serialised: Variant; const Kinds: string;
  const Name: string);
var
  Text, Buffer, CountText : string;
  Position, Index, Digit : integer;
  IsNull : boolean;
begin
  inherited Create;
  FName := Name;
  FKinds := Kinds;
  if Kinds = '' then
    Refuse('no kinds of values given');
  if VarIsNull(Serialised) or VarIsEmpty(Serialised) then
    Refuse('no text came back');
  Text := VarToStr(Serialised);
  if Text = '' then
    Refuse('the text is empty');
  SetLength(Buffer, Length(Text));
  Position := 1;
  CountText := NextItem(Text, Position, Buffer, IsNull);
  FCount := 0;
  if not IsNull then
  begin
    if (CountText = '') or (Length(CountText) > 9) then
      Refuse('the count "' + CountText + '" is not a number');
    for Digit := 1 to Length(CountText) do
      if (CountText[Digit] < '0') or (CountText[Digit] > '9') then
        Refuse('the count "' + CountText + '" is not a number');
    Val(CountText, FCount, Digit);
  end;
  { Every value takes at least its "|": a count beyond that is a cut text, not a size. }
  if Int64(FCount) * Length(Kinds) > Length(Text) - Position + 1 then
    Refuse(Format('%d elements cannot fit in what follows the count: it was cut short',
      [FCount]));
  SetLength(FTexts, FCount * Length(Kinds));
  SetLength(FNumbers, Length(FTexts));
  for Index := 0 to High(FTexts) do
  begin
    if Position > Length(Text) then
      Refuse(Format('it holds %d of the %d values of its %d elements: it was cut short',
        [Index, Length(FTexts), FCount]));
    Store(Index, NextItem(Text, Position, Buffer, IsNull), IsNull);
  end;
  if Position <= Length(Text) then
    Refuse(Format('it holds more than the %d values of its %d elements', [Length(FTexts),
      FCount]));
end;

procedure TMyCollectionReader.Refuse(const Problem: string);
begin
  raise EConvertError.Create('The collection in ' + FName + ' cannot be read: ' + Problem);
end;

{ The item that starts at Position, unescaped into Buffer; Position moves past its "|". }
function TMyCollectionReader.NextItem(const Text: string; var Position: integer;
  var Buffer: string; out IsNull: boolean): string;
var
  Size : integer;
begin
  IsNull := Copy(Text, Position, 3) = '\N|';
  if IsNull then
  begin
    Inc(Position, 3);
    Result := '';
    Exit;
  end;
  Size := 0;
  while True do
  begin
    if Position > Length(Text) then
      Refuse('the text ends inside an item: it was cut short');
    if Text[Position] = '|' then
      Break;
    if Text[Position] = '\' then
    begin
      Inc(Position);
      if Position > Length(Text) then
        Refuse('the text ends in an escape');
      if (Text[Position] <> '\') and (Text[Position] <> '|') then
        Refuse('unknown escape \' + Text[Position]);
    end;
    Inc(Size);
    Buffer[Size] := Text[Position];
    Inc(Position);
  end;
  Inc(Position);
  Result := Copy(Buffer, 1, Size);
end;

{ Checks a value against its kind and keeps it: a text as it is, any other as a number. A NULL is
  the kind's default. }
procedure TMyCollectionReader.Store(Index: integer; const Value: string; IsNull: boolean);
var
  Kind : char;
  Number : double;
begin
  Kind := FKinds[Index mod Length(FKinds) + 1];
  FTexts[Index] := Value;
  FNumbers[Index] := 0;
  if IsNull or (Kind = 'S') then
    Exit;
  case Kind of
    'F':
      FNumbers[Index] := NumberOf(Index, Value);
    'I':
      begin
        Number := NumberOf(Index, Value);
        if (Frac(Number) <> 0) or (Number < -2147483648.0) or (Number > 2147483647.0) then
          Refuse(Format('element %d: %s is not an integer', [Index div Length(FKinds) + 1, Value]));
        FNumbers[Index] := Number;
      end;
    'D':
      FNumbers[Index] := DateOf(Index, Value);
    'B':
      if Value = '1' then
        FNumbers[Index] := 1
      else if Value <> '0' then
        Refuse(Format('element %d: %s is not 1 or 0', [Index div Length(FKinds) + 1, Value]));
  else
    Refuse('unknown kind of value ' + Kind);
  end;
end;

{ Oracle's TM9 form with "." as the decimal sign: [-]digits[.digits][E(+|-)digits]. Val reads
  it whatever the client's locale, once the form is checked (Val takes more than it). }
function TMyCollectionReader.NumberOf(Index: integer; const Value: string): double;
var
  Position, Digits, Code : integer;

  procedure SkipDigits;
  begin
    while (Position <= Length(Value)) and (Value[Position] >= '0') and (Value[Position] <= '9') do
    begin
      Inc(Position);
      Inc(Digits);
    end;
  end;

begin
  Position := 1;
  Digits := 0;
  if (Position <= Length(Value)) and (Value[Position] = '-') then
    Inc(Position);
  SkipDigits;
  if (Position <= Length(Value)) and (Value[Position] = '.') then
  begin
    Inc(Position);
    SkipDigits;
  end;
  Code := Digits;
  if (Code > 0) and (Position <= Length(Value)) and (Value[Position] = 'E') then
  begin
    Inc(Position);
    if (Position <= Length(Value)) and ((Value[Position] = '+') or (Value[Position] = '-')) then
      Inc(Position);
    Digits := 0;
    SkipDigits;
    Code := Digits;
  end;
  if (Code = 0) or (Position <= Length(Value)) then
    Refuse(Format('element %d: %s is not a number', [Index div Length(FKinds) + 1, Value]));
  if Value[1] = '.' then
    Val('0' + Value, Result, Code)
  else if Copy(Value, 1, 2) = '-.' then
    Val('-0' + Copy(Value, 2, MaxInt), Result, Code)
  else
    Val(Value, Result, Code);
  if Code <> 0 then
    Refuse(Format('element %d: %s is not a number', [Index div Length(FKinds) + 1, Value]));
end;

{ SYYYYMMDDHH24MISS: a blank for a date AD, then 14 digits. }
function TMyCollectionReader.DateOf(Index: integer; const Value: string): TDateTime;
var
  Position, Year, Month, Day, Hour, Minute, Second : integer;
  DatePart, TimePart : TDateTime;

  function Part(Size: integer): integer;
  var
    Last : integer;
  begin
    Result := 0;
    for Last := Position to Position + Size - 1 do
      Result := Result * 10 + Ord(Value[Last]) - Ord('0');
    Inc(Position, Size);
  end;

begin
  if Copy(Value, 1, 1) = '-' then
    Refuse(Format('element %d: %s is a date BC, which TDateTime cannot hold',
      [Index div Length(FKinds) + 1, Value]));
  if (Length(Value) <> 15) or (Value[1] <> ' ') then
    Refuse(Format('element %d: "%s" is not a date', [Index div Length(FKinds) + 1, Value]));
  for Position := 2 to 15 do
    if (Value[Position] < '0') or (Value[Position] > '9') then
      Refuse(Format('element %d: "%s" is not a date', [Index div Length(FKinds) + 1, Value]));
  Position := 2;
  Year := Part(4);
  Month := Part(2);
  Day := Part(2);
  Hour := Part(2);
  Minute := Part(2);
  Second := Part(2);
  if not TryEncodeDate(Year, Month, Day, DatePart) or
    not TryEncodeTime(Hour, Minute, Second, 0, TimePart) then
    Refuse(Format('element %d: "%s" is not a date', [Index div Length(FKinds) + 1, Value]));
  { Before 1899-12-30 the day counts down and the time of day still counts up. }
  if DatePart < 0 then
    Result := DatePart - TimePart
  else
    Result := DatePart + TimePart;
end;

function TMyCollectionReader.Take(Kind: char): integer;
begin
  if FNext >= Length(FTexts) then
    Refuse('read beyond its last value');
  if FKinds[FNext mod Length(FKinds) + 1] <> Kind then
    Refuse(Format('value %d read as %s, sent as %s', [FNext + 1, Kind,
      FKinds[FNext mod Length(FKinds) + 1]]));
  Result := FNext;
  Inc(FNext);
end;

function TMyCollectionReader.ReadString: string;
begin
  Result := FTexts[Take('S')];
end;

function TMyCollectionReader.ReadDouble: double;
begin
  Result := FNumbers[Take('F')];
end;

function TMyCollectionReader.ReadInteger: integer;
begin
  Result := Trunc(FNumbers[Take('I')]);
end;

function TMyCollectionReader.ReadDateTime: TDateTime;
begin
  Result := FNumbers[Take('D')];
end;

function TMyCollectionReader.ReadBoolean: boolean;
begin
  Result := FNumbers[Take('B')] = 1;
end;
)";

// The texts above hold their lines ended by LF; a unit's lines end with CR LF.
void AppendWithCrLf(std::string& unit, std::string_view text) {
  for (const char c : text) {
    if (c == '\n') unit += '\r';
    unit += c;
  }
}

}  // namespace

void AppendCollectionReaderDeclaration(std::string& unit) {
  AppendWithCrLf(unit, kDeclaration);
}

void AppendCollectionReaderBody(std::string& unit) {
  AppendWithCrLf(unit, kBody);
}

}  // namespace tarvel
