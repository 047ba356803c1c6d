{ Runs the generated methods of the calls_through_blocks golden case on the simulated server:
  each caller value must reach the routine under its dictionary name, each output and result
  must come back to the caller's variable, and NULL must give the read-back defaults. Stops with
  a message and exit code 1 on the first wrong value. }
program BlockCodeRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, AdoRecorder, RunChecks, PlsqlServer, uMyOracleDB,
  uHrBlocks, uV1;

function Shown(Value: Boolean): string;
begin
  Result := BoolToStr(Value, True);
end;

procedure DescribeRoutines;
begin
  ResetServer;
  ServeRoutine('"IS_OPEN"');
  ServeResult('boolean');
  ServeRoutine('"HR_BLOCKS"."TOGGLE"');
  ServeFormal('P_ID', 'in', '');
  ServeFormal('P_ON', 'in', 'boolean');
  ServeFormal('P_STATE', 'in out', 'boolean');
  ServeResult('boolean');
  ServeRoutine('"HR_BLOCKS"."SET_FLAG"');
  ServeFormal('P_FLAG', 'out', 'boolean');
  ServeFormal('P_NOTE', 'in out', '');
  ServeFormal('P_DATA', 'in', '');
  ServeRoutine('"HR_BLOCKS"."FIND"');
  ServeFormal('PI_SCOPE', 'in', '');
  ServeResult('');
  ServeRoutine('"HR_BLOCKS"."Q""U''OTE"');
  ServeFormal('p_a', 'in', 'boolean');
  ServeFormal('P_A', 'out', 'boolean');
  ServeRoutine('"V1"."GO"');
  ServeFormal('P_ON', 'in', 'boolean');
end;

{ Describes the routines afresh and selects one, whose outputs the test then chooses. }
procedure Answering(const CallName: string);
begin
  DescribeRoutines;
  SelectRoutine(CallName);
end;

var
  Database: TMyOracleDB;
  State, Flag, Second: Boolean;
  Note: string;
  Data: TBlobByteData;
begin
  Database := TMyOracleDB.Create(nil);

  { A BOOLEAN result, true, then NULL. }
  Answering('"IS_OPEN"');
  ServeValue('@RETURN_VALUE', True);
  CheckText('IS_OPEN', 'True', Shown(Database.IsOpen));
  CheckRecorded(['@RETURN_VALUE ftInteger pdOutput 4 NULL', 'execute block', 'call "IS_OPEN"']);
  DescribeRoutines;
  CheckText('NULL IS_OPEN', 'False', Shown(Database.IsOpen));
  ResetRecording;

  { BOOLEAN in, in out and result beside a scalar: the result echoes P_ON, P_STATE is
    turned over. }
  Answering('"HR_BLOCKS"."TOGGLE"');
  ServeEcho('@RETURN_VALUE', 'P_ON');
  ServeValue('P_STATE', False);
  State := True;
  CheckText('TOGGLE', 'True', Shown(Database.HrBlocks.Toggle(7, True, State)));
  CheckText('TOGGLE P_STATE', 'False', Shown(State));
  CheckRecorded(['P_ON ftInteger pdInput 4 1', 'P_STATE ftInteger pdInput 4 1',
    'P_ID ftFloat pdInput 8 7', '@RETURN_VALUE ftInteger pdOutput 4 NULL',
    'P_STATE_ ftInteger pdOutput 4 NULL', 'execute block', 'call "HR_BLOCKS"."TOGGLE"',
    'in P_ID = 7', 'in P_ON = True', 'in P_STATE = True']);
  { false goes in as false; an in-out value left alone comes back as it went; NULL is false. }
  Answering('"HR_BLOCKS"."TOGGLE"');
  State := False;
  CheckText('TOGGLE false', 'False', Shown(Database.HrBlocks.Toggle(0, False, State)));
  CheckRecorded(['P_ON ftInteger pdInput 4 0', 'P_STATE ftInteger pdInput 4 0',
    'P_ID ftFloat pdInput 8 0', '@RETURN_VALUE ftInteger pdOutput 4 NULL',
    'P_STATE_ ftInteger pdOutput 4 NULL', 'execute block', 'call "HR_BLOCKS"."TOGGLE"',
    'in P_ID = 0', 'in P_ON = False', 'in P_STATE = False']);
  CheckText('TOGGLE unchanged P_STATE', 'False', Shown(State));

  { A BOOLEAN out beside a scalar in out and a BLOB in. }
  Answering('"HR_BLOCKS"."SET_FLAG"');
  ServeValue('P_FLAG', True);
  ServeValue('P_NOTE', 'noted');
  Note := 'a note';
  SetLength(Data, 2);
  Data[0] := 5;
  Data[1] := 6;
  Flag := False;
  Database.HrBlocks.SetFlag(Flag, Note, Data);
  CheckText('SET_FLAG P_FLAG', 'True', Shown(Flag));
  CheckText('SET_FLAG P_NOTE', 'noted', Note);
  CheckRecorded(['P_NOTE ftString pdInputOutput 4096 a note', 'P_DATA ftBlob pdInput 1 array of 2',
    'P_FLAG ftInteger pdOutput 4 NULL', 'property SPPrmsLOB True', 'execute block',
    'call "HR_BLOCKS"."SET_FLAG"', 'in P_NOTE = a note', 'in P_DATA = array of 2',
    'property SPPrmsLOB False']);
  Answering('"HR_BLOCKS"."SET_FLAG"');
  ServeValue('P_NOTE', Null);
  Flag := True;
  Database.HrBlocks.SetFlag(Flag, Note, Data);
  ResetRecording;
  CheckText('NULL P_FLAG', 'False', Shown(Flag));
  CheckText('NULL P_NOTE', '', Note);

  { The overload that only named notation reaches; the other FIND stays a call. }
  Answering('"HR_BLOCKS"."FIND"');
  ServeValue('@RETURN_VALUE', 2.5);
  CheckText('FIND', '2.5', FloatToStr(Database.HrBlocks.Find(3)));
  CheckRecorded(['@RETURN_VALUE ftFloat pdOutput 8 NULL', 'PI_SCOPE ftFloat pdInput 8 3',
    'execute block', 'call "HR_BLOCKS"."FIND"', 'in PI_SCOPE = 3']);
  Answer('@RETURN_VALUE', 4);
  CheckText('FIND by name', '4', FloatToStr(Database.HrBlocks.Find('x')));
  { Its result parameter is sent the unset Result, whatever that holds. }
  if Pos(#10'execute { ?= call HR_BLOCKS.FIND( ? )}'#10, Recorded) = 0 then
    Fail('FIND by name', 'a call', Recorded);
  ResetRecording;

  { Two arguments equal but for case, in a routine whose name holds both quotes. }
  Answering('"HR_BLOCKS"."Q""U''OTE"');
  ServeEcho('P_A', 'p_a');
  Second := False;
  Database.HrBlocks.Quoted(True, Second);
  CheckText('QUOTED P_A', 'True', Shown(Second));
  CheckRecorded(['p_a ftInteger pdInput 4 1', 'P_A_ ftInteger pdOutput 4 NULL', 'execute block',
    'call "HR_BLOCKS"."Q""U''OTE"', 'in p_a = True']);

  { A package named like a local. }
  DescribeRoutines;
  Database.V1.Go(False);
  CheckRecorded(['P_ON ftInteger pdInput 4 0', 'execute block', 'call "V1"."GO"',
    'in P_ON = False']);

  Database.Free;
  WriteLn('generated blocks ran as expected');
end.
