#include "cli/cli_routes.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "app/line_transforms.h"
#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "codec/restore_high_bits.h"
#include "converter/convert_stream.h"

namespace vortane {

namespace {

std::size_t ToSize(std::uint64_t value) {
  return static_cast<std::size_t>(
      std::min<std::uint64_t>(value, std::numeric_limits<std::size_t>::max()));
}

}  // namespace

RouteFunction SelectRoute(const CliCommand& c) {
  RouteFunction f;
  switch (c.route) {
    case CliRoute::DecodeBase64:
      f.stream = [](ByteReader& in, ByteWriter& out) { return DecodeBase64Stream(in, out); };
      break;
    case CliRoute::DecodeQuotedPrintable:
      f.stream = [](ByteReader& in, ByteWriter& out) {
        return DecodeQuotedPrintableStream(in, out);
      };
      break;
    case CliRoute::DecodeHz:
      f.stream = [](ByteReader& in, ByteWriter& out) { return DecodeHzStream(in, out); };
      break;
    case CliRoute::DecodeUtf7:
      f.stream = [](ByteReader& in, ByteWriter& out) { return DecodeUtf7Stream(in, out); };
      break;
    case CliRoute::DecodeUtf8:
      f.stream = [](ByteReader& in, ByteWriter& out) { return DecodeUtf8Stream(in, out); };
      break;
    case CliRoute::Convert:
      f.stream = [source = c.sourceCode, result = c.resultCode, blanks = c.blankMode](
                     ByteReader& in, ByteWriter& out) {
        return ConvertStream(in, out, source, result, blanks);
      };
      break;
    case CliRoute::TextBase64:
      f.text = [](std::string_view t) { return DecodeBase64Text(t); };
      break;
    case CliRoute::TextQuotedPrintable:
      f.text = [d = c.recogniseDoubleBytes](std::string_view t) {
        return DecodeQuotedPrintableText(t, d);
      };
      break;
    case CliRoute::TextHz:
      f.text = [](std::string_view t) { return DecodeHzText(t); };
      break;
    case CliRoute::TextUtf8:
      // The frame rule as a block decoder: the same bytes as DecodeUtf8Text in
      // constant memory.
      f.stream = [code = c.resultCode](ByteReader& in, ByteWriter& out) {
        return DecodeUtf8TextStream(in, out, code);
      };
      break;
    case CliRoute::TextUtf7:
      f.text = [code = c.resultCode](std::string_view t) { return DecodeUtf7Text(t, code); };
      break;
    case CliRoute::TextGbToBig5:
      f.text = [](std::string_view t) { return ConvertGbToBig5Text(t); };
      break;
    case CliRoute::TextBig5ToGb:
      f.text = [](std::string_view t) { return ConvertBig5ToGbText(t); };
      break;
    case CliRoute::Wrap:
      f.text = [width = c.width, d = c.recogniseDoubleBytes](std::string_view t) {
        return WordWrap(t, width, d);
      };
      break;
    case CliRoute::MarkAdd:
      f.text = [mark = c.mark](std::string_view t) { return AddMark(t, mark); };
      break;
    case CliRoute::MarkRemove:
      f.text = [mark = c.mark](std::string_view t) { return RemoveMark(t, mark); };
      break;
    case CliRoute::RestoreHighBits:
      f.text = [start = ToSize(c.start), end = ToSize(c.end)](std::string_view t) {
        return RestoreHighBits(t, start, end);
      };
      break;
    case CliRoute::Auto:
      break;  // run by RunCli itself: it may write nothing and exit 3
  }
  return f;
}

}  // namespace vortane
