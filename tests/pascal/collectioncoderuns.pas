{ Runs the generated methods of the collections_through_blocks golden case on the simulated
  server, under a session whose decimal sign is ",": every element the caller passes must reach
  the routine under its key, every element the routine hands back must come back to the caller's
  array in order (gaps closed, NULL as the type's default, separators and escapes intact), with
  0, 1 and 3 elements, scalars, records and objects. Stops with a message and exit code 1 on the
  first wrong value. }
program CollectionCodeRuns;

{$mode delphi}

uses cwstring, Classes, SysUtils, Variants, DB, AdoRecorder, RunChecks, PlsqlServer,
  uMyOracleTypes, uMyOracleDB, uHrBlocks;

{ What the routine received, without the parameters created: the lines 'call ...' and 'in ...'. }
procedure CheckReceived(const Expected: array of string);
var
  Lines: TStringList;
  Kept: string;
  I: Integer;
begin
  Lines := TStringList.Create;
  Lines.Text := Recorded;
  Kept := '';
  for I := 0 to Lines.Count - 1 do
    if (Copy(Lines[I], 1, 5) = 'call ') or (Copy(Lines[I], 1, 3) = 'in ') then
      Kept := Kept + Lines[I] + #10;
  Lines.Free;
  Lines := TStringList.Create;
  for I := 0 to High(Expected) do
    Lines.Add(Expected[I]);
  CheckText('received', Lines.Text, StringReplace(Kept, #10, LineEnding, [rfReplaceAll]));
  Lines.Free;
  ResetRecording;
end;

function Numbers(const Values: array of Double): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' ' + FloatToStr(Values[I]);
end;

function Texts(const Values: array of string): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' [' + Values[I] + ']';
end;

function Entries(const Values: array of THrBlocksScoreMapEntry): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' ' + Values[I].Key + '=' + FloatToStr(Values[I].Value);
end;

function Dates(const Values: array of TDateTime): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' ' + FormatDateTime('yyyy-mm-dd hh:nn:ss', Values[I]);
end;

function Entry(const Key: string; Value: Double): THrBlocksScoreMapEntry;
begin
  Result.Key := Key;
  Result.Value := Value;
end;

procedure DescribeTypes;
begin
  ResetServer;
  ServeDecimalSign(',');
  ServeCollection('"HR"."HR_BLOCKS"."ID_LIST"', 'index by pls_integer', '');
  ServeCollection('"HR"."HR_BLOCKS"."SCORE_MAP"', 'index by varchar2', '');
  ServeCollection('"HR"."NAME_TAB"', 'table', '');
  ServeCollection('"HR"."DATE_VARR"', 'varray', '', 3);
  ServeCollection('"HR"."HR_BLOCKS"."FLAG_LIST"', 'index by pls_integer', 'boolean');
  ServeCollection('"HR"."HR_BLOCKS"."COUNT_TAB"', 'table', '');
  ServeType('"HR"."HR_BLOCKS"."EMP_REC"', False, ['EMP_ID', 'NAME', 'ACTIVE'], ['ACTIVE']);
  ServeType('"HR"."ADDRESS_T"', True, ['STREET', 'CITY'], []);
  ServeCollection('"HR"."HR_BLOCKS"."EMP_TAB"', 'index by pls_integer',
    '"HR"."HR_BLOCKS"."EMP_REC"');
  ServeCollection('"HR"."ADDRESS_TAB"', 'table', '"HR"."ADDRESS_T"');
  ResetRecording;
end;

{ Describes the types afresh and the routine, whose outputs the test then chooses. }
procedure Serving(const CallName: string; const Formals: array of string; const ResultType: string);
var
  I: Integer;
begin
  DescribeTypes;
  ServeRoutine(CallName);
  I := 0;
  while I < High(Formals) do
  begin
    ServeFormal(Formals[I], Formals[I + 1], Formals[I + 2]);
    Inc(I, 3);
  end;
  if ResultType <> '-' then
    ServeResult(ResultType);
end;

const
  EmpTab = '"HR"."HR_BLOCKS"."EMP_TAB"';
  AddressTab = '"HR"."ADDRESS_TAB"';
  IdList = '"HR"."HR_BLOCKS"."ID_LIST"';
  ScoreMap = '"HR"."HR_BLOCKS"."SCORE_MAP"';
  NameTab = '"HR"."NAME_TAB"';
  DateVarr = '"HR"."DATE_VARR"';

procedure ServePutIds;
begin
  Serving('"HR_BLOCKS"."PUT_IDS"', ['P_IDS', 'in', IdList, 'P_FLAG', 'in', 'boolean'], '-');
end;

procedure ServeSwapIds;
begin
  Serving('"HR_BLOCKS"."SWAP_IDS"', ['P_IDS', 'in out', IdList, 'P_OLD', 'out', IdList], IdList);
end;

procedure ServeScores;
begin
  Serving('"HR_BLOCKS"."SCORES"', ['P_SEED', 'in', ScoreMap, 'P_COPY', 'out', ScoreMap], ScoreMap);
end;

procedure ServeEchoNames;
begin
  Serving('"HR_BLOCKS"."ECHO_NAMES"', ['P_NAMES', 'in', NameTab, 'P_BACK', 'out', NameTab,
    'P_BOTH', 'in out', NameTab], '-');
end;

procedure ServeDays;
begin
  Serving('"HR_BLOCKS"."DAYS"', ['P_DAYS', 'in', DateVarr, 'P_LATER', 'out', DateVarr,
    'P_BOTH', 'in out', DateVarr], DateVarr);
end;

procedure ServeFlags;
begin
  Serving('"HR_BLOCKS"."FLAGS"', ['P_FLAGS', 'in out', '"HR"."HR_BLOCKS"."FLAG_LIST"', 'P_COUNTS',
    'in', '"HR"."HR_BLOCKS"."COUNT_TAB"', 'N_MY_INDEX', 'in', ''], '"HR"."HR_BLOCKS"."COUNT_TAB"');
end;

procedure RunIndexByNumber(Coll: THrBlocks);
var
  Ids, Old, Back: THrBlocksIdList;
begin
  { In: 0, 1 and 3 elements, keys 1..n, fractions whatever the session's decimal sign. }
  ServePutIds;
  Coll.PutIds([], True);
  CheckRecorded(['P_FLAG ftInteger pdInput 4 1', 'execute block', 'call "HR_BLOCKS"."PUT_IDS"',
    'in P_IDS.count = 0', 'in P_FLAG = True']);
  ServePutIds;
  Coll.PutIds([-0.25], False);
  CheckRecorded(['P_IDS(1) ftFloat pdInput 8 -0,25', 'P_FLAG ftInteger pdInput 4 0',
    'execute block', 'call "HR_BLOCKS"."PUT_IDS"', 'in P_IDS.count = 1', 'in P_IDS(1) = -0,25',
    'in P_FLAG = False']);
  ServePutIds;
  Coll.PutIds([1.5, 0, 1E100], True);
  CheckReceived(['call "HR_BLOCKS"."PUT_IDS"', 'in P_IDS.count = 3', 'in P_IDS(1) = 1,5',
    'in P_IDS(2) = 0', 'in P_IDS(3) = 1E100', 'in P_FLAG = True']);

  { In out, out and result: an in-out table left alone comes back as it went; gaps close, a
    NULL element is 0; an out table the routine leaves empty is empty. }
  ServeSwapIds;
  ServeElements('@RETURN_VALUE', [2, 5, 9], [1.5, Null, -0.125]);
  ServeElements('P_OLD', [-1, 0, 1], [1E300, -2.5E-300, 0.1]);
  Ids := THrBlocksIdList.Create(0.5, 1E-5, 3);
  Old := THrBlocksIdList.Create(9);
  Back := Coll.SwapIds(Ids, Old);
  CheckReceived(['call "HR_BLOCKS"."SWAP_IDS"', 'in P_IDS.count = 3', 'in P_IDS(1) = 0,5',
    'in P_IDS(2) = 0,00001', 'in P_IDS(3) = 3']);
  CheckText('SWAP_IDS result', Numbers([1.5, 0, -0.125]), Numbers(Back));
  CheckText('SWAP_IDS P_IDS', Numbers([0.5, 1E-5, 3]), Numbers(Ids));
  CheckText('SWAP_IDS P_OLD', Numbers([1E300, -2.5E-300, 0.1]), Numbers(Old));
  ServeSwapIds;
  ServeElements('@RETURN_VALUE', [4], [-1]);
  ServeElements('P_IDS', [7], [2.75]);
  ServeElements('P_OLD', [-3], [Null]);
  Ids := nil;
  Back := Coll.SwapIds(Ids, Old);
  CheckReceived(['call "HR_BLOCKS"."SWAP_IDS"', 'in P_IDS.count = 0']);
  CheckText('SWAP_IDS one result', Numbers([-1]), Numbers(Back));
  CheckText('SWAP_IDS P_IDS one', Numbers([2.75]), Numbers(Ids));
  CheckText('SWAP_IDS P_OLD NULL', Numbers([0]), Numbers(Old));
end;

procedure RunIndexByText(Coll: THrBlocks);
var
  Scores, Copied, Back: THrBlocksScoreMap;
begin
  { In out: keys holding the separator and the escape, back in the order of their bytes; a key
    given twice keeps its last value. }
  Serving('"HR_BLOCKS"."RESCORE"', ['P_SCORES', 'in out', ScoreMap], '-');
  Scores := nil;
  Coll.Rescore(Scores);
  CheckRecorded(['P_SCORES ftOraClob pdOutput 10485760 NULL', 'execute block',
    'call "HR_BLOCKS"."RESCORE"', 'in P_SCORES.count = 0']);
  CheckText('RESCORE empty', Entries([]), Entries(Scores));
  Serving('"HR_BLOCKS"."RESCORE"', ['P_SCORES', 'in out', ScoreMap], '-');
  Scores := THrBlocksScoreMap.Create(Entry('b', 2.5), Entry('a|c', -0.125), Entry('a\', 3),
    Entry('b', 7.75));
  Coll.Rescore(Scores);
  CheckReceived(['call "HR_BLOCKS"."RESCORE"', 'in P_SCORES.count = 3', 'in P_SCORES(a\) = 3',
    'in P_SCORES(a|c) = -0,125', 'in P_SCORES(b) = 7,75']);
  CheckText('RESCORE', Entries([Entry('a\', 3), Entry('a|c', -0.125), Entry('b', 7.75)]),
    Entries(Scores));

  { In, out and result, one element each way, a NULL value as 0. }
  ServeScores;
  ServeElements('@RETURN_VALUE', ['\N', 'x|', 'y'], [1, Null, 0.5]);
  ServeElements('P_COPY', ['k'], [Null]);
  Back := Coll.Scores([Entry('\\', 1E-7)], Copied);
  CheckReceived(['call "HR_BLOCKS"."SCORES"', 'in P_SEED.count = 1', 'in P_SEED(\\) = 1E-7']);
  CheckText('SCORES result', Entries([Entry('\N', 1), Entry('x|', 0), Entry('y', 0.5)]),
    Entries(Back));
  CheckText('SCORES P_COPY', Entries([Entry('k', 0)]), Entries(Copied));
  ServeScores;
  ServeElements('P_COPY', ['a', 'b', 'c'], [1, 2, 3]);
  Back := Coll.Scores([Entry('x', 1), Entry('y', 2), Entry('z', 3)], Copied);
  CheckReceived(['call "HR_BLOCKS"."SCORES"', 'in P_SEED.count = 3', 'in P_SEED(x) = 1',
    'in P_SEED(y) = 2', 'in P_SEED(z) = 3']);
  CheckText('SCORES empty result', Entries([]), Entries(Back));
  CheckText('SCORES three P_COPY', Entries([Entry('a', 1), Entry('b', 2), Entry('c', 3)]),
    Entries(Copied));
  ServeScores;
  ServeElements('@RETURN_VALUE', ['only'], [-7]);
  Back := Coll.Scores([], Copied);
  CheckReceived(['call "HR_BLOCKS"."SCORES"', 'in P_SEED.count = 0']);
  CheckText('SCORES one result', Entries([Entry('only', -7)]), Entries(Back));
  CheckText('SCORES empty P_COPY', Entries([]), Entries(Copied));
end;

procedure RunNestedTable(Coll: THrBlocks);
var
  Back, Both: TNameTab;
begin
  { A result: empty, NULL (empty too), one element, and elements with a gap, NULL, an empty
    text and texts that hold the separator, the escape and "\N". }
  Serving('"HR_BLOCKS"."NAMES"', ['P_FROM', 'in', ''], NameTab);
  ServeElements('@RETURN_VALUE', [], []);
  CheckText('NAMES empty', Texts([]), Texts(Coll.Names(1.5)));
  CheckReceived(['call "HR_BLOCKS"."NAMES"', 'in P_FROM = 1,5']);
  Serving('"HR_BLOCKS"."NAMES"', ['P_FROM', 'in', ''], NameTab);
  ServeValue('@RETURN_VALUE', Null);
  CheckText('NAMES NULL', Texts([]), Texts(Coll.Names(1)));
  Serving('"HR_BLOCKS"."NAMES"', ['P_FROM', 'in', ''], NameTab);
  ServeElements('@RETURN_VALUE', [1], ['King']);
  CheckText('NAMES one', Texts(['King']), Texts(Coll.Names(1)));
  Serving('"HR_BLOCKS"."NAMES"', ['P_FROM', 'in', ''], NameTab);
  ServeElements('@RETURN_VALUE', [1, 3, 4, 5, 6], ['a|b', Null, '', 'c\', '\N|\|']);
  CheckText('NAMES', Texts(['a|b', '', '', 'c\', '\N|\|']), Texts(Coll.Names(1)));
  ResetRecording;

  { In, out and in out: an out table the routine leaves NULL is empty. }
  ServeEchoNames;
  Both := nil;
  Coll.EchoNames([], Back, Both);
  CheckReceived(['call "HR_BLOCKS"."ECHO_NAMES"', 'in P_NAMES.count = 0', 'in P_BOTH.count = 0']);
  CheckText('ECHO_NAMES P_BACK NULL', Texts([]), Texts(Back));
  CheckText('ECHO_NAMES P_BOTH empty', Texts([]), Texts(Both));
  ServeEchoNames;
  ServeElements('P_BACK', [1], ['\']);
  Both := TNameTab.Create('|');
  Coll.EchoNames(['x'], Back, Both);
  CheckReceived(['call "HR_BLOCKS"."ECHO_NAMES"', 'in P_NAMES.count = 1', 'in P_NAMES(1) = x',
    'in P_BOTH.count = 1', 'in P_BOTH(1) = |']);
  CheckText('ECHO_NAMES P_BACK one', Texts(['\']), Texts(Back));
  CheckText('ECHO_NAMES P_BOTH one', Texts(['|']), Texts(Both));
  ServeEchoNames;
  ServeElements('P_BACK', [1, 2, 3], ['', '|', Null]);
  ServeElements('P_BOTH', [2, 4, 6], ['\\|', Null, 'z']);
  Both := TNameTab.Create('a', 'b', 'c');
  Coll.EchoNames(['a|b', 'c\', '\N'], Back, Both);
  CheckReceived(['call "HR_BLOCKS"."ECHO_NAMES"', 'in P_NAMES.count = 3', 'in P_NAMES(1) = a|b',
    'in P_NAMES(2) = c\', 'in P_NAMES(3) = \N', 'in P_BOTH.count = 3', 'in P_BOTH(1) = a',
    'in P_BOTH(2) = b', 'in P_BOTH(3) = c']);
  CheckText('ECHO_NAMES P_BACK', Texts(['', '|', '']), Texts(Back));
  CheckText('ECHO_NAMES P_BOTH', Texts(['\\|', '', 'z']), Texts(Both));
end;

procedure RunVarray(Coll: THrBlocks);
var
  Later, Both, Back: TDateVarr;
  Refused: string;
begin
  { In, out, in out and result; dates to the second, one before Christ's birth is refused by
    the reader's check only if it came back, so the dates stay AD. }
  ServeDays;
  ServeElements('@RETURN_VALUE', [1, 2, 3], [EncodeDate(2026, 12, 7) + EncodeTime(18, 8, 53, 0),
    Null, EncodeDate(1, 1, 1)]);
  ServeElements('P_LATER', [1], [EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0)]);
  Both := TDateVarr.Create(EncodeDate(2000, 2, 29));
  Back := Coll.Days([EncodeDate(2026, 1, 2), EncodeDate(2026, 1, 3) + EncodeTime(4, 5, 6, 0),
    EncodeDate(1900, 3, 1)], Later, Both);
  CheckReceived(['call "HR_BLOCKS"."DAYS"', 'in P_DAYS.count = 3', 'in P_DAYS(1) = 2026-01-02',
    'in P_DAYS(2) = 2026-01-03 04:05:06', 'in P_DAYS(3) = 1900-03-01', 'in P_BOTH.count = 1',
    'in P_BOTH(1) = 2000-02-29']);
  CheckText('DAYS result', Dates([EncodeDate(2026, 12, 7) + EncodeTime(18, 8, 53, 0), 0,
    EncodeDate(1, 1, 1)]), Dates(Back));
  CheckText('DAYS P_LATER', Dates([EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0)]),
    Dates(Later));
  CheckText('DAYS P_BOTH', Dates([EncodeDate(2000, 2, 29)]), Dates(Both));

  { Empty both ways: an out varray left NULL and a NULL result are empty arrays. }
  ServeDays;
  ServeValue('@RETURN_VALUE', Null);
  Both := nil;
  Back := Coll.Days([], Later, Both);
  CheckReceived(['call "HR_BLOCKS"."DAYS"', 'in P_DAYS.count = 0', 'in P_BOTH.count = 0']);
  CheckText('DAYS NULL result', Dates([]), Dates(Back));
  CheckText('DAYS NULL P_LATER', Dates([]), Dates(Later));

  { One in, three out, three in and out, one back. }
  ServeDays;
  ServeElements('@RETURN_VALUE', [1], [EncodeDate(2024, 2, 29)]);
  ServeElements('P_LATER', [1, 2, 3], [EncodeDate(2001, 1, 1), Null, EncodeDate(2003, 3, 3)]);
  Both := TDateVarr.Create(1, 2, 3);
  Back := Coll.Days([EncodeDate(1999, 1, 1)], Later, Both);
  CheckReceived(['call "HR_BLOCKS"."DAYS"', 'in P_DAYS.count = 1', 'in P_DAYS(1) = 1999-01-01',
    'in P_BOTH.count = 3', 'in P_BOTH(1) = 1899-12-31', 'in P_BOTH(2) = 1900-01-01',
    'in P_BOTH(3) = 1900-01-02']);
  CheckText('DAYS one result', Dates([EncodeDate(2024, 2, 29)]), Dates(Back));
  CheckText('DAYS three P_LATER', Dates([EncodeDate(2001, 1, 1), 0, EncodeDate(2003, 3, 3)]),
    Dates(Later));
  CheckText('DAYS three P_BOTH', Dates([1, 2, 3]), Dates(Both));

  { Beyond the bound, Oracle refuses the element before the routine runs. }
  ServeDays;
  Refused := '';
  try
    Coll.Days([1, 2, 3, 4], Later, Both);
  except
    on E: Exception do
      Refused := E.Message;
  end;
  if Pos('ORA-06532', Refused) = 0 then
    Fail('DAYS beyond the bound', 'ORA-06532', Refused);
  CheckReceived([]);
end;

procedure RunBooleansAndIntegers(Coll: THrBlocks);
var
  Flags: THrBlocksFlagList;
  Counts: THrBlocksCountTab;
begin
  ServeFlags;
  ServeElements('P_FLAGS', [1, 2, 3], [False, Null, True]);
  ServeElements('@RETURN_VALUE', [1, 2], [-2147483647, Null]);
  Flags := THrBlocksFlagList.Create(True, False, True);
  Counts := Coll.Flags(Flags, [0, 7, -1], 2.5);
  CheckReceived(['call "HR_BLOCKS"."FLAGS"', 'in P_FLAGS.count = 3', 'in P_FLAGS(1) = True',
    'in P_FLAGS(2) = False', 'in P_FLAGS(3) = True', 'in P_COUNTS.count = 3',
    'in P_COUNTS(1) = 0', 'in P_COUNTS(2) = 7', 'in P_COUNTS(3) = -1', 'in N_MY_INDEX = 2,5']);
  CheckText('FLAGS P_FLAGS', 'False False True', BoolToStr(Flags[0], True) + ' ' +
    BoolToStr(Flags[1], True) + ' ' + BoolToStr(Flags[2], True));
  CheckText('FLAGS result', '2: -2147483647 0', IntToStr(Length(Counts)) + ': ' +
    IntToStr(Counts[0]) + ' ' + IntToStr(Counts[1]));
end;

function Emp(EmpId: Double; const Name: string; Active: Boolean): THrBlocksEmpRec;
begin
  Result.EmpId := EmpId;
  Result.Name := Name;
  Result.Active := Active;
end;

function Address(const Street, City: string): TAddressT;
begin
  Result.Street := Street;
  Result.City := City;
end;

function Emps(const Values: array of THrBlocksEmpRec): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' ' + FloatToStr(Values[I].EmpId) + '/' + Values[I].Name + '/' +
      BoolToStr(Values[I].Active, True);
end;

function Addresses(const Values: array of TAddressT): string;
var
  I: Integer;
begin
  Result := IntToStr(Length(Values)) + ':';
  for I := 0 to High(Values) do
    Result := Result + ' ' + Values[I].Street + '/' + Values[I].City;
end;

procedure RunRecords(Database: TMyOracleDB);
var
  Staff: THrBlocksEmpTab;
  Back: TAddressTab;
begin
  { Records with a BOOLEAN field out: 0, 1 and 3 of them, a NULL field as its default. }
  Serving('"HR_BLOCKS"."STAFF"', ['P_DAYS', 'in', DateVarr, 'P_EMPS', 'out', EmpTab], '-');
  Database.HrBlocks.Staff([], Staff);
  CheckReceived(['call "HR_BLOCKS"."STAFF"', 'in P_DAYS.count = 0']);
  CheckText('STAFF none', Emps([]), Emps(Staff));
  Serving('"HR_BLOCKS"."STAFF"', ['P_DAYS', 'in', DateVarr, 'P_EMPS', 'out', EmpTab], '-');
  ServeElements('P_EMPS', [3], [7, 'King|\', True]);
  Database.HrBlocks.Staff([EncodeDate(2026, 12, 7)], Staff);
  CheckText('STAFF one', Emps([Emp(7, 'King|\', True)]), Emps(Staff));
  Serving('"HR_BLOCKS"."STAFF"', ['P_DAYS', 'in', DateVarr, 'P_EMPS', 'out', EmpTab], '-');
  ServeElements('P_EMPS', [1, 2, 5], [7, 'King', True, 8.5, Null, False, Null, 'x', Null]);
  Database.HrBlocks.Staff([1, 2], Staff);
  CheckText('STAFF three', Emps([Emp(7, 'King', True), Emp(8.5, '', False), Emp(0, 'x', False)]),
    Emps(Staff));
  ResetRecording;

  { Objects in, each built before its fields are set. }
  Serving('"HR_BLOCKS"."RELOCATE"', ['P_ADDRS', 'in', AddressTab], '-');
  Database.HrBlocks.Relocate([Address('Main St 1', 'Bern'), Address('a|b\', '')]);
  CheckReceived(['call "HR_BLOCKS"."RELOCATE"', 'in P_ADDRS.count = 2',
    'in P_ADDRS(1).STREET = Main St 1', 'in P_ADDRS(1).CITY = Bern',
    'in P_ADDRS(2).STREET = a|b\', 'in P_ADDRS(2).CITY = ']);
  Serving('"HR_BLOCKS"."RELOCATE"', ['P_ADDRS', 'in', AddressTab], '-');
  Database.HrBlocks.Relocate([]);
  CheckReceived(['call "HR_BLOCKS"."RELOCATE"', 'in P_ADDRS.count = 0']);

  { Records in and out, objects as the result; a NULL object element reads as NULL fields. }
  Serving('"HR_BLOCKS"."REHIRE"', ['P_EMPS', 'in out', EmpTab], AddressTab);
  ServeElements('@RETURN_VALUE', [1, 2], ['Elm', 'Oslo', Null, Null]);
  Staff := THrBlocksEmpTab.Create(Emp(1, 'a', True), Emp(-2.5, 'b', False));
  Back := Database.HrBlocks.Rehire(Staff);
  CheckReceived(['call "HR_BLOCKS"."REHIRE"', 'in P_EMPS.count = 2', 'in P_EMPS(1).EMP_ID = 1',
    'in P_EMPS(1).NAME = a', 'in P_EMPS(1).ACTIVE = True', 'in P_EMPS(2).EMP_ID = -2,5',
    'in P_EMPS(2).NAME = b', 'in P_EMPS(2).ACTIVE = False']);
  CheckText('REHIRE P_EMPS', Emps([Emp(1, 'a', True), Emp(-2.5, 'b', False)]), Emps(Staff));
  CheckText('REHIRE result', Addresses([Address('Elm', 'Oslo'), Address('', '')]),
    Addresses(Back));

  { A routine outside packages. }
  Serving('"ALL_NAMES"', [], NameTab);
  ServeElements('@RETURN_VALUE', [1, 2], ['x', 'y']);
  CheckText('ALL_NAMES', Texts(['x', 'y']), Texts(Database.AllNames));
  CheckReceived(['call "ALL_NAMES"']);
end;

var
  Database: TMyOracleDB;
begin
  DefaultFormatSettings.DecimalSeparator := ',';
  DefaultFormatSettings.DateSeparator := '-';
  DefaultFormatSettings.ShortDateFormat := 'yyyy/mm/dd';
  Database := TMyOracleDB.Create(nil);
  RunIndexByNumber(Database.HrBlocks);
  RunIndexByText(Database.HrBlocks);
  RunNestedTable(Database.HrBlocks);
  RunVarray(Database.HrBlocks);
  RunBooleansAndIntegers(Database.HrBlocks);
  RunRecords(Database);
  Database.Free;
  WriteLn('generated collection methods ran as expected');
end.
