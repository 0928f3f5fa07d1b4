// peak_memory REPORT PROGRAM [ARG...]: runs PROGRAM, writes its peak resident memory in KiB to
// REPORT and ends with its status (128 + signal). A child keeps the peak of the image it was
// forked from, so the test starts the program from this small image rather than its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  const pid_t child = argc < 3 ? -1 : fork();
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return 2;
  FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr || std::fprintf(report, "%ld\n", usage.ru_maxrss) < 0) return 2;
  std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
