#!/usr/bin/env python3
"""A PostgreSQL 15 server of the benchmark's own, holding a snapshot's dictionary rows, and the
unixODBC configuration that reaches it through psqlODBC as the data source BenchDictionary.

As in the tests: a fresh cluster in a temporary folder, run as the postgres user when root,
password log-on, the views as tables (dba_objects in public, the other two in a sys schema)
with Oracle's column types and lengths (a driver sizes its buffers by them: an unbounded text
column costs the client a 64 KB buffer per value), OVERLOAD an integer, as PostgreSQL compares
no text with an integer, and the snapshot's indexes, so that one routine's statement costs the
server little, as on Oracle.
"""

import glob
import os
import shutil
import socket
import sqlite3
import subprocess
import tempfile
import time

BINARIES = "/usr/lib/postgresql/15/bin/"
PASSWORD = "bench-password"
DATA_SOURCE = "BenchDictionary"

TABLES = """
create schema sys;
create table dba_objects (owner varchar(128) not null, object_name varchar(128) not null,
  object_type varchar(23));
create table sys.all_arguments (owner varchar(128) not null, package_name varchar(128),
  object_name varchar(128), overload integer, argument_name varchar(128), position integer,
  sequence integer, data_level integer, data_type varchar(30), in_out varchar(9));
create table sys.all_procedures (owner varchar(128) not null, object_name varchar(128),
  procedure_name varchar(128), object_type varchar(13), overload integer);
create index on dba_objects (owner, object_type, object_name);
create index on sys.all_arguments (owner, package_name, object_name, overload, position);
create index on sys.all_procedures (owner, object_name, procedure_name, overload);
create index on sys.all_procedures (owner, procedure_name, object_name, object_type, overload);
grant usage on schema sys to public;
grant select on all tables in schema sys, public to public;
"""

COPIES = [
    ("dba_objects", "dba_objects", "owner, object_name, object_type"),
    ("all_arguments", "sys.all_arguments", "owner, package_name, object_name, overload, "
     "argument_name, position, sequence, data_level, data_type, in_out"),
    ("all_procedures", "sys.all_procedures", "owner, object_name, procedure_name, object_type, "
     "overload"),
]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class PostgresDictionary:
    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tarvel-bench-pg-")
        self.port = free_port()
        self.as_server = []
        if os.geteuid() == 0:
            shutil.chown(self.folder, "postgres", "postgres")
            self.as_server = ["setpriv", "--reuid=postgres", "--regid=postgres",
                              "--clear-groups"]
        data = os.path.join(self.folder, "data")
        password_file = os.path.join(self.folder, "pw")
        with open(password_file, "w") as out:
            out.write(PASSWORD + "\n")
        if self.as_server:
            shutil.chown(password_file, "postgres", "postgres")
        subprocess.run(self.as_server + [BINARIES + "initdb", "-D", data, "--no-locale", "-E",
                       "UTF8", "-A", "scram-sha-256", "-U", "postgres",
                       f"--pwfile={password_file}", "--no-sync"],
                       check=True, stdout=subprocess.DEVNULL)
        self.server = subprocess.Popen(
            self.as_server + [BINARIES + "postgres", "-D", data, "-p", str(self.port), "-k",
                              self.folder, "-c", "listen_addresses=127.0.0.1", "-c",
                              "fsync=off"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(300):
            if subprocess.run([BINARIES + "pg_isready", "-q", "-h", "127.0.0.1", "-p",
                               str(self.port)]).returncode == 0:
                break
            time.sleep(0.1)
        self.psql("postgres", f"create role bench login password '{PASSWORD}';\n"
                              "create database dictionary;\n")
        self.psql("dictionary", TABLES)

    def psql(self, database, sql):
        subprocess.run(["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1", "-p",
                        str(self.port), "-U", "postgres", "-d", database, "-f", "-"],
                       input=sql.encode(), check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ, PGPASSWORD=PASSWORD))

    def load(self, snapshot):
        """Replaces the rows with those of a snapshot."""
        sql = ["truncate dba_objects, sys.all_arguments, sys.all_procedures;"]
        with sqlite3.connect(f"file:{snapshot}?mode=ro", uri=True) as db:
            for table, target, columns in COPIES:
                sql.append(f"copy {target} ({columns}) from stdin;")
                for row in db.execute(f"select {columns} from {table}"):
                    sql.append("\t".join("\\N" if v is None else str(v) for v in row))
                sql.append("\\.")
        sql.append("analyze;")
        self.psql("dictionary", "\n".join(sql) + "\n")

    def odbc_environment(self, port, options=""):
        """ODBCSYSINI and ODBCINI naming the driver by its path and the data source on port, with
        the driver's options given as "Key=Value" lines."""
        driver = glob.glob("/usr/lib/*/odbc/psqlodbcw.so")[0]
        with open(os.path.join(self.folder, "odbcinst.ini"), "w") as out:
            out.write(f"[PostgreSQL Unicode]\nDriver={driver}\n")
        odbc_ini = os.path.join(self.folder, f"odbc-{port}.ini")
        with open(odbc_ini, "w") as out:
            out.write(f"[{DATA_SOURCE}]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\n"
                      f"Port={port}\nDatabase=dictionary\n{options}")
        return dict(os.environ, ODBCSYSINI=self.folder, ODBCINI=odbc_ini)

    def close(self):
        self.server.terminate()
        self.server.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
