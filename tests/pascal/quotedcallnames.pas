{ Runs the methods of the quoted_call_names golden case against the recording ADODB: each call
  text names its routine as Oracle must read it, quoted where the name is not an ordinary
  identifier, and each output comes back to its own variable although ParamByName ignores case.
  Stops with a message and exit code 1 on the first wrong value. }
program QuotedCallNames;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, AdoRecorder, RunChecks, uMyOracleDB, uHrLower, uMixedCase;

{ A function's result parameter is created with whatever its result variable holds first:
  only the outputs and the call are checked, then the record is forgotten. }
procedure CheckFunctionCall(const Outputs: array of string; const Call: string);
var
  Lines: string;
  I: Integer;
begin
  Lines := '';
  for I := Low(Outputs) to High(Outputs) do
    Lines := Lines + Outputs[I] + #10;
  Lines := Lines + Call + #10;
  CheckText('recorded', Lines, Copy(Recorded, Pos(#10, Recorded) + 1, MaxInt));
  ResetRecording;
end;

var
  Database: TMyOracleDB;
  First, Second: Double;
  Text, Returned: string;
begin
  Database := TMyOracleDB.Create(nil);

  Database.DoIt(5);
  CheckRecorded(['P_ID ftFloat pdInput 8 5', 'execute { call "do_it"( ? )}']);

  { Outputs named as the function result, and twins differing in case. }
  Answer('@RETURN_VALUE', 'returned');
  Answer('@RETURN_VALUE_', 11);
  Answer('@return_value__', 12);
  First := 0;
  Second := 0;
  Returned := Database.NextId(First, Second);
  CheckFunctionCall(['@RETURN_VALUE_ ftFloat pdOutput 8 0', '@return_value__ ftFloat pdOutput 8 0'],
    'execute { ?= call "Next_Id"( ?, ? )}');
  CheckText('result', 'returned', Returned);
  CheckText('@RETURN_VALUE_', '11', FloatToStr(First));
  CheckText('@return_value__', '12', FloatToStr(Second));

  Answer('p_out', 1);
  Answer('P_OUT_', 2);
  Answer('P_Out__', 'three');
  Text := 'in';
  Database.HrLower.DoIt(First, Second, Text);
  CheckRecorded(['p_out ftFloat pdOutput 8 11', 'P_OUT_ ftFloat pdOutput 8 12',
    'P_Out__ ftString pdInputOutput 4096 in', 'execute { call "hr_lower"."do_it"( ?, ?, ? )}']);
  CheckText('p_out', '1', FloatToStr(First));
  CheckText('P_OUT', '2', FloatToStr(Second));
  CheckText('P_Out', 'three', Text);

  Database.HrLower.Stop(7);
  CheckRecorded(['P_ID ftFloat pdInput 8 7',
    'execute { call "hr_lower"."x""y; execute immediate ''drop table emp''; }"( ? )}']);
  Database.HrLower.Select;
  CheckRecorded(['execute { call "hr_lower"."SELECT"}']);
  Database.HrLower.Get_next_id;
  CheckRecorded(['execute { call "hr_lower".GET$NEXT#ID}']);

  Answer('@RETURN_VALUE', 'a name');
  Returned := Database.MixedCase.GetName(3);
  CheckFunctionCall(['P_ID ftFloat pdInput 8 3'], 'execute { ?= call "Mixed_Case"."Get_Name"( ? )}');
  CheckText('GetName', 'a name', Returned);

  Database.Free;
  WriteLn('quoted call names ran as expected');
end.
