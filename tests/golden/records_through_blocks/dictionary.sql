-- Records, %ROWTYPEs, objects, XMLTYPE and INTERVALs through PL/SQL blocks, as Oracle 19c lists
-- them: a record with a BOOLEAN field in each direction and as a result, a %ROWTYPE likewise, a
-- FINAL object, a record whose names need care in Pascal and in the block, XMLTYPE and both
-- INTERVALs, a routine mixing them with scalars, overloads told apart by their record types, and
-- routines that stay calls or stay left out (a NOT FINAL object, a collection, a nested record,
-- a cursor beside a record), a function outside packages returning an object, and another
-- owner's object whose Delphi name would be the package's class.
insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values
  ('HR', 'HR_RECORDS', 'PACKAGE'),
  ('HR', 'ADDRESS_T', 'TYPE'),
  ('HR', 'SHAPE_T', 'TYPE'),
  ('APP', 'HR_RECORDS', 'TYPE'),
  ('HR', 'HOME_OF', 'FUNCTION'),
  ('HR', 'EMPLOYEES', 'TABLE');
insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) values
  ('HR', 'HR_RECORDS', NULL, NULL, 'PACKAGE'),
  ('HR', 'HOME_OF', NULL, NULL, 'FUNCTION');
insert into all_arguments
  (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION, SEQUENCE, DATA_LEVEL,
   DATA_TYPE, IN_OUT, TYPE_OWNER, TYPE_NAME, TYPE_SUBNAME, TYPE_OBJECT_TYPE)
