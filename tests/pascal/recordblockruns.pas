{ Runs the generated methods of the records_through_blocks golden case on the simulated server:
  every field of a record, %ROWTYPE and object the caller passes must reach the routine under its
  dictionary name, every field the routine hands back must reach the caller's record, NULL gives
  the read-back defaults, and XMLTYPE and INTERVAL values travel as their text. Stops with a
  message and exit code 1 on the first wrong value. }
program RecordBlockRuns;

{$mode delphi}

uses cwstring, SysUtils, Variants, DB, AdoRecorder, RunChecks, PlsqlServer, uMyOracleDB,
  uMyOracleTypes, uHrRecords;

const
  EmpRec = '"HR"."HR_RECORDS"."EMP_REC"';
  EmpRow = '"HR"."EMPLOYEES"%rowtype';
  Address = '"HR"."ADDRESS_T"';
  OddRec = '"HR"."HR_RECORDS"."odd rec"';

procedure DescribeRoutines;
begin
  ResetServer;
  ServeType(EmpRec, False, ['EMP_ID', 'NAME', 'ACTIVE', 'HIRED'], ['ACTIVE']);
  ServeType(EmpRow, False, ['EMPLOYEE_ID', 'LAST_NAME', 'HIRE_DATE'], []);
  ServeType(Address, True, ['STREET', 'CITY'], []);
  ServeType(OddRec, False, ['BEGIN', 'end', 'IT''S "X"', 'NAME', 'Name'], ['Name']);
  ServeRoutine('"HR_RECORDS"."GET_EMP"');
  ServeFormal('P_ID', 'in', '');
  ServeResult(EmpRec);
  ServeRoutine('"HR_RECORDS"."PUT_EMP"');
  ServeFormal('P_EMP', 'in', EmpRec);
  ServeRoutine('"HR_RECORDS"."FETCH_EMP"');
  ServeFormal('P_ID', 'in', '');
  ServeFormal('P_EMP', 'out', EmpRec);
  ServeRoutine('"HR_RECORDS"."RAISE_EMP"');
  ServeFormal('P_EMP', 'in out', EmpRec);
  ServeRoutine('"HR_RECORDS"."GET_ROW"');
  ServeResult(EmpRow);
  ServeRoutine('"HR_RECORDS"."PUT_ROW"');
  ServeFormal('P_ROW', 'in', EmpRow);
  ServeRoutine('"HR_RECORDS"."FETCH_ROW"');
  ServeFormal('P_ROW', 'out', EmpRow);
  ServeRoutine('"HR_RECORDS"."TOUCH_ROW"');
  ServeFormal('P_ROW', 'in out', EmpRow);
  ServeRoutine('"HR_RECORDS"."MOVE"');
  ServeFormal('P_FROM', 'in', Address);
  ServeFormal('P_TO', 'in out', Address);
  ServeResult(Address);
  ServeRoutine('"HR_RECORDS"."STAMP"');
  ServeFormal('P_DOC', 'in', 'xmltype');
  ServeFormal('P_WAIT', 'out', 'interval day to second');
  ServeFormal('P_TERM', 'in out', 'interval year to month');
  ServeResult('xmltype');
  ServeRoutine('"HR_RECORDS"."ODD"');
  ServeFormal('P_ODD', 'in out', OddRec);
  ServeRoutine('"HR_RECORDS"."MIXED"');
  ServeFormal('P_A', 'in', '');
  ServeFormal('P_EMP', 'in', EmpRec);
  ServeFormal('P_NOTE', 'in out', '');
  ServeFormal('P_FLAG', 'out', 'boolean');
  ServeResult('');
  ServeRoutine('"HOME_OF"');
  ServeFormal('P_ID', 'in', '');
  ServeResult(Address);
end;

{ Describes the routines afresh and selects one, whose outputs the test then chooses. }
procedure Answering(const CallName: string);
begin
  DescribeRoutines;
  SelectRoutine(CallName);
end;

{ A date as the recorder shows it. }
function Day(Value: TDateTime): string;
begin
  Result := VarToStr(VarFromDateTime(Value));
end;

function Shown(Value: Boolean): string;
begin
  Result := BoolToStr(Value, True);
end;

procedure CheckEmp(const What: string; const Emp: THrRecordsEmpRec; const Id, Name: string;
  Active: Boolean; Hired: TDateTime);
begin
  CheckText(What + ' EMP_ID', Id, FloatToStr(Emp.EmpId));
  CheckText(What + ' NAME', Name, Emp.Name);
  CheckText(What + ' ACTIVE', Shown(Active), Shown(Emp.Active));
  CheckText(What + ' HIRED', FloatToStr(Hired), FloatToStr(Emp.Hired));
