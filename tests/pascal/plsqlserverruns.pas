{ Runs the simulated server on the blocks that docs/calls-through-blocks.md shows, sent the way
  generated methods send them: every value must reach the routine under its name and come back
  to its parameter, NULLs included; and blocks that Oracle (or the provider) would refuse must be
  refused. Stops with a message and exit code 1 on the first wrong result. }
program PlsqlServerRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, ADODB, AdoRecorder, RunChecks, PlsqlServer;

function Block(const Lines: array of string): string;
var
  I: Integer;
begin
  Result := '';
  for I := 0 to High(Lines) do
    Result := Result + Lines[I] + #10;
end;

function NewCommand(const Text: string): TADOCommand;
begin
  Result := TADOCommand.Create(nil);
  Result.ParamCheck := False;
  Result.CommandText := Text;
end;

procedure CheckValue(Command: TADOCommand; const Name, Expected: string);
var
  Value: Variant;
begin
  Value := Command.Parameters.ParamByName(Name).Value;
  if VarIsNull(Value) then
    CheckText(Name, Expected, 'NULL')
  else
    CheckText(Name, Expected, VarToStr(Value));
end;

procedure DescribeTypes;
begin
  ResetServer;
  ServeType('"HR"."HR_BLOCKS"."EMP_REC"', False, ['EMP_ID', 'NAME', 'ACTIVE'], ['ACTIVE']);
  ServeType('"HR"."EMPLOYEES"%rowtype', False, ['EMPLOYEE_ID', 'LAST_NAME'], []);
  ServeType('"HR"."ADDRESS_T"', True, ['STREET', 'CITY'], []);
end;

procedure DescribeGetEmp;
begin
  ServeRoutine('"HR_BLOCKS"."GET_EMP"');
  ServeFormal('P_ID', 'in', '');
  ServeFormal('P_FOUND', 'out', 'boolean');
  ServeResult('"HR"."HR_BLOCKS"."EMP_REC"');
end;

procedure DescribeToggle;
begin
  ServeRoutine('"HR_BLOCKS"."TOGGLE"');
  ServeFormal('P_ID', 'in', '');
  ServeFormal('P_ON', 'in', 'boolean');
  ServeFormal('P_STATE', 'in out', 'boolean');
  ServeResult('boolean');
end;

procedure DescribeMove;
begin
  ServeRoutine('"HR_BLOCKS"."MOVE"');
  ServeFormal('P_EMP', 'in', '"HR"."EMPLOYEES"%rowtype');
  ServeFormal('P_ADDR', 'in out', '"HR"."ADDRESS_T"');
end;

procedure DescribeStamp;
begin
  ServeRoutine('"HR_BLOCKS"."STAMP"');
  ServeFormal('P_DOC', 'in', 'xmltype');
  ServeFormal('P_WAIT', 'out', 'interval day to second');
  ServeResult('xmltype');
end;

const
  GetEmpBlock: array[0..11] of string = ('declare', '  V0 "HR"."HR_BLOCKS"."EMP_REC";',
    '  V2 boolean;', 'begin', '  V0 := "HR_BLOCKS"."GET_EMP"(', '    "P_ID" => ?,',
    '    "P_FOUND" => V2);', '  ? := V0."EMP_ID";', '  ? := V0."NAME";',
    '  ? := case V0."ACTIVE" when true then 1 when false then 0 end;',
    '  ? := case V2 when true then 1 when false then 0 end;', 'end;');
  ToggleBlock: array[0..13] of string = ('declare', '  V0 boolean;', '  V2 boolean;',
    '  V3 boolean;', 'begin', '  V2 := case ? when 1 then true when 0 then false end;',
    '  V3 := case ? when 1 then true when 0 then false end;', '  V0 := "HR_BLOCKS"."TOGGLE"(',
    '    "P_ID" => ?,', '    "P_ON" => V2,', '    "P_STATE" => V3);',
    '  ? := case V0 when true then 1 when false then 0 end;',
    '  ? := case V3 when true then 1 when false then 0 end;', 'end;');
  MoveBlock: array[0..14] of string = ('declare', '  V1 "HR"."EMPLOYEES"%rowtype;',
    '  V2 "HR"."ADDRESS_T";', 'begin', '  V1."EMPLOYEE_ID" := ?;', '  V1."LAST_NAME" := ?;',
    '  V2 := "HR"."ADDRESS_T"(null, null);', '  V2."STREET" := ?;', '  V2."CITY" := ?;',
    '  "HR_BLOCKS"."MOVE"(', '    "P_EMP" => V1,', '    "P_ADDR" => V2);',
    '  ? := V2."STREET";', '  ? := V2."CITY";', 'end;');
  StampBlock: array[0..13] of string = ('declare', '  V0 xmltype;', '  V1 xmltype;',
    '  V1C clob;', '  V2 interval day(9) to second(9);', 'begin', '  V1C := ?;',
    '  if V1C is not null then V1 := xmltype(V1C); end if;', '  V0 := "HR_BLOCKS"."STAMP"(',
    '    "P_DOC" => V1,', '    "P_WAIT" => V2);',
    '  ? := case when V0 is not null then V0.getclobval() end;', '  ? := to_char(V2);', 'end;');

