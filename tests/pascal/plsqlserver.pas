{ The simulated server behind the ADODB stand-in: runs the anonymous PL/SQL blocks that generated
  units send, against routines and types a test describes. It knows exactly the subset the
  writers emit (locals, field assignments, the call with named arguments, "? :=", CASE for
  BOOLEAN, the XMLTYPE and INTERVAL conversions; for collections elements set one by one, EXTEND,
  COUNT, FIRST, LAST, NEXT, a WHILE loop, and the text functions that serialise them) and fails,
  as Oracle would or louder, on anything else: a "?" count that differs from the parameters created, a parameter used against
  its direction, a BOOLEAN or a composite put into a bind, a field the type lacks, an object
  field set before the object is built, a local that hides a name the block calls. }
unit PlsqlServer;

{$mode delphi}

interface

uses ADODB;

{ Forgets every routine and type described so far. }
procedure ResetServer;
{ A record, %ROWTYPE or object type as a block declares it: '"HR"."PKG"."REC_T"',
  '"HR"."EMPLOYEES"%rowtype', '"HR"."ADDRESS_T"'; its field names in order, and which of them are
  BOOLEAN. }
procedure ServeType(const TypeName: string; IsObject: Boolean; const Fields: array of string;
  const BooleanFields: array of string);
{ A routine as a block calls it ('"PKG"."ROUTINE"'); the formals and values below belong to the
  last one described or selected. }
procedure ServeRoutine(const CallName: string);
procedure SelectRoutine(const CallName: string);
{ Mode 'in', 'out' or 'in out'; TypeName '' for a scalar bound straight to "?", else 'boolean',
  'xmltype', 'interval day to second', 'interval year to month' or a type given to ServeType. }
procedure ServeFormal(const Name, Mode, TypeName: string);
procedure ServeResult(const TypeName: string);
{ What the routine hands back: Path is a formal ('P_X'), a field ('P_X.F') or the result
  ('@RETURN_VALUE', '@RETURN_VALUE.F'); an object given Null stays NULL. Outputs not given are
  NULL, in-out values not given come back as they went in. }
procedure ServeValue(const Path: string; const Value: Variant);
{ An output that echoes what the routine received under FromPath. }
procedure ServeEcho(const Path, FromPath: string);
{ A collection type as a block declares it: Kind 'index by pls_integer', 'index by varchar2',
  'table' or 'varray' (Bound its limit); ElementType '' for a scalar, 'boolean', or a type given
  to ServeType. }
procedure ServeCollection(const TypeName, Kind, ElementType: string; Bound: Integer = 0);
{ The elements the routine hands back in a collection output: one key each (a number, or a text
  for a table indexed by varchar2) and their values in order, one per field for records. }
procedure ServeElements(const Path: string; const Keys, Values: array of Variant);
{ The session's decimal sign, which to_char and implicit conversions of numbers use unless the
  call names another; '.' after ResetServer. }
procedure ServeDecimalSign(Sign: Char);

function IsBlock(const CommandText: string): Boolean;
{ Runs the block with the command's parameters bound to its "?" marks in text order; records
  'call <routine>' and one 'in <path> = <value>' line per value the routine received. }
procedure RunBlock(const CommandText: string; Parameters: TParameters);

implementation

uses Classes, SysUtils, Variants, DB, AdoRecorder;

type
  TServedType = class
    Name: string;
    IsObject: Boolean;
    Fields: TStringList;
    IsBooleanField: array of Boolean;
    CollectionKind: string;
    ElementType: string;
    Bound: Integer;
    constructor Create;
    destructor Destroy; override;
  end;

  TFormal = record
    Name, Mode, TypeName: string;
  end;

  TServedRoutine = class
    CallName: string;
    Formals: array of TFormal;
    HasResult: Boolean;
    ResultType: string;
    ValuePaths: TStringList;
    Values: array of Variant;
    EchoPaths, EchoSources: TStringList;
    ElementPaths: TStringList;
    ElementKeys, ElementValues: array of array of Variant;
    constructor Create;
    destructor Destroy; override;
  end;

  TValueKind = (vkNull, vkScalar, vkBoolean, vkXml, vkDayToSecond, vkYearToMonth, vkComposite,
    vkCollection);

  { A value as the block computes it; a composite carries its type, whether the object is
    atomically NULL, and its fields; a collection its type, whether it is atomically NULL, and
    its elements in key order. }
  TValue = record
    Kind: TValueKind;
    Scalar: Variant;
    CompositeType: TServedType;
    IsNullObject: Boolean;
    Fields: array of Variant;
    Keys: array of Variant;
    Items: array of TValue;
  end;

  TLocal = class
    Name: string;
    TypeText: string;
    Value: TValue;
  end;

  TTokenKind = (tkEnd, tkWord, tkQuoted, tkNumber, tkString, tkMark, tkSymbol);

  TToken = record
    Kind: TTokenKind;
    Text: string;
    Line: Integer;
    Mark: Integer;
  end;

  TBlockRun = class
  private
    Tokens: array of TToken;
    Position: Integer;
    Parameters: TParameters;
    Locals: TStringList;
    Executing: Boolean;
    procedure Tokenize(const Text: string);
    function Current: TToken;
    procedure Fail(const Message: string);
    function IsWord(const Word: string): Boolean;
    function IsSymbol(const Symbol: string): Boolean;
    procedure ExpectWord(const Word: string);
    procedure ExpectSymbol(const Symbol: string);
    function ExpectNumber: string;
    procedure ExpectWidest(const Field: string);
    function TakeMark: Integer;
    function TakeName: string;
    function QualifiedName: string;
    function FindLocal(const Name: string): TLocal;
    function LocalNamed(const Name: string): TLocal;
    procedure CheckNotHidden(const QualifiedText: string);
    function TypeKind(const TypeText: string; out CompositeType: TServedType): TValueKind;
    function EmptyValue(const TypeText: string): TValue;
    procedure Declaration;
    procedure CheckMark(Mark: Integer; Allowed: TParameterDirection);
    function ReadMark(Mark: Integer; Allowed: TParameterDirection): TValue;
    procedure WriteMark(Mark: Integer; const Value: TValue; Allowed: TParameterDirection);
    function FieldIndex(Local: TLocal; const FieldName: string): Integer;
    procedure Assign(var Target: TValue; const Value: TValue; const What: string);
    function Expression: TValue;
    function CaseExpression: TValue;
    function Conversion(const Name: string): TValue;
    function LocalExpression: TValue;
    function Call(const CallName: string): TValue;
    function Construct(CompositeType: TServedType): TValue;
    procedure Statement;
    procedure Statements;
    procedure IfStatement;
    function NullTest: Boolean;
    procedure WhileStatement;
    function Operand: TValue;
    function TextFunction(const Name: string): TValue;
    function ElementType(Collection: TServedType): TValue;
    function ElementIndex(Local: TLocal; const Key: TValue; Creating: Boolean): Integer;
    function ElementExpression(Local: TLocal): TValue;
    procedure ElementStatement(Local: TLocal);
    function CollectionMethod(Local: TLocal; const Method: string): TValue;
    procedure Extend(Local: TLocal);
  public
    constructor Create(const Text: string; AParameters: TParameters);
    destructor Destroy; override;
    procedure Run;
  end;

var
  Types: TStringList;
  Routines: TStringList;
  DecimalSign: Char;
  Selected: TServedRoutine;

constructor TServedType.Create;
begin
  inherited Create;
  Fields := TStringList.Create;
  Fields.CaseSensitive := True;
end;

destructor TServedType.Destroy;
begin
  Fields.Free;
  inherited Destroy;
end;

constructor TServedRoutine.Create;
begin
  inherited Create;
  ValuePaths := TStringList.Create;
  ValuePaths.CaseSensitive := True;
  EchoPaths := TStringList.Create;
  EchoSources := TStringList.Create;
  ElementPaths := TStringList.Create;
end;

destructor TServedRoutine.Destroy;
begin
  ValuePaths.Free;
  EchoPaths.Free;
  EchoSources.Free;
  ElementPaths.Free;
  inherited Destroy;
end;

procedure FreeObjects(List: TStringList);
var
  I: Integer;
begin
  for I := 0 to List.Count - 1 do
    List.Objects[I].Free;
  List.Clear;
end;

