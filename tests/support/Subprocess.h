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

// A program left running in the background (a server under test), its standard output
// and error going to files in a private folder. Killed, if still running, when destroyed.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  // Waits for the program to end; the run's exit status, signal and time-out are filled
  // in, and its output read from the files.
  ProgramRun wait(int timeoutSeconds = 30);

  bool running();
  int pid() const { return pid_; }
  std::string out() const;
  std::string err() const;

  // Waits until standard output holds `needle` at least `times` times.
  bool waitForOutput(const std::string& needle, int times = 1, int timeoutSeconds = 10) const;

 private:
  int pid_ = -1;
  std::string folder_;
  ProgramRun ended_;
};

// Makes a new empty folder under the system's temporary folder.
std::string makeTempFolder();

#endif  // OSTREV_TESTS_SUPPORT_SUBPROCESS_H_
