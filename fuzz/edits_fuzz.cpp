// Word Wrap against the rule written out, Add mark then Remove mark, and
// 7bit-8bit with fuzzed offsets. First input byte: the operation and flags;
// then its numbers; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/restore_high_bits.h"
#include "fuzz/fuzz_support.h"
#include "lines/line_transforms.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

// Word Wrap, byte by byte as the rule is told: only CR resets the count, and a
// break that would split a double-byte character comes one byte later.
std::string WrapByRule(std::string_view text, int width, bool recogniseDoubleBytes) {
  std::string out;
  long long count = 0;
  int parity = 1;
  for (const char c : text) {
    const bool high = static_cast<unsigned char>(c) >= 0x80;
    if (c == '\r') {
      out.push_back(c);
      count = 0;
    } else if (count < width) {
      out.push_back(c);
      ++count;
      if (high) {
        parity = -parity;
      }
    } else if (parity == -1 && recogniseDoubleBytes) {
      out.push_back(c);
      out += "\r\n";
      count = 0;
      parity = 1;
    } else {
      out += "\r\n";
      out.push_back(c);
      count = 1;
      parity = high ? -1 : 1;
    }
  }
  return out;
}

void FuzzWrap(Input& input, bool recogniseDoubleBytes) {
  // Mostly small widths; zero and negative widths too.
  const auto width = static_cast<int>(static_cast<std::int16_t>(input.Word()));
  const int w = (width & 0x3000) == 0x3000 ? width : width % 200;
  const std::string_view text = input.Rest();
  FUZZ_CHECK(WordWrap(text, w, recogniseDoubleBytes) == WrapByRule(text, w, recogniseDoubleBytes));
}

void FuzzMarks(Input& input) {
  const char markByte = static_cast<char>(input.Byte());
  const bool emptyMark = input.Byte() % 8 == 0;
  const std::string mark = emptyMark ? std::string() : std::string(1, markByte) + "tail";
  const std::string_view text = input.Rest();
  const std::string marked = AddMark(text, mark);
  FUZZ_CHECK(RemoveMark(marked, mark) == text);
  if (emptyMark || markByte == '\0') {
    FUZZ_CHECK(marked == text);
    FUZZ_CHECK(RemoveMark(text, mark) == text);
  } else {
    FUZZ_CHECK(marked.size() > text.size());
    FUZZ_CHECK(RemoveMark(text, mark).size() <= text.size());
  }
}

void FuzzRestore(Input& input) {
  // Offsets around the text and far past it.
  const std::size_t start = input.Word();
  const std::size_t end = input.Byte() % 4 == 0 ? SIZE_MAX - input.Byte() : input.Word();
  const std::string_view text = input.Rest();
  const std::string once = RestoreHighBits(text, start, end);
  FUZZ_CHECK(once.size() == text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool inside = start <= i && i < end;
    FUZZ_CHECK(static_cast<unsigned char>(once[i] ^ text[i]) == (inside ? 0x80 : 0));
  }
  FUZZ_CHECK(RestoreHighBits(once, start, end) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  switch (input.Byte() % 4) {
    case 0:
      FuzzWrap(input, false);
      break;
    case 1:
      FuzzWrap(input, true);
      break;
    case 2:
      FuzzMarks(input);
      break;
    default:
      FuzzRestore(input);
      break;
  }
  return 0;
}
