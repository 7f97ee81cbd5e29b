// Automatic repair: the readings of any bytes. The input is the text itself.
// Every reading keeps its promises: at most three steps, a final code of the
// three, well-formed UTF-8 that reads as Chinese, running its chain again
// gives the same text and score, best first, no text twice.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "detect/code_points.h"
#include "detect/readings.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<Reading> readings = FindReadings(bytes);
  for (std::size_t i = 0; i < readings.size(); ++i) {
    const Reading& reading = readings[i];
    FUZZ_CHECK(reading.steps.size() <= kMostSteps);
    FUZZ_CHECK(reading.code == Charset::Utf8 || reading.code == Charset::Gb18030 ||
               reading.code == Charset::Big5Hkscs);
    FUZZ_CHECK(IsUtf8(reading.text));
    const std::optional<Reading> again = ReadWithChain(bytes, reading.steps, reading.code);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->text == reading.text);
    FUZZ_CHECK(again->score == reading.score);
    FUZZ_CHECK(!ChainInWords(reading).empty());
    if (i > 0) {
      FUZZ_CHECK(readings[i - 1].score >= reading.score);
    }
    for (std::size_t j = 0; j < i; ++j) {
      FUZZ_CHECK(readings[j].text != reading.text);
    }
  }
  const Charset all[] = {Charset::Utf8, Charset::Gb18030, Charset::Big5Hkscs};
  FUZZ_CHECK(BestCodeFor(bytes, all).has_value());
  return 0;
}