end;

procedure CheckRow(const What: string; const Row: TEmployeesRow; const Id, Name: string;
  Hired: TDateTime);
begin
  CheckText(What + ' EMPLOYEE_ID', Id, FloatToStr(Row.EmployeeId));
  CheckText(What + ' LAST_NAME', Name, Row.LastName);
  CheckText(What + ' HIRE_DATE', FloatToStr(Hired), FloatToStr(Row.HireDate));
end;

var
  Database: TMyOracleDB;
  Emp: THrRecordsEmpRec;
  Row: TEmployeesRow;
  From, Target, Moved: TAddressT;
  Odd: THrRecordsOdd_rec;
  Wait, Term, Note: string;
  Flag: Boolean;
begin
  Database := TMyOracleDB.Create(nil);

  { A record result: fields chosen, one echoing the input; then every field NULL. }
  Answering('"HR_RECORDS"."GET_EMP"');
  ServeEcho('@RETURN_VALUE.EMP_ID', 'P_ID');
  ServeValue('@RETURN_VALUE.NAME', 'King');
  ServeValue('@RETURN_VALUE.ACTIVE', True);
  ServeValue('@RETURN_VALUE.HIRED', 40000.5);
  Emp := Database.HrRecords.GetEmp(7);
  CheckEmp('GET_EMP', Emp, '7', 'King', True, 40000.5);
  CheckRecorded(['P_ID ftFloat pdInput 8 7', '@RETURN_VALUE.EMP_ID ftFloat pdOutput 8 NULL',
    '@RETURN_VALUE.NAME ftString pdOutput 4096 NULL',
    '@RETURN_VALUE.ACTIVE ftInteger pdOutput 4 NULL',
    '@RETURN_VALUE.HIRED ftDateTime pdOutput 8 NULL', 'execute block',
    'call "HR_RECORDS"."GET_EMP"', 'in P_ID = 7']);
  DescribeRoutines;
  CheckEmp('NULL GET_EMP', Database.HrRecords.GetEmp(1), '0', '', False, 0);
  ResetRecording;

  { A record in: each field under its name, the BOOLEAN as a number. }
  Answering('"HR_RECORDS"."PUT_EMP"');
  Emp.EmpId := 12;
  Emp.Name := 'Kochhar';
  Emp.Active := False;
  Emp.Hired := 0;
  Database.HrRecords.PutEmp(Emp);
  CheckRecorded(['P_EMP.EMP_ID ftFloat pdInput 8 12', 'P_EMP.NAME ftString pdInput 7 Kochhar',
    'P_EMP.ACTIVE ftInteger pdInput 4 0', 'P_EMP.HIRED ftDateTime pdInput 8 ' + Day(0),
    'execute block', 'call "HR_RECORDS"."PUT_EMP"', 'in P_EMP.EMP_ID = 12',
    'in P_EMP.NAME = Kochhar', 'in P_EMP.ACTIVE = False', 'in P_EMP.HIRED = ' + Day(0)]);

  { A record out beside a scalar in; what the routine leaves NULL comes back as the default. }
  Answering('"HR_RECORDS"."FETCH_EMP"');
  ServeEcho('P_EMP.EMP_ID', 'P_ID');
  ServeValue('P_EMP.NAME', 'De Haan');
  Emp.Name := 'stale';
  Emp.Active := True;
  Database.HrRecords.FetchEmp(102, Emp);
  CheckEmp('FETCH_EMP', Emp, '102', 'De Haan', False, 0);
  ResetRecording;

  { A record in out: the fields go in, some come back changed, the rest as they went. }
  Answering('"HR_RECORDS"."RAISE_EMP"');
  ServeValue('P_EMP.ACTIVE', True);
  ServeValue('P_EMP.NAME', Null);
  Emp.EmpId := 5;
  Emp.Name := 'Hunold';
  Emp.Active := False;
  Emp.Hired := 38000;
  Database.HrRecords.RaiseEmp(Emp);
  CheckEmp('RAISE_EMP', Emp, '5', '', True, 38000);
  CheckRecorded(['P_EMP.EMP_ID ftFloat pdInput 8 5', 'P_EMP.NAME ftString pdInput 6 Hunold',
    'P_EMP.ACTIVE ftInteger pdInput 4 0', 'P_EMP.HIRED ftDateTime pdInput 8 ' + Day(38000),
    'P_EMP.EMP_ID_ ftFloat pdOutput 8 NULL', 'P_EMP.NAME_ ftString pdOutput 4096 NULL',
    'P_EMP.ACTIVE_ ftInteger pdOutput 4 NULL', 'P_EMP.HIRED_ ftDateTime pdOutput 8 NULL',
    'execute block', 'call "HR_RECORDS"."RAISE_EMP"', 'in P_EMP.EMP_ID = 5',
    'in P_EMP.NAME = Hunold', 'in P_EMP.ACTIVE = False', 'in P_EMP.HIRED = ' + Day(38000)]);

  { A %ROWTYPE as a result, in, out and in out. }
  Answering('"HR_RECORDS"."GET_ROW"');
  ServeValue('@RETURN_VALUE.EMPLOYEE_ID', 100);
  ServeValue('@RETURN_VALUE.LAST_NAME', 'King');
  ServeValue('@RETURN_VALUE.HIRE_DATE', 37000.25);
  CheckRow('GET_ROW', Database.HrRecords.GetRow, '100', 'King', 37000.25);
  ResetRecording;
  Answering('"HR_RECORDS"."PUT_ROW"');
  Row.EmployeeId := 101;
  Row.LastName := 'Ernst';
  Row.HireDate := 0;
  Database.HrRecords.PutRow(Row);
  CheckRecorded(['P_ROW.EMPLOYEE_ID ftFloat pdInput 8 101',
    'P_ROW.LAST_NAME ftString pdInput 5 Ernst', 'P_ROW.HIRE_DATE ftDateTime pdInput 8 ' + Day(0),
    'execute block', 'call "HR_RECORDS"."PUT_ROW"', 'in P_ROW.EMPLOYEE_ID = 101',
    'in P_ROW.LAST_NAME = Ernst', 'in P_ROW.HIRE_DATE = ' + Day(0)]);
  Answering('"HR_RECORDS"."FETCH_ROW"');
  ServeValue('P_ROW.LAST_NAME', 'Austin');
  Database.HrRecords.FetchRow(Row);
  CheckRow('FETCH_ROW', Row, '0', 'Austin', 0);
  ResetRecording;
  Answering('"HR_RECORDS"."TOUCH_ROW"');
  ServeEcho('P_ROW.LAST_NAME', 'P_ROW.EMPLOYEE_ID');
  Row.EmployeeId := 104;
  Row.LastName := 'Pataballa';
  Row.HireDate := 39000;
  Database.HrRecords.TouchRow(Row);
  CheckRow('TOUCH_ROW', Row, '104', '104', 39000);
  ResetRecording;

  { Objects: built before their fields are set; a result left NULL reads as NULL fields. }
  Answering('"HR_RECORDS"."MOVE"');
  ServeEcho('@RETURN_VALUE.STREET', 'P_FROM.STREET');
  ServeEcho('@RETURN_VALUE.CITY', 'P_TO.CITY');
  ServeValue('P_TO.STREET', 'Elm Street 1');
  From.Street := 'Oak Lane 2';
  From.City := 'Leeds';
  Target.Street := '';
  Target.City := 'York';
  Moved := Database.HrRecords.Move(From, Target);
  CheckText('MOVE result STREET', 'Oak Lane 2', Moved.Street);
  CheckText('MOVE result CITY', 'York', Moved.City);
  CheckText('MOVE P_TO STREET', 'Elm Street 1', Target.Street);
  CheckText('MOVE P_TO CITY', 'York', Target.City);
  ResetRecording;
  Answering('"HR_RECORDS"."MOVE"');
  ServeValue('@RETURN_VALUE', Null);
  Moved := Database.HrRecords.Move(From, Target);
  CheckText('NULL MOVE STREET', '', Moved.Street);
  CheckText('NULL MOVE CITY', '', Moved.City);
  ResetRecording;

  { XMLTYPE in and as a result, INTERVALs out and in out, all as text; NULL stays NULL. }
  Answering('"HR_RECORDS"."STAMP"');
  ServeEcho('@RETURN_VALUE', 'P_DOC');
  ServeValue('P_WAIT', '+01 02:03:04.500000');
  Term := '+02-06';
  CheckText('STAMP', '<a x="1"/>', Database.HrRecords.Stamp('<a x="1"/>', Wait, Term));
  CheckText('STAMP P_WAIT', '+01 02:03:04.500000', Wait);
  CheckText('STAMP P_TERM', '+02-06', Term);
  CheckRecorded(['P_DOC ftOraClob pdInput 10 <a x="1"/>', 'P_TERM ftString pdInput 6 +02-06',
    '@RETURN_VALUE ftOraClob pdOutput 10485760 NULL', 'P_WAIT ftString pdOutput 4096 NULL',
    'P_TERM_ ftString pdOutput 4096 NULL', 'execute block', 'call "HR_RECORDS"."STAMP"',
    'in P_DOC = <a x="1"/>', 'in P_TERM = +02-06']);
  Answering('"HR_RECORDS"."STAMP"');
  Term := '';
  CheckText('NULL STAMP', '', Database.HrRecords.Stamp('', Wait, Term));
  CheckText('NULL STAMP P_WAIT', '', Wait);
  CheckText('NULL STAMP P_TERM', '', Term);
  ResetRecording;

  { Field names that are reserved words, hold quotes, or differ only in case. }
  Answering('"HR_RECORDS"."ODD"');
  ServeEcho('P_ODD.NAME', 'P_ODD.IT''S "X"');
  ServeValue('P_ODD.Name', False);
  Odd.Begin_ := 1;
  Odd.End_ := 'e';
  Odd.It_s__x_ := 'quoted';
  Odd.Name := 'upper';
  Odd.Name_ := True;
  Database.HrRecords.Odd(Odd);
  CheckText('ODD BEGIN', '1', FloatToStr(Odd.Begin_));
  CheckText('ODD end', 'e', Odd.End_);
  CheckText('ODD NAME', 'quoted', Odd.Name);
  CheckText('ODD Name', 'False', Shown(Odd.Name_));
  CheckRecorded(['P_ODD.BEGIN ftFloat pdInput 8 1', 'P_ODD.end ftString pdInput 1 e',
    'P_ODD.IT''S "X" ftString pdInput 6 quoted', 'P_ODD.NAME ftString pdInput 5 upper',
    'P_ODD.Name_ ftInteger pdInput 4 1', 'P_ODD.BEGIN_ ftFloat pdOutput 8 NULL',
    'P_ODD.end_ ftString pdOutput 4096 NULL', 'P_ODD.IT''S "X"_ ftString pdOutput 4096 NULL',
    'P_ODD.NAME__ ftString pdOutput 4096 NULL', 'P_ODD.Name___ ftInteger pdOutput 4 NULL',
    'execute block', 'call "HR_RECORDS"."ODD"', 'in P_ODD.BEGIN = 1', 'in P_ODD.end = e',
    'in P_ODD.IT''S "X" = quoted', 'in P_ODD.NAME = upper', 'in P_ODD.Name = True']);

  { Scalars bound as they are beside a record and a BOOLEAN. }
  Answering('"HR_RECORDS"."MIXED"');
  ServeValue('@RETURN_VALUE', 41000);
  ServeEcho('P_NOTE', 'P_EMP.NAME');
  ServeEcho('P_FLAG', 'P_EMP.ACTIVE');
  Emp.EmpId := 3;
  Emp.Name := 'Lorentz';
  Emp.Active := True;
  Emp.Hired := 0;
  Note := 'a note';
  Flag := False;
  CheckText('MIXED', '41000', FloatToStr(Database.HrRecords.Mixed(2, Emp, Note, Flag)));
  CheckText('MIXED P_NOTE', 'Lorentz', Note);
  CheckText('MIXED P_FLAG', 'True', Shown(Flag));
  ResetRecording;

  { A function outside packages: TMyOracleDB's method returns the object. }
  Answering('"HOME_OF"');
  ServeValue('@RETURN_VALUE.CITY', 'Bath');
  Moved := Database.HomeOf(4);
  CheckText('HOME_OF STREET', '', Moved.Street);
  CheckText('HOME_OF CITY', 'Bath', Moved.City);
  ResetRecording;

  { Overloads told apart by their record types, each reached by its argument's name. }
  ResetServer;
  ServeType(EmpRec, False, ['EMP_ID', 'NAME', 'ACTIVE', 'HIRED'], ['ACTIVE']);
  ServeType(EmpRow, False, ['EMPLOYEE_ID', 'LAST_NAME', 'HIRE_DATE'], []);
  ServeRoutine('"HR_RECORDS"."FIND"');
  ServeFormal('P_ROW', 'in', EmpRow);
  Row.EmployeeId := 9;
  Database.HrRecords.Find(Row);
  if Pos('in P_ROW.EMPLOYEE_ID = 9', Recorded) = 0 then
    Fail('FIND by %ROWTYPE', 'P_ROW', Recorded);
  ResetServer;
  ServeType(EmpRec, False, ['EMP_ID', 'NAME', 'ACTIVE', 'HIRED'], ['ACTIVE']);
  ServeRoutine('"HR_RECORDS"."FIND"');
  ServeFormal('P_EMP', 'in', EmpRec);
  Emp.Name := 'Chen';
  Database.HrRecords.Find(Emp);
  if Pos('in P_EMP.NAME = Chen', Recorded) = 0 then
    Fail('FIND by record', 'P_EMP', Recorded);
  ResetRecording;

  Database.Free;
  WriteLn('generated record blocks ran as expected');
end.
