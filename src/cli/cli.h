// vortane-cli: the command-line companion. Run() holds all of it, so tests
// drive it with in-memory streams; main() only turns argv into strings.
#pragma once

#include <string>
#include <vector>

#include "codec/byte_stream.h"

namespace vortane {

// Runs one command line (`args` without the program name). `in` and `out` are
// standard input and output, `err` standard error. Returns the exit code:
// 0 success, 1 an I/O error, 2 a usage error, 3 a text that could not be
// converted whole under --strict.
int RunCli(const std::vector<std::string>& args, ByteReader& in, ByteWriter& out, ByteWriter& err);

}  // namespace vortane
