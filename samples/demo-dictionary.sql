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
