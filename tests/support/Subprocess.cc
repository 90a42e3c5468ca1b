#include "support/Subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

extern char** environ;

namespace {

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& overrides) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    vars[entry.substr(0, entry.find('='))] = entry;
  }
  for (const std::string& entry : overrides) vars[entry.substr(0, entry.find('='))] = entry;
  std::vector<std::string> merged;
  for (const auto& kv : vars) merged.push_back(kv.second);
  return merged;
}

std::vector<char*> cStrings(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(&t[0]);
  pointers.push_back(nullptr);
  return pointers;
}

double now() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

}  // namespace

ProgramRun runProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                      const std::string& input, int timeoutSeconds) {
  ProgramRun run;
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) abort();

  std::vector<std::string> args = argv;
  std::vector<std::string> vars = mergedEnvironment(env);
  std::vector<char*> argp = cStrings(args);
  std::vector<char*> envp = cStrings(vars);

  pid_t pid = fork();
  if (pid < 0) abort();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    signal(SIGPIPE, SIG_DFL);  // ours is ignored; the program must meet the default
    execve(argp[0], argp.data(), envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);

  // Feed the input without blocking so a child that does not read cannot hang us.
  signal(SIGPIPE, SIG_IGN);
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  size_t written = 0;
  int inFd = in[1];
  if (input.empty()) {
    close(inFd);
    inFd = -1;
  }

  double deadline = now() + timeoutSeconds;
  int open = 2;
  while (open > 0 || inFd >= 0) {
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
    int remaining = static_cast<int>((deadline - now()) * 1000);
    if (remaining <= 0) {
      run.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 3, remaining) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buf[4096];
      ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        (i == 0 ? run.out : run.err).append(buf, n);
      } else {
        close(fds[i].fd);
        (i == 0 ? out[0] : err[0]) = -1;
        --open;
      }
    }
    if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t n = write(inFd, input.data() + written, input.size() - written);
      if (n > 0) written += n;
      if (n < 0 || written == input.size()) {
        close(inFd);
        inFd = -1;
      }
    }
  }
  for (int fd : {out[0], err[0], inFd}) {
    if (fd >= 0) close(fd);
  }

  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

std::string makeTempFolder() {
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/ostrev-test-XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) abort();
  return pattern;
}

namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

size_t countOf(const std::string& text, const std::string& needle) {
  size_t n = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& argv,
                                     const std::vector<std::string>& env)
    : folder_(makeTempFolder()) {
  std::vector<std::string> args = argv;
  std::vector<std::string> vars = mergedEnvironment(env);
  std::vector<char*> argp = cStrings(args);
  std::vector<char*> envp = cStrings(vars);
  std::string outPath = folder_ + "/out", errPath = folder_ + "/err";

  pid_ = fork();
  if (pid_ < 0) abort();
  if (pid_ == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    signal(SIGPIPE, SIG_DFL);
    execve(argp[0], argp.data(), envp.data());
    _exit(127);
  }
}

BackgroundProgram::~BackgroundProgram() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink((folder_ + "/out").c_str());
  unlink((folder_ + "/err").c_str());
  rmdir(folder_.c_str());
}

bool BackgroundProgram::running() {
  if (pid_ < 0) return false;
  int status = 0;
  pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  if (done == pid_) {
    if (WIFEXITED(status)) ended_.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ended_.signal = WTERMSIG(status);
  }
  pid_ = -1;
  return false;
}

ProgramRun BackgroundProgram::wait(int timeoutSeconds) {
  double deadline = now() + timeoutSeconds;
  while (running() && now() < deadline) usleep(10000);
  if (running()) {
    ended_.timedOut = true;
    kill(pid_, SIGKILL);
    while (running()) usleep(1000);
  }
  ProgramRun run = ended_;
  run.out = out();
  run.err = err();
  return run;
}

std::string BackgroundProgram::out() const { return fileText(folder_ + "/out"); }
std::string BackgroundProgram::err() const { return fileText(folder_ + "/err"); }

bool BackgroundProgram::waitForOutput(const std::string& needle, int times,
                                      int timeoutSeconds) const {
  double deadline = now() + timeoutSeconds;
  while (countOf(out(), needle) < static_cast<size_t>(times)) {
    if (now() > deadline) return false;
    usleep(5000);
  }
  return true;
}
