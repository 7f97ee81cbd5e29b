// The converter's routes between any two codes of its lists: the engine of
// the program's own codes for GB, BIG5 and Unicode, and re-encoding through
// UTF-8 for today's codes, with the blank rule and counts of what did not
// convert.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "charsets/recode_stream.h"
#include "codec/byte_stream.h"
#include "converter/convert_stream.h"

namespace vortane {

// One entry of a code list: the name shown (the same in every language) and
// the code it reads or writes, with the meaning of the command line's labels.
struct ConverterCodeEntry {
  std::string_view name;
  ConvertCode code;
};

// The source list: the program's own codes, then UTF-8, UTF-16 (byte order
// from a leading mark, else big-endian), GB 18030 and Big5-HKSCS.
inline constexpr std::array<ConverterCodeEntry, 7> kConverterSourceCodes{{
    {"GB", TextCode::Gb},
    {"BIG5", TextCode::Big5},
    {"Unicode", TextCode::Unicode},
    {"UTF-8", Charset::Utf8},
    {"UTF-16", Charset::Utf16},
    {"GB18030", Charset::Gb18030},
    {"Big5-HKSCS", Charset::Big5Hkscs},
}};

// The result list: GB and BIG5, then UTF-8 without a mark, UTF-16
// little-endian with a mark, GB 18030 and Big5-HKSCS.
inline constexpr std::array<ConverterCodeEntry, 6> kConverterResultCodes{{
    {"GB", TextCode::Gb},
    {"BIG5", TextCode::Big5},
    {"UTF-8", Charset::Utf8},
    {"UTF-16LE (BOM)", Charset::Utf16},
    {"GB18030", Charset::Gb18030},
    {"Big5-HKSCS", Charset::Big5Hkscs},
}};

// What a conversion could not carry over.
struct ConvertCounts {
  // Byte sequences the source code cannot read (each became U+FFFD, or "?"
  // where the result code lacks it).
  std::size_t unreadable = 0;
  // Characters the result code cannot hold (each became "?").
  std::size_t unwritable = 0;
};

struct ConvertOutcome {
  StreamStatus status = StreamStatus::Ok;
  ConvertCounts counts;
};

// True when `source` and `result` are both the program's own codes: the
// engine of ConvertStream converts them, code by code, and counts nothing.
[[nodiscard]] bool IsOwnCodeRoute(const ConvertCode& source, const ConvertCode& result);

// Any route as an incremental decoder for PumpStream. An own-code route runs
// ConvertDecoder. Every other route re-encodes: the source is read into
// characters (RecodeDecoder's meanings), the blank rule of `blankMode` applies
// to the blank in front of each character outside ASCII as it does in front
// of a double-byte unit, and the characters are written in the result code.
class RouteDecoder {
 public:
  RouteDecoder(const ConvertCode& source, const ConvertCode& result, BlankMode blankMode);
  ~RouteDecoder();
  RouteDecoder(RouteDecoder&&) noexcept;
  RouteDecoder& operator=(RouteDecoder&&) noexcept;

  void Feed(std::string_view block, std::string& out);
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return false; }
  // What did not convert so far.
  [[nodiscard]] ConvertCounts Counts() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Reads `source` to its end and writes it converted to `result`.
[[nodiscard]] ConvertOutcome ConvertRouteStream(ByteReader& source, ByteWriter& result,
                                                const ConvertCode& sourceCode,
                                                const ConvertCode& resultCode, BlankMode blankMode);

}  // namespace vortane