{ GET_EMP: a scalar in, a BOOLEAN out, a record with a BOOLEAN field as the result. }
function GetEmp(const Id: Variant): TADOCommand;
begin
  Result := NewCommand(Block(GetEmpBlock));
  with Result.Parameters do
  begin
    CreateParameter('P_ID', ftFloat, pdInput, SizeOf(Double), Id);
    CreateParameter('@RETURN_VALUE.EMP_ID', ftFloat, pdOutput, SizeOf(Double), Null);
    CreateParameter('@RETURN_VALUE.NAME', ftString, pdOutput, 4096, Null);
    CreateParameter('@RETURN_VALUE.ACTIVE', ftInteger, pdOutput, SizeOf(Integer), Null);
    CreateParameter('P_FOUND', ftInteger, pdOutput, SizeOf(Integer), Null);
  end;
  ResetRecording;
  Result.Execute;
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."GET_EMP"', 'in P_ID = ' + ValueText(Id)]);
end;

procedure RunGetEmp;
var
  Command: TADOCommand;
begin
  DescribeTypes;
  DescribeGetEmp;
  ServeEcho('@RETURN_VALUE.EMP_ID', 'P_ID');
  ServeValue('@RETURN_VALUE.NAME', 'King');
  ServeValue('@RETURN_VALUE.ACTIVE', True);
  ServeValue('P_FOUND', False);
  Command := GetEmp(7);
  CheckValue(Command, '@RETURN_VALUE.EMP_ID', '7');
  CheckValue(Command, '@RETURN_VALUE.NAME', 'King');
  CheckValue(Command, '@RETURN_VALUE.ACTIVE', '1');
  CheckValue(Command, 'P_FOUND', '0');
  Command.Free;
  { A routine that sets nothing hands back NULL in every field. }
  DescribeTypes;
  DescribeGetEmp;
  Command := GetEmp(Null);
  CheckValue(Command, '@RETURN_VALUE.EMP_ID', 'NULL');
  CheckValue(Command, '@RETURN_VALUE.NAME', 'NULL');
  CheckValue(Command, '@RETURN_VALUE.ACTIVE', 'NULL');
  CheckValue(Command, 'P_FOUND', 'NULL');
  Command.Free;
end;

function Toggle(Id, IsOn, State: Variant): TADOCommand;
begin
  Result := NewCommand(Block(ToggleBlock));
  with Result.Parameters do
  begin
    CreateParameter('P_ON', ftInteger, pdInput, SizeOf(Integer), IsOn);
    CreateParameter('P_STATE', ftInteger, pdInput, SizeOf(Integer), State);
    CreateParameter('P_ID', ftFloat, pdInput, SizeOf(Double), Id);
    CreateParameter('@RETURN_VALUE', ftInteger, pdOutput, SizeOf(Integer), Null);
    CreateParameter('P_STATE_', ftInteger, pdOutput, SizeOf(Integer), Null);
  end;
  ResetRecording;
  Result.Execute;
end;

procedure RunToggle;
var
  Command: TADOCommand;
begin
  DescribeTypes;
  DescribeToggle;
  ServeEcho('@RETURN_VALUE', 'P_ON');
  Command := Toggle(3, 1, 0);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."TOGGLE"', 'in P_ID = 3', 'in P_ON = True',
    'in P_STATE = False']);
  CheckValue(Command, '@RETURN_VALUE', '1');
  CheckValue(Command, 'P_STATE_', '0');
  Command.Free;
  { NULL goes in as NULL and comes back as NULL; a number other than 1 and 0 is no BOOLEAN. }
  Command := Toggle(Null, Null, 7);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."TOGGLE"', 'in P_ID = NULL', 'in P_ON = NULL',
    'in P_STATE = NULL']);
  CheckValue(Command, '@RETURN_VALUE', 'NULL');
  CheckValue(Command, 'P_STATE_', 'NULL');
  Command.Free;
  DescribeTypes;
  DescribeToggle;
  ServeEcho('@RETURN_VALUE', 'P_ON');
  ServeValue('P_STATE', True);
  Command := Toggle(1, 0, 0);
  ResetRecording;
  CheckValue(Command, '@RETURN_VALUE', '0');
  CheckValue(Command, 'P_STATE_', '1');
  Command.Free;
