// vortane-cli restore-high-bits: 7bit-8bit over a byte range.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "cli/cli_command_syntax.h"
#include "codec/restore_high_bits.h"

namespace vortane {

namespace {

std::size_t ToSize(std::uint64_t value) {
  return static_cast<std::size_t>(
      std::min<std::uint64_t>(value, std::numeric_limits<std::size_t>::max()));
}

RouteFunction Restore(const CliCommand& c) {
  return TextRoute([start = ToSize(c.start), end = ToSize(c.end)](std::string_view t) {
    return RestoreHighBits(t, start, end);
  });
}

bool TakeRange(std::vector<std::string>& operands, CliCommand& command, std::string& error) {
  if (operands.size() < 2) {
    error = "'restore-high-bits' needs START and END";
    return false;
  }
  const auto start = ParseNumber<std::uint64_t>(operands[0]);
  const auto end = ParseNumber<std::uint64_t>(operands[1]);
  if (!start || !end) {
    error = "START and END take whole numbers of 0 or more, not " +
            Quoted(start ? operands[1] : operands[0]);
    return false;
  }
  command.start = *start;
  command.end = *end;
  operands.erase(operands.begin(), operands.begin() + 2);
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli restore-high-bits START END [INPUT [OUTPUT]]

7bit-8bit: adds 0x80 (modulo 256) to every byte at the byte offsets
[START, END) of the input, counted from 0; the range is clamped to the
input, and an empty or reversed range changes nothing.

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& RestoreHighBitsCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "restore-high-bits",
      .options = {},
      .methods = {{"", CliRoute::RestoreHighBits, &Restore}},
      .takeOperands = &TakeRange,
      .summary =
          "  restore-high-bits START END\n"
          "                            add 0x80 to the bytes at offsets [START, END)\n"
          "                            (7bit-8bit); the range is clamped to the input\n",
      .optionsSummary = "",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
