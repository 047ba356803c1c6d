{ Stand-in for Delphi's ADOInt: the ADO interfaces that the ADODB stand-in hands out. }
unit ADOInt;

{$mode delphi}

interface

type
  _Recordset = interface(IDispatch)
  end;

  Property_ = interface(IDispatch)
    function Get_Value: OleVariant;
    procedure Set_Value(const pval: OleVariant);
    property Value: OleVariant read Get_Value write Set_Value;
  end;

  Properties = interface(IDispatch)
    function Get_Item(Index: OleVariant): Property_;
    property Item[Index: OleVariant]: Property_ read Get_Item; default;
  end;

implementation

end.
