// vortane-cli text: the frame rules over a whole text in memory.
#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "cli/cli_command_syntax.h"
#include "cli/cli_phrases.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"

namespace vortane {

namespace {

RouteFunction Base64(const CliCommand&) {
  return TextRoute([](std::string_view t) { return DecodeBase64Text(t); });
}

RouteFunction QuotedPrintable(const CliCommand& c) {
  return TextRoute(
      [d = c.recogniseDoubleBytes](std::string_view t) { return DecodeQuotedPrintableText(t, d); });
}

RouteFunction Hz(const CliCommand&) {
  return TextRoute([](std::string_view t) { return DecodeHzText(t); });
}

RouteFunction Utf8(const CliCommand& c) {
  // The frame rule as a block decoder: the same bytes as DecodeUtf8Text in
  // constant memory.
  return StreamRoute([code = c.resultCode](ByteReader& in, ByteWriter& out) {
    return DecodeUtf8TextStream(in, out, code);
  });
}

RouteFunction Utf7(const CliCommand& c) {
  return TextRoute([code = c.resultCode](std::string_view t) { return DecodeUtf7Text(t, code); });
}

RouteFunction GbToBig5(const CliCommand& c) {
  if (c.phrases) {
    return PhraseRouteFor(c, TextCode::Gb, TextCode::Big5, BlankMode::KeepStill);
  }
  return TextRoute([](std::string_view t) { return ConvertGbToBig5Text(t); });
}

RouteFunction Big5ToGb(const CliCommand& c) {
  if (c.phrases) {
    return PhraseRouteFor(c, TextCode::Big5, TextCode::Gb, BlankMode::KeepStill);
  }
  return TextRoute([](std::string_view t) { return ConvertBig5ToGbText(t); });
}

// --phrases REGION of gb2big5 (tw, twp, hk) and big52gb (tw, hk).
bool ApplyPhrasesOption(const CliOptions& options, CliCommand& command, std::string& error) {
  const auto region = options.Value("--phrases");
  if (region) {
    const bool toTraditional = command.route == CliRoute::TextGbToBig5;
    if (!toTraditional && command.route != CliRoute::TextBig5ToGb) {
      error = "--phrases applies to 'text gb2big5' and 'text big52gb' only";
      return false;
    }
    const std::optional<PhraseRegion> parsed = PhraseRegionForName(*region);
    if (!parsed || (!toTraditional && *parsed == PhraseRegion::TaiwanVocabulary)) {
      error = std::string("--phrases takes ") + (toTraditional ? "tw, twp or hk" : "tw or hk") +
              ", not " + Quoted(*region);
      return false;
    }
    command.phrases = toTraditional ? ToTraditionalConfig(*parsed) : ToSimplifiedConfig(*parsed);
  }
  return ApplyPhraseListOption(options, command, error);
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  const CliRoute route = command.route;
  const bool qpLike = route == CliRoute::TextBase64 || route == CliRoute::TextQuotedPrintable ||
                      route == CliRoute::TextHz;
  const bool utfText = route == CliRoute::TextUtf8 || route == CliRoute::TextUtf7;
  if (options.Has("--no-double-bytes")) {
    if (!qpLike) {
      error = "--no-double-bytes applies to 'text base64|qp|hz' only";
      return false;
    }
    command.recogniseDoubleBytes = false;
  }
  const auto to = options.Value("--to");
  if (utfText && !to) {
    error = "'text utf8' and 'text utf7' need --to gb|big5";
    return false;
  }
  if (!utfText && to) {
    error = "--to applies to 'text utf8' and 'text utf7' only";
    return false;
  }
  if (to) {
    const auto code = ParseCodeName(*to, false);
    if (!code) {
      error = "--to takes gb or big5, not " + Quoted(*to);
      return false;
    }
    command.resultCode = *code;
  }
  return ApplyPhrasesOption(options, command, error);
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli text METHOD [OPTIONS] [INPUT [OUTPUT]]

Decodes or converts the whole input in memory by the text (frame) rules and
writes the whole result, 0 bytes included.
  base64                 Base64; a group is begun only while four bytes remain
  qp                     Quoted-Printable, also joining an escape split by a
                         soft line break and moving a hard line break that
                         splits a double-byte character
  hz                     HZ
  utf8 --to gb|big5      UTF-8 into GB or Big5
  utf7 --to gb|big5      UTF-7 into GB or Big5
  gb2big5                GB into Big5, character by character, or by
                         phrases with --phrases
  big52gb                Big5 into GB, character by character, or by
                         phrases with --phrases

Options:
  --no-double-bytes      base64|qp|hz: turn the double-byte line-break repair
                         of qp off (it is on by default)
  --to gb|big5           utf8|utf7: the result code (required)
  --phrases REGION       gb2big5 (tw, twp, hk) and big52gb (tw, hk): convert
                         by phrases through OpenCC for Taiwan (tw), Taiwan
                         with its vocabulary (twp) or Hong Kong (hk); a
                         character with no Big5 or GB form in the phrase
                         result goes by the character table and is counted
  --phrase-list FILE     with --phrases: the user's phrase list, one
                         'from<TAB>to' a line, matched first (default
                         phrases.txt in $XDG_CONFIG_HOME/vortane, when it is
                         there)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error (OpenCC's data or the phrase list
unreadable included), 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& TextCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "text",
      .options = {{"--no-double-bytes", false},
                  {"--to", true},
                  {"--phrases", true},
                  {"--phrase-list", true}},
      .methods = {{"base64", CliRoute::TextBase64, &Base64},
                  {"qp", CliRoute::TextQuotedPrintable, &QuotedPrintable},
                  {"hz", CliRoute::TextHz, &Hz},
                  {"utf8", CliRoute::TextUtf8, &Utf8},
                  {"utf7", CliRoute::TextUtf7, &Utf7},
                  {"gb2big5", CliRoute::TextGbToBig5, &GbToBig5},
                  {"big52gb", CliRoute::TextBig5ToGb, &Big5ToGb}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  text base64|qp|hz [--no-double-bytes]\n"
          "                            decode by the text (frame) rules\n"
          "  text utf8|utf7 --to gb|big5\n"
          "                            decode UTF-8 or UTF-7 text into GB or Big5\n"
          "  text gb2big5|big52gb [--phrases REGION [--phrase-list FILE]]\n"
          "                            convert text from GB to Big5 or from Big5 to GB\n",
      .optionsSummary =
          "  --no-double-bytes         text qp: do not move a line break that splits a\n"
          "                            double-byte character (text base64 and text hz\n"
          "                            accept it and are not affected)\n"
          "  --to gb|big5              text utf8|utf7: the result code\n"
          "  --phrases REGION          text gb2big5 (tw|twp|hk), big52gb (tw|hk): by phrases\n"
          "  --phrase-list FILE        with --phrases: the user's phrase list\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
