// vortane-cli convert: the code converter's engine over a stream, or
// re-encoding between any two codes.
#include <memory>

#include "charsets/recode_stream.h"
#include "cli/cli_command_syntax.h"
#include "cli/cli_convert.h"
#include "cli/cli_phrases.h"
#include "converter/convert_stream.h"

namespace vortane {

namespace {

RouteFunction Convert(const CliCommand& c) {
  if (c.phrases) {
    return PhraseRouteFor(c, c.convertFrom, c.convertTo, c.blankMode);
  }
  return StreamRoute([source = c.sourceCode, result = c.resultCode, blanks = c.blankMode](
                         ByteReader& in, ByteWriter& out) {
    return ConvertStream(in, out, source, result, blanks);
  });
}

RouteFunction Recode(const CliCommand& c) {
  if (c.phrases) {
    return PhraseRouteFor(c, c.convertFrom, c.convertTo, c.blankMode);
  }
  auto counts = std::make_shared<ConversionCounts>();
  RouteFunction route = StreamRoute([from = c.convertFrom, to = c.convertTo, strict = c.strict,
                                     counts](ByteReader& in, ByteWriter& out) {
    RecodeDecoder decoder(from, to);
    const StreamStatus status = PumpStream(decoder, in, out);
    *counts = {decoder.Unreadable(), decoder.Unwritable(), false};
    if (status == StreamStatus::Ok && strict && counts->unreadable + counts->unwritable > 0) {
      counts->stopped = true;
      return StreamStatus::ReadError;  // not whole: the output is not committed
    }
    return status;
  });
  route.counts = [counts] { return *counts; };
  return route;
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  const auto from = options.Value("--from");
  const auto to = options.Value("--to");
  if (!from || !to) {
    error = "'convert' needs --from CODE and --to CODE";
    return false;
  }
  if (!ApplyConvertCodes(*from, *to, options.Value("--blanks"), command, error)) {
    return false;
  }
  command.strict = options.Has("--strict");
  if (const auto config = options.Value("--phrases")) {
    command.phrases = PhraseConfigForName(*config);
    if (!command.phrases) {
      error = "--phrases takes s2tw, s2twp, s2hk, tw2s, tw2sp, hk2s or t2s, not " + Quoted(*config);
      return false;
    }
    if (command.strict) {
      error = "--strict does not go with --phrases";
      return false;
    }
  }
  return ApplyPhraseListOption(options, command, error);
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli convert --from gb|big5|unicode --to gb|big5
                           [--blanks add|remove|keep] [INPUT [OUTPUT]]
       vortane-cli convert --from CODE --to CODE [--strict] [INPUT [OUTPUT]]
       vortane-cli convert --from CODE --to CODE --phrases CONFIG
                           [--phrase-list FILE] [INPUT [OUTPUT]]

Streams a text from one code into another in 64 KiB blocks with constant
memory.

Between gb, big5 and unicode it is the code converter: GB <-> Big5 converts
simplified and traditional characters, unicode is big-endian UTF-16 (read
little-endian when it begins with the mark FF FE, the mark dropped), and
codes that no table holds are written unchanged.

Any other pair re-encodes: the characters stay what they are. CODE is gb,
big5, unicode (a source only) or a label that 'vortane-cli labels' lists,
any case. As a source a label reads as its code: GBK and GB 2312 labels as
GB 18030, Big5 labels other than big5 as Big5-HKSCS. As a result a GB label
writes GB 18030, a Big5 label other than big5 writes Big5-HKSCS, utf-8 writes
no mark, utf-16 writes little-endian with a mark, utf-16le and utf-16be no
mark. A byte sequence the source cannot read becomes U+FFFD (or '?' where the
result cannot hold it), a character the result cannot hold becomes '?'; the
counts of both go to standard error.

Options:
  --from CODE               the source code (required)
  --to CODE                 the result code (required)
  --blanks add|remove|keep  between gb, big5 and unicode only: put one blank
                            before every Chinese character, take the one
                            there away, or keep the text (default keep)
  --strict                  when any character could not be read or
                            written, exit 3 and leave OUTPUT as it was (on
                            standard output the result has been written as
                            it came; the exit status tells it is not whole)
  --phrases CONFIG          convert simplified and traditional characters by
                            phrases through OpenCC, for any pair of codes
                            (UTF-8 to UTF-8 included); CONFIG is s2tw, s2twp,
                            s2hk (to traditional), tw2s, tw2sp, hk2s or t2s
                            (to simplified); what has no form in the result
                            code goes by the character table and is counted
  --phrase-list FILE        with --phrases: the user's phrase list, one
                            'from<TAB>to' a line, matched first (default
                            phrases.txt in $XDG_CONFIG_HOME/vortane, when it
                            is there)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success (counts of unconverted characters included), 1 an I/O
error, 2 a usage error, 3 not converted whole under --strict.
)";

}  // namespace

const CliCommandSyntax& ConvertCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "convert",
      .options = {{"--from", true},
                  {"--to", true},
                  {"--blanks", true},
                  {"--strict", false},
                  {"--phrases", true},
                  {"--phrase-list", true}},
      .methods = {{"", CliRoute::Convert, &Convert}, {"", CliRoute::Recode, &Recode}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  convert --from gb|big5|unicode --to gb|big5 [--blanks add|remove|keep]\n"
          "                            the code converter\n"
          "  convert --from CODE --to CODE [--strict]\n"
          "                            re-encode from one code to another: gb, big5,\n"
          "                            unicode or any label that 'labels' lists\n"
          "  convert --from CODE --to CODE --phrases CONFIG [--phrase-list FILE]\n"
          "                            convert simplified and traditional by phrases\n",
      .optionsSummary =
          "  --from CODE, --to CODE    convert: the source and result codes; gb, big5\n"
          "                            and unicode (big-endian UTF-16, or little-endian\n"
          "                            after the mark FF FE; a source only) through the\n"
          "                            program's tables, any other name a label\n"
          "  --blanks add|remove|keep  convert: put one blank before every Chinese\n"
          "                            character, take the blank before one away, or\n"
          "                            keep the text as it is (default keep)\n"
          "  --strict                  convert: exit 3 and leave OUTPUT as it was when\n"
          "                            any character could not be read or written\n"
          "  --phrases CONFIG          convert: by phrases through OpenCC (s2tw, s2twp,\n"
          "                            s2hk, tw2s, tw2sp, hk2s, t2s)\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
