-- The tables of a dictionary snapshot: Oracle's views dba_objects, all_arguments and
-- all_procedures under their own names and column names, NULL where Oracle has NULL.
-- Names and types are text (OVERLOAD too, so that overload=2 matches '2' as in Oracle);
-- POSITION, SEQUENCE and DATA_LEVEL are integers.
--
-- all_arguments' TYPE_*, DATA_PRECISION, DATA_SCALE and CHAR_LENGTH columns and the seven type
-- views at the end describe records, collections and objects; a snapshot may lack them all.

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
  DATA_PRECISION integer,
  DATA_SCALE integer,
  CHAR_LENGTH integer,
  TYPE_OWNER text,
  TYPE_NAME text,
  TYPE_SUBNAME text,
  TYPE_OBJECT_TYPE text
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

-- A package's own types (12.1 and later): records and collections.
create table all_plsql_types (
  OWNER text not null,
  TYPE_NAME text,
  PACKAGE_NAME text not null,
  TYPE_OID blob,
  TYPECODE text,
  ATTRIBUTES integer,
  CONTAINS_PLSQL text
);

create table all_plsql_type_attrs (
  OWNER text,
  TYPE_NAME text,
  PACKAGE_NAME text,
  ATTR_NAME text,
  ATTR_TYPE_MOD text,
  ATTR_TYPE_OWNER text,
  ATTR_TYPE_NAME text,
  ATTR_TYPE_PACKAGE text,
  LENGTH integer,
  PRECISION integer,
  SCALE integer,
  CHARACTER_SET_NAME text,
  ATTR_NO integer,
  CHAR_USED text
);

create table all_plsql_coll_types (
  OWNER text,
  TYPE_NAME text,
  PACKAGE_NAME text,
  COLL_TYPE text,
  UPPER_BOUND integer,
  ELEM_TYPE_OWNER text,
  ELEM_TYPE_NAME text,
  ELEM_TYPE_PACKAGE text,
  LENGTH integer,
  PRECISION integer,
  SCALE integer,
  CHARACTER_SET_NAME text,
  ELEM_STORAGE text,
  NULLS_STORED text,
  CHAR_USED text,
  INDEX_BY text,
  ELEM_TYPE_MOD text
);

-- SQL types (CREATE TYPE): objects, nested tables, varrays.
create table all_types (
  OWNER text,
  TYPE_NAME text not null,
  TYPE_OID blob,
  TYPECODE text,
  ATTRIBUTES integer,
  METHODS integer,
  PREDEFINED text,
  INCOMPLETE text,
  FINAL text,
  INSTANTIABLE text,
  PERSISTABLE text,
  SUPERTYPE_OWNER text,
  SUPERTYPE_NAME text,
  LOCAL_ATTRIBUTES integer,
  LOCAL_METHODS integer,
  TYPEID blob
);

create table all_type_attrs (
  OWNER text,
  TYPE_NAME text,
  ATTR_NAME text,
  ATTR_TYPE_MOD text,
  ATTR_TYPE_OWNER text,
  ATTR_TYPE_NAME text,
  LENGTH integer,
  PRECISION integer,
  SCALE integer,
  CHARACTER_SET_NAME text,
  ATTR_NO integer,
  INHERITED text,
  CHAR_USED text
);

create table all_coll_types (
  OWNER text not null,
  TYPE_NAME text not null,
  COLL_TYPE text not null,
  UPPER_BOUND integer,
  ELEM_TYPE_MOD text,
  ELEM_TYPE_OWNER text,
  ELEM_TYPE_NAME text,
  LENGTH integer,
  PRECISION integer,
  SCALE integer,
  CHARACTER_SET_NAME text,
  ELEM_STORAGE text,
  NULLS_STORED text,
  CHAR_USED text
);

-- The columns of a table or view, for a %ROWTYPE.
create table all_tab_columns (
  OWNER text not null,
  TABLE_NAME text not null,
  COLUMN_NAME text not null,
  DATA_TYPE text,
  DATA_TYPE_MOD text,
  DATA_TYPE_OWNER text,
  DATA_LENGTH integer,
  DATA_PRECISION integer,
  DATA_SCALE integer,
  NULLABLE text,
  COLUMN_ID integer,
  CHAR_LENGTH integer,
  CHAR_USED text
);

-- Each type is read by its names, so each view is searched by them.
create index all_plsql_types_by_name on all_plsql_types (OWNER, PACKAGE_NAME, TYPE_NAME);
create index all_plsql_type_attrs_by_type
  on all_plsql_type_attrs (OWNER, PACKAGE_NAME, TYPE_NAME, ATTR_NO);
create index all_plsql_coll_types_by_name
  on all_plsql_coll_types (OWNER, PACKAGE_NAME, TYPE_NAME);
create index all_types_by_name on all_types (OWNER, TYPE_NAME);
create index all_type_attrs_by_type on all_type_attrs (OWNER, TYPE_NAME, ATTR_NO);
create index all_coll_types_by_name on all_coll_types (OWNER, TYPE_NAME);
create index all_tab_columns_by_table on all_tab_columns (OWNER, TABLE_NAME, COLUMN_ID);
