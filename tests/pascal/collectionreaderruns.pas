{ Runs the collection reader of the types unit on the texts a block hands back: well-formed ones
  under a client whose decimal sign is ",", and hostile ones, which must raise a clear
  EConvertError, never give an array. Stops with a message and exit code 1 on the first wrong
  result. }
program CollectionReaderRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, RunChecks, uMyOracleTypes;

function Reader(const Text: Variant; const Kinds: string): TMyCollectionReader;
begin
  Result := TMyCollectionReader.Create(Text, Kinds, 'P_LIST');
end;

procedure CheckNumber(const What: string; Expected, Actual: Double);
begin
  if Expected <> Actual then
    Fail(What, FloatToStr(Expected), FloatToStr(Actual));
end;

procedure CheckStrings(const Text: string; const Expected: array of string);
var
  Read: TMyCollectionReader;
  I: Integer;
begin
  Read := Reader(Text, 'S');
  CheckNumber(Text + ' count', Length(Expected), Read.Count);
  for I := 0 to High(Expected) do
    CheckText(Text + ' element ' + IntToStr(I + 1), Expected[I], Read.ReadString);
  Read.Free;
end;

procedure CheckNumbers(const Text, Kind: string; const Expected: array of Double);
var
  Read: TMyCollectionReader;
  I: Integer;
begin
  Read := Reader(Text, Kind);
  CheckNumber(Text + ' count', Length(Expected), Read.Count);
  for I := 0 to High(Expected) do
    if Kind = 'F' then
      CheckNumber(Text + ' element ' + IntToStr(I + 1), Expected[I], Read.ReadDouble)
    else if Kind = 'I' then
      CheckNumber(Text + ' element ' + IntToStr(I + 1), Expected[I], Read.ReadInteger)
    else if Kind = 'D' then
      CheckNumber(Text + ' element ' + IntToStr(I + 1), Expected[I], Read.ReadDateTime)
    else
      CheckNumber(Text + ' element ' + IntToStr(I + 1), Expected[I], Ord(Read.ReadBoolean));
  Read.Free;
end;

procedure RunWellFormed;
var
  Read: TMyCollectionReader;
begin
  CheckStrings('0|', []);
  CheckStrings('\N|', []);
  CheckStrings('1|x|', ['x']);
  CheckStrings('3|a\|b|\N|c\\|', ['a|b', '', 'c\']);
  CheckStrings('2|\\N||', ['\N', '']);
  CheckStrings('1|\|\|\\\\|', ['||\\']);
  CheckNumbers('5|-.5|1E+100|\N|12.25|1.5E-7|', 'F', [-0.5, 1E100, 0, 12.25, 1.5E-7]);
  CheckNumbers('3|-2147483648|2147483647|\N|', 'I', [-2147483648.0, 2147483647, 0]);
  CheckNumbers('3| 20261207180853|\N| 17990714063000|', 'D', [EncodeDate(2026, 12, 7) +
    EncodeTime(18, 8, 53, 0), 0, EncodeDate(1799, 7, 14) - EncodeTime(6, 30, 0, 0)]);
  CheckNumbers('3|1|0|\N|', 'B', [1, 0, 0]);
  { Two EMP_REC records (EMP_ID, NAME, ACTIVE), the second with a NULL name. }
  Read := Reader('2|7|King|1|8.5|\N|0|', 'FSB');
  CheckNumber('records count', 2, Read.Count);
  CheckNumber('first EMP_ID', 7, Read.ReadDouble);
  CheckText('first NAME', 'King', Read.ReadString);
  CheckNumber('first ACTIVE', 1, Ord(Read.ReadBoolean));
  CheckNumber('second EMP_ID', 8.5, Read.ReadDouble);
  CheckText('second NAME', '', Read.ReadString);
  CheckNumber('second ACTIVE', 0, Ord(Read.ReadBoolean));
  Read.Free;
end;

{ A text the reader must refuse, with a message holding Expected. }
procedure Refused(const Text: Variant; const Kinds, Expected: string);
var
  Message: string;
begin
  Message := '';
  try
    Reader(Text, Kinds).Free;
  except
    on E: EConvertError do
      Message := E.Message;
  end;
  if Pos('The collection in P_LIST cannot be read: ' + Expected, Message) <> 1 then
    Fail('refusal of ' + VarToStr(Text), '"' + Expected + '"', '"' + Message + '"');
end;

procedure RunHostile;
var
  Read: TMyCollectionReader;
  Message: string;
begin
  Refused(Null, 'S', 'no text came back');
  Refused('', 'S', 'the text is empty');
  Refused('3|a|b', 'S', 'the text ends inside an item: it was cut short');
  Refused('3|a|b|', 'S', 'it holds 2 of the 3 values of its 3 elements: it was cut short');
  Refused('1|1|', 'FS', 'it holds 1 of the 2 values of its 1 elements');
  Refused('1|a|b|', 'S', 'it holds more than the 1 values of its 1 elements');
  Refused('0|a|', 'S', 'it holds more than the 0 values');
  Refused('2|a|b\', 'S', 'the text ends in an escape');
  Refused('1|a\|', 'S', 'the text ends inside an item: it was cut short');
  Refused('1|a\x|', 'S', 'unknown escape \x');
  Refused('1|a\N|', 'S', 'unknown escape \N');
  Refused('x|', 'S', 'the count "x" is not a number');
  Refused('-1|', 'S', 'the count "-1" is not a number');
  Refused('|', 'S', 'the count "" is not a number');
  Refused('999999999|a|', 'S', '999999999 elements cannot fit');
  Refused('1|1,5|', 'F', 'element 1: 1,5 is not a number');
  Refused('2|1|', 'F', 'it holds 1 of the 2 values');
  Refused('2|1||', 'F', 'element 2:  is not a number');
  Refused('1|Inf|', 'F', 'element 1: Inf is not a number');
  Refused('1|.|', 'F', 'element 1: . is not a number');
  Refused('1|1E|', 'F', 'element 1: 1E is not a number');
  Refused('1| 1|', 'F', 'element 1:  1 is not a number');
  Refused('1|1.5|', 'I', 'element 1: 1.5 is not an integer');
  Refused('1|3000000000|', 'I', 'element 1: 3000000000 is not an integer');
  Refused('1|-00440315120000|', 'D', 'element 1: -00440315120000 is a date BC');
  Refused('1|2026-12-07|', 'D', 'element 1: "2026-12-07" is not a date');
  Refused('1| 20261332000000|', 'D', 'element 1: " 20261332000000" is not a date');
  Refused('1|20261207180853|', 'D', 'element 1: "20261207180853" is not a date');
  Refused('1|true|', 'B', 'element 1: true is not 1 or 0');
  { A method that reads a value as another kind, or too many, is a generator fault: loud too. }
  Read := Reader('1|1|', 'F');
  Message := '';
  try
    Read.ReadString;
  except
    on E: EConvertError do
      Message := E.Message;
  end;
  CheckText('wrong read', 'The collection in P_LIST cannot be read: value 1 read as S, sent as F',
    Message);
  Read.ReadDouble;
  Message := '';
  try
    Read.ReadDouble;
  except
    on E: EConvertError do
      Message := E.Message;
  end;
  CheckText('read beyond', 'The collection in P_LIST cannot be read: read beyond its last value',
    Message);
  Read.Free;
end;

begin
  { The reader must not follow the client's locale. }
  FormatSettings.DecimalSeparator := ',';
  FormatSettings.ThousandSeparator := '.';
  RunWellFormed;
  RunHostile;
  WriteLn('the collection reader read and refused the texts as expected');
end.
