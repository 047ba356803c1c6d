{ Stand-in for Delphi's ADODB: the classes, enumerations and members that generated units use,
  with Delphi's declarations. Nothing here runs; the units only have to compile against it. }
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
    FValue: OleVariant;
  public
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
    FConnection: TADOConnection;
    FParameters: TParameters;
    function GetProperties: ADOInt.Properties;
  public
    function Execute: _Recordset; overload;
    function Execute(const Parameters: OleVariant): _Recordset; overload;
    function Execute(var RecordsAffected: Integer; const Parameters: OleVariant;
      ExecuteOptions: TExecuteOptions = []): _Recordset; overload;
    property Properties: ADOInt.Properties read GetProperties;
  published
    property CommandText: WideString read FCommandText write FCommandText;
    property CommandType: TCommandType read FCommandType write FCommandType;
    property Connection: TADOConnection read FConnection write FConnection;
    property Parameters: TParameters read FParameters write FParameters;
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

function TParameters.CreateParameter(const Name: WideString; DataType: TDataType;
  Direction: TParameterDirection; Size: Integer; Value: OleVariant): TParameter;
begin
  Result := nil;
end;

function TParameters.ParamByName(const Value: WideString): TParameter;
begin
  Result := nil;
end;

function TADOCommand.GetProperties: ADOInt.Properties;
begin
  Result := nil;
end;

function TADOCommand.Execute: _Recordset;
begin
  Result := nil;
end;

function TADOCommand.Execute(const Parameters: OleVariant): _Recordset;
begin
  Result := nil;
end;

function TADOCommand.Execute(var RecordsAffected: Integer; const Parameters: OleVariant;
  ExecuteOptions: TExecuteOptions): _Recordset;
begin
  Result := nil;
end;

function TCustomADODataSet.NextRecordset(var RecordsAffected: Integer): _Recordset;
begin
  Result := nil;
end;

end.