end;

procedure RunMove;
var
  Command: TADOCommand;
begin
  DescribeTypes;
  DescribeMove;
  ServeValue('P_ADDR.STREET', 'Elm Street 1');
  ServeEcho('P_ADDR.CITY', 'P_EMP.LAST_NAME');
  Command := NewCommand(Block(MoveBlock));
  with Command.Parameters do
  begin
    CreateParameter('P_EMP.EMPLOYEE_ID', ftFloat, pdInput, SizeOf(Double), 100);
    CreateParameter('P_EMP.LAST_NAME', ftString, pdInput, 4, 'King');
    CreateParameter('P_ADDR.STREET', ftString, pdInput, 0, Null);
    CreateParameter('P_ADDR.CITY', ftString, pdInput, 6, 'Oxford');
    CreateParameter('P_ADDR.STREET_', ftString, pdOutput, 4096, Null);
    CreateParameter('P_ADDR.CITY_', ftString, pdOutput, 4096, Null);
  end;
  ResetRecording;
  Command.Execute;
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."MOVE"', 'in P_EMP.EMPLOYEE_ID = 100',
    'in P_EMP.LAST_NAME = King', 'in P_ADDR.STREET = NULL', 'in P_ADDR.CITY = Oxford']);
  CheckValue(Command, 'P_ADDR.STREET_', 'Elm Street 1');
  CheckValue(Command, 'P_ADDR.CITY_', 'King');
  Command.Free;
end;

function Stamp(const Doc: Variant): TADOCommand;
begin
  Result := NewCommand(Block(StampBlock));
  with Result.Parameters do
  begin
    CreateParameter('P_DOC', ftOraClob, pdInput, 0, Doc);
    CreateParameter('@RETURN_VALUE', ftOraClob, pdOutput, 4096, Null);
    CreateParameter('P_WAIT', ftString, pdOutput, 4096, Null);
  end;
  ResetRecording;
  Result.Execute;
end;

procedure RunStamp;
var
  Command: TADOCommand;
begin
  DescribeTypes;
  DescribeStamp;
  ServeEcho('@RETURN_VALUE', 'P_DOC');
  ServeValue('P_WAIT', '+01 02:03:04.500000');
  Command := Stamp('<a x="1"/>');
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."STAMP"', 'in P_DOC = <a x="1"/>']);
  CheckValue(Command, '@RETURN_VALUE', '<a x="1"/>');
  CheckValue(Command, 'P_WAIT', '+01 02:03:04.500000');
  Command.Free;
  { A NULL document is never given to xmltype(), and a NULL result never asked for its text. }
  Command := Stamp(Null);
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."STAMP"', 'in P_DOC = NULL']);
  CheckValue(Command, '@RETURN_VALUE', 'NULL');
  Command.Free;
end;

procedure RunFind;
var
  Command: TADOCommand;
begin
  ResetServer;
  ServeRoutine('"HR_BLOCKS"."FIND"');
  ServeFormal('PI_SCOPE', 'in', '');
  Command := NewCommand(Block(['begin', '  "HR_BLOCKS"."FIND"(', '    "PI_SCOPE" => ?);', 'end;']));
  Command.Parameters.CreateParameter('PI_SCOPE', ftFloat, pdInput, SizeOf(Double), 2.5);
  ResetRecording;
  Command.Execute;
  Command.Free;
  CheckRecorded(['execute block', 'call "HR_BLOCKS"."FIND"', 'in PI_SCOPE = 2.5']);
end;

{ A block the server must refuse. Parameters: one letter each, in order: i an input number,
  o an output number, n an input NULL, b an input created as ftBoolean. }
procedure Refused(const Lines: array of string; const Parameters, Expected: string;
  ParamCheck: Boolean = False);
var
  Command: TADOCommand;
  I: Integer;
  Message: string;
begin
  Command := TADOCommand.Create(nil);
  Command.ParamCheck := ParamCheck;
  Command.CommandText := Block(Lines);
  for I := 1 to Length(Parameters) do
    case Parameters[I] of
      'i': Command.Parameters.CreateParameter('P' + IntToStr(I), ftInteger, pdInput, 4, 1);
      'o': Command.Parameters.CreateParameter('P' + IntToStr(I), ftInteger, pdOutput, 4, Null);
      'n': Command.Parameters.CreateParameter('P' + IntToStr(I), ftInteger, pdInput, 4, Null);
      'b': Command.Parameters.CreateParameter('P' + IntToStr(I), ftBoolean, pdInput, 1, True);
    end;
  Message := '';
  try
    Command.Execute;
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
const
  Call: array[0..3] of string = ('  V0 := "HR_BLOCKS"."TOGGLE"(', '    "P_ID" => ?,',
    '    "P_ON" => V2,', '    "P_STATE" => V3);');
