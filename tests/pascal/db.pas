{ Stand-in for Delphi's DB unit when the generated units are compiled with Free Pascal: only
  what they and the ADODB stand-in use, declared as Delphi declares it. Free Pascal's own DB
  lacks TBlobByteData and several field types, so this unit takes its place. }
unit DB;

{$mode delphi}

interface

uses Classes, SysUtils;

type
  TFieldType = (ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat,
    ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob,
    ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor,
    ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob,
    ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd,
    ftFixedWideChar, ftWideMemo, ftOraTimeStamp, ftOraInterval, ftLongWord, ftShortint, ftByte,
    ftExtended, ftConnection, ftParams, ftStream, ftTimeStampOffset, ftObject, ftSingle);

  TBlobData = TBytes;
  TBlobByteData = array of Byte;

  TCustomConnection = class(TComponent)
  private
    FConnected: Boolean;
    FLoginPrompt: Boolean;
  public
    property Connected: Boolean read FConnected write FConnected;
    property LoginPrompt: Boolean read FLoginPrompt write FLoginPrompt;
  end;

  TDataSet = class(TComponent)
  end;

implementation

end.