procedure ResetServer;
begin
  FreeObjects(Types);
  FreeObjects(Routines);
  DecimalSign := '.';
  Selected := nil;
end;

procedure ServeType(const TypeName: string; IsObject: Boolean; const Fields: array of string;
  const BooleanFields: array of string);
var
  Served: TServedType;
  I, J: Integer;
begin
  Served := TServedType.Create;
  Served.Name := TypeName;
  Served.IsObject := IsObject;
  SetLength(Served.IsBooleanField, Length(Fields));
  for I := 0 to High(Fields) do
  begin
    Served.Fields.Add(Fields[I]);
    Served.IsBooleanField[I] := False;
    for J := 0 to High(BooleanFields) do
      if BooleanFields[J] = Fields[I] then
        Served.IsBooleanField[I] := True;
  end;
  Types.AddObject(TypeName, Served);
end;

function LastRoutine: TServedRoutine;
begin
  if Selected = nil then
    raise Exception.Create('No routine described yet');
  Result := Selected;
end;

procedure ServeRoutine(const CallName: string);
begin
  if Routines.IndexOf(CallName) >= 0 then
    raise Exception.Create('The routine ' + CallName + ' is described twice');
  Selected := TServedRoutine.Create;
  Selected.CallName := CallName;
  Routines.AddObject(CallName, Selected);
end;

procedure SelectRoutine(const CallName: string);
begin
  if Routines.IndexOf(CallName) < 0 then
    raise Exception.Create('No routine ' + CallName + ' is described');
  Selected := Routines.Objects[Routines.IndexOf(CallName)] as TServedRoutine;
end;

procedure ServeFormal(const Name, Mode, TypeName: string);
var
  Served: TServedRoutine;
begin
  Served := LastRoutine;
  SetLength(Served.Formals, Length(Served.Formals) + 1);
  Served.Formals[High(Served.Formals)].Name := Name;
  Served.Formals[High(Served.Formals)].Mode := Mode;
  Served.Formals[High(Served.Formals)].TypeName := TypeName;
end;

procedure ServeResult(const TypeName: string);
begin
  LastRoutine.HasResult := True;
  LastRoutine.ResultType := TypeName;
end;

procedure ServeValue(const Path: string; const Value: Variant);
var
  Served: TServedRoutine;
begin
  Served := LastRoutine;
  Served.ValuePaths.Add(Path);
  SetLength(Served.Values, Length(Served.Values) + 1);
  Served.Values[High(Served.Values)] := Value;
end;

procedure ServeEcho(const Path, FromPath: string);
begin
  LastRoutine.EchoPaths.Add(Path);
  LastRoutine.EchoSources.Add(FromPath);
end;

procedure ServeCollection(const TypeName, Kind, ElementType: string; Bound: Integer);
var
  Served: TServedType;
begin
  Served := TServedType.Create;
  Served.Name := TypeName;
  Served.CollectionKind := Kind;
  Served.ElementType := ElementType;
  Served.Bound := Bound;
  Types.AddObject(TypeName, Served);
end;

procedure ServeElements(const Path: string; const Keys, Values: array of Variant);
var
  Served: TServedRoutine;
  I: Integer;
begin
  Served := LastRoutine;
  Served.ElementPaths.Add(Path);
  SetLength(Served.ElementKeys, Length(Served.ElementKeys) + 1);
  SetLength(Served.ElementValues, Length(Served.ElementValues) + 1);
  SetLength(Served.ElementKeys[High(Served.ElementKeys)], Length(Keys));
  for I := 0 to High(Keys) do
    Served.ElementKeys[High(Served.ElementKeys)][I] := Keys[I];
  SetLength(Served.ElementValues[High(Served.ElementValues)], Length(Values));
  for I := 0 to High(Values) do
    Served.ElementValues[High(Served.ElementValues)][I] := Values[I];
end;

procedure ServeDecimalSign(Sign: Char);
begin
  DecimalSign := Sign;
end;

function IsBlock(const CommandText: string): Boolean;
var
  Text: string;
begin
  Text := LowerCase(TrimLeft(CommandText));
  Result := (Copy(Text, 1, 7) = 'declare') or (Copy(Text, 1, 5) = 'begin');
end;

function KindText(Kind: TValueKind): string;
const
  Names: array[TValueKind] of string = ('NULL', 'a scalar', 'a BOOLEAN', 'an XMLTYPE',
    'an INTERVAL DAY TO SECOND', 'an INTERVAL YEAR TO MONTH', 'a composite', 'a collection');
begin
  Result := Names[Kind];
end;

function ShownValue(const Value: Variant): string;
begin
  if VarIsNull(Value) then
    Result := 'NULL'
  else if VarType(Value) = varBoolean then
    Result := BoolToStr(Boolean(Value), True)
  else
    Result := ValueText(Value);
end;

function ScalarValue(Kind: TValueKind; const Scalar: Variant): TValue;
begin
  Result.Kind := Kind;
  Result.Scalar := Scalar;
  Result.CompositeType := nil;
  Result.IsNullObject := False;
  Result.Fields := nil;
  Result.Keys := nil;
  Result.Items := nil;
end;

{ Dynamic arrays are shared on assignment: a value read must not change with its source. }
function CopiedValue(const Value: TValue): TValue;
var
  I: Integer;
begin
  Result := Value;
  Result.Fields := Copy(Value.Fields);
  Result.Keys := Copy(Value.Keys);
  SetLength(Result.Items, Length(Value.Items));
  for I := 0 to High(Value.Items) do
    Result.Items[I] := CopiedValue(Value.Items[I]);
end;

{ Oracle keeps an empty text as NULL. }
function IsNullScalar(const Scalar: Variant): Boolean;
begin
  Result := VarIsNull(Scalar) or (VarIsStr(Scalar) and (VarToStr(Scalar) = ''));
end;

