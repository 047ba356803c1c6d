{ What the ADODB stand-in records while a test program runs generated code, and the values its
  commands hand back. Kept apart so that ADODB itself declares only what Delphi's ADODB has. }
unit AdoRecorder;

{$mode delphi}

interface

uses Classes, SysUtils, Variants;

{ Forgets what was recorded and answered so far. }
procedure ResetRecording;
procedure RecordLine(const Line: string);
{ The lines recorded so far, each ended by a line feed. }
function Recorded: string;
{ The value an executed command gives its output, in-out or result parameter of this name;
  Null stands for the database's NULL. }
procedure Answer(const ParameterName: string; const Value: Variant);
function Answered(const ParameterName: string; out Value: Variant): Boolean;
{ A value as the record shows it: NULL, or its text. }
function ValueText(const Value: Variant): string;

implementation

var
  Lines: TStringList;
  AnswerNames: TStringList;
  AnswerValues: array of Variant;

procedure ResetRecording;
begin
  Lines.Clear;
  AnswerNames.Clear;
  AnswerValues := nil;
end;

procedure RecordLine(const Line: string);
begin
  Lines.Add(Line);
end;

function Recorded: string;
var
  I: Integer;
begin
  Result := '';
  for I := 0 to Lines.Count - 1 do
    Result := Result + Lines[I] + #10;
end;

procedure Answer(const ParameterName: string; const Value: Variant);
begin
  AnswerNames.Add(ParameterName);
  SetLength(AnswerValues, Length(AnswerValues) + 1);
  AnswerValues[High(AnswerValues)] := Value;
end;

function Answered(const ParameterName: string; out Value: Variant): Boolean;
var
  I: Integer;
begin
  I := AnswerNames.IndexOf(ParameterName);
  Result := I >= 0;
  if Result then
    Value := AnswerValues[I];
end;

function ValueText(const Value: Variant): string;
begin
  if VarIsNull(Value) then
    Result := 'NULL'
  else if VarIsArray(Value) then
    Result := 'array of ' + IntToStr(VarArrayHighBound(Value, 1) + 1)
  else
    Result := VarToStr(Value);
end;

initialization
  Lines := TStringList.Create;
  AnswerNames := TStringList.Create;
  { The parameter an answer goes to is found as ParamByName finds it: ignoring case. }
  AnswerNames.CaseSensitive := False;

finalization
  Lines.Free;
  AnswerNames.Free;

end.
