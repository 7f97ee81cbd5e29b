// vortane-cli decode: whole files by the stream rules.
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "cli/cli_command_syntax.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"

namespace vortane {

namespace {

// A stream decoding that needs no settings.
template <StreamStatus (*Decode)(ByteReader&, ByteWriter&)>
RouteFunction Stream(const CliCommand&) {
  return StreamRoute([](ByteReader& in, ByteWriter& out) { return Decode(in, out); });
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli decode base64|qp|hz|utf7|utf8 [INPUT [OUTPUT]]

Decodes a whole file by the file (stream) rules, in 64 KiB blocks with
constant memory, whatever its size.
  base64   Base64; CR, LF and blanks are skipped, decoding ends at the first
           byte outside the alphabet ('=' included)
  qp       Quoted-Printable: =XX escapes and = CR LF soft line breaks
  hz       HZ: ~{ ... ~} holds GB text with the high bits cleared
  utf7     UTF-7 into big-endian UTF-16, no byte-order mark
  utf8     UTF-8 into big-endian UTF-16, no byte-order mark

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& DecodeCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "decode",
      .options = {},
      .methods = {{"base64", CliRoute::DecodeBase64, &Stream<DecodeBase64Stream>},
                  {"qp", CliRoute::DecodeQuotedPrintable, &Stream<DecodeQuotedPrintableStream>},
                  {"hz", CliRoute::DecodeHz, &Stream<DecodeHzStream>},
                  {"utf7", CliRoute::DecodeUtf7, &Stream<DecodeUtf7Stream>},
                  {"utf8", CliRoute::DecodeUtf8, &Stream<DecodeUtf8Stream>}},
      .summary =
          "  decode base64|qp|hz       decode a whole file by the file (stream) rules\n"
          "  decode utf7|utf8          decode into big-endian UTF-16 without a byte-order\n"
          "                            mark, by the file rules\n",
      .optionsSummary = "",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
