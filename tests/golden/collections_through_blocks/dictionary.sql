-- Collections through PL/SQL blocks, as Oracle 19c's views show them for HR: ALL_ARGUMENTS names
-- each collection argument's type, the type views describe it. Index-by tables keyed by number
-- and by text, nested tables and varrays of texts, numbers, integers, dates and BOOLEANs, each
-- in, out, in out and as a result.
--
-- PUT_IDS     an index-by table of numbers in, beside a BOOLEAN
-- SWAP_IDS    the same type in out, out and as the result
-- RESCORE     a text-keyed table in out
-- SCORES      a text-keyed table in, out and as the result
-- NAMES       a nested table of texts (a SQL type) as the result
-- ECHO_NAMES  that nested table in, out and in out
-- DAYS        a varray of dates (bound 3) in, out, in out and as the result
-- FLAGS       an index-by table of BOOLEANs in out, a nested table of integers in and as the
--             result, beside an argument named like the method's element index
-- STAFF       a varray of dates in, an index-by table of records with a BOOLEAN field out
-- RELOCATE    a nested table of objects in
-- REHIRE      the table of records in out, the table of objects as the result
-- ROSTER      a text-keyed table of records in out
-- ALL_NAMES   a routine outside packages returning the nested table of texts
-- Left out with a warning: a table of CLOBs (KEEP_DOCS), a table of tables (KEEP_GRID).

insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values
  ('HR', 'HR_BLOCKS', 'PACKAGE'),
  ('HR', 'ALL_NAMES', 'FUNCTION'),
  ('HR', 'NAME_TAB', 'TYPE'),
  ('HR', 'DATE_VARR', 'TYPE'),
  ('HR', 'ADDRESS_T', 'TYPE'),
  ('HR', 'ADDRESS_TAB', 'TYPE');

insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) values
  ('HR', 'HR_BLOCKS', NULL, NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'PUT_IDS', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SWAP_IDS', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'RESCORE', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SCORES', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'NAMES', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'ECHO_NAMES', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'DAYS', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'FLAGS', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'STAFF', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'RELOCATE', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'REHIRE', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'ROSTER', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'KEEP_DOCS', NULL, 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'KEEP_GRID', NULL, 'PACKAGE'),
  ('HR', 'ALL_NAMES', NULL, NULL, 'FUNCTION');

insert into all_arguments
  (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION, SEQUENCE, DATA_LEVEL,
   DATA_TYPE, IN_OUT, TYPE_OWNER, TYPE_NAME, TYPE_SUBNAME, TYPE_OBJECT_TYPE)
