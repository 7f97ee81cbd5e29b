// Runs the built vortane-cli as a child process with its standard streams
// taken from and sent to files.
#pragma once

#include <sys/resource.h>

#include <string>
#include <vector>

namespace vortane::testing {

struct CliProcessSetup {
  std::string stdinPath = "/dev/null";
  std::string stdoutPath = "/dev/null";
  std::string stderrPath;  // created or emptied
  std::string workingDirectory = ".";
  rlim_t fileSizeLimit = RLIM_INFINITY;  // caps the files it writes, so a write fails part way
  rlim_t memoryLimit = RLIM_INFINITY;    // caps its address space
};

// Runs vortane-cli with `args`; returns its exit code, or -1 when it did not
// exit normally (or could not be started).
int RunCliProcess(const std::vector<std::string>& args, const CliProcessSetup& setup);

}  // namespace vortane::testing
