{ Stand-in for Delphi's ADODB: the classes, enumerations and members that generated units use,
  with Delphi's declarations. A command records each parameter it is given and what it
  executes, and hands back the values a test program answered (AdoRecorder); an anonymous
  PL/SQL block runs on the simulated server (PlsqlServer). }
unit ADODB;

{$mode delphi}

interface

uses Classes, DB, ADOInt;

type
  TDataType = TFieldType;
  TParameterDirection = (pdUnknown, pdInput, pdOutput, pdInputOutput, pdReturnValue);
  TCommandType = (cmdUnknown, cmdText, cmdTable, cmdStoredProc, cmdFile, cmdTableDirect);
  TExecuteOption = (eoAsyncExecute, eoAsyncFetch, eoAsyncFetchNonBlocking, eoExecuteNoRecords);
  TExecuteOptions = set of TExecuteOption;

  TADOConnection = class(TCustomConnection)
  private
    FConnectionString: WideString;
  public
    property ConnectionString: WideString read FConnectionString write FConnectionString;
  end;

  TParameter = class(TCollectionItem)
  private
    FName: WideString;
    FDataType: TDataType;
    FDirection: TParameterDirection;
    FSize: Integer;
    FValue: OleVariant;
  public
    property Name: WideString read FName write FName;
    property DataType: TDataType read FDataType write FDataType;
    property Direction: TParameterDirection read FDirection write FDirection;
    property Size: Integer read FSize write FSize;
    property Value: OleVariant read FValue write FValue;
  end;

  TParameters = class(TOwnedCollection)
  public
    function CreateParameter(const Name: WideString; DataType: TDataType;
      Direction: TParameterDirection; Size: Integer; Value: OleVariant): TParameter;
    function ParamByName(const Value: WideString): TParameter;
  end;

  TADOCommand = class(TComponent)
  private
    FCommandText: WideString;
    FCommandType: TCommandType;
    FParamCheck: Boolean;
    FParamCheckedText: Boolean;
    FConnection: TADOConnection;
    FParameters: TParameters;
    function GetProperties: ADOInt.Properties;
    procedure SetCommandText(const Value: WideString);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    function Execute: _Recordset; overload;
    function Execute(const Parameters: OleVariant): _Recordset; overload;
    function Execute(var RecordsAffected: Integer; const Parameters: OleVariant;
      ExecuteOptions: TExecuteOptions = []): _Recordset; overload;
    property Properties: ADOInt.Properties read GetProperties;
  published
    property CommandText: WideString read FCommandText write SetCommandText;
    property CommandType: TCommandType read FCommandType write FCommandType;
    property Connection: TADOConnection read FConnection write FConnection;
    property Parameters: TParameters read FParameters write FParameters;
    property ParamCheck: Boolean read FParamCheck write FParamCheck default True;
  end;

  TCustomADODataSet = class(TDataSet)
  private
    FRecordset: _Recordset;
  public
    function NextRecordset(var RecordsAffected: Integer): _Recordset;
    property Recordset: _Recordset read FRecordset write FRecordset;
  end;

  TADODataSet = class(TCustomADODataSet)
  end;

implementation

uses SysUtils, TypInfo, Variants, AdoRecorder, PlsqlServer;

function TParameters.CreateParameter(const Name: WideString; DataType: TDataType;
  Direction: TParameterDirection; Size: Integer; Value: OleVariant): TParameter;
begin
  Result := Add as TParameter;
  Result.Name := Name;
  Result.DataType := DataType;
  Result.Direction := Direction;
  Result.Size := Size;
  Result.Value := Value;
  RecordLine(Format('%s %s %s %d %s', [Name, GetEnumName(TypeInfo(TDataType), Ord(DataType)),
    GetEnumName(TypeInfo(TParameterDirection), Ord(Direction)), Size, ValueText(Value)]));
end;

