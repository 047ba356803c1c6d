{ Runs the collection blocks of docs/calls-through-blocks.md on the simulated server, built and
  bound the way generated methods build them (the block grown element by element, each parameter
  created as its "?" is written) and read back through the types unit's collection reader: each
  element must reach the routine under its key and come back to the caller, NULLs, separators
  and escapes included, under a session and a client whose decimal sign is ",". Stops with a
  message and exit code 1 on the first wrong result. }
program CollectionBlockRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, ADODB, AdoRecorder, RunChecks, PlsqlServer, uMyOracleTypes;

type
  TEmpRec = record
    EmpId: Double;
    Name: string;
    Active: Boolean;
  end;
  TAddress = record
    Street, City: string;
  end;
  TScoreEntry = record
    Key: string;
    Value: Double;
  end;
  TNames = array of string;
  TDays = array of TDateTime;
  TEmps = array of TEmpRec;
  TScores = array of TScoreEntry;

{ PL/SQL text written with ` for its quote, which Pascal literals would double. }
function Q(const Text: string): string;
begin
  Result := StringReplace(Text, '`', '''', [rfReplaceAll]) + #10;
end;

function TextValue(const X: string): string;
begin
  Result := 'nvl(replace(replace(' + X + ', `\`, `\\`), `|`, `\|`), `\N`)';
end;

function NumberValue(const X: string): string;
begin
  Result := 'nvl(to_char(' + X + ', `TM9`, `NLS_NUMERIC_CHARACTERS=``.,```), `\N`)';
end;

function DateValue(const X: string): string;
begin
  Result := 'nvl(to_char(' + X + ', `SYYYYMMDDHH24MISS`), `\N`)';
end;

function BooleanValue(const X: string): string;
begin
  Result := 'case ' + X + ' when true then `1` when false then `0` else `\N` end';
end;

{ The lines that serialise local V into its CLOB VC and hand it to a "?". }
function Serialising(const V: string; Nullable: Boolean; const Values: array of string): string;
var
  I: Integer;
  Indent: string;
begin
  Result := '';
  Indent := '  ';
  if Nullable then
  begin
    Result := Q('  if ' + V + ' is null then') + Q('    ' + V + 'C := `\N|`;') + Q('  else');
    Indent := '    ';
  end;
  Result := Result + Q(Indent + V + 'C := to_char(' + V + '.count) || `|`;') +
    Q(Indent + V + 'I := ' + V + '.first;') + Q(Indent + 'while ' + V + 'I is not null loop');
  for I := 0 to High(Values) do
    Result := Result + Q(Indent + '  ' + V + 'C := ' + V + 'C || ' + Values[I] + ' || `|`;');
  Result := Result + Q(Indent + '  ' + V + 'I := ' + V + '.next(' + V + 'I);') +
    Q(Indent + 'end loop;');
  if Nullable then
    Result := Result + Q('  end if;');
  Result := Result + Q('  ? := ' + V + 'C;');
end;

function NewCommand: TADOCommand;
begin
  Result := TADOCommand.Create(nil);
  Result.ParamCheck := False;
end;

procedure Run(Command: TADOCommand; const Block: string);
begin
  Command.CommandText := Block;
  ResetRecording;
  Command.Execute;
end;

procedure DescribeTypes;
begin
  ResetServer;
  ServeDecimalSign(',');
  ServeType('"HR"."HR_BLOCKS"."EMP_REC"', False, ['EMP_ID', 'NAME', 'ACTIVE'], ['ACTIVE']);
  ServeType('"HR"."ADDRESS_T"', True, ['STREET', 'CITY'], []);
  ServeCollection('"HR"."HR_BLOCKS"."ID_LIST"', 'index by pls_integer', '');
  ServeCollection('"HR"."HR_BLOCKS"."SCORE_MAP"', 'index by varchar2', '');
  ServeCollection('"HR"."NAME_TAB"', 'table', '');
  ServeCollection('"HR"."DATE_VARR"', 'varray', '', 3);
  ServeCollection('"HR"."HR_BLOCKS"."EMP_TAB"', 'index by pls_integer',
    '"HR"."HR_BLOCKS"."EMP_REC"');
  ServeCollection('"HR"."ADDRESS_TAB"', 'table', '"HR"."ADDRESS_T"');
end;

{ PUT_IDS(P_IDS IN ID_LIST, P_FLAG IN BOOLEAN): an index-by table of numbers in. }
procedure PutIds(const PIds: array of Double; PFlag: Boolean);
var
  Command: TADOCommand;
  Block: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := Q('declare') + Q('  V1 "HR"."HR_BLOCKS"."ID_LIST";') + Q('  V1I pls_integer;') +
    Q('  V2 boolean;') + Q('begin');
  for I := 0 to High(PIds) do
  begin
    Block := Block + Q('  V1I := V1.count + 1;') + Q('  V1(V1I) := ?;');
    Command.Parameters.CreateParameter('P_IDS(' + IntToStr(I + 1) + ')', ftFloat, pdInput,
      SizeOf(Double), PIds[I]);
  end;
  Block := Block + Q('  V2 := case ? when 1 then true when 0 then false end;');
  Command.Parameters.CreateParameter('P_FLAG', ftInteger, pdInput, SizeOf(Integer),
    Integer(PFlag));
  Run(Command, Block + Q('  "HR_BLOCKS"."PUT_IDS"(') + Q('    "P_IDS" => V1,') +
    Q('    "P_FLAG" => V2);') + Q('end;'));
  Command.Free;
end;

procedure RunPutIds;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."PUT_IDS"');
  ServeFormal('P_IDS', 'in', '"HR"."HR_BLOCKS"."ID_LIST"');
  ServeFormal('P_FLAG', 'in', 'boolean');
  PutIds([], True);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."PUT_IDS"', 'in P_IDS.count = 0', 'in P_FLAG = True']);
  PutIds([-0.25], False);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."PUT_IDS"', 'in P_IDS.count = 1', 'in P_IDS(1) = -0,25',
    'in P_FLAG = False']);
  PutIds([1.5, 0, 1E100], True);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."PUT_IDS"', 'in P_IDS.count = 3', 'in P_IDS(1) = 1,5',
    'in P_IDS(2) = 0', 'in P_IDS(3) = 1E100', 'in P_FLAG = True']);
end;

{ NAMES(P_FROM IN NUMBER) RETURN NAME_TAB: a nested table of texts as the result. }
function Names(PFrom: Double): TNames;
var
  Command: TADOCommand;
  Reader: TMyCollectionReader;
  I: Integer;
begin
  Command := NewCommand;
  Command.Parameters.CreateParameter('P_FROM', ftFloat, pdInput, SizeOf(Double), PFrom);
  Command.Parameters.CreateParameter('@RETURN_VALUE', ftOraClob, pdOutput, 100000, Null);
  Run(Command, Q('declare') + Q('  V0 "HR"."NAME_TAB";') + Q('  V0C clob;') +
    Q('  V0I pls_integer;') + Q('begin') + Q('  V0 := "HR_BLOCKS"."NAMES"(') +
    Q('    "P_FROM" => ?);') + Serialising('V0', True, [TextValue('V0(V0I)')]) + Q('end;'));
  Reader := TMyCollectionReader.Create(Command.Parameters.ParamByName('@RETURN_VALUE').Value, 'S',
    '@RETURN_VALUE');
  try
    SetLength(Result, Reader.Count);
    for I := 0 to Reader.Count - 1 do
      Result[I] := Reader.ReadString;
  finally
    Reader.Free;
  end;
  Command.Free;
end;

procedure CheckNames(const Actual: TNames; const Expected: array of string);
var
  I: Integer;
begin
  CheckText('names count', IntToStr(Length(Expected)), IntToStr(Length(Actual)));
  for I := 0 to High(Expected) do
    CheckText('name ' + IntToStr(I + 1), Expected[I], Actual[I]);
end;

procedure RunNames;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."NAMES"');
  ServeFormal('P_FROM', 'in', '');
  ServeResult('"HR"."NAME_TAB"');
  ServeElements('@RETURN_VALUE', [], []);
  CheckNames(Names(1), []);
  { A NULL nested table comes back empty. }
  ServeValue('@RETURN_VALUE', Null);
  CheckNames(Names(1), []);
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."NAMES"');
  ServeFormal('P_FROM', 'in', '');
  ServeResult('"HR"."NAME_TAB"');
  ServeElements('@RETURN_VALUE', [1], ['King']);
  CheckNames(Names(1), ['King']);
  { Element 2 deleted: the gap closes. Texts holding the separator, the escape and "\N". }
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."NAMES"');
  ServeFormal('P_FROM', 'in', '');
  ServeResult('"HR"."NAME_TAB"');
  ServeElements('@RETURN_VALUE', [1, 3, 4, 5, 6], ['a|b', Null, '', 'c\', '\N|\|']);
  CheckNames(Names(1), ['a|b', '', '', 'c\', '\N|\|']);
end;

{ RESCORE(P_SCORES IN OUT SCORE_MAP): a text-keyed table of numbers in and out. }
procedure Rescore(var PScores: TScores);
var
  Command: TADOCommand;
  Reader: TMyCollectionReader;
  Block: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := Q('declare') + Q('  V1 "HR"."HR_BLOCKS"."SCORE_MAP";') + Q('  V1C clob;') +
    Q('  V1I varchar2(32767);') + Q('begin');
  for I := 0 to High(PScores) do
  begin
    Block := Block + Q('  V1I := ?;') + Q('  V1(V1I) := ?;');
    Command.Parameters.CreateParameter('P_SCORES(' + IntToStr(I + 1) + ').KEY()', ftString,
      pdInput, Length(PScores[I].Key), PScores[I].Key);
    Command.Parameters.CreateParameter('P_SCORES(' + IntToStr(I + 1) + ')', ftFloat, pdInput,
      SizeOf(Double), PScores[I].Value);
  end;
  Command.Parameters.CreateParameter('P_SCORES', ftOraClob, pdOutput, 100000, Null);
  Run(Command, Block + Q('  "HR_BLOCKS"."RESCORE"(') + Q('    "P_SCORES" => V1);') +
    Serialising('V1', False, [TextValue('V1I'), NumberValue('V1(V1I)')]) + Q('end;'));
  Reader := TMyCollectionReader.Create(Command.Parameters.ParamByName('P_SCORES').Value, 'SF',
    'P_SCORES');
  try
    SetLength(PScores, Reader.Count);
    for I := 0 to Reader.Count - 1 do
    begin
      PScores[I].Key := Reader.ReadString;
      PScores[I].Value := Reader.ReadDouble;
    end;
  finally
    Reader.Free;
  end;
  Command.Free;
end;

function Entry(const Key: string; Value: Double): TScoreEntry;
begin
  Result.Key := Key;
  Result.Value := Value;
end;

procedure CheckScores(const Actual: TScores; const Expected: array of TScoreEntry);
var
  I: Integer;
begin
  CheckText('scores count', IntToStr(Length(Expected)), IntToStr(Length(Actual)));
  for I := 0 to High(Expected) do
  begin
    CheckText('score key ' + IntToStr(I + 1), Expected[I].Key, Actual[I].Key);
    CheckText('score ' + IntToStr(I + 1), FloatToStr(Expected[I].Value),
      FloatToStr(Actual[I].Value));
  end;
end;

procedure RunRescore;
var
  Scores: TScores;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."RESCORE"');
  ServeFormal('P_SCORES', 'in out', '"HR"."HR_BLOCKS"."SCORE_MAP"');
  Scores := nil;
  Rescore(Scores);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."RESCORE"', 'in P_SCORES.count = 0']);
  CheckScores(Scores, []);
  { Back in the order of the keys' bytes; a key given twice keeps its last value. }
  SetLength(Scores, 4);
  Scores[0] := Entry('b', 2.5);
  Scores[1] := Entry('a|c', -0.125);
  Scores[2] := Entry('a\', 3);
  Scores[3] := Entry('b', 7.75);
  Rescore(Scores);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."RESCORE"', 'in P_SCORES.count = 3', 'in P_SCORES(a\) = 3',
    'in P_SCORES(a|c) = -0,125', 'in P_SCORES(b) = 7,75']);
  CheckScores(Scores, [Entry('a\', 3), Entry('a|c', -0.125), Entry('b', 7.75)]);
  { What the routine sets comes back, a NULL value as 0. }
  ServeElements('P_SCORES', ['x'], [Null]);
  Rescore(Scores);
  CheckScores(Scores, [Entry('x', 0)]);
end;

{ STAFF(P_DAYS IN DATE_VARR, P_EMPS OUT EMP_TAB): a varray of dates in, records out. }
procedure Staff(const PDays: array of TDateTime; var PEmps: TEmps);
var
  Command: TADOCommand;
  Reader: TMyCollectionReader;
  Block: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := Q('declare') + Q('  V1 "HR"."DATE_VARR";') + Q('  V1I pls_integer;') +
    Q('  V2 "HR"."HR_BLOCKS"."EMP_TAB";') + Q('  V2C clob;') + Q('  V2I pls_integer;') +
    Q('begin') + Q('  V1 := "HR"."DATE_VARR"();');
  for I := 0 to High(PDays) do
  begin
    Block := Block + Q('  V1.extend;') + Q('  V1I := V1.last;') + Q('  V1(V1I) := ?;');
    Command.Parameters.CreateParameter('P_DAYS(' + IntToStr(I + 1) + ')', ftDateTime, pdInput,
      SizeOf(TDateTime), PDays[I]);
  end;
  Command.Parameters.CreateParameter('P_EMPS', ftOraClob, pdOutput, 100000, Null);
  Run(Command, Block + Q('  "HR_BLOCKS"."STAFF"(') + Q('    "P_DAYS" => V1,') +
    Q('    "P_EMPS" => V2);') + Serialising('V2', False, [NumberValue('V2(V2I)."EMP_ID"'),
    TextValue('V2(V2I)."NAME"'), BooleanValue('V2(V2I)."ACTIVE"')]) + Q('end;'));
  Reader := TMyCollectionReader.Create(Command.Parameters.ParamByName('P_EMPS').Value, 'FSB',
    'P_EMPS');
  try
    SetLength(PEmps, Reader.Count);
    for I := 0 to Reader.Count - 1 do
    begin
      PEmps[I].EmpId := Reader.ReadDouble;
      PEmps[I].Name := Reader.ReadString;
      PEmps[I].Active := Reader.ReadBoolean;
    end;
  finally
    Reader.Free;
  end;
  Command.Free;
end;

procedure RunStaff;
var
  Emps: TEmps;
  Message: string;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."STAFF"');
  ServeFormal('P_DAYS', 'in', '"HR"."DATE_VARR"');
  ServeFormal('P_EMPS', 'out', '"HR"."HR_BLOCKS"."EMP_TAB"');
  ServeElements('P_EMPS', [3, 9, 10], [7, 'King|Jr', True, 8.5, Null, False, Null, 'x', Null]);
  Staff([], Emps);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."STAFF"', 'in P_DAYS.count = 0']);
  CheckText('emps', '3', IntToStr(Length(Emps)));
  CheckText('emp 1', '7 King|Jr True', FloatToStr(Emps[0].EmpId) + ' ' + Emps[0].Name + ' ' +
    BoolToStr(Emps[0].Active, True));
  CheckText('emp 2', '8,5  False', FloatToStr(Emps[1].EmpId) + ' ' + Emps[1].Name + ' ' +
    BoolToStr(Emps[1].Active, True));
  CheckText('emp 3', '0 x False', FloatToStr(Emps[2].EmpId) + ' ' + Emps[2].Name + ' ' +
    BoolToStr(Emps[2].Active, True));
  Staff([EncodeDate(2026, 12, 7)], Emps);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."STAFF"', 'in P_DAYS.count = 1',
    'in P_DAYS(1) = ' + DateTimeToStr(EncodeDate(2026, 12, 7))]);
  Staff([1, 2, 3], Emps);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."STAFF"', 'in P_DAYS.count = 3',
    'in P_DAYS(1) = ' + DateTimeToStr(1), 'in P_DAYS(2) = ' + DateTimeToStr(2),
    'in P_DAYS(3) = ' + DateTimeToStr(3)]);
  { A fourth element is beyond the varray's bound: Oracle refuses it before the call. }
  Message := '';
  try
    Staff([1, 2, 3, 4], Emps);
  except
    on E: Exception do
      Message := E.Message;
  end;
  if Pos('V1.extend beyond the varray''s bound (ORA-06532)', Message) = 0 then
    Fail('a fifth date', 'ORA-06532', Message);
  CheckRecorded(['execute block']);
end;

{ SHIFT(P_DAYS IN OUT DATE_VARR): a varray of dates in and out. }
procedure Shift(var PDays: TDays);
var
  Command: TADOCommand;
  Reader: TMyCollectionReader;
  Block: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := Q('declare') + Q('  V1 "HR"."DATE_VARR";') + Q('  V1C clob;') +
    Q('  V1I pls_integer;') + Q('begin') + Q('  V1 := "HR"."DATE_VARR"();');
  for I := 0 to High(PDays) do
  begin
    Block := Block + Q('  V1.extend;') + Q('  V1I := V1.last;') + Q('  V1(V1I) := ?;');
    Command.Parameters.CreateParameter('P_DAYS(' + IntToStr(I + 1) + ')', ftDateTime, pdInput,
      SizeOf(TDateTime), PDays[I]);
  end;
  Command.Parameters.CreateParameter('P_DAYS', ftOraClob, pdOutput, 100000, Null);
  Run(Command, Block + Q('  "HR_BLOCKS"."SHIFT"(') + Q('    "P_DAYS" => V1);') +
    Serialising('V1', True, [DateValue('V1(V1I)')]) + Q('end;'));
  Reader := TMyCollectionReader.Create(Command.Parameters.ParamByName('P_DAYS').Value, 'D',
    'P_DAYS');
  try
    SetLength(PDays, Reader.Count);
    for I := 0 to Reader.Count - 1 do
      PDays[I] := Reader.ReadDateTime;
  finally
    Reader.Free;
  end;
  Command.Free;
end;

procedure RunShift;
var
  Days: TDays;
  Noon, Revolution: TDateTime;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."SHIFT"');
  ServeFormal('P_DAYS', 'in out', '"HR"."DATE_VARR"');
  Noon := EncodeDate(2026, 12, 7) + EncodeTime(18, 8, 53, 0);
  Revolution := EncodeDate(1789, 7, 14) - EncodeTime(6, 30, 0, 0);
  SetLength(Days, 2);
  Days[0] := Noon;
  Days[1] := Revolution;
  Shift(Days);
  CheckText('days', '2', IntToStr(Length(Days)));
  CheckText('day 1', DateTimeToStr(Noon), DateTimeToStr(Days[0]));
  CheckText('day 2', DateTimeToStr(Revolution), DateTimeToStr(Days[1]));
  ServeElements('P_DAYS', [1, 2], [Null, VarFromDateTime(Noon)]);
  Shift(Days);
  CheckText('days', '2', IntToStr(Length(Days)));
  CheckText('NULL day', DateTimeToStr(0), DateTimeToStr(Days[0]));
  CheckText('day', DateTimeToStr(Noon), DateTimeToStr(Days[1]));
  { The routine leaves the varray NULL: an empty array. }
  ServeValue('P_DAYS', Null);
  Shift(Days);
  CheckText('NULL varray', '0', IntToStr(Length(Days)));
end;

{ RELOCATE(P_ADDRS IN ADDRESS_TAB): a nested table of objects in. }
procedure Relocate(const PAddrs: array of TAddress);
var
  Command: TADOCommand;
  Block: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := Q('declare') + Q('  V1 "HR"."ADDRESS_TAB";') + Q('  V1I pls_integer;') + Q('begin') +
    Q('  V1 := "HR"."ADDRESS_TAB"();');
  for I := 0 to High(PAddrs) do
  begin
    Block := Block + Q('  V1.extend;') + Q('  V1I := V1.last;') +
      Q('  V1(V1I) := "HR"."ADDRESS_T"(null, null);') + Q('  V1(V1I)."STREET" := ?;') +
      Q('  V1(V1I)."CITY" := ?;');
    Command.Parameters.CreateParameter('P_ADDRS(' + IntToStr(I + 1) + ').STREET', ftString,
      pdInput, Length(PAddrs[I].Street), PAddrs[I].Street);
    Command.Parameters.CreateParameter('P_ADDRS(' + IntToStr(I + 1) + ').CITY', ftString,
      pdInput, Length(PAddrs[I].City), PAddrs[I].City);
  end;
  Run(Command, Block + Q('  "HR_BLOCKS"."RELOCATE"(') + Q('    "P_ADDRS" => V1);') + Q('end;'));
  Command.Free;
end;

function Address(const Street, City: string): TAddress;
begin
  Result.Street := Street;
  Result.City := City;
end;

procedure RunRelocate;
begin
  DescribeTypes;
  ServeRoutine('"HR_BLOCKS"."RELOCATE"');
  ServeFormal('P_ADDRS', 'in', '"HR"."ADDRESS_TAB"');
  Relocate([Address('Elm Street 1', 'Oxford'), Address('', 'Bath')]);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."RELOCATE"', 'in P_ADDRS.count = 2',
    'in P_ADDRS(1).STREET = Elm Street 1', 'in P_ADDRS(1).CITY = Oxford',
    'in P_ADDRS(2).STREET = ', 'in P_ADDRS(2).CITY = Bath']);
end;

{ A block the server must refuse: each line of Lines, parameters one letter each as in
  plsqlserverruns (i an input number, o an output CLOB, s an input text, d an input date). }
procedure Refused(const Lines: array of string; const Parameters, Expected: string);
var
  Command: TADOCommand;
  Block, Message: string;
  I: Integer;
begin
  Command := NewCommand;
  Block := '';
  for I := 0 to High(Lines) do
    Block := Block + Q(Lines[I]);
  for I := 1 to Length(Parameters) do
    case Parameters[I] of
      'i': Command.Parameters.CreateParameter('P' + IntToStr(I), ftFloat, pdInput, 8, 1.5);
      'o': Command.Parameters.CreateParameter('P' + IntToStr(I), ftOraClob, pdOutput, 9, Null);
      's': Command.Parameters.CreateParameter('P' + IntToStr(I), ftString, pdInput, 1, 'a');
      'd': Command.Parameters.CreateParameter('P' + IntToStr(I), ftDateTime, pdInput, 8,
          VarFromDateTime(2));
    end;
  Message := '';
  try
    Run(Command, Block);
  except
    on E: Exception do
      Message := E.Message;
  end;
  Command.Free;
  ResetRecording;
  if Pos(Expected, Message) = 0 then
    Fail('refusal of ' + Lines[High(Lines) - 1], '"' + Expected + '"', '"' + Message + '"');
end;

procedure RunRefusals;
var
  Command: TADOCommand;
  Message: string;
begin
  DescribeTypes;
  Refused(['declare', '  V1 "HR"."NAME_TAB";', 'begin', '  V1.extend;', 'end;'], '',
    'V1 is an uninitialized collection (ORA-06531)');
  Refused(['declare', '  V1 "HR"."NAME_TAB";', 'begin', '  V1 := "HR"."NAME_TAB"();',
    '  V1(1) := ?;', 'end;'], 's', 'V1(1) is beyond its count or deleted (ORA-06533)');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."ID_LIST";', 'begin', '  V1.extend;', 'end;'], '',
    'V1.extend: not a nested table or varray');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."ID_LIST";', 'begin',
    '  V1 := "HR"."HR_BLOCKS"."ID_LIST"();', 'end;'], '', 'an index-by table, which has no constructor');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."ID_LIST";', 'begin', '  if V1 is null then',
    '    V1(1) := ?;', '  end if;', 'end;'], 'i', 'V1 is an index-by table, never NULL');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."ID_LIST";', 'begin', '  ? := V1(2);', 'end;'], 'o',
    'V1(2) does not exist (ORA-01403)');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."ID_LIST";', 'begin', '  V1(1) := ?;',
    '  ? := replace(V1(1), `,`, `.`);', 'end;'], 'io', 'replace in 1,5, which is not a text');
  Refused(['declare', '  V1 "HR"."DATE_VARR";', 'begin', '  V1 := "HR"."DATE_VARR"();',
    '  V1.extend;', '  V1(1) := ?;', '  ? := to_char(V1(1));', 'end;'], 'do',
    'to_char of a date with the mask ''''');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."EMP_TAB";', 'begin', '  V1(1)."ACTIVE" := ?;',
    'end;'], 'i', 'V1(..).ACTIVE cannot take a scalar');
  Refused(['declare', '  V1 "HR"."ADDRESS_TAB";', 'begin', '  V1 := "HR"."ADDRESS_TAB"();',
    '  V1.extend;', '  V1(1)."CITY" := ?;', 'end;'], 's',
    'V1(..).CITY set in a NULL object (ORA-06530)');
  { Without its NLS argument to_char follows the session's "," and the reader refuses the text. }
  Command := NewCommand;
  Command.Parameters.CreateParameter('P1', ftFloat, pdInput, 8, 1.5);
  Command.Parameters.CreateParameter('P2', ftOraClob, pdOutput, 100, Null);
  Run(Command, Q('declare') + Q('  V1 "HR"."HR_BLOCKS"."ID_LIST";') + Q('  V1C clob;') +
    Q('  V1I pls_integer;') + Q('begin') + Q('  V1(1) := ?;') + Serialising('V1', False,
    ['nvl(to_char(V1(V1I), `TM9`), `\N`)']) + Q('end;'));
  CheckText('session text', '1|1,5|', Command.Parameters.ParamByName('P2').Value);
  Message := '';
  try
    TMyCollectionReader.Create(Command.Parameters.ParamByName('P2').Value, 'F', 'P2').Free;
  except
    on E: EConvertError do
      Message := E.Message;
  end;
  CheckText('session number', 'The collection in P2 cannot be read: element 1: 1,5 is not a number',
    Message);
  Command.Free;
end;

begin
  FormatSettings.DecimalSeparator := ',';
  RunPutIds;
  RunNames;
  RunRescore;
  RunStaff;
  RunShift;
  RunRelocate;
  RunRefusals;
  WriteLn('the simulated server ran the collection blocks as expected');
end.
