#include "cli/cli_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace vortane::testing {

int RunCliProcess(const std::vector<std::string>& args, const CliProcessSetup& setup) {
  std::vector<std::string> argv{VORTANE_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) {
    cargv.push_back(a.data());
  }
  cargv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    const int in = ::open(setup.stdinPath.c_str(), O_RDONLY);
    const int out = ::open(setup.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(setup.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(setup.workingDirectory.c_str()) != 0) {
      ::_exit(127);
    }
    if (setup.fileSizeLimit != RLIM_INFINITY) {
      std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
      const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (setup.memoryLimit != RLIM_INFINITY) {
      const rlimit limit{setup.memoryLimit, setup.memoryLimit};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    return WEXITSTATUS(status);
  }
  return -1;
}

}  // namespace vortane::testing
