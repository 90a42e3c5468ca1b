// Runs a program of the project as a child process and collects what it printed and how it
// ended. For end-to-end tests; single-threaded use.
#ifndef OSTREV_TESTS_SUPPORT_SUBPROCESS_H_
#define OSTREV_TESTS_SUPPORT_SUBPROCESS_H_

#include <string>
#include <vector>

struct ProgramRun {
  int exitStatus = -1;  // -1 when the program did not exit normally
  int signal = 0;       // the signal that ended it, if one did
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Runs argv[0] with the current environment plus `env` ("NAME=value" entries override),
// feeds `input` to its standard input and waits at most `timeoutSeconds` before killing it.
ProgramRun runProgram(const std::vector<std::string>& argv,
                      const std::vector<std::string>& env = {},
                      const std::string& input = "", int timeoutSeconds = 30);

#endif  // OSTREV_TESTS_SUPPORT_SUBPROCESS_H_
