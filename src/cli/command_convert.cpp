// vortane-cli convert: the code converter's engine over a stream.
#include "cli/cli_command_syntax.h"
#include "converter/convert_stream.h"

namespace vortane {

namespace {

RouteFunction Convert(const CliCommand& c) {
  return StreamRoute([source = c.sourceCode, result = c.resultCode, blanks = c.blankMode](
                         ByteReader& in, ByteWriter& out) {
    return ConvertStream(in, out, source, result, blanks);
  });
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  const auto from = options.Value("--from");
  const auto to = options.Value("--to");
  if (!from || !to) {
    error = "'convert' needs --from gb|big5|unicode and --to gb|big5";
    return false;
  }
  const auto source = ParseCodeName(*from, true);
  if (!source) {
    error = "--from takes gb, big5 or unicode, not " + Quoted(*from);
    return false;
  }
  const auto result = ParseCodeName(*to, false);
  if (!result) {
    error = "--to takes gb or big5, not " + Quoted(*to);
    return false;
  }
  command.sourceCode = *source;
  command.resultCode = *result;
  if (const auto blanks = options.Value("--blanks")) {
    if (*blanks == "add") {
      command.blankMode = BlankMode::AddBlank;
    } else if (*blanks == "remove") {
      command.blankMode = BlankMode::RemoveBlank;
    } else if (*blanks == "keep") {
      command.blankMode = BlankMode::KeepStill;
    } else {
      error = "--blanks takes add, remove or keep, not " + Quoted(*blanks);
      return false;
    }
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli convert --from gb|big5|unicode --to gb|big5
                           [--blanks add|remove|keep] [INPUT [OUTPUT]]

The code converter: streams a text from GB, Big5 or Unicode (big-endian
UTF-16, no byte-order mark) into GB or Big5, in 64 KiB blocks with constant
memory. Codes that no table holds are written unchanged.

Options:
  --from gb|big5|unicode    the source code (required)
  --to gb|big5              the result code (required)
  --blanks add|remove|keep  the blank before a Chinese character: put one
                            before every Chinese character, take the one
                            there away, or keep the text (default keep)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& ConvertCommand() {
  static const CliCommandSyntax kSpec{
      .name = "convert",
      .options = {{"--from", true}, {"--to", true}, {"--blanks", true}},
      .methods = {{"", CliRoute::Convert, &Convert}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  convert --from gb|big5|unicode --to gb|big5 [--blanks add|remove|keep]\n"
          "                            the code converter\n",
      .optionsSummary =
          "  --from gb|big5|unicode    convert: the source code (unicode: big-endian\n"
          "                            UTF-16, no byte-order mark)\n"
          "  --to gb|big5              convert: the result code\n"
          "  --blanks add|remove|keep  convert: put one blank before every Chinese\n"
          "                            character, take the blank before one away, or\n"
          "                            keep the text as it is (default keep)\n",
      .help = kHelp,
  };
  return kSpec;
}

}  // namespace vortane
