#include <unistd.h>

#include <string>
#include <vector>

#include "cli/cli.h"
#include "io/file_stream.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  vortane::FileReader in(STDIN_FILENO);
  vortane::FileWriter out(STDOUT_FILENO);
  vortane::FileWriter err(STDERR_FILENO);
  return vortane::RunCli(args, in, out, err);
}
