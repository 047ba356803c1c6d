-- The demo dictionary: the schema HR as Oracle's views show it, beside a few objects of
-- SCOTT that must never show when HR is read. Load it after snapshot-schema.sql.
--
-- HR_API    the routines a typical package unit is made of (two overloads of FIND)
-- HR_BATCH  procedures without arguments, old style (one empty all_arguments row) and
--           new style (no all_arguments row at all, as Oracle writes it since 12.1.0.2),
--           and a function returning a cursor
-- HR_AUDIT  one routine that reads, one with an object argument and one with a record (ADO
--           binds neither; both routines are left out with a warning)
-- HR_EMPTY  a package without subprograms
-- HR_TYPES  one routine per type family of samples/type-additions.ini, left out without it
--
-- The owner SHAPES has SHAPES_API, one routine per kind of composite argument: a record with a
-- BOOLEAN field, an index-by table of records, HR's EMPLOYEES%ROWTYPE and an object, a nested
-- table and a varray, an XMLTYPE result. ADO binds none of them, so logged on as SHAPES all
-- five are left out with a warning, and none of them when calls go through PL/SQL blocks
-- (with the sample type additions). The rows are Oracle 19c's: one all_arguments row per
-- argument, the structure in the type views (demo-dictionary-11g.sql turns them into 11g's
-- nested rows).
-- EMP_COUNT, LOG_MSG, REFRESH_STATS  routines outside packages (REFRESH_STATS new style)

insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_ID, OBJECT_TYPE) values
  ('HR', 'HR_API', 1001, 'PACKAGE'),
  ('HR', 'HR_API', 1002, 'PACKAGE BODY'),
  ('HR', 'HR_BATCH', 1003, 'PACKAGE'),
  ('HR', 'HR_BATCH', 1004, 'PACKAGE BODY'),
  ('HR', 'HR_AUDIT', 1005, 'PACKAGE'),
  ('HR', 'HR_AUDIT', 1006, 'PACKAGE BODY'),
  ('HR', 'HR_EMPTY', 1007, 'PACKAGE'),
  ('HR', 'HR_TYPES', 1008, 'PACKAGE'),
  ('HR', 'HR_TYPES', 1009, 'PACKAGE BODY'),
  ('SHAPES', 'SHAPES_API', 1013, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 1014, 'PACKAGE BODY'),
  ('SHAPES', 'ADDRESS_T', 1015, 'TYPE'),
  ('SHAPES', 'PHONE_LIST', 1016, 'TYPE'),
  ('HR', 'EMP_COUNT', 1010, 'FUNCTION'),
  ('HR', 'LOG_MSG', 1011, 'PROCEDURE'),
  ('HR', 'REFRESH_STATS', 1012, 'PROCEDURE'),
  ('HR', 'EMPLOYEES', 1020, 'TABLE'),
  ('HR', 'EMP_AUDIT_TRG', 1021, 'TRIGGER'),
  ('SCOTT', 'HR_API', 2001, 'PACKAGE'),
  ('SCOTT', 'SCOTT_PKG', 2002, 'PACKAGE'),
  ('SCOTT', 'BONUS_RUN', 2003, 'PROCEDURE'),
  ('SCOTT', 'SCOTT_FN', 2004, 'FUNCTION');

