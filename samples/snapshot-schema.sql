-- The tables of a dictionary snapshot: Oracle's views dba_objects, all_arguments and
-- all_procedures under their own names and column names, NULL where Oracle has NULL.
-- Names and types are text (OVERLOAD too, so that overload=2 matches '2' as in Oracle);
-- POSITION, SEQUENCE and DATA_LEVEL are integers.

create table dba_objects (
  OWNER text not null,
  OBJECT_NAME text not null,
  SUBOBJECT_NAME text,
  OBJECT_ID integer,
  OBJECT_TYPE text,
  STATUS text default 'VALID'
);

create table all_arguments (
  OWNER text not null,
  OBJECT_NAME text,
  PACKAGE_NAME text,
  OBJECT_ID integer,
  OVERLOAD text,
  SUBPROGRAM_ID integer,
  ARGUMENT_NAME text,
  POSITION integer,
  SEQUENCE integer,
  DATA_LEVEL integer,
  DATA_TYPE text,
  IN_OUT text,
  DATA_LENGTH integer,
  TYPE_NAME text,
  TYPE_SUBNAME text
);

create table all_procedures (
  OWNER text not null,
  OBJECT_NAME text,
  PROCEDURE_NAME text,
  OBJECT_ID integer,
  SUBPROGRAM_ID integer,
  OVERLOAD text,
  OBJECT_TYPE text
);

-- The package list asks by owner and type, sorted by name.
create index dba_objects_by_owner on dba_objects (OWNER, OBJECT_TYPE, OBJECT_NAME);

-- One routine's arguments are one range of this index, already in position order; the
-- routine list of a package is a range of its first two columns.
create index all_arguments_by_routine
  on all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, POSITION);

-- The subprograms of one package, and the owner's routines outside packages (their rows have
-- no PROCEDURE_NAME). Both cover their statements, so the planner picks them without
-- statistics.
create index all_procedures_by_object
  on all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD);
create index all_procedures_by_kind
  on all_procedures (OWNER, PROCEDURE_NAME, OBJECT_NAME, OBJECT_TYPE, OVERLOAD);
