/* The floor a run cannot beat: reads every dictionary row a run needs with three prepared
 * statements through SQLite's C API, touching every value, then writes the given bytes to new
 * files and makes them durable with one sync of their file system.
 *
 * usage: physical_floor SNAPSHOT OWNER UNITS_INDEX UNITS_DATA OUTPUT_FOLDER
 * UNITS_INDEX holds a line "size name" per file, in the order of their bytes in UNITS_DATA. */

#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* Each in the order of an index the snapshot schema declares, so that none needs a sort. */
static const char* const kStatements[] = {
    "select OBJECT_TYPE, OBJECT_NAME from dba_objects where OWNER = ?1 "
    "order by OWNER, OBJECT_TYPE, OBJECT_NAME",
    "select OBJECT_NAME, PROCEDURE_NAME, OVERLOAD from all_procedures where OWNER = ?1 "
    "order by OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD",
    "select PACKAGE_NAME, OBJECT_NAME, OVERLOAD, POSITION, ARGUMENT_NAME, DATA_LEVEL, DATA_TYPE, "
    "IN_OUT from all_arguments where OWNER = ?1 "
    "order by OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, POSITION",
};

static void fail(const char* what, const char* detail) {
  fprintf(stderr, "physical_floor: %s: %s\n", what, detail);
  exit(1);
}

/* Every value of every row, as text or as an integer, folded into a sum nothing can skip; each
 * value is looked up once, as the program reads it. */
static unsigned long read_rows(sqlite3* db, const char* owner, unsigned long* rows) {
  unsigned long sum = 0;
  for (size_t s = 0; s < sizeof kStatements / sizeof *kStatements; ++s) {
    sqlite3_stmt* statement;
    if (sqlite3_prepare_v2(db, kStatements[s], -1, &statement, NULL) != SQLITE_OK)
      fail("prepare", sqlite3_errmsg(db));
    sqlite3_bind_text(statement, 1, owner, -1, SQLITE_STATIC);
    const int columns = sqlite3_column_count(statement);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      ++*rows;
      for (int c = 0; c < columns; ++c) {
        sqlite3_value* value = sqlite3_column_value(statement, c);
        if (sqlite3_value_type(value) == SQLITE_INTEGER) {
          sum += (unsigned long)sqlite3_value_int64(value);
        } else {
          const unsigned char* text = sqlite3_value_text(value);
          if (text) sum += text[0] + (unsigned long)sqlite3_value_bytes(value);
        }
      }
    }
    if (step != SQLITE_DONE) fail("step", sqlite3_errmsg(db));
    sqlite3_finalize(statement);
  }
  return sum;
}

/* Each file's bytes are read into one buffer first, as a program holding its output in memory
 * would have them; the buffer, not the whole data file, counts in the peak. */
static void write_units(const char* index_path, const char* data_path, const char* folder) {
  const int data = open(data_path, O_RDONLY);
  if (data < 0) fail(data_path, strerror(errno));
  FILE* index = fopen(index_path, "r");
  if (!index) fail(index_path, strerror(errno));
  if (mkdir(folder, 0777) != 0) fail(folder, strerror(errno));
  const int dir = open(folder, O_RDONLY | O_DIRECTORY);
  if (dir < 0) fail(folder, strerror(errno));
  char* bytes = NULL;
  long capacity = 0;
  long size;
  char name[256];
  off_t offset = 0;
  while (fscanf(index, "%ld %255s", &size, name) == 2) {
    if (size > capacity && !(bytes = realloc(bytes, capacity = size))) fail(name, "no memory");
    if (pread(data, bytes, size, offset) != size) fail(data_path, "short read");
    const int file = openat(dir, name, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (file < 0 || write(file, bytes, size) != size || close(file) != 0)
      fail(name, strerror(errno));
    offset += size;
  }
  if (syncfs(dir) != 0) fail(folder, strerror(errno));
  free(bytes);
  close(dir);
  close(data);
  fclose(index);
}

int main(int argc, char** argv) {
  if (argc != 6) fail("usage", "physical_floor SNAPSHOT OWNER UNITS_INDEX UNITS_DATA OUTPUT_FOLDER");
  /* One thread: no locks around each call, as the program opens its snapshot too. */
  sqlite3* db;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, NULL) != SQLITE_OK)
    fail(argv[1], sqlite3_errmsg(db));
  unsigned long rows = 0;
  const unsigned long sum = read_rows(db, argv[2], &rows);
  sqlite3_close(db);
  write_units(argv[3], argv[4], argv[5]);
  return sum == 0 && rows > 0;  /* never true for real rows; keeps the reads from being dropped */
}