insert into all_procedures
  (OWNER, OBJECT_NAME, PROCEDURE_NAME, OBJECT_ID, SUBPROGRAM_ID, OVERLOAD, OBJECT_TYPE) values
  ('HR', 'HR_API', NULL, 1001, 0, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'UPDATE_SALARY', 1001, 1, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'GET_NAME', 1001, 2, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'LIST_EMPS', 1001, 3, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'OPEN_EMPS', 1001, 4, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'SAVE_DOC', 1001, 5, NULL, 'PACKAGE'),
  ('HR', 'HR_API', 'FIND', 1001, 6, '1', 'PACKAGE'),
  ('HR', 'HR_API', 'FIND', 1001, 7, '2', 'PACKAGE'),
  ('HR', 'HR_BATCH', NULL, 1003, 0, NULL, 'PACKAGE'),
  ('HR', 'HR_BATCH', 'NIGHTLY_RUN', 1003, 1, NULL, 'PACKAGE'),
  ('HR', 'HR_BATCH', 'PURGE_LOGS', 1003, 2, NULL, 'PACKAGE'),
  ('HR', 'HR_BATCH', 'PENDING_JOBS', 1003, 3, NULL, 'PACKAGE'),
  ('HR', 'HR_AUDIT', NULL, 1005, 0, NULL, 'PACKAGE'),
  ('HR', 'HR_AUDIT', 'LOG_EVENT', 1005, 1, NULL, 'PACKAGE'),
  ('HR', 'HR_AUDIT', 'SAVE_EMP', 1005, 2, NULL, 'PACKAGE'),
  ('HR', 'HR_AUDIT', 'COUNT_EVENTS', 1005, 3, NULL, 'PACKAGE'),
  ('HR', 'HR_EMPTY', NULL, 1007, 0, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', NULL, 1008, 0, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'COUNT_LEAVE', 1008, 1, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'LAST_LOGIN', 1008, 2, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'SCALE_RATE', 1008, 3, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'SET_LOCAL_NAME', 1008, 4, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'GET_CV', 1008, 5, NULL, 'PACKAGE'),
  ('HR', 'HR_TYPES', 'LOCATE_EMP', 1008, 6, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', NULL, 1013, 0, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'GET_EMP', 1013, 1, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'SAVE_EMPS', 1013, 2, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'HIRE', 1013, 3, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'SET_NAMES', 1013, 4, NULL, 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'GET_PROFILE', 1013, 5, NULL, 'PACKAGE'),
  ('HR', 'EMP_COUNT', NULL, 1010, 1, NULL, 'FUNCTION'),
  ('HR', 'LOG_MSG', NULL, 1011, 1, NULL, 'PROCEDURE'),
  ('HR', 'REFRESH_STATS', NULL, 1012, 1, NULL, 'PROCEDURE'),
  ('HR', 'EMP_AUDIT_TRG', NULL, 1021, 1, NULL, 'TRIGGER'),
  ('SCOTT', 'HR_API', NULL, 2001, 0, NULL, 'PACKAGE'),
  ('SCOTT', 'HR_API', 'SECRET_PROC', 2001, 1, NULL, 'PACKAGE'),
  ('SCOTT', 'HR_API', 'CLEANUP', 2001, 2, NULL, 'PACKAGE'),
  ('SCOTT', 'SCOTT_PKG', NULL, 2002, 0, NULL, 'PACKAGE'),
  ('SCOTT', 'SCOTT_PKG', 'RAISE_BONUS', 2002, 1, NULL, 'PACKAGE'),
  ('SCOTT', 'BONUS_RUN', NULL, 2003, 1, NULL, 'PROCEDURE'),
  ('SCOTT', 'SCOTT_FN', NULL, 2004, 1, NULL, 'FUNCTION');

-- A function result is the row at POSITION 0 without an argument name.
insert into all_arguments
  (OWNER, PACKAGE_NAME, OBJECT_NAME, OBJECT_ID, OVERLOAD, SUBPROGRAM_ID,
   ARGUMENT_NAME, POSITION, SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT, TYPE_NAME, TYPE_SUBNAME)
values
  ('HR', 'HR_API', 'UPDATE_SALARY', 1001, NULL, 1, 'P_EMP_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'UPDATE_SALARY', 1001, NULL, 1, 'P_NEW_SAL', 2, 2, 0, 'NUMBER', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'UPDATE_SALARY', 1001, NULL, 1, 'P_NOTE', 3, 3, 0, 'VARCHAR2', 'IN/OUT', NULL, NULL),

  ('HR', 'HR_API', 'GET_NAME', 1001, NULL, 2, NULL, 0, 1, 0, 'VARCHAR2', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'GET_NAME', 1001, NULL, 2, 'P_EMP_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),

  ('HR', 'HR_API', 'LIST_EMPS', 1001, NULL, 3, 'P_DEPT', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'LIST_EMPS', 1001, NULL, 3, 'P_CUR', 2, 2, 0, 'REF CURSOR', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'LIST_EMPS', 1001, NULL, 3, 'P_CUR2', 3, 3, 0, 'REF CURSOR', 'OUT', NULL, NULL),

  ('HR', 'HR_API', 'OPEN_EMPS', 1001, NULL, 4, NULL, 0, 1, 0, 'REF CURSOR', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'OPEN_EMPS', 1001, NULL, 4, 'P_DEPT', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'OPEN_EMPS', 1001, NULL, 4, 'P_MORE', 2, 3, 0, 'REF CURSOR', 'OUT', NULL, NULL),

  ('HR', 'HR_API', 'SAVE_DOC', 1001, NULL, 5, 'P_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'SAVE_DOC', 1001, NULL, 5, 'P_DATA', 2, 2, 0, 'BLOB', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'SAVE_DOC', 1001, NULL, 5, 'P_TEXT', 3, 3, 0, 'CLOB', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'SAVE_DOC', 1001, NULL, 5, 'P_COPY', 4, 4, 0, 'BLOB', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'SAVE_DOC', 1001, NULL, 5, 'P_STAMP', 5, 5, 0, 'DATE', 'OUT', NULL, NULL),

  ('HR', 'HR_API', 'FIND', 1001, '1', 6, NULL, 0, 1, 0, 'PL/SQL BOOLEAN', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'FIND', 1001, '1', 6, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_API', 'FIND', 1001, '2', 7, NULL, 0, 1, 0, 'PL/SQL BOOLEAN', 'OUT', NULL, NULL),
  ('HR', 'HR_API', 'FIND', 1001, '2', 7, 'P_NAME', 1, 2, 0, 'VARCHAR2', 'IN', NULL, NULL),

  -- Before 12.1.0.2 a procedure without arguments had one row without name and type;
  -- PURGE_LOGS has none, as Oracle lists it today.
  ('HR', 'HR_BATCH', 'NIGHTLY_RUN', 1003, NULL, 1, NULL, 1, 0, 0, NULL, 'IN', NULL, NULL),
  ('HR', 'HR_BATCH', 'PENDING_JOBS', 1003, NULL, 3, NULL, 0, 1, 0, 'REF CURSOR', 'OUT', NULL, NULL),

  ('HR', 'HR_AUDIT', 'LOG_EVENT', 1005, NULL, 1, 'P_EVENT', 1, 1, 0, 'OBJECT', 'IN', 'AUDIT_EVENT_T', NULL),
  ('HR', 'HR_AUDIT', 'LOG_EVENT', 1005, NULL, 1, 'P_TEXT', 2, 2, 0, 'VARCHAR2', 'IN', NULL, NULL),
  -- A record argument: its fields follow at DATA_LEVEL 1, numbered from 1 within the record.
  ('HR', 'HR_AUDIT', 'SAVE_EMP', 1005, NULL, 2, 'P_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_AUDIT', 'SAVE_EMP', 1005, NULL, 2, 'P_EMP', 2, 2, 0, 'PL/SQL RECORD', 'IN', 'HR_AUDIT', 'EMP_REC'),
  ('HR', 'HR_AUDIT', 'SAVE_EMP', 1005, NULL, 2, 'EMP_ID', 1, 3, 1, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_AUDIT', 'SAVE_EMP', 1005, NULL, 2, 'EMP_NAME', 2, 4, 1, 'VARCHAR2', 'IN', NULL, NULL),
  ('HR', 'HR_AUDIT', 'COUNT_EVENTS', 1005, NULL, 3, NULL, 0, 1, 0, 'NUMBER', 'OUT', NULL, NULL),
  ('HR', 'HR_AUDIT', 'COUNT_EVENTS', 1005, NULL, 3, 'P_SINCE', 1, 2, 0, 'DATE', 'IN', NULL, NULL),

  ('HR', 'HR_TYPES', 'COUNT_LEAVE', 1008, NULL, 1, NULL, 0, 1, 0, 'PLS_INTEGER', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'COUNT_LEAVE', 1008, NULL, 1, 'P_EMP_ID', 1, 2, 0, 'BINARY_INTEGER', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'COUNT_LEAVE', 1008, NULL, 1, 'P_YEAR', 2, 3, 0, 'PLS_INTEGER', 'IN/OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'LAST_LOGIN', 1008, NULL, 2, 'P_EMP_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'LAST_LOGIN', 1008, NULL, 2, 'P_AT', 2, 2, 0, 'TIMESTAMP', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'LAST_LOGIN', 1008, NULL, 2, 'P_AT_ZONE', 3, 3, 0, 'TIMESTAMP WITH TIME ZONE', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'LAST_LOGIN', 1008, NULL, 2, 'P_SEEN', 4, 4, 0, 'TIMESTAMP WITH LOCAL TIME ZONE', 'IN/OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'SCALE_RATE', 1008, NULL, 3, NULL, 0, 1, 0, 'BINARY_DOUBLE', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'SCALE_RATE', 1008, NULL, 3, 'P_RATE', 1, 2, 0, 'BINARY_DOUBLE', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'SCALE_RATE', 1008, NULL, 3, 'P_FACTOR', 2, 3, 0, 'BINARY_FLOAT', 'IN/OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'SET_LOCAL_NAME', 1008, NULL, 4, 'P_EMP_ID', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'SET_LOCAL_NAME', 1008, NULL, 4, 'P_NAME', 2, 2, 0, 'NVARCHAR2', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'SET_LOCAL_NAME', 1008, NULL, 4, 'P_INITIAL', 3, 3, 0, 'NCHAR', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'GET_CV', 1008, NULL, 5, NULL, 0, 1, 0, 'NCLOB', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'GET_CV', 1008, NULL, 5, 'P_EMP_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'LOCATE_EMP', 1008, NULL, 6, NULL, 0, 1, 0, 'ROWID', 'OUT', NULL, NULL),
  ('HR', 'HR_TYPES', 'LOCATE_EMP', 1008, NULL, 6, 'P_EMP_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', 'HR_TYPES', 'LOCATE_EMP', 1008, NULL, 6, 'P_LOGICAL', 2, 3, 0, 'UROWID', 'OUT', NULL, NULL),

  ('HR', NULL, 'EMP_COUNT', 1010, NULL, 1, NULL, 0, 1, 0, 'NUMBER', 'OUT', NULL, NULL),
  ('HR', NULL, 'EMP_COUNT', 1010, NULL, 1, 'P_DEPT', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL),
  ('HR', NULL, 'LOG_MSG', 1011, NULL, 1, 'P_TEXT', 1, 1, 0, 'VARCHAR2', 'IN', NULL, NULL),

  ('SCOTT', 'HR_API', 'SECRET_PROC', 2001, NULL, 1, 'P_X', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('SCOTT', 'HR_API', 'CLEANUP', 2001, NULL, 2, NULL, 1, 0, 0, NULL, 'IN', NULL, NULL),
  ('SCOTT', 'SCOTT_PKG', 'RAISE_BONUS', 2002, NULL, 1, 'P_PCT', 1, 1, 0, 'NUMBER', 'IN', NULL, NULL),
  ('SCOTT', NULL, 'SCOTT_FN', 2004, NULL, 1, NULL, 0, 1, 0, 'VARCHAR2', 'OUT', NULL, NULL),
  ('SCOTT', NULL, 'SCOTT_FN', 2004, NULL, 1, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL);

-- SHAPES_API as Oracle 19c lists it: ALL_ARGUMENTS names each composite argument's type
-- (TYPE_OBJECT_TYPE 'PACKAGE' for the package's own, 'TYPE' for a SQL type, 'TABLE' for a
-- %ROWTYPE), and the type views describe them.
insert into all_arguments
  (OWNER, PACKAGE_NAME, OBJECT_NAME, OBJECT_ID, OVERLOAD, SUBPROGRAM_ID, ARGUMENT_NAME, POSITION,
   SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT, TYPE_OWNER, TYPE_NAME, TYPE_SUBNAME, TYPE_OBJECT_TYPE)
values
  ('SHAPES', 'SHAPES_API', 'GET_EMP', 1013, NULL, 1, NULL, 0, 1, 0, 'PL/SQL RECORD', 'OUT', 'SHAPES', 'SHAPES_API', 'EMP_REC', 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'GET_EMP', 1013, NULL, 1, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('SHAPES', 'SHAPES_API', 'SAVE_EMPS', 1013, NULL, 2, 'P_EMPS', 1, 1, 0, 'PL/SQL TABLE', 'IN', 'SHAPES', 'SHAPES_API', 'EMP_TAB', 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'HIRE', 1013, NULL, 3, 'P_ROW', 1, 1, 0, 'PL/SQL RECORD', 'IN', 'HR', 'EMPLOYEES', NULL, 'TABLE'),
  ('SHAPES', 'SHAPES_API', 'HIRE', 1013, NULL, 3, 'P_ADDRESS', 2, 2, 0, 'OBJECT', 'IN', 'SHAPES', 'ADDRESS_T', NULL, 'TYPE'),
  ('SHAPES', 'SHAPES_API', 'SET_NAMES', 1013, NULL, 4, 'P_NAMES', 1, 1, 0, 'TABLE', 'IN', 'SHAPES', 'SHAPES_API', 'NAME_LIST', 'PACKAGE'),
  ('SHAPES', 'SHAPES_API', 'SET_NAMES', 1013, NULL, 4, 'P_PHONES', 2, 2, 0, 'VARRAY', 'OUT', 'SHAPES', 'PHONE_LIST', NULL, 'TYPE'),
  ('SHAPES', 'SHAPES_API', 'GET_PROFILE', 1013, NULL, 5, NULL, 0, 1, 0, 'OPAQUE/XMLTYPE', 'OUT', 'SYS', 'XMLTYPE', NULL, 'TYPE'),
  ('SHAPES', 'SHAPES_API', 'GET_PROFILE', 1013, NULL, 5, 'P_ID', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL);

-- 19c spells a PLS_INTEGER attribute "PL/SQL PLS INTEGER", and names the record in
-- ELEM_TYPE_PACKAGE of a collection of a record of the same package.
insert into all_plsql_types (OWNER, TYPE_NAME, PACKAGE_NAME, TYPECODE, ATTRIBUTES, CONTAINS_PLSQL)
values
  ('SHAPES', 'EMP_REC', 'SHAPES_API', 'PL/SQL RECORD', 4, 'YES'),
  ('SHAPES', 'EMP_TAB', 'SHAPES_API', 'COLLECTION', 0, 'YES'),
  ('SHAPES', 'NAME_LIST', 'SHAPES_API', 'COLLECTION', 0, 'NO');

insert into all_plsql_type_attrs
  (OWNER, TYPE_NAME, PACKAGE_NAME, ATTR_NAME, ATTR_TYPE_OWNER, ATTR_TYPE_NAME, ATTR_TYPE_PACKAGE,
   LENGTH, PRECISION, SCALE, ATTR_NO)
values
  ('SHAPES', 'EMP_REC', 'SHAPES_API', 'EMP_ID', NULL, 'NUMBER', NULL, NULL, 6, 0, 1),
  ('SHAPES', 'EMP_REC', 'SHAPES_API', 'FULL_NAME', NULL, 'VARCHAR2', NULL, 40, NULL, NULL, 2),
  ('SHAPES', 'EMP_REC', 'SHAPES_API', 'ACTIVE', NULL, 'PL/SQL BOOLEAN', NULL, NULL, NULL, NULL, 3),
  ('SHAPES', 'EMP_REC', 'SHAPES_API', 'GRADE', NULL, 'PL/SQL PLS INTEGER', NULL, NULL, NULL, NULL, 4);

insert into all_plsql_coll_types
  (OWNER, TYPE_NAME, PACKAGE_NAME, COLL_TYPE, UPPER_BOUND, ELEM_TYPE_OWNER, ELEM_TYPE_NAME,
   ELEM_TYPE_PACKAGE, LENGTH, PRECISION, SCALE, INDEX_BY)
values
  ('SHAPES', 'EMP_TAB', 'SHAPES_API', 'PL/SQL INDEX TABLE', NULL, 'SHAPES', 'EMP_REC', 'EMP_REC', NULL, NULL, NULL, 'BINARY_INTEGER'),
  ('SHAPES', 'NAME_LIST', 'SHAPES_API', 'TABLE', NULL, NULL, 'VARCHAR2', NULL, 30, NULL, NULL, NULL);

insert into all_types (OWNER, TYPE_NAME, TYPECODE, ATTRIBUTES, METHODS, PREDEFINED, INCOMPLETE, FINAL, INSTANTIABLE)
values
  ('SHAPES', 'ADDRESS_T', 'OBJECT', 2, 0, 'NO', 'NO', 'YES', 'YES'),
  ('SHAPES', 'PHONE_LIST', 'COLLECTION', 0, 0, 'NO', 'NO', 'YES', 'YES');

insert into all_type_attrs
  (OWNER, TYPE_NAME, ATTR_NAME, ATTR_TYPE_OWNER, ATTR_TYPE_NAME, LENGTH, PRECISION, SCALE, ATTR_NO, INHERITED)
values
  ('SHAPES', 'ADDRESS_T', 'STREET', NULL, 'VARCHAR2', 60, NULL, NULL, 1, 'NO'),
  ('SHAPES', 'ADDRESS_T', 'CITY', NULL, 'VARCHAR2', 30, NULL, NULL, 2, 'NO');

insert into all_coll_types
  (OWNER, TYPE_NAME, COLL_TYPE, UPPER_BOUND, ELEM_TYPE_OWNER, ELEM_TYPE_NAME, LENGTH, PRECISION, SCALE)
values
  ('SHAPES', 'PHONE_LIST', 'VARYING ARRAY', 5, NULL, 'VARCHAR2', 20, NULL, NULL);

insert into all_tab_columns
  (OWNER, TABLE_NAME, COLUMN_NAME, DATA_TYPE, DATA_TYPE_OWNER, DATA_LENGTH, DATA_PRECISION,
   DATA_SCALE, NULLABLE, COLUMN_ID, CHAR_LENGTH)
values
  ('HR', 'EMPLOYEES', 'EMPLOYEE_ID', 'NUMBER', NULL, 22, 6, 0, 'N', 1, 0),
  ('HR', 'EMPLOYEES', 'LAST_NAME', 'VARCHAR2', NULL, 25, NULL, NULL, 'N', 2, 25),
  ('HR', 'EMPLOYEES', 'HIRE_DATE', 'DATE', NULL, 7, NULL, NULL, 'N', 3, 0);
