#!/usr/bin/env python3
"""Writes a large synthetic dictionary snapshot for the benchmark.

The owner BENCH gets PACKAGES packages of ROUTINES routines with ARGUMENTS arguments each, plus
ROUTINES routines outside packages. Every built-in data type appears in every argument position,
a third of the routines are functions, the last six routines of each package are three pairs of
overloads, and cursor and LOB arguments are common. Every routine can be read: the run leaves
nothing out.

usage: make_snapshot.py SCHEMA_SQL OUTPUT PACKAGES [ROUTINES] [ARGUMENTS]
"""

import os
import sqlite3
import sys

OWNER = "BENCH"

# Every data type the type mapping knows without config.ini.
TYPES = [
    "VARCHAR2", "CHAR", "DATE", "CLOB", "BLOB", "NUMBER", "SYS_REFCURSOR", "REFCURSOR",
    "CURSOR", "INTEGER", "FLOAT", "REAL", "PL/SQL BOOLEAN", "SMALLINT", "REF CURSOR", "LONG",
    "LONG RAW", "BFILE", "RAW",
]
CURSORS = {"SYS_REFCURSOR", "REFCURSOR", "REF CURSOR"}
DIRECTIONS = ["IN", "OUT", "IN/OUT"]
OVERLOADED_PAIRS = 3


def routine_names(routines):
    """(name, overload) per routine; the last pairs share a name."""
    plain = routines - 2 * OVERLOADED_PAIRS
    names = [(f"DO_STEP_{r:02d}", None) for r in range(plain)]
    for pair in range(OVERLOADED_PAIRS):
        names.append((f"FIND_BY_{pair}", "1"))
        names.append((f"FIND_BY_{pair}", "2"))
    return names[:routines]


def argument_rows(package, routine, overload, index, arguments, subprogram):
    """The all_arguments rows of one routine: the result row of a function, then its arguments."""
    rows = []
    sequence = 1
    if index % 3 == 0:
        result_type = TYPES[(index + subprogram) % len(TYPES)]
        rows.append((OWNER, package, routine, overload, None, 0, sequence, 0, result_type, "OUT"))
        sequence += 1
    for position in range(1, arguments + 1):
        data_type = TYPES[(index * arguments + position + subprogram) % len(TYPES)]
        direction = "OUT" if data_type in CURSORS else DIRECTIONS[(index + position) % 3]
        rows.append((OWNER, package, routine, overload, f"P_ARG_{position}_{data_type[:3]}",
                     position, sequence, 0, data_type, direction))
        sequence += 1
    return rows


def build(schema_sql, path, packages, routines=30, arguments=6):
    """Rows go in a package at a time, so that 50,000 packages fit in memory."""
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript(schema_sql)
    object_id = 1
    for p in range(packages):
        package = f"BENCH_PKG_{p:04d}"
        objects = [(OWNER, package, object_id, "PACKAGE"),
                   (OWNER, package, object_id + 1, "PACKAGE BODY")]
        procedures = [(OWNER, package, None, object_id, 0, None, "PACKAGE")]
        argument_table = []
        for index, (routine, overload) in enumerate(routine_names(routines)):
            procedures.append((OWNER, package, routine, object_id, index + 1, overload, "PACKAGE"))
            argument_table += argument_rows(package, routine, overload, index, arguments, p)
        insert(db, objects, procedures, argument_table)
        object_id += 2
    objects, procedures, argument_table = [], [], []
    for index, (routine, overload) in enumerate(routine_names(routines)):
        if overload is not None:
            continue
        kind = "FUNCTION" if index % 3 == 0 else "PROCEDURE"
        name = f"SOLO_{routine}"
        objects.append((OWNER, name, object_id, kind))
        procedures.append((OWNER, name, None, object_id, 1, None, kind))
        argument_table += argument_rows(None, name, None, index, arguments, packages)
        object_id += 1
    insert(db, objects, procedures, argument_table)
    db.commit()
    db.close()
    return packages * routines + sum(1 for _, o in routine_names(routines) if o is None)


def insert(db, objects, procedures, argument_table):
    db.executemany("insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_ID, OBJECT_TYPE) "
                   "values (?, ?, ?, ?)", objects)
    db.executemany("insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OBJECT_ID, "
                   "SUBPROGRAM_ID, OVERLOAD, OBJECT_TYPE) values (?, ?, ?, ?, ?, ?, ?)", procedures)
    db.executemany("insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, "
                   "ARGUMENT_NAME, POSITION, SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) "
                   "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", argument_table)


def main(argv):
    if len(argv) not in (4, 5, 6):
        sys.exit(__doc__)
    with open(argv[1], encoding="utf-8") as schema:
        schema_sql = schema.read()
    counts = [int(a) for a in argv[3:]]
    total = build(schema_sql, argv[2], *counts)
    print(f"{argv[2]}: {total} routines")


if __name__ == "__main__":
    main(sys.argv)