begin
  DescribeTypes;
  DescribeToggle;
  ServeRoutine('"HR_BLOCKS"."FIND"');
  ServeFormal('PI_SCOPE', 'in', '');
  ServeRoutine('"V1"."F"');
  Refused(['begin', '  "HR_BLOCKS"."FIND"("PI_SCOPE" => ?);', 'end;'], 'ii',
    'The block has 1 ? marks outside literals, the command 2 parameters');
  Refused(['begin', '  "HR_BLOCKS"."FIND"("PI_SCOPE" => ?);', 'end;'], 'i',
    'while ParamCheck was on', True);
  Refused(['begin', '  "HR_BLOCKS"."FIND"("PI_SCOPE" => ?);', 'end;'], 'o',
    '? number 1 (P1) is pdOutput where the block needs pdInput');
  Refused(['declare', '  V0 boolean;', '  V2 boolean;', '  V3 boolean;', 'begin', Call[0],
    Call[1], '    "P_ON" => ?,', Call[3], 'end;'], 'ii', 'P_ON (boolean) cannot be bound to ?');
  Refused(['declare', '  V0 boolean;', '  V2 boolean;', '  V3 boolean;', 'begin',
    '  V2 := case ? when 1 then true when 0 then false end;', Call[0], Call[1], Call[2],
    Call[3], 'end;'], 'bi', '? number 1 (P1) is bound as ftBoolean');
  Refused(['declare', '  V0 boolean;', '  V2 boolean;', '  V3 boolean;', 'begin', Call[0],
    Call[1], Call[2], Call[3], '  ? := V0;', 'end;'], 'io',
    'a BOOLEAN cannot be bound to ? number 2 (P2)');
  Refused(['declare', '  V0 boolean;', '  V2 boolean;', '  V3 boolean;', 'begin', Call[0],
    '    "P_ON" => V2,', '    "P_STATE" => V3);', 'end;'], '',
    '"HR_BLOCKS"."TOGGLE" called without P_ID');
  Refused(['declare', '  V0 boolean;', '  V2 boolean;', 'begin', '  V2 := ?;', Call[0],
    Call[1], Call[2], '    "P_STATE" => V2);', 'end;'], 'ii', 'V2 cannot take a scalar');
  Refused(['declare', '  V2 "HR"."ADDRESS_T";', 'begin', '  V2."STREET" := ?;', 'end;'], 'i',
    'V2.STREET set in a NULL object (ORA-06530)');
  Refused(['declare', '  V2 "HR"."ADDRESS_T";', 'begin', '  V2 := "HR"."ADDRESS_T"(null);',
    'end;'], '', '"HR"."ADDRESS_T" has 2 attributes, its constructor got 1');
  Refused(['declare', '  V1 "HR"."EMPLOYEES"%rowtype;', 'begin', '  V1."EMPLOYEE_Id" := ?;',
    'end;'], 'i', '"HR"."EMPLOYEES"%rowtype has no field EMPLOYEE_Id');
  Refused(['declare', '  V1 "HR"."HR_BLOCKS"."EMP_REC";', 'begin', '  V1."ACTIVE" := ?;',
    'end;'], 'i', 'V1.ACTIVE cannot take a scalar');
  Refused(['declare', '  V1 boolean;', 'begin', '  "V1"."F";', 'end;'], '',
    'the local V1 hides the name "V1"."F"');
  Refused(['declare', '  V1 xmltype;', 'begin', '  ? := V1.getclobval();', 'end;'], 'o',
    'getclobval of a NULL XMLTYPE (ORA-30625)');
  Refused(['declare', '  V1 xmltype;', 'begin', '  V1 := xmltype(?);', 'end;'], 'n',
    'xmltype of NULL (ORA-19032)');
  Refused(['declare', '  V1 interval day(2) to second(9);', 'begin', 'end;'], '',
    'narrower than DAY(9)');
  Refused(['declare', '  V1 interval day(9) to second(9);', 'begin', '  ? := V1;', 'end;'],
    'o', 'an INTERVAL DAY TO SECOND cannot be bound');
  Refused(['declare', '  V1 "HR"."DEPT_T";', 'begin', 'end;'], '',
    'the server has no type "HR"."DEPT_T"');
end;

begin
  RunGetEmp;
  RunToggle;
  RunMove;
  RunStamp;
  RunFind;
  RunRefusals;
  WriteLn('the simulated server ran the blocks as expected');
end.
