-- A package as the dictionary lists it, generated with calls through blocks on:
--
-- hr_flags  a lower-case package name: the call escape quotes it, a block always does
-- IS_ON     a PL/SQL BOOLEAN result: called through a block
-- SET_ON    a BOOLEAN in and out beside two outputs equal but for case: a block
-- TOTALS    two outputs equal but for case, scalars only: a call escape, each output found again
--           by a name of its own
-- FIND      two overloads of one field type, a CLOB and a LONG, that Oracle tells apart only by
--           their argument names: blocks
-- BROKEN    two arguments at one position: left out with a warning
insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values ('HR', 'hr_flags', 'PACKAGE');
insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) values
  ('HR', 'hr_flags', NULL, NULL, 'PACKAGE'),
  ('HR', 'hr_flags', 'BROKEN', NULL, 'PACKAGE'),
  ('HR', 'hr_flags', 'FIND', '1', 'PACKAGE'),
  ('HR', 'hr_flags', 'FIND', '2', 'PACKAGE'),
  ('HR', 'hr_flags', 'IS_ON', NULL, 'PACKAGE'),
  ('HR', 'hr_flags', 'SET_ON', NULL, 'PACKAGE'),
  ('HR', 'hr_flags', 'TOTALS', NULL, 'PACKAGE');
insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, POSITION,
                           SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) values
  ('HR', 'hr_flags', 'BROKEN', NULL, 'P_A', 1, 1, 0, 'NUMBER', 'IN'),
  ('HR', 'hr_flags', 'BROKEN', NULL, 'P_B', 1, 2, 0, 'NUMBER', 'IN'),
  ('HR', 'hr_flags', 'FIND', '1', NULL, 0, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'hr_flags', 'FIND', '1', 'PI_TEXT', 1, 2, 0, 'CLOB', 'IN'),
  ('HR', 'hr_flags', 'FIND', '2', NULL, 0, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'hr_flags', 'FIND', '2', 'PI_NAME', 1, 2, 0, 'LONG', 'IN'),
  ('HR', 'hr_flags', 'IS_ON', NULL, NULL, 0, 1, 0, 'PL/SQL BOOLEAN', 'OUT'),
  ('HR', 'hr_flags', 'IS_ON', NULL, 'P_ID', 1, 2, 0, 'NUMBER', 'IN'),
  ('HR', 'hr_flags', 'SET_ON', NULL, 'P_STATE', 1, 1, 0, 'PL/SQL BOOLEAN', 'IN/OUT'),
  ('HR', 'hr_flags', 'SET_ON', NULL, 'p_note', 2, 2, 0, 'VARCHAR2', 'OUT'),
  ('HR', 'hr_flags', 'SET_ON', NULL, 'P_NOTE', 3, 3, 0, 'VARCHAR2', 'OUT'),
  ('HR', 'hr_flags', 'TOTALS', NULL, 'p_sum', 1, 1, 0, 'NUMBER', 'OUT'),
  ('HR', 'hr_flags', 'TOTALS', NULL, 'P_SUM', 2, 2, 0, 'NUMBER', 'OUT');
