// peak_memory REPORT PROGRAM [ARG...]: runs PROGRAM and writes its peak resident memory in KiB
// to the file REPORT, then ends with the program's status (128 + signal when one ended it).
//
// A process keeps the peak of the image it was forked from when it executes another program,
// so a test process cannot measure a child directly: this small program starts the child
// from its own small image instead.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: peak_memory REPORT PROGRAM [ARG...]\n", stderr);
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 2;
  FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) return 2;
  std::fprintf(report, "%ld\n", usage.ru_maxrss);
  std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
