{ What the test programs that run generated code check with: a wrong value stops the program
  with a message and exit code 1. }
unit RunChecks;

{$mode delphi}

interface

procedure Fail(const What, Expected, Actual: string);
procedure CheckText(const What, Expected, Actual: string);
{ The lines the ADODB stand-in recorded since the last check, which it then forgets. }
procedure CheckRecorded(const Expected: array of string);

implementation

uses AdoRecorder;

procedure Fail(const What, Expected, Actual: string);
begin
  WriteLn(StdErr, What, ': expected ', Expected, ', got ', Actual);
  Halt(1);
end;

procedure CheckText(const What, Expected, Actual: string);
begin
  if Expected <> Actual then
    Fail(What, '[' + Expected + ']', '[' + Actual + ']');
end;

procedure CheckRecorded(const Expected: array of string);
var
  Lines: string;
  I: Integer;
begin
  Lines := '';
  for I := Low(Expected) to High(Expected) do
    Lines := Lines + Expected[I] + #10;
  CheckText('recorded', Lines, Recorded);
  ResetRecording;
end;

end.
