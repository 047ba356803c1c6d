-- Overloads that Pascal could not tell apart, as Oracle's views show them for HR. The reader
-- keeps the first of each set with the same Delphi argument types; model.txt is what it keeps.
--
-- FIND    overloads differing only in argument names
-- PUT     RAW beside BLOB: both are TBlobByteData
-- SET_IT  three overloads; the third equals the first but for names and directions
-- TRIPLE  three equal overloads: both later ones name the first
-- SAVE_REC  a record argument: cannot be read, warned about before the overloads
-- NEXT_PKG.GO  a package read before OVERLOADS; its argument NAME would bind the
--         command's own Name

insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values
  ('HR', 'OVERLOADS', 'PACKAGE'),
  ('HR', 'NEXT_PKG', 'PACKAGE');

insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) values
  ('HR', 'OVERLOADS', NULL, NULL, 'PACKAGE'),
  ('HR', 'OVERLOADS', 'FIND', '1', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'FIND', '2', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'PUT', '1', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'PUT', '2', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'SET_IT', '1', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'SET_IT', '2', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'SET_IT', '3', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'TRIPLE', '1', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'TRIPLE', '2', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'TRIPLE', '3', 'PACKAGE'),
  ('HR', 'OVERLOADS', 'SAVE_REC', NULL, 'PACKAGE'),
  ('HR', 'NEXT_PKG', NULL, NULL, 'PACKAGE'),
  ('HR', 'NEXT_PKG', 'GO', NULL, 'PACKAGE');

insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION,
                           SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) values
  ('HR', 'OVERLOADS', 'FIND', '1', NULL, 0, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'OVERLOADS', 'FIND', '1', 'PI_SCOPE', 1, 2, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'FIND', '2', NULL, 0, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'OVERLOADS', 'FIND', '2', 'PI_ID', 1, 2, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'PUT', '1', 'P_DATA', 1, 1, 0, 'RAW', 'IN'),
  ('HR', 'OVERLOADS', 'PUT', '2', 'P_DATA', 1, 1, 0, 'BLOB', 'IN'),
  ('HR', 'OVERLOADS', 'SET_IT', '1', 'P_A', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'SET_IT', '1', 'P_B', 2, 2, 0, 'VARCHAR2', 'IN'),
  ('HR', 'OVERLOADS', 'SET_IT', '2', 'P_A', 1, 1, 0, 'VARCHAR2', 'IN'),
  ('HR', 'OVERLOADS', 'SET_IT', '3', 'P_X', 1, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'OVERLOADS', 'SET_IT', '3', 'P_Y', 2, 2, 0, 'VARCHAR2', 'IN/OUT'),
  ('HR', 'OVERLOADS', 'TRIPLE', '1', 'P_N', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'TRIPLE', '2', 'P_M', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'TRIPLE', '3', 'P_O', 1, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'OVERLOADS', 'SAVE_REC', NULL, 'P_X', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'OVERLOADS', 'SAVE_REC', NULL, 'P_REC', 2, 2, 0, 'PL/SQL RECORD', 'IN'),
  ('HR', 'OVERLOADS', 'SAVE_REC', NULL, 'REC_ID', 1, 3, 1, 'NUMBER', 'IN'),
  ('HR', 'NEXT_PKG', 'GO', NULL, 'NAME', 1, 1, 0, 'VARCHAR2', 'IN');
