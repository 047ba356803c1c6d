/* Runs a command as a fresh process and writes its wall seconds, CPU seconds (user + system) and
 * peak resident set in kilobytes to RESULT_FILE. A child forked from a large process (Python)
 * reports that process's memory as its own peak; this launcher is small.
 *
 * usage: fresh_process RESULT_FILE COMMAND [ARGUMENT...]; exits with the command's status. */

#define _GNU_SOURCE
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double seconds(struct timeval t) { return t.tv_sec + t.tv_usec / 1e6; }

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: fresh_process RESULT_FILE COMMAND [ARGUMENT...]\n", stderr);
    return 2;
  }
  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    fprintf(stderr, "fresh_process: %s: %s\n", argv[2], strerror(errno));
    _exit(127);
  }
  int status;
  struct rusage usage;
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return 2;
  clock_gettime(CLOCK_MONOTONIC, &end);
  FILE* result = fopen(argv[1], "w");
  if (!result) return 2;
  fprintf(result, "%.6f %.6f %ld\n",
          (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9,
          seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss);
  fclose(result);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
