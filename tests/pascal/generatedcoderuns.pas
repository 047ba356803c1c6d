{ Runs generated methods of the hostile_names golden case against the recording ADODB: each
  argument reaches the command under its dictionary name with the caller's value, outputs and
  results come back, NULL gives the read-back defaults. Stops with a message and exit code 1 on
  the first wrong value. }
program GeneratedCodeRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, AdoRecorder, RunChecks, uMyOracleDB, uBindCheck;

function ByteArray(const Bytes: array of Byte): Variant;
var
  I: Integer;
begin
  Result := VarArrayCreate([0, High(Bytes)], varByte);
  for I := 0 to High(Bytes) do
    Result[I] := Bytes[I];
end;

function BytesText(const Bytes: TBytes): string;
var
  I: Integer;
begin
  if Bytes = nil then
    Exit('nil');
  Result := '';
  for I := 0 to High(Bytes) do
    Result := Result + IntToStr(Bytes[I]) + ' ';
end;

{ The values FETCH's result and outputs get from the command, in the dictionary's order. }
procedure AnswerFetch(const Values: array of Variant);
const
  Names: array[0..6] of string = ('@RETURN_VALUE', 'TAG', 'NAME', 'P_FLAG', 'P_AMOUNT',
    'P_TEXT', 'P_KEY');
var
  I: Integer;
begin
  for I := 0 to High(Names) do
    Answer(Names[I], Values[I]);
end;

var
  Database: TMyOracleDB;
  TagValue: Integer;
  Name, Fetched: string;
  IsSet: Boolean;
  Amount: Double;
  Text: TBlobData;
  Key: TBlobByteData;
begin
  Database := TMyOracleDB.Create(nil);

  Database.BindCheck.Send('the name', 'the owner', 42, 2.5, 'params');
  CheckRecorded(['NAME ftString pdInput 8 the name', 'OWNER ftString pdInput 9 the owner',
    'TAG ftInteger pdInput 4 42', 'CONNECTION ftFloat pdInput 8 2.5',
    'Parameters ftString pdInput 6 params',
    'execute { call BIND_CHECK.SEND( ?, ?, ?, ?, ? )}']);

  AnswerFetch(['fetched', 7, 'new name', True, 1.25, ByteArray([1, 2]), ByteArray([3])]);
  Name := 'old name';
  Fetched := Database.BindCheck.Fetch(TagValue, Name, IsSet, Amount, Text, Key);
  CheckRecorded(['@RETURN_VALUE ftString pdReturnValue 4096 ',
    'TAG ftInteger pdOutput 4 0', 'NAME ftString pdInputOutput 4096 old name',
    'P_FLAG ftBoolean pdOutput 1 False', 'P_AMOUNT ftFloat pdOutput 8 0',
    'P_TEXT ftMemo pdOutput 8 array of 0', 'P_KEY ftVarBytes pdOutput 8 array of 0',
    'execute { ?= call BIND_CHECK."FETCH"( ?, ?, ?, ?, ?, ? )}']);
  CheckText('result', 'fetched', Fetched);
  CheckText('TAG', '7', IntToStr(TagValue));
  CheckText('NAME', 'new name', Name);
  CheckText('P_FLAG', 'True', BoolToStr(IsSet, True));
  CheckText('P_AMOUNT', '1.25', FloatToStr(Amount));
  CheckText('P_TEXT', '1 2 ', BytesText(Text));
  CheckText('P_KEY', '3 ', BytesText(TBytes(Key)));

  AnswerFetch([Null, Null, Null, Null, Null, Null, Null]);
  Fetched := Database.BindCheck.Fetch(TagValue, Name, IsSet, Amount, Text, Key);
  ResetRecording;
  CheckText('NULL result', '', Fetched);
  CheckText('NULL TAG', '0', IntToStr(TagValue));
  CheckText('NULL NAME', '', Name);
  CheckText('NULL P_FLAG', 'False', BoolToStr(IsSet, True));
  CheckText('NULL P_AMOUNT', '0', FloatToStr(Amount));
  CheckText('NULL P_TEXT', 'nil', BytesText(Text));
  CheckText('NULL P_KEY', 'nil', BytesText(TBytes(Key)));

  Database.Free__('outside');
  CheckRecorded(['NAME ftString pdInput 7 outside', 'execute { call FREE( ? )}']);
  Database.BindCheck.Free_;
  CheckRecorded(['execute { call BIND_CHECK.FREE}']);

  { Freeing the objects must not call the database's FREE routines. }
  Database.Free;
  CheckRecorded([]);
  WriteLn('generated code ran as expected');
end.