values
  ('HR', 'HR_BLOCKS', 'PUT_IDS', NULL, 'P_IDS', 1, 1, 0, 'PL/SQL TABLE', 'IN', 'HR', 'HR_BLOCKS', 'ID_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'PUT_IDS', NULL, 'P_FLAG', 2, 2, 0, 'PL/SQL BOOLEAN', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_BLOCKS', 'SWAP_IDS', NULL, NULL, 0, 1, 0, 'PL/SQL TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'ID_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SWAP_IDS', NULL, 'P_IDS', 1, 2, 0, 'PL/SQL TABLE', 'IN/OUT', 'HR', 'HR_BLOCKS', 'ID_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SWAP_IDS', NULL, 'P_OLD', 2, 3, 0, 'PL/SQL TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'ID_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'RESCORE', NULL, 'P_SCORES', 1, 1, 0, 'PL/SQL TABLE', 'IN/OUT', 'HR', 'HR_BLOCKS', 'SCORE_MAP', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'ROSTER', NULL, 'P_STAFF', 1, 1, 0, 'PL/SQL TABLE', 'IN/OUT', 'HR', 'HR_BLOCKS', 'EMP_MAP', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SCORES', NULL, NULL, 0, 1, 0, 'PL/SQL TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'SCORE_MAP', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SCORES', NULL, 'P_SEED', 1, 2, 0, 'PL/SQL TABLE', 'IN', 'HR', 'HR_BLOCKS', 'SCORE_MAP', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'SCORES', NULL, 'P_COPY', 2, 3, 0, 'PL/SQL TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'SCORE_MAP', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'NAMES', NULL, NULL, 0, 1, 0, 'TABLE', 'OUT', 'HR', 'NAME_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'NAMES', NULL, 'P_FROM', 1, 2, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_BLOCKS', 'ECHO_NAMES', NULL, 'P_NAMES', 1, 1, 0, 'TABLE', 'IN', 'HR', 'NAME_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'ECHO_NAMES', NULL, 'P_BACK', 2, 2, 0, 'TABLE', 'OUT', 'HR', 'NAME_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'ECHO_NAMES', NULL, 'P_BOTH', 3, 3, 0, 'TABLE', 'IN/OUT', 'HR', 'NAME_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'DAYS', NULL, NULL, 0, 1, 0, 'VARRAY', 'OUT', 'HR', 'DATE_VARR', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'DAYS', NULL, 'P_DAYS', 1, 2, 0, 'VARRAY', 'IN', 'HR', 'DATE_VARR', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'DAYS', NULL, 'P_LATER', 2, 3, 0, 'VARRAY', 'OUT', 'HR', 'DATE_VARR', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'DAYS', NULL, 'P_BOTH', 3, 4, 0, 'VARRAY', 'IN/OUT', 'HR', 'DATE_VARR', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'FLAGS', NULL, NULL, 0, 1, 0, 'TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'COUNT_TAB', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'FLAGS', NULL, 'P_FLAGS', 1, 2, 0, 'PL/SQL TABLE', 'IN/OUT', 'HR', 'HR_BLOCKS', 'FLAG_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'FLAGS', NULL, 'P_COUNTS', 2, 3, 0, 'TABLE', 'IN', 'HR', 'HR_BLOCKS', 'COUNT_TAB', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'FLAGS', NULL, 'N_MY_INDEX', 3, 4, 0, 'NUMBER', 'IN', NULL, NULL, NULL, NULL),
  ('HR', 'HR_BLOCKS', 'STAFF', NULL, 'P_DAYS', 1, 1, 0, 'VARRAY', 'IN', 'HR', 'DATE_VARR', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'STAFF', NULL, 'P_EMPS', 2, 2, 0, 'PL/SQL TABLE', 'OUT', 'HR', 'HR_BLOCKS', 'EMP_TAB', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'RELOCATE', NULL, 'P_ADDRS', 1, 1, 0, 'TABLE', 'IN', 'HR', 'ADDRESS_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'REHIRE', NULL, NULL, 0, 1, 0, 'TABLE', 'OUT', 'HR', 'ADDRESS_TAB', NULL, 'TYPE'),
  ('HR', 'HR_BLOCKS', 'REHIRE', NULL, 'P_EMPS', 1, 2, 0, 'PL/SQL TABLE', 'IN/OUT', 'HR', 'HR_BLOCKS', 'EMP_TAB', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'KEEP_DOCS', NULL, 'P_DOCS', 1, 1, 0, 'PL/SQL TABLE', 'IN', 'HR', 'HR_BLOCKS', 'DOC_LIST', 'PACKAGE'),
  ('HR', 'HR_BLOCKS', 'KEEP_GRID', NULL, 'P_GRID', 1, 1, 0, 'PL/SQL TABLE', 'IN', 'HR', 'HR_BLOCKS', 'GRID', 'PACKAGE'),
  ('HR', NULL, 'ALL_NAMES', NULL, NULL, 0, 1, 0, 'TABLE', 'OUT', 'HR', 'NAME_TAB', NULL, 'TYPE');

insert into all_plsql_types (OWNER, TYPE_NAME, PACKAGE_NAME, TYPECODE, ATTRIBUTES, CONTAINS_PLSQL)
values
  ('HR', 'ID_LIST', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'SCORE_MAP', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'FLAG_LIST', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'COUNT_TAB', 'HR_BLOCKS', 'COLLECTION', 0, 'NO'),
  ('HR', 'EMP_REC', 'HR_BLOCKS', 'PL/SQL RECORD', 3, 'YES'),
  ('HR', 'EMP_TAB', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'EMP_MAP', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'DOC_LIST', 'HR_BLOCKS', 'COLLECTION', 0, 'YES'),
  ('HR', 'GRID', 'HR_BLOCKS', 'COLLECTION', 0, 'YES');

insert into all_plsql_type_attrs
  (OWNER, TYPE_NAME, PACKAGE_NAME, ATTR_NAME, ATTR_TYPE_MOD, ATTR_TYPE_OWNER, ATTR_TYPE_NAME,
   ATTR_TYPE_PACKAGE, LENGTH, PRECISION, SCALE, ATTR_NO)
values
  ('HR', 'EMP_REC', 'HR_BLOCKS', 'EMP_ID', NULL, NULL, 'NUMBER', NULL, NULL, 6, 0, 1),
  ('HR', 'EMP_REC', 'HR_BLOCKS', 'NAME', NULL, NULL, 'VARCHAR2', NULL, 40, NULL, NULL, 2),
  ('HR', 'EMP_REC', 'HR_BLOCKS', 'ACTIVE', NULL, NULL, 'PL/SQL BOOLEAN', NULL, NULL, NULL, NULL, 3);

insert into all_plsql_coll_types
  (OWNER, TYPE_NAME, PACKAGE_NAME, COLL_TYPE, UPPER_BOUND, ELEM_TYPE_OWNER, ELEM_TYPE_NAME,
   ELEM_TYPE_PACKAGE, LENGTH, PRECISION, SCALE, INDEX_BY)
values
  ('HR', 'ID_LIST', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', NULL, NULL, 'NUMBER', NULL, NULL, NULL, NULL, 'BINARY_INTEGER'),
  ('HR', 'SCORE_MAP', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', 30, NULL, 'NUMBER', NULL, NULL, NULL, NULL, 'VARCHAR2'),
  ('HR', 'FLAG_LIST', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', NULL, NULL, 'PL/SQL BOOLEAN', NULL, NULL, NULL, NULL, 'BINARY_INTEGER'),
  ('HR', 'COUNT_TAB', 'HR_BLOCKS', 'TABLE', NULL, NULL, 'INTEGER', NULL, NULL, NULL, NULL, NULL),
  ('HR', 'EMP_TAB', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', NULL, 'HR', 'EMP_REC', 'HR_BLOCKS', NULL, NULL, NULL, 'BINARY_INTEGER'),
  ('HR', 'EMP_MAP', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', 20, 'HR', 'EMP_REC', 'HR_BLOCKS', NULL, NULL, NULL, 'VARCHAR2'),
  ('HR', 'DOC_LIST', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', NULL, NULL, 'CLOB', NULL, NULL, NULL, NULL, 'BINARY_INTEGER'),
  ('HR', 'GRID', 'HR_BLOCKS', 'PL/SQL INDEX TABLE', NULL, 'HR', 'NAME_TAB', NULL, NULL, NULL, NULL, 'BINARY_INTEGER');

insert into all_types (OWNER, TYPE_NAME, TYPECODE, ATTRIBUTES, METHODS, PREDEFINED, INCOMPLETE, FINAL, INSTANTIABLE)
values
  ('HR', 'NAME_TAB', 'COLLECTION', 0, 0, 'NO', 'NO', 'YES', 'YES'),
  ('HR', 'DATE_VARR', 'COLLECTION', 0, 0, 'NO', 'NO', 'YES', 'YES'),
  ('HR', 'ADDRESS_T', 'OBJECT', 2, 0, 'NO', 'NO', 'YES', 'YES'),
  ('HR', 'ADDRESS_TAB', 'COLLECTION', 0, 0, 'NO', 'NO', 'YES', 'YES');

insert into all_type_attrs (OWNER, TYPE_NAME, ATTR_NAME, ATTR_TYPE_MOD, ATTR_TYPE_OWNER,
                            ATTR_TYPE_NAME, LENGTH, PRECISION, SCALE, ATTR_NO, INHERITED)
values
  ('HR', 'ADDRESS_T', 'STREET', NULL, NULL, 'VARCHAR2', 60, NULL, NULL, 1, 'NO'),
  ('HR', 'ADDRESS_T', 'CITY', NULL, NULL, 'VARCHAR2', 30, NULL, NULL, 2, 'NO');

insert into all_coll_types
  (OWNER, TYPE_NAME, COLL_TYPE, UPPER_BOUND, ELEM_TYPE_OWNER, ELEM_TYPE_NAME, LENGTH, PRECISION, SCALE)
values
  ('HR', 'NAME_TAB', 'TABLE', NULL, NULL, 'VARCHAR2', 100, NULL, NULL),
  ('HR', 'DATE_VARR', 'VARYING ARRAY', 3, NULL, 'DATE', NULL, NULL, NULL),
  ('HR', 'ADDRESS_TAB', 'TABLE', NULL, 'HR', 'ADDRESS_T', NULL, NULL, NULL);