{ As Delphi's: the first parameter whose name equals the value ignoring case. }
function TParameters.ParamByName(const Value: WideString): TParameter;
var
  I: Integer;
begin
  for I := 0 to Count - 1 do
  begin
    Result := Items[I] as TParameter;
    if WideSameText(Result.Name, Value) then
      Exit;
  end;
  raise Exception.Create('Parameter ' + Value + ' not found');
end;

constructor TADOCommand.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FParameters := TParameters.Create(Self, TParameter);
  FParamCheck := True;
end;

{ Delphi parses a text set while ParamCheck is on for ":name" markers and rebuilds the
  parameters from them: a block's ":=" must not meet that. }
procedure TADOCommand.SetCommandText(const Value: WideString);
begin
  FCommandText := Value;
  FParamCheckedText := FParamCheck;
end;

destructor TADOCommand.Destroy;
begin
  FParameters.Free;
  inherited Destroy;
end;

procedure ExecuteCommand(Command: TADOCommand);
var
  I: Integer;
  Parameter: TParameter;
  Value: Variant;
begin
  if IsBlock(Command.CommandText) then
  begin
    if Command.FParamCheckedText then
      raise Exception.Create('A block was given to CommandText while ParamCheck was on');
    RecordLine('execute block');
    RunBlock(Command.CommandText, Command.Parameters);
    Exit;
  end;
  RecordLine('execute ' + Command.CommandText);
  for I := 0 to Command.Parameters.Count - 1 do
  begin
    Parameter := Command.Parameters.Items[I] as TParameter;
    if (Parameter.Direction <> pdInput) and Answered(Parameter.Name, Value) then
      Parameter.Value := Value;
  end;
end;

type
  { A provider property that records what the command sets it to. }
  TRecordedProperty = class(TInterfacedObject, IDispatch, Property_)
  private
    FName: string;
    FValue: OleVariant;
  public
    constructor Create(const Name: string);
    function GetTypeInfoCount(out Count: LongInt): HResult; stdcall;
    function GetTypeInfo(Index, LocaleID: LongInt; out TypeInfo): HResult; stdcall;
    function GetIDsOfNames(const IID: TGUID; Names: Pointer; NameCount, LocaleID: LongInt;
      DispIDs: Pointer): HResult; stdcall;
    function Invoke(DispID: LongInt; const IID: TGUID; LocaleID: LongInt; Flags: Word;
      var Params; VarResult, ExcepInfo, ArgErr: Pointer): HResult; stdcall;
    function Get_Value: OleVariant;
    procedure Set_Value(const pval: OleVariant);
  end;

  TRecordedProperties = class(TInterfacedObject, IDispatch, Properties)
  public
    function GetTypeInfoCount(out Count: LongInt): HResult; stdcall;
    function GetTypeInfo(Index, LocaleID: LongInt; out TypeInfo): HResult; stdcall;
    function GetIDsOfNames(const IID: TGUID; Names: Pointer; NameCount, LocaleID: LongInt;
      DispIDs: Pointer): HResult; stdcall;
    function Invoke(DispID: LongInt; const IID: TGUID; LocaleID: LongInt; Flags: Word;
      var Params; VarResult, ExcepInfo, ArgErr: Pointer): HResult; stdcall;
    function Get_Item(Index: OleVariant): Property_;
  end;

constructor TRecordedProperty.Create(const Name: string);
begin
  inherited Create;
  FName := Name;
end;

function TRecordedProperty.GetTypeInfoCount(out Count: LongInt): HResult; stdcall;
begin
  Count := 0;
  Result := E_NOTIMPL;
end;

function TRecordedProperty.GetTypeInfo(Index, LocaleID: LongInt; out TypeInfo): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperty.GetIDsOfNames(const IID: TGUID; Names: Pointer; NameCount,
  LocaleID: LongInt; DispIDs: Pointer): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperty.Invoke(DispID: LongInt; const IID: TGUID; LocaleID: LongInt;
  Flags: Word; var Params; VarResult, ExcepInfo, ArgErr: Pointer): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperty.Get_Value: OleVariant;
begin
  Result := FValue;
end;

procedure TRecordedProperty.Set_Value(const pval: OleVariant);
begin
  FValue := pval;
  RecordLine('property ' + FName + ' ' + ValueText(pval));
end;

function TRecordedProperties.GetTypeInfoCount(out Count: LongInt): HResult; stdcall;
begin
  Count := 0;
  Result := E_NOTIMPL;
end;

function TRecordedProperties.GetTypeInfo(Index, LocaleID: LongInt; out TypeInfo): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperties.GetIDsOfNames(const IID: TGUID; Names: Pointer; NameCount,
  LocaleID: LongInt; DispIDs: Pointer): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperties.Invoke(DispID: LongInt; const IID: TGUID; LocaleID: LongInt;
  Flags: Word; var Params; VarResult, ExcepInfo, ArgErr: Pointer): HResult; stdcall;
begin
  Result := E_NOTIMPL;
end;

function TRecordedProperties.Get_Item(Index: OleVariant): Property_;
begin
  Result := TRecordedProperty.Create(VarToStr(Index));
end;

function TADOCommand.GetProperties: ADOInt.Properties;
begin
  Result := TRecordedProperties.Create;
end;

function TADOCommand.Execute: _Recordset;
begin
  ExecuteCommand(Self);
  Result := nil;
end;

function TADOCommand.Execute(const Parameters: OleVariant): _Recordset;
begin
  ExecuteCommand(Self);
  Result := nil;
end;

function TADOCommand.Execute(var RecordsAffected: Integer; const Parameters: OleVariant;
  ExecuteOptions: TExecuteOptions): _Recordset;
begin
  ExecuteCommand(Self);
  Result := nil;
end;

function TCustomADODataSet.NextRecordset(var RecordsAffected: Integer): _Recordset;
begin
  Result := nil;
end;

end.