{ Oracle's TM9 form: the fewest digits, no 0 before the decimal sign, a signed exponent. }
function NumberText(const Number: Variant; Sign: Char): string;
var
  Settings: TFormatSettings;
  Exponent: Integer;
begin
  Settings := DefaultFormatSettings;
  Settings.DecimalSeparator := Sign;
  Result := FloatToStr(Double(Number), Settings);
  if Copy(Result, 1, 2) = '0' + Sign then
    Delete(Result, 1, 1)
  else if Copy(Result, 1, 3) = '-0' + Sign then
    Delete(Result, 2, 1);
  Exponent := Pos('E', Result);
  if (Exponent > 0) and (Result[Exponent + 1] <> '-') and (Result[Exponent + 1] <> '+') then
    Insert('+', Result, Exponent + 1);
end;

function IsIndexBy(Collection: TServedType): Boolean;
begin
  Result := Copy(Collection.CollectionKind, 1, 8) = 'index by';
end;

{ Keys are numbers, kept in order; a table indexed by varchar2 orders its texts by their bytes. }
function KeyBefore(Collection: TServedType; const Left, Right: Variant): Boolean;
begin
  if Collection.CollectionKind = 'index by varchar2' then
    Result := CompareStr(VarToStr(Left), VarToStr(Right)) < 0
  else
    Result := Double(Left) < Double(Right);
end;

{ TBlockRun }

constructor TBlockRun.Create(const Text: string; AParameters: TParameters);
begin
  inherited Create;
  Parameters := AParameters;
  Locals := TStringList.Create;
  Locals.CaseSensitive := True;
  Executing := True;
  Tokenize(Text);
end;

destructor TBlockRun.Destroy;
begin
  FreeObjects(Locals);
  Locals.Free;
  inherited Destroy;
end;

procedure TBlockRun.Tokenize(const Text: string);
var
  I, Line, Marks: Integer;
  Token: TToken;

  procedure Add;
  begin
    Token.Line := Line;
    SetLength(Tokens, Length(Tokens) + 1);
    Tokens[High(Tokens)] := Token;
  end;

  { A quoted name or a text literal: the closing quote, a doubled one standing for itself. }
  function Enclosed(Quote: Char): string;
  begin
    Result := '';
    Inc(I);
    while True do
    begin
      if I > Length(Text) then
        raise Exception.CreateFmt('Block line %d: %s not closed', [Line, Quote]);
      if Text[I] = Quote then
      begin
        if (I < Length(Text)) and (Text[I + 1] = Quote) then
          Inc(I)
        else
          Break;
      end;
      if Text[I] = #10 then
        Inc(Line);
      Result := Result + Text[I];
      Inc(I);
    end;
    Inc(I);
  end;

begin
  I := 1;
  Line := 1;
  Marks := 0;
  while I <= Length(Text) do
  begin
    Token.Mark := -1;
    case Text[I] of
      #10:
        begin
          Inc(Line);
          Inc(I);
          Continue;
        end;
      #9, #13, ' ':
        begin
          Inc(I);
          Continue;
        end;
      'A'..'Z', 'a'..'z':
        begin
          Token.Kind := tkWord;
          Token.Text := '';
          while (I <= Length(Text)) and (Text[I] in ['A'..'Z', 'a'..'z', '0'..'9', '_', '$', '#']) do
          begin
            Token.Text := Token.Text + UpCase(Text[I]);
            Inc(I);
          end;
        end;
      '0'..'9':
        begin
          Token.Kind := tkNumber;
          Token.Text := '';
          while (I <= Length(Text)) and (Text[I] in ['0'..'9']) do
          begin
            Token.Text := Token.Text + Text[I];
            Inc(I);
          end;
        end;
      '"':
        begin
          Token.Kind := tkQuoted;
          Token.Text := Enclosed('"');
        end;
      '''':
        begin
          Token.Kind := tkString;
          Token.Text := Enclosed('''');
        end;
      '?':
        begin
          Token.Kind := tkMark;
          Token.Text := '?';
          Token.Mark := Marks;
          Inc(Marks);
          Inc(I);
        end;
      ':', '=':
        begin
          Token.Kind := tkSymbol;
          if (I < Length(Text)) and (Text[I] = ':') and (Text[I + 1] = '=') then
            Token.Text := ':='
          else if (I < Length(Text)) and (Text[I] = '=') and (Text[I + 1] = '>') then
            Token.Text := '=>'
          else
            raise Exception.CreateFmt('Block line %d: unexpected %s', [Line, Text[I]]);
          Inc(I, 2);
        end;
      '|':
        begin
          if (I = Length(Text)) or (Text[I + 1] <> '|') then
            raise Exception.CreateFmt('Block line %d: unexpected |', [Line]);
          Token.Kind := tkSymbol;
          Token.Text := '||';
          Inc(I, 2);
        end;
      '(', ')', ',', ';', '.', '%', '+':
        begin
          Token.Kind := tkSymbol;
          Token.Text := Text[I];
          Inc(I);
        end;
    else
      raise Exception.CreateFmt('Block line %d: unexpected character #%d', [Line, Ord(Text[I])]);
    end;
    Add;
  end;
  Token.Kind := tkEnd;
  Token.Text := 'the end of the block';
  Token.Mark := -1;
  Add;
  if Marks <> Parameters.Count then
    raise Exception.CreateFmt('The block has %d ? marks outside literals, the command %d parameters',
      [Marks, Parameters.Count]);
end;

function TBlockRun.Current: TToken;
begin
  Result := Tokens[Position];
end;

procedure TBlockRun.Fail(const Message: string);
begin
  raise Exception.CreateFmt('Block line %d: %s', [Current.Line, Message]);
end;

function TBlockRun.IsWord(const Word: string): Boolean;
begin
  Result := (Current.Kind = tkWord) and (Current.Text = Word);
end;

function TBlockRun.IsSymbol(const Symbol: string): Boolean;
begin
  Result := (Current.Kind = tkSymbol) and (Current.Text = Symbol);
end;

procedure TBlockRun.ExpectWord(const Word: string);
begin
  if not IsWord(Word) then
    Fail('expected ' + Word + ', found ' + Current.Text);
  Inc(Position);
end;

procedure TBlockRun.ExpectSymbol(const Symbol: string);
begin
  if not IsSymbol(Symbol) then
    Fail('expected ' + Symbol + ', found ' + Current.Text);
  Inc(Position);
end;

function TBlockRun.ExpectNumber: string;
begin
  if Current.Kind <> tkNumber then
    Fail('expected a number, found ' + Current.Text);
  Result := Current.Text;
  Inc(Position);
end;

procedure TBlockRun.ExpectWidest(const Field: string);
begin
  ExpectWord(Field);
  ExpectSymbol('(');
  if ExpectNumber <> '9' then
    Fail('an INTERVAL local narrower than ' + Field + '(9)');
  ExpectSymbol(')');
end;

function TBlockRun.TakeMark: Integer;
begin
  Result := Current.Mark;
  Inc(Position);
end;

{ A name as Oracle reads it: a quoted one exactly, a plain one in upper case. }
function TBlockRun.TakeName: string;
begin
  if not (Current.Kind in [tkWord, tkQuoted]) then
    Fail('expected a name, found ' + Current.Text);
  Result := Current.Text;
  Inc(Position);
end;

{ A dotted name written the way tests describe routines and types: each part in double quotes. }
function TBlockRun.QualifiedName: string;
begin
  Result := '"' + StringReplace(TakeName, '"', '""', [rfReplaceAll]) + '"';
  while IsSymbol('.') do
  begin
    Inc(Position);
    Result := Result + '."' + StringReplace(TakeName, '"', '""', [rfReplaceAll]) + '"';
  end;
end;

function TBlockRun.FindLocal(const Name: string): TLocal;
var
  I: Integer;
begin
  I := Locals.IndexOf(Name);
  if I < 0 then
    Result := nil
  else
    Result := Locals.Objects[I] as TLocal;
end;

function TBlockRun.LocalNamed(const Name: string): TLocal;
begin
  Result := FindLocal(Name);
  if Result = nil then
    Fail(Name + ' is not declared');
end;

{ PL/SQL looks a dotted name's first part up among the block's locals first. }
procedure TBlockRun.CheckNotHidden(const QualifiedText: string);
var
  First: string;
begin
  First := Copy(QualifiedText, 2, Pos('"', Copy(QualifiedText, 2, MaxInt)) - 1);
  if FindLocal(First) <> nil then
    Fail('the local ' + First + ' hides the name ' + QualifiedText);
end;

function TBlockRun.TypeKind(const TypeText: string; out CompositeType: TServedType): TValueKind;
var
  I: Integer;
begin
  CompositeType := nil;
  if TypeText = 'boolean' then
    Result := vkBoolean
  else if (TypeText = 'clob') or (TypeText = 'pls_integer') or (TypeText = 'varchar2') then
    Result := vkScalar
  else if TypeText = 'xmltype' then
    Result := vkXml
  else if TypeText = 'interval day to second' then
    Result := vkDayToSecond
  else if TypeText = 'interval year to month' then
    Result := vkYearToMonth
  else
  begin
    I := Types.IndexOf(TypeText);
    if I < 0 then
      Fail('the server has no type ' + TypeText);
    CompositeType := Types.Objects[I] as TServedType;
    if CompositeType.CollectionKind <> '' then
      Result := vkCollection
    else
      Result := vkComposite;
  end;
end;

{ A variable as it starts: NULL; a record with NULL fields; an object atomically NULL; an
  index-by table empty, a nested table or varray atomically NULL. }
function TBlockRun.EmptyValue(const TypeText: string): TValue;
var
  I: Integer;
begin
  Result := ScalarValue(vkNull, Null);
  Result.Kind := TypeKind(TypeText, Result.CompositeType);
  if Result.Kind = vkComposite then
  begin
    Result.IsNullObject := Result.CompositeType.IsObject;
    SetLength(Result.Fields, Result.CompositeType.Fields.Count);
    for I := 0 to High(Result.Fields) do
      Result.Fields[I] := Null;
  end;
  if Result.Kind = vkCollection then
    Result.IsNullObject := Copy(Result.CompositeType.CollectionKind, 1, 8) <> 'index by';
end;

procedure TBlockRun.Declaration;
var
  Local: TLocal;
  Name, TypeText: string;
begin
  if Current.Kind <> tkWord then
    Fail('expected a local''s name, found ' + Current.Text);
  Name := TakeName;
  if FindLocal(Name) <> nil then
    Fail(Name + ' is declared twice');
  if IsWord('BOOLEAN') or IsWord('CLOB') or IsWord('XMLTYPE') or IsWord('PLS_INTEGER') then
    TypeText := LowerCase(TakeName)
  else if IsWord('VARCHAR2') then
  begin
    Inc(Position);
    ExpectSymbol('(');
    ExpectNumber;
    ExpectSymbol(')');
    TypeText := 'varchar2';
  end
  else if IsWord('INTERVAL') then
  begin
    Inc(Position);
    { The widest precisions: a narrower local would cut what the caller sends. }
    if IsWord('DAY') then
    begin
      ExpectWidest('DAY');
      ExpectWord('TO');
      ExpectWidest('SECOND');
      TypeText := 'interval day to second';
    end
    else
    begin
      ExpectWidest('YEAR');
      ExpectWord('TO');
      ExpectWord('MONTH');
      TypeText := 'interval year to month';
    end;
  end
  else
  begin
    if Current.Kind <> tkQuoted then
      Fail('expected a type, found ' + Current.Text);
    TypeText := QualifiedName;
    CheckNotHidden(TypeText);
    if IsSymbol('%') then
    begin
      Inc(Position);
      ExpectWord('ROWTYPE');
      TypeText := TypeText + '%rowtype';
    end;
  end;
  ExpectSymbol(';');
  Local := TLocal.Create;
  Local.Name := Name;
  Local.TypeText := TypeText;
  Local.Value := EmptyValue(TypeText);
  Locals.AddObject(Name, Local);
end;

function DirectionText(Direction: TParameterDirection): string;
const
  Names: array[TParameterDirection] of string = ('pdUnknown', 'pdInput', 'pdOutput',
    'pdInputOutput', 'pdReturnValue');
begin
  Result := Names[Direction];
end;

{ The provider binds a marker in the direction its parameter was created with; a BOOLEAN
  parameter is what a block exists to avoid. }
procedure TBlockRun.CheckMark(Mark: Integer; Allowed: TParameterDirection);
var
  Parameter: TParameter;
begin
  Parameter := Parameters.Items[Mark] as TParameter;
  if Parameter.Direction <> Allowed then
    Fail(Format('? number %d (%s) is %s where the block needs %s', [Mark + 1, Parameter.Name,
      DirectionText(Parameter.Direction), DirectionText(Allowed)]));
  if Parameter.DataType = ftBoolean then
    Fail(Format('? number %d (%s) is bound as ftBoolean', [Mark + 1, Parameter.Name]));
end;

function TBlockRun.ReadMark(Mark: Integer; Allowed: TParameterDirection): TValue;
begin
  CheckMark(Mark, Allowed);
  Result := ScalarValue(vkScalar, (Parameters.Items[Mark] as TParameter).Value);
end;

procedure TBlockRun.WriteMark(Mark: Integer; const Value: TValue; Allowed: TParameterDirection);
begin
  CheckMark(Mark, Allowed);
  if not (Value.Kind in [vkNull, vkScalar]) then
    Fail(Format('%s cannot be bound to ? number %d (%s)', [KindText(Value.Kind), Mark + 1,
      (Parameters.Items[Mark] as TParameter).Name]));
  if Executing then
    (Parameters.Items[Mark] as TParameter).Value := Value.Scalar;
end;

function TBlockRun.FieldIndex(Local: TLocal; const FieldName: string): Integer;
begin
  if Local.Value.Kind <> vkComposite then
    Fail(Local.Name + ' has no fields');
  Result := Local.Value.CompositeType.Fields.IndexOf(FieldName);
  if Result < 0 then
    Fail(Local.Value.CompositeType.Name + ' has no field ' + FieldName);
end;

procedure TBlockRun.Assign(var Target: TValue; const Value: TValue; const What: string);
begin
  if (Value.Kind <> vkNull) and (Value.Kind <> Target.Kind) then
    Fail(Format('%s cannot take %s', [What, KindText(Value.Kind)]));
  if (Value.Kind in [vkComposite, vkCollection]) and (Value.CompositeType <> Target.CompositeType) then
    Fail(Format('%s cannot take a %s', [What, Value.CompositeType.Name]));
  if not Executing then
    Exit;
  if Value.Kind in [vkComposite, vkCollection] then
  begin
    Target := CopiedValue(Value);
    Exit;
  end;
  if Target.Kind in [vkComposite, vkCollection] then
    Fail(What + ' cannot be set to NULL here');
  Target.Scalar := Value.Scalar;
end;

{ Operands joined by "||" or "+", left to right as PL/SQL does (they bind alike). }
function TBlockRun.Expression: TValue;
var
  Operator: string;
  Right: TValue;
begin
  Result := Operand;
  while IsSymbol('||') or IsSymbol('+') do
  begin
    Operator := Current.Text;
    Inc(Position);
    Right := Operand;
    if not (Result.Kind in [vkNull, vkScalar]) or not (Right.Kind in [vkNull, vkScalar]) then
      Fail(Format('%s %s %s', [KindText(Result.Kind), Operator, KindText(Right.Kind)]));
    if not Executing then
      Continue;
    if Operator = '+' then
    begin
      if IsNullScalar(Result.Scalar) or IsNullScalar(Right.Scalar) then
        Result := ScalarValue(vkScalar, Null)
      else if not VarIsNumeric(Result.Scalar) or not VarIsNumeric(Right.Scalar) then
        Fail('+ of a text')
      else
        Result := ScalarValue(vkScalar, Result.Scalar + Right.Scalar);
      Continue;
    end;
    { A number joined to a text takes the session's decimal sign; a date its date format,
      which no block may depend on. }
    if (VarType(Result.Scalar) = varDate) or (VarType(Right.Scalar) = varDate) then
      Fail('a date joined to a text follows NLS_DATE_FORMAT');
    if VarIsNumeric(Result.Scalar) then
      Result.Scalar := NumberText(Result.Scalar, DecimalSign);
    if VarIsNumeric(Right.Scalar) then
      Right.Scalar := NumberText(Right.Scalar, DecimalSign);
    if IsNullScalar(Result.Scalar) then
      Result := ScalarValue(vkScalar, Right.Scalar)
    else if not IsNullScalar(Right.Scalar) then
      Result := ScalarValue(vkScalar, VarToStr(Result.Scalar) + VarToStr(Right.Scalar));
  end;
end;

function TBlockRun.Operand: TValue;
var
  Name: string;
  I: Integer;
begin
  if Current.Kind = tkMark then
    Exit(ReadMark(TakeMark, pdInput));
  if IsWord('NULL') then
  begin
    Inc(Position);
    Exit(ScalarValue(vkNull, Null));
  end;
  if Current.Kind = tkString then
  begin
    Result := ScalarValue(vkScalar, Current.Text);
    Inc(Position);
    Exit;
  end;
  if Current.Kind = tkNumber then
    Exit(ScalarValue(vkScalar, StrToInt(ExpectNumber)));
  if IsWord('CASE') then
    Exit(CaseExpression);
  if IsWord('XMLTYPE') or IsWord('TO_DSINTERVAL') or IsWord('TO_YMINTERVAL') or IsWord('TO_CHAR') then
    Exit(Conversion(TakeName));
  if IsWord('NVL') or IsWord('REPLACE') then
    Exit(TextFunction(TakeName));
  if Current.Kind = tkWord then
    Exit(LocalExpression);
  Name := QualifiedName;
  CheckNotHidden(Name);
  I := Types.IndexOf(Name);
  if I >= 0 then
    Exit(Construct(Types.Objects[I] as TServedType));
  Result := Call(Name);
  if Result.Kind = vkNull then
    Fail(Name + ' is a procedure, not a function');
end;

{ The two forms the writers use: a simple CASE mapping literals to literals (maybe with ELSE), and
  "case when X is not null then Y end", which evaluates Y only when X is not NULL. }
function TBlockRun.CaseExpression: TValue;
var
  Selector, Candidate, Outcome: TValue;
  Matched, WasExecuting, Condition: Boolean;

  function Literal: TValue;
  begin
    if Current.Kind = tkNumber then
      Result := ScalarValue(vkScalar, StrToInt(ExpectNumber))
    else if Current.Kind = tkString then
    begin
      Result := ScalarValue(vkScalar, Current.Text);
      Inc(Position);
    end
    else if IsWord('TRUE') or IsWord('FALSE') then
      Result := ScalarValue(vkBoolean, TakeName = 'TRUE')
    else
      Fail('expected a literal, found ' + Current.Text);
  end;

begin
  ExpectWord('CASE');
  if IsWord('WHEN') then
  begin
    Inc(Position);
    Selector := Expression;
    ExpectWord('IS');
    ExpectWord('NOT');
    ExpectWord('NULL');
    ExpectWord('THEN');
    Condition := (Selector.Kind <> vkNull) and not ((Selector.Kind <> vkComposite) and VarIsNull(Selector.Scalar))
      and not ((Selector.Kind = vkComposite) and Selector.IsNullObject);
    WasExecuting := Executing;
    Executing := Executing and Condition;
    Outcome := Expression;
    Executing := WasExecuting;
    ExpectWord('END');
    if not Condition then
      Outcome.Scalar := Null;
    Exit(Outcome);
  end;
  Selector := Expression;
  if not (Selector.Kind in [vkScalar, vkBoolean]) then
    Fail('CASE over ' + KindText(Selector.Kind));
  Matched := False;
  Result := ScalarValue(vkNull, Null);
  while IsWord('WHEN') do
  begin
    Inc(Position);
    Candidate := Literal;
    if Candidate.Kind <> Selector.Kind then
      Fail(Format('CASE compares %s with %s', [KindText(Selector.Kind), KindText(Candidate.Kind)]));
    ExpectWord('THEN');
    Outcome := Literal;
    if (Result.Kind <> vkNull) and (Outcome.Kind <> Result.Kind) then
      Fail('CASE gives values of two types');
    Result.Kind := Outcome.Kind;
    if Executing and not Matched and not VarIsNull(Selector.Scalar) then
    begin
      if (Selector.Kind = vkScalar) and
        ((VarType(Selector.Scalar) = varBoolean) or not VarIsNumeric(Selector.Scalar)) then
        Fail('CASE over a number got ' + VarToStr(Selector.Scalar));
      if Selector.Scalar = Candidate.Scalar then
      begin
        Matched := True;
        Result.Scalar := Outcome.Scalar;
      end;
    end;
  end;
  if IsWord('ELSE') then
  begin
    Inc(Position);
    Outcome := Literal;
    if (Result.Kind <> vkNull) and (Outcome.Kind <> Result.Kind) then
      Fail('CASE gives values of two types');
    Result.Kind := Outcome.Kind;
    if not Matched then
      Result.Scalar := Outcome.Scalar;
  end;
  ExpectWord('END');
end;

{ xmltype(clob) refuses NULL as Oracle does; to_dsinterval and to_yminterval give an INTERVAL of
  the text (kept as its text), to_char the text of an INTERVAL, of a number (no mask or 'TM9',
  the decimal sign from NLS_NUMERIC_CHARACTERS if given, else the session's) or of a date (only
  the mask 'SYYYYMMDDHH24MISS': any other would be guessed here). }
function TBlockRun.Conversion(const Name: string): TValue;
var
  Argument: TValue;
  Mask, Settings: string;
  Sign: Char;

  { A further argument of to_char, which must be a literal; '' if there is none. }
  function Literal(const What: string): string;
  begin
    Result := '';
    if (Name <> 'TO_CHAR') or not IsSymbol(',') then
      Exit;
    Inc(Position);
    if Current.Kind <> tkString then
      Fail('to_char''s ' + What + ' must be a literal');
    Result := Current.Text;
    Inc(Position);
  end;

begin
  ExpectSymbol('(');
  Argument := Expression;
  Mask := Literal('mask');
  Settings := Literal('settings');
  ExpectSymbol(')');
  if Name = 'TO_CHAR' then
  begin
    if (Argument.Kind in [vkDayToSecond, vkYearToMonth]) and (Mask = '') then
      Exit(ScalarValue(vkScalar, Argument.Scalar));
    if not (Argument.Kind in [vkNull, vkScalar]) then
      Fail('to_char of ' + KindText(Argument.Kind));
    Result := ScalarValue(vkScalar, Null);
    if not Executing or VarIsNull(Argument.Scalar) then
      Exit;
    if VarType(Argument.Scalar) = varDate then
    begin
      if Mask <> 'SYYYYMMDDHH24MISS' then
        Fail('to_char of a date with the mask ''' + Mask + '''');
      Exit(ScalarValue(vkScalar, FormatDateTime(' yyyymmddhhnnss', Argument.Scalar)));
    end;
    if not VarIsNumeric(Argument.Scalar) or (VarType(Argument.Scalar) = varBoolean) then
      Fail('to_char of the text ' + VarToStr(Argument.Scalar));
    if (Mask <> '') and (Mask <> 'TM9') then
      Fail('to_char of a number with the mask ''' + Mask + '''');
    Sign := DecimalSign;
    if Settings <> '' then
    begin
      if (Copy(Settings, 1, 24) <> 'NLS_NUMERIC_CHARACTERS=''') or (Length(Settings) <> 27) or
        (Settings[27] <> '''') then
        Fail('to_char settings ' + Settings);
      Sign := Settings[25];
    end;
    Exit(ScalarValue(vkScalar, NumberText(Argument.Scalar, Sign)));
  end;
  if Argument.Kind <> vkScalar then
    Fail(LowerCase(Name) + ' of ' + KindText(Argument.Kind));
  if Name = 'XMLTYPE' then
  begin
    if Executing and VarIsNull(Argument.Scalar) then
      Fail('xmltype of NULL (ORA-19032)');
    Exit(ScalarValue(vkXml, Argument.Scalar));
  end;
  if Name = 'TO_DSINTERVAL' then
    Result := ScalarValue(vkDayToSecond, Argument.Scalar)
  else
    Result := ScalarValue(vkYearToMonth, Argument.Scalar);
end;

{ nvl(a, b) and replace(a, b, c) of texts; an empty text is NULL to both, as in Oracle. }
function TBlockRun.TextFunction(const Name: string): TValue;
var
  First, Second, Third: TValue;
begin
  ExpectSymbol('(');
  First := Expression;
  ExpectSymbol(',');
  Second := Expression;
  Third := ScalarValue(vkNull, Null);
  if Name = 'REPLACE' then
  begin
    ExpectSymbol(',');
    Third := Expression;
  end;
  ExpectSymbol(')');
  if not (First.Kind in [vkNull, vkScalar]) or not (Second.Kind in [vkNull, vkScalar]) or
    not (Third.Kind in [vkNull, vkScalar]) then
    Fail(LowerCase(Name) + ' of a value that is not a scalar');
  Result := ScalarValue(vkScalar, Null);
  if not Executing then
    Exit;
  if Name = 'NVL' then
  begin
    if IsNullScalar(First.Scalar) then
      Result.Scalar := Second.Scalar
    else
      Result.Scalar := First.Scalar;
    Exit;
  end;
  if IsNullScalar(First.Scalar) then
    Exit;
  { A number or date would be turned into text by the session's settings first. }
  if not VarIsStr(First.Scalar) then
    Fail('replace in ' + VarToStr(First.Scalar) + ', which is not a text');
  Result.Scalar := StringReplace(VarToStr(First.Scalar), VarToStr(Second.Scalar),
    VarToStr(Third.Scalar), [rfReplaceAll]);
end;

{ What an element of the collection type is before it is set: see EmptyValue. }
function TBlockRun.ElementType(Collection: TServedType): TValue;
begin
  if Collection.ElementType = '' then
    Result := ScalarValue(vkScalar, Null)
  else if Collection.ElementType = 'boolean' then
    Result := ScalarValue(vkBoolean, Null)
  else
    Result := EmptyValue(Collection.ElementType);
end;

{ Where the element of this key is; Creating adds a missing one to an index-by table, as an
  assignment to it does. }
function TBlockRun.ElementIndex(Local: TLocal; const Key: TValue; Creating: Boolean): Integer;
var
  Collection: TServedType;
  KeyValue: Variant;
  I: Integer;
begin
  Collection := Local.Value.CompositeType;
  if Local.Value.IsNullObject then
    Fail(Local.Name + ' is an uninitialized collection (ORA-06531)');
  if (Key.Kind <> vkScalar) or IsNullScalar(Key.Scalar) then
    Fail(Local.Name + ' indexed by NULL (ORA-06502)');
  if Collection.CollectionKind = 'index by varchar2' then
    KeyValue := VarToStr(Key.Scalar)
  else if not VarIsNumeric(Key.Scalar) or (Frac(Double(Key.Scalar)) <> 0) then
    Fail(Local.Name + ' indexed by ' + VarToStr(Key.Scalar))
  else
    KeyValue := Key.Scalar;
  I := 0;
  while (I < Length(Local.Value.Keys)) and KeyBefore(Collection, Local.Value.Keys[I], KeyValue) do
    Inc(I);
  if (I < Length(Local.Value.Keys)) and not KeyBefore(Collection, KeyValue, Local.Value.Keys[I]) then
    Exit(I);
  if not IsIndexBy(Collection) then
    Fail(Format('%s(%s) is beyond its count or deleted (ORA-06533)', [Local.Name,
      VarToStr(KeyValue)]));
  if not Creating then
    Fail(Format('%s(%s) does not exist (ORA-01403)', [Local.Name, VarToStr(KeyValue)]));
  Insert([KeyValue], Local.Value.Keys, I);
  Insert([ElementType(Collection)], Local.Value.Items, I);
  Result := I;
end;

{ An element, or a field of a record or object element. }
function TBlockRun.ElementExpression(Local: TLocal): TValue;
var
  Key: TValue;
  Field: Integer;
  Name: string;
begin
  if Local.Value.Kind <> vkCollection then
    Fail(Local.Name + ' is not a collection');
  ExpectSymbol('(');
  Key := Expression;
  ExpectSymbol(')');
  Result := ElementType(Local.Value.CompositeType);
  if Executing then
    Result := CopiedValue(Local.Value.Items[ElementIndex(Local, Key, False)]);
  if not IsSymbol('.') then
    Exit;
  Inc(Position);
  Name := TakeName;
  if Result.Kind <> vkComposite then
    Fail(Local.Name + '''s elements have no fields');
  Field := Result.CompositeType.Fields.IndexOf(Name);
  if Field < 0 then
    Fail(Result.CompositeType.Name + ' has no field ' + Name);
  if Result.CompositeType.IsBooleanField[Field] then
    Result := ScalarValue(vkBoolean, Result.Fields[Field])
  else if Result.IsNullObject then
    Result := ScalarValue(vkScalar, Null)
  else
    Result := ScalarValue(vkScalar, Result.Fields[Field]);
end;

procedure TBlockRun.ElementStatement(Local: TLocal);
var
  Key, Target: TValue;
  What: string;
  Index, Field: Integer;
begin
  if Local.Value.Kind <> vkCollection then
    Fail(Local.Name + ' is not a collection');
  ExpectSymbol('(');
  Key := Expression;
  ExpectSymbol(')');
  What := Local.Name + '(..)';
  Target := ElementType(Local.Value.CompositeType);
  Field := -1;
  if IsSymbol('.') then
  begin
    Inc(Position);
    What := What + '.' + Current.Text;
    if Target.Kind <> vkComposite then
      Fail(Local.Name + '''s elements have no fields');
    Field := Target.CompositeType.Fields.IndexOf(TakeName);
    if Field < 0 then
      Fail(Target.CompositeType.Name + ' has no field ' + What);
    if Target.CompositeType.IsBooleanField[Field] then
      Target := ScalarValue(vkBoolean, Null)
    else
      Target := ScalarValue(vkScalar, Null);
  end;
  ExpectSymbol(':=');
  Assign(Target, Expression, What);
  if not Executing then
    Exit;
  Index := ElementIndex(Local, Key, True);
  if Field < 0 then
    Local.Value.Items[Index] := Target
  else if Local.Value.Items[Index].IsNullObject then
    Fail(What + ' set in a NULL object (ORA-06530)')
  else
    Local.Value.Items[Index].Fields[Field] := Target.Scalar;
end;

{ COUNT, FIRST, LAST and NEXT(key): a key is NULL where there is none. }
function TBlockRun.CollectionMethod(Local: TLocal; const Method: string): TValue;
var
  After: TValue;
  I: Integer;
begin
  After := ScalarValue(vkNull, Null);
  if Method = 'NEXT' then
  begin
    ExpectSymbol('(');
    After := Expression;
    ExpectSymbol(')');
  end
  else if (Method <> 'COUNT') and (Method <> 'FIRST') and (Method <> 'LAST') then
    Fail(Local.Name + '.' + LowerCase(Method) + ' is not used by blocks');
  Result := ScalarValue(vkScalar, Null);
  if not Executing then
    Exit;
  if Local.Value.IsNullObject then
    Fail(Local.Name + ' is an uninitialized collection (ORA-06531)');
  with Local.Value do
    if Method = 'COUNT' then
      Result.Scalar := Length(Items)
    else if Length(Keys) = 0 then
      Exit
    else if Method = 'FIRST' then
      Result.Scalar := Keys[0]
    else if Method = 'LAST' then
      Result.Scalar := Keys[High(Keys)]
    else if not IsNullScalar(After.Scalar) then
      for I := 0 to High(Keys) do
        if KeyBefore(CompositeType, After.Scalar, Keys[I]) then
          Exit(ScalarValue(vkScalar, Keys[I]));
end;

{ EXTEND appends one element after the last; a varray refuses to grow beyond its bound. }
procedure TBlockRun.Extend(Local: TLocal);
var
  Last: Variant;
begin
  if (Local.Value.Kind <> vkCollection) or IsIndexBy(Local.Value.CompositeType) then
    Fail(Local.Name + '.extend: not a nested table or varray');
  if not Executing then
    Exit;
  if Local.Value.IsNullObject then
    Fail(Local.Name + ' is an uninitialized collection (ORA-06531)');
  if (Local.Value.CompositeType.CollectionKind = 'varray') and
    (Length(Local.Value.Items) >= Local.Value.CompositeType.Bound) then
    Fail(Local.Name + '.extend beyond the varray''s bound (ORA-06532)');
  Last := 0;
  if Length(Local.Value.Keys) > 0 then
    Last := Local.Value.Keys[High(Local.Value.Keys)];
  Insert([Last + 1], Local.Value.Keys, Length(Local.Value.Keys));
  Insert([ElementType(Local.Value.CompositeType)], Local.Value.Items, Length(Local.Value.Items));
end;

{ A local, one of its fields, an element of a collection, a collection's COUNT, FIRST, LAST or
  NEXT, or an XMLTYPE local's getclobval(). }
function TBlockRun.LocalExpression: TValue;
var
  Local: TLocal;
  Field: Integer;
begin
  Local := LocalNamed(TakeName);
  if IsSymbol('(') then
    Exit(ElementExpression(Local));
  if not IsSymbol('.') then
    Exit(CopiedValue(Local.Value));
  Inc(Position);
  if (Local.Value.Kind = vkCollection) and (Current.Kind = tkWord) then
    Exit(CollectionMethod(Local, TakeName));
  if (Local.Value.Kind = vkXml) and IsWord('GETCLOBVAL') then
  begin
    Inc(Position);
    ExpectSymbol('(');
    ExpectSymbol(')');
    if Executing and VarIsNull(Local.Value.Scalar) then
      Fail('getclobval of a NULL XMLTYPE (ORA-30625)');
    Exit(ScalarValue(vkScalar, Local.Value.Scalar));
  end;
  Field := FieldIndex(Local, TakeName);
  if Local.Value.CompositeType.IsBooleanField[Field] then
    Result := ScalarValue(vkBoolean, Local.Value.Fields[Field])
  else
    Result := ScalarValue(vkScalar, Local.Value.Fields[Field]);
  { A field of a NULL object reads as NULL. }
  if Local.Value.IsNullObject then
    Result.Scalar := Null;
end;

{ The default constructor: one NULL per attribute, in order; a collection's, empty. }
function TBlockRun.Construct(CompositeType: TServedType): TValue;
var
  Count, I: Integer;
begin
  if CompositeType.CollectionKind <> '' then
  begin
    if IsIndexBy(CompositeType) then
      Fail(CompositeType.Name + ' is an index-by table, which has no constructor');
    ExpectSymbol('(');
    ExpectSymbol(')');
    Result := ScalarValue(vkCollection, Null);
    Result.CompositeType := CompositeType;
    Exit;
  end;
  if not CompositeType.IsObject then
    Fail(CompositeType.Name + ' is not an object type');
  ExpectSymbol('(');
  Count := 0;
  repeat
    if Count > 0 then
      ExpectSymbol(',');
    ExpectWord('NULL');
    Inc(Count);
  until not IsSymbol(',');
  ExpectSymbol(')');
  if Count <> CompositeType.Fields.Count then
    Fail(Format('%s has %d attributes, its constructor got %d', [CompositeType.Name,
      CompositeType.Fields.Count, Count]));
  Result := ScalarValue(vkComposite, Null);
  Result.CompositeType := CompositeType;
  SetLength(Result.Fields, Count);
  for I := 0 to Count - 1 do
    Result.Fields[I] := Null;
end;

{ How a formal is passed: a "?" mark or a local. }
type
  TActual = record
    Given: Boolean;
    Mark: Integer;
    Local: TLocal;
  end;

function ModeDirection(const Mode: string): TParameterDirection;
begin
  if Mode = 'in' then
    Result := pdInput
  else if Mode = 'out' then
    Result := pdOutput
  else
    Result := pdInputOutput;
end;

function TBlockRun.Call(const CallName: string): TValue;
var
  Routine: TServedRoutine;
  Actuals: array of TActual;
  Received: TStringList;
  ReceivedValues: array of Variant;
  I, F: Integer;
  Name: string;
  Formal: TFormal;
  Value: TValue;

  procedure Receive(const Path: string; const Scalar: Variant);
  begin
    Received.Add(Path);
    SetLength(ReceivedValues, Length(ReceivedValues) + 1);
    ReceivedValues[High(ReceivedValues)] := Scalar;
    RecordLine('in ' + Path + ' = ' + ShownValue(Scalar));
  end;

  function ReceivedValue(const Path: string): Variant;
  var
    J: Integer;
  begin
    J := Received.IndexOf(Path);
    if J < 0 then
      raise Exception.Create('The routine received nothing under ' + Path);
    Result := ReceivedValues[J];
  end;

  function Belongs(const Path, Prefix: string): Boolean;
  begin
    Result := (Path = Prefix) or (Copy(Path, 1, Length(Prefix) + 1) = Prefix + '.');
  end;

  { A test's path that names no formal would silently hand back nothing. }
  procedure CheckPath(const Path: string);
  var
    J: Integer;
  begin
    if Routine.HasResult and Belongs(Path, '@RETURN_VALUE') then
      Exit;
    for J := 0 to High(Routine.Formals) do
      if (Routine.Formals[J].Mode <> 'in') and Belongs(Path, Routine.Formals[J].Name) then
        Exit;
    raise Exception.Create('The test hands back ' + Path + ', which ' + CallName + ' has not');
  end;

  { Sets one output path (a whole value or a field) of the value the routine hands back. }
  procedure Hand(var Output: TValue; const Prefix, Path: string; const Scalar: Variant);
  var
    Field: Integer;
  begin
    if not Belongs(Path, Prefix) then
      Exit;
    if Path = Prefix then
    begin
      if Output.Kind = vkCollection then
      begin
        if not VarIsNull(Scalar) or IsIndexBy(Output.CompositeType) then
          raise Exception.Create('Only a nested table or varray can be handed back as NULL: ' +
            Path);
        Output.IsNullObject := True;
      end
      else if Output.Kind <> vkComposite then
        Output.Scalar := Scalar
      else if Output.CompositeType.IsObject and VarIsNull(Scalar) then
        Output.IsNullObject := True
      else
        raise Exception.Create('Only an object can be handed back as NULL: ' + Path);
      Exit;
    end;
    if Output.Kind <> vkComposite then
      raise Exception.Create('The test hands back a field of a scalar: ' + Path);
    Field := Output.CompositeType.Fields.IndexOf(Copy(Path, Length(Prefix) + 2, MaxInt));
    if Field < 0 then
      raise Exception.Create('The test hands back an unknown field ' + Path);
    Output.IsNullObject := False;
    Output.Fields[Field] := Scalar;
  end;

  { The collection the test describes under ElementPaths[J], of the type of Start. }
  function Elements(const Start: TValue; J: Integer): TValue;
  var
    K, F, PerElement: Integer;
    Item: TValue;
  begin
    if Start.Kind <> vkCollection then
      raise Exception.Create('The test hands back elements of a non-collection ' +
        Routine.ElementPaths[J]);
    Result := ScalarValue(vkCollection, Null);
    Result.CompositeType := Start.CompositeType;
    Item := ElementType(Start.CompositeType);
    PerElement := 1;
    if Item.Kind = vkComposite then
      PerElement := Item.CompositeType.Fields.Count;
    if Length(Routine.ElementValues[J]) <> PerElement * Length(Routine.ElementKeys[J]) then
      raise Exception.Create('The test hands back values that do not fill the elements of ' +
        Routine.ElementPaths[J]);
    for K := 0 to High(Routine.ElementKeys[J]) do
    begin
      if (K > 0) and not KeyBefore(Result.CompositeType, Routine.ElementKeys[J][K - 1],
        Routine.ElementKeys[J][K]) then
        raise Exception.Create('The test''s keys are not in order: ' + Routine.ElementPaths[J]);
      Item := ElementType(Start.CompositeType);
      if Item.Kind = vkComposite then
      begin
        Item.IsNullObject := False;
        for F := 0 to PerElement - 1 do
          Item.Fields[F] := Routine.ElementValues[J][K * PerElement + F];
      end
      else
        Item.Scalar := Routine.ElementValues[J][K];
      Insert([Routine.ElementKeys[J][K]], Result.Keys, K);
      Insert([Item], Result.Items, K);
    end;
  end;

  { What the routine leaves in an output: NULL (or what came in), then the test's values. }
  function Output(const Prefix: string; const Start: TValue): TValue;
  var
    J: Integer;
  begin
    Result := CopiedValue(Start);
    for J := 0 to Routine.ElementPaths.Count - 1 do
      if Routine.ElementPaths[J] = Prefix then
        Result := Elements(Start, J);
    for J := 0 to Routine.ValuePaths.Count - 1 do
      Hand(Result, Prefix, Routine.ValuePaths[J], Routine.Values[J]);
    for J := 0 to Routine.EchoPaths.Count - 1 do
      Hand(Result, Prefix, Routine.EchoPaths[J], ReceivedValue(Routine.EchoSources[J]));
  end;

  function Nothing(const TypeText: string): TValue;
  begin
    if TypeText = '' then
      Result := ScalarValue(vkScalar, Null)
    else
      Result := EmptyValue(TypeText);
  end;

  { What a collection brings the routine: NULL, or its count and each element under its key. }
  procedure ReceiveCollection(const Name: string; const Value: TValue);
  var
    J, K: Integer;
    Path: string;
  begin
    if Value.IsNullObject then
    begin
      Receive(Name, Null);
      Exit;
    end;
    Receive(Name + '.count', Length(Value.Items));
    for J := 0 to High(Value.Items) do
    begin
      Path := Name + '(' + VarToStr(Value.Keys[J]) + ')';
      if Value.Items[J].Kind <> vkComposite then
        Receive(Path, Value.Items[J].Scalar)
      else if Value.Items[J].IsNullObject then
        Receive(Path, Null)
      else
        for K := 0 to High(Value.Items[J].Fields) do
          Receive(Path + '.' + Value.Items[J].CompositeType.Fields[K], Value.Items[J].Fields[K]);
    end;
  end;

  function ActualValue(const Actual: TActual; const Formal: TFormal): TValue;
  begin
    if Actual.Local <> nil then
      Result := CopiedValue(Actual.Local.Value)
    else
      Result := ReadMark(Actual.Mark, ModeDirection(Formal.Mode));
  end;

begin
  I := Routines.IndexOf(CallName);
  if I < 0 then
    Fail('the server has no routine ' + CallName);
  Routine := Routines.Objects[I] as TServedRoutine;
  SetLength(Actuals, Length(Routine.Formals));
  for F := 0 to High(Actuals) do
    Actuals[F].Given := False;
  if IsSymbol('(') then
  begin
    Inc(Position);
    repeat
      if Current.Kind <> tkQuoted then
        Fail('expected a formal''s name in double quotes, found ' + Current.Text);
      Name := TakeName;
      F := High(Routine.Formals);
      while (F >= 0) and (Routine.Formals[F].Name <> Name) do
        Dec(F);
      if F < 0 then
        Fail(CallName + ' has no formal ' + Name);
      if Actuals[F].Given then
        Fail(Name + ' is passed twice');
      ExpectSymbol('=>');
      Formal := Routine.Formals[F];
      Actuals[F].Given := True;
      Actuals[F].Local := nil;
      Actuals[F].Mark := -1;
      if Current.Kind = tkMark then
      begin
        if Formal.TypeName <> '' then
          Fail(Formal.Name + ' (' + Formal.TypeName + ') cannot be bound to ?');
        Actuals[F].Mark := TakeMark;
        CheckMark(Actuals[F].Mark, ModeDirection(Formal.Mode));
      end
      else
      begin
        Actuals[F].Local := LocalNamed(TakeName);
        if Actuals[F].Local.TypeText <> Formal.TypeName then
          Fail(Format('%s is %s, its actual %s is %s', [Formal.Name, Formal.TypeName,
            Actuals[F].Local.Name, Actuals[F].Local.TypeText]));
      end;
      if not IsSymbol(',') then
        Break;
      Inc(Position);
    until False;
    ExpectSymbol(')');
  end;
  for F := 0 to High(Actuals) do
    if not Actuals[F].Given then
      Fail(CallName + ' called without ' + Routine.Formals[F].Name);
  if Routine.HasResult then
    Result := Nothing(Routine.ResultType)
  else
    Result := ScalarValue(vkNull, Null);
  if not Executing then
    Exit;

  RecordLine('call ' + CallName);
  for I := 0 to Routine.ValuePaths.Count - 1 do
    CheckPath(Routine.ValuePaths[I]);
  for I := 0 to Routine.EchoPaths.Count - 1 do
    CheckPath(Routine.EchoPaths[I]);
  for I := 0 to Routine.ElementPaths.Count - 1 do
    CheckPath(Routine.ElementPaths[I]);
  Received := TStringList.Create;
  Received.CaseSensitive := True;
  try
    for F := 0 to High(Actuals) do
    begin
      Formal := Routine.Formals[F];
      if Formal.Mode = 'out' then
        Continue;
      Value := ActualValue(Actuals[F], Formal);
      if Value.Kind = vkCollection then
        ReceiveCollection(Formal.Name, Value)
      else if Value.Kind <> vkComposite then
        Receive(Formal.Name, Value.Scalar)
      else if Value.IsNullObject then
        Receive(Formal.Name, Null)
      else
        for I := 0 to High(Value.Fields) do
          Receive(Formal.Name + '.' + Value.CompositeType.Fields[I], Value.Fields[I]);
    end;
    for F := 0 to High(Actuals) do
    begin
      Formal := Routine.Formals[F];
      if Formal.Mode = 'in' then
        Continue;
      if Formal.Mode = 'out' then
        Value := Output(Formal.Name, Nothing(Formal.TypeName))
      else
        Value := Output(Formal.Name, ActualValue(Actuals[F], Formal));
      if Actuals[F].Local <> nil then
        Actuals[F].Local.Value := Value
      else
        WriteMark(Actuals[F].Mark, Value, ModeDirection(Formal.Mode));
    end;
    if Routine.HasResult then
      Result := Output('@RETURN_VALUE', Result);
  finally
    Received.Free;
  end;
end;

{ "<local> is [not] null": an object or a nested table or varray may be atomically NULL; an
  index-by table never is, and the block has no reason to ask. }
function TBlockRun.NullTest: Boolean;
var
  Local: TLocal;
  Negated: Boolean;
begin
  Local := LocalNamed(TakeName);
  ExpectWord('IS');
  Negated := IsWord('NOT');
  if Negated then
    Inc(Position);
  ExpectWord('NULL');
  if Local.Value.Kind = vkCollection then
  begin
    if IsIndexBy(Local.Value.CompositeType) then
      Fail(Local.Name + ' is an index-by table, never NULL');
    Result := Local.Value.IsNullObject;
  end
  else if Local.Value.Kind = vkComposite then
    Result := Local.Value.IsNullObject
  else
    Result := IsNullScalar(Local.Value.Scalar);
  Result := Result xor Negated;
end;

procedure TBlockRun.Statements;
begin
  repeat
    Statement;
  until IsWord('ELSE') or IsWord('END');
end;

procedure TBlockRun.IfStatement;
var
  Condition, WasExecuting: Boolean;
begin
  ExpectWord('IF');
  Condition := NullTest;
  ExpectWord('THEN');
  WasExecuting := Executing;
  Executing := WasExecuting and Condition;
  Statements;
  if IsWord('ELSE') then
  begin
    Inc(Position);
    Executing := WasExecuting and not Condition;
    Statements;
  end;
  Executing := WasExecuting;
  ExpectWord('END');
  ExpectWord('IF');
  ExpectSymbol(';');
end;

{ "while <local> is [not] null loop ... end loop;", run by reading its text again per round. }
procedure TBlockRun.WhileStatement;
var
  Start, Rounds: Integer;
  Condition, WasExecuting: Boolean;
begin
  ExpectWord('WHILE');
  Start := Position;
  Rounds := 0;
  WasExecuting := Executing;
  repeat
    Position := Start;
    Condition := NullTest;
    ExpectWord('LOOP');
    Executing := WasExecuting and Condition;
    Statements;
    ExpectWord('END');
    ExpectWord('LOOP');
    ExpectSymbol(';');
    Inc(Rounds);
    if Rounds > 100000 then
      Fail('the loop does not end');
  until not Executing;
  Executing := WasExecuting;
end;

procedure TBlockRun.Statement;
var
  Local: TLocal;
  Mark, Field: Integer;
  Name: string;
  Value, Target: TValue;
begin
  if IsWord('IF') then
  begin
    IfStatement;
    Exit;
  end;
  if IsWord('WHILE') then
  begin
    WhileStatement;
    Exit;
  end;
  if Current.Kind = tkMark then
  begin
    Mark := TakeMark;
    ExpectSymbol(':=');
    WriteMark(Mark, Expression, pdOutput);
  end
  else if Current.Kind = tkQuoted then
  begin
    Name := QualifiedName;
    CheckNotHidden(Name);
    if Call(Name).Kind <> vkNull then
      Fail(Name + ' is a function; its result must be taken');
  end
  else
  begin
    Local := LocalNamed(TakeName);
    if IsSymbol('(') then
      ElementStatement(Local)
    else if IsSymbol('.') and (Local.Value.Kind = vkCollection) then
    begin
      Inc(Position);
      ExpectWord('EXTEND');
      Extend(Local);
    end
    else if IsSymbol('.') then
    begin
      Inc(Position);
      Name := TakeName;
      Field := FieldIndex(Local, Name);
      ExpectSymbol(':=');
      Value := Expression;
      if Local.Value.CompositeType.IsBooleanField[Field] then
        Target := ScalarValue(vkBoolean, Null)
      else
        Target := ScalarValue(vkScalar, Null);
      Assign(Target, Value, Local.Name + '.' + Name);
      if Executing then
      begin
        if Local.Value.IsNullObject then
          Fail(Local.Name + '.' + Name + ' set in a NULL object (ORA-06530)');
        Local.Value.Fields[Field] := Target.Scalar;
      end;
    end
    else
    begin
      ExpectSymbol(':=');
      Assign(Local.Value, Expression, Local.Name);
    end;
  end;
  ExpectSymbol(';');
end;

procedure TBlockRun.Run;
begin
  Position := 0;
  if IsWord('DECLARE') then
  begin
    Inc(Position);
    while not IsWord('BEGIN') do
      Declaration;
  end;
  ExpectWord('BEGIN');
  repeat
    Statement;
  until IsWord('END');
  ExpectWord('END');
  ExpectSymbol(';');
  if Current.Kind <> tkEnd then
    Fail('text after the block: ' + Current.Text);
end;

procedure RunBlock(const CommandText: string; Parameters: TParameters);
var
  Run: TBlockRun;
begin
  Run := TBlockRun.Create(CommandText, Parameters);
  try
    Run.Run;
  finally
    Run.Free;
  end;
end;

initialization
  Types := TStringList.Create;
  Types.CaseSensitive := True;
  Routines := TStringList.Create;
  Routines.CaseSensitive := True;

finalization
  ResetServer;
  Types.Free;
  Routines.Free;

end.
