#include "cli/cli.h"

namespace vortane {

// Not yet written.
int RunCli(const std::vector<std::string>&, ByteReader&, ByteWriter& out, ByteWriter&) {
  return out.Write("vortane-cli\n") ? 0 : 1;
}

}  // namespace vortane