values
  ('HR', 'HR_RECORDS', 'GET_EMP', NULL, NULL, 0, 1, 0, 'PL/SQL RECORD', 'OUT', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'GET_EMP', NULL, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'PUT_EMP', NULL, 'P_EMP', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'FETCH_EMP', NULL, 'P_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'FETCH_EMP', NULL, 'P_EMP', 2, 2, 0, 'PL/SQL RECORD', 'OUT', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'RAISE_EMP', NULL, 'P_EMP', 1, 1, 0, 'PL/SQL RECORD', 'IN/OUT', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'GET_ROW', NULL, NULL, 0, 1, 0, 'PL/SQL RECORD', 'OUT', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('HR', 'HR_RECORDS', 'PUT_ROW', NULL, 'P_ROW', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('HR', 'HR_RECORDS', 'FETCH_ROW', NULL, 'P_ROW', 1, 1, 0, 'PL/SQL RECORD', 'OUT', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('HR', 'HR_RECORDS', 'TOUCH_ROW', NULL, 'P_ROW', 1, 1, 0, 'PL/SQL RECORD', 'IN/OUT', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('HR', 'HR_RECORDS', 'MOVE', NULL, NULL, 0, 1, 0, 'OBJECT', 'OUT', 'HR', 'ADDRESS_T', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'MOVE', NULL, 'P_FROM', 1, 2, 0, 'OBJECT', 'IN', 'HR', 'ADDRESS_T', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'MOVE', NULL, 'P_TO', 2, 3, 0, 'OBJECT', 'IN/OUT', 'HR', 'ADDRESS_T', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'STAMP', NULL, NULL, 0, 1, 0, 'OPAQUE/XMLTYPE', 'OUT', 'SYS', 'XMLTYPE', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'STAMP', NULL, 'P_DOC', 1, 2, 0, 'OPAQUE/XMLTYPE', 'IN', 'SYS', 'XMLTYPE', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'STAMP', NULL, 'P_WAIT', 2, 3, 0, 'INTERVAL DAY TO SECOND', 'OUT', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'STAMP', NULL, 'P_TERM', 3, 4, 0, 'INTERVAL YEAR TO MONTH', 'IN/OUT', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'ODD', NULL, 'P_ODD', 1, 1, 0, 'PL/SQL RECORD', 'IN/OUT', 'HR', 'HR_RECORDS', 'odd rec', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'MIXED', NULL, NULL, 0, 1, 0, 'DATE', 'OUT', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'MIXED', NULL, 'P_A', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'MIXED', NULL, 'P_EMP', 2, 3, 0, 'PL/SQL RECORD', 'IN', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'MIXED', NULL, 'P_NOTE', 3, 4, 0, 'VARCHAR2', 'IN/OUT', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'MIXED', NULL, 'P_FLAG', 4, 5, 0, 'PL/SQL BOOLEAN', 'OUT', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'FIND', '1', 'P_EMP', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'FIND', '2', 'P_ROW', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('HR', 'HR_RECORDS', 'FIND', '3', 'P_OTHER', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'PLAIN', NULL, 'P_X', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_RECORDS', 'TAG', NULL, 'P_TAG', 1, 1, 0, 'OBJECT', 'IN', 'APP', 'HR_RECORDS', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'DRAW', NULL, 'P_SHAPE', 1, 1, 0, 'OBJECT', 'IN', 'HR', 'SHAPE_T', NULL, 'TYPE'),
  ('HR', 'HR_RECORDS', 'SAVE_EMPS', NULL, 'P_EMPS', 1, 1, 0, 'PL/SQL TABLE', 'IN', 'HR', 'HR_RECORDS', 'EMP_TAB', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'GET_TEAM', NULL, NULL, 0, 1, 0, 'PL/SQL RECORD', 'OUT', 'HR', 'HR_RECORDS', 'TEAM_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'LIST_EMPS', NULL, 'P_EMP', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'HR_RECORDS', 'EMP_REC', 'PACKAGE'),
  ('HR', 'HR_RECORDS', 'LIST_EMPS', NULL, 'P_CUR', 2, 2, 0, 'REF CURSOR', 'OUT', NULL, NULL, NULL, NULL),
  ('HR', NULL, 'HOME_OF', NULL, NULL, 0, 1, 0, 'OBJECT', 'OUT', 'HR', 'ADDRESS_T', NULL, 'TYPE'),
  ('HR', NULL, 'HOME_OF', NULL, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL);

insert into all_plsql_types (OWNER, TYPE_NAME, PACKAGE_NAME, TYPECODE, ATTRIBUTES, CONTAINS_PLSQL)
values
  ('HR', 'EMP_REC', 'HR_RECORDS', 'PL/SQL RECORD', 4, 'YES'),
  ('HR', 'odd rec', 'HR_RECORDS', 'PL/SQL RECORD', 5, 'NO'),
  ('HR', 'TEAM_REC', 'HR_RECORDS', 'PL/SQL RECORD', 2, 'NO'),
  ('HR', 'EMP_TAB', 'HR_RECORDS', 'COLLECTION', 0, 'YES');
insert into all_plsql_type_attrs
  (OWNER, TYPE_NAME, PACKAGE_NAME, ATTR_NAME, ATTR_TYPE_MOD, ATTR_TYPE_OWNER, ATTR_TYPE_NAME,
   ATTR_TYPE_PACKAGE, LENGTH, PRECISION, SCALE, ATTR_NO)
values
  ('HR', 'EMP_REC', 'HR_RECORDS', 'EMP_ID', NULL, NULL, 'NUMBER', NULL, NULL, 6, 0, 1),
  ('HR', 'EMP_REC', 'HR_RECORDS', 'NAME', NULL, NULL, 'VARCHAR2', NULL, 40, NULL, NULL, 2),
  ('HR', 'EMP_REC', 'HR_RECORDS', 'ACTIVE', NULL, NULL, 'PL/SQL BOOLEAN', NULL, NULL, NULL, NULL, 3),
  ('HR', 'EMP_REC', 'HR_RECORDS', 'HIRED', NULL, NULL, 'DATE', NULL, NULL, NULL, NULL, 4),
  ('HR', 'odd rec', 'HR_RECORDS', 'BEGIN', NULL, NULL, 'NUMBER', NULL, NULL, NULL, NULL, 1),
  ('HR', 'odd rec', 'HR_RECORDS', 'end', NULL, NULL, 'VARCHAR2', NULL, 10, NULL, NULL, 2),
  ('HR', 'odd rec', 'HR_RECORDS', 'IT''S "X"', NULL, NULL, 'VARCHAR2', NULL, 10, NULL, NULL, 3),
  ('HR', 'odd rec', 'HR_RECORDS', 'NAME', NULL, NULL, 'VARCHAR2', NULL, 10, NULL, NULL, 4),
  ('HR', 'odd rec', 'HR_RECORDS', 'Name', NULL, NULL, 'PL/SQL BOOLEAN', NULL, NULL, NULL, NULL, 5),
  ('HR', 'TEAM_REC', 'HR_RECORDS', 'LEAD', NULL, 'HR', 'EMP_REC', 'HR_RECORDS', NULL, NULL, NULL, 1),
  ('HR', 'TEAM_REC', 'HR_RECORDS', 'SIZE', NULL, NULL, 'NUMBER', NULL, NULL, NULL, NULL, 2);
insert into all_plsql_coll_types
  (OWNER, TYPE_NAME, PACKAGE_NAME, COLL_TYPE, UPPER_BOUND, ELEM_TYPE_OWNER, ELEM_TYPE_NAME,
   ELEM_TYPE_PACKAGE, LENGTH, PRECISION, SCALE, INDEX_BY)
values
  ('HR', 'EMP_TAB', 'HR_RECORDS', 'PL/SQL INDEX TABLE', NULL, 'HR', 'EMP_REC', 'HR_RECORDS', NULL, NULL, NULL, 'BINARY_INTEGER');

insert into all_types (OWNER, TYPE_NAME, TYPECODE, ATTRIBUTES, METHODS, PREDEFINED, INCOMPLETE,
                       FINAL, INSTANTIABLE)
values
  ('HR', 'ADDRESS_T', 'OBJECT', 2, 0, 'NO', 'NO', 'YES', 'YES'),
  ('HR', 'SHAPE_T', 'OBJECT', 1, 0, 'NO', 'NO', 'NO', 'YES'),
  ('APP', 'HR_RECORDS', 'OBJECT', 1, 0, 'NO', 'NO', 'YES', 'YES');
insert into all_type_attrs (OWNER, TYPE_NAME, ATTR_NAME, ATTR_TYPE_MOD, ATTR_TYPE_OWNER,
                            ATTR_TYPE_NAME, LENGTH, PRECISION, SCALE, ATTR_NO, INHERITED)
values
  ('HR', 'ADDRESS_T', 'STREET', NULL, NULL, 'VARCHAR2', 60, NULL, NULL, 1, 'NO'),
  ('HR', 'ADDRESS_T', 'CITY', NULL, NULL, 'VARCHAR2', 30, NULL, NULL, 2, 'NO'),
  ('HR', 'SHAPE_T', 'SIDES', NULL, NULL, 'NUMBER', NULL, NULL, NULL, 1, 'NO'),
  ('APP', 'HR_RECORDS', 'LABEL', NULL, NULL, 'VARCHAR2', 20, NULL, NULL, 1, 'NO');

insert into all_tab_columns (OWNER, TABLE_NAME, COLUMN_NAME, DATA_TYPE, DATA_TYPE_MOD,
                             DATA_LENGTH, DATA_PRECISION, DATA_SCALE, NULLABLE, COLUMN_ID,
                             CHAR_LENGTH)
values
  ('HR', 'EMPLOYEES', 'EMPLOYEE_ID', 'NUMBER', NULL, 22, 6, 0, 'N', 1, 0),
  ('HR', 'EMPLOYEES', 'LAST_NAME', 'VARCHAR2', NULL, 25, NULL, NULL, 'N', 2, 25),
  ('HR', 'EMPLOYEES', 'HIRE_DATE', 'DATE', NULL, 7, NULL, NULL, 'N', 3, 0);
