#include "codec/byte_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <random>
#include <string>

#include "codec/base64.h"
#include "codec/hz.h"
#include "support/block_stream.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ToHex;

using testing::BlockReader;
using testing::BlockWriter;

struct PumpCase {
  const char* name;
  int readFailsAt;
  int writeFailsAt;
};

void PrintTo(const PumpCase& c, std::ostream* os) { *os << c.name; }

struct PumpResult {
  StreamStatus status;
  std::string written;
  int reads;
};

template <class Decoder>
PumpResult Pump(std::string_view input, std::size_t blockSize, bool overlapped, const PumpCase& c) {
  Decoder decoder;
  BlockReader reader(input, blockSize, overlapped, c.readFailsAt);
  BlockWriter writer(overlapped, c.writeFailsAt);
  const StreamStatus status = PumpStream(decoder, reader, writer);
  return {status, writer.bytes(), reader.reads()};
}

class OverlappedPump : public ::testing::TestWithParam<PumpCase> {};

// The overlapped pump (reading ahead and writing behind on a helper thread)
// gives the bytes and the outcome of the pump in series, and reads at most
// one block more.
TEST_P(OverlappedPump, GivesWhatThePumpInSeriesGives) {
  const PumpCase& c = GetParam();
  std::mt19937 rng(41);
  for (int round = 0; round < 12; ++round) {
    std::string text = testing::RandomBytesFrom(rng, 1000 + rng() % 3000, "~{}ab\r\n", 2);
    for (const std::size_t blockSize : {7u, 64u, 1000u}) {
      const PumpResult serial = Pump<HzStreamDecoder>(text, blockSize, false, c);
      const PumpResult overlapped = Pump<HzStreamDecoder>(text, blockSize, true, c);
      ASSERT_EQ(overlapped.status, serial.status) << blockSize;
      ASSERT_EQ(ToHex(overlapped.written), ToHex(serial.written)) << blockSize;
      ASSERT_LE(overlapped.reads, serial.reads + 1) << blockSize;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OverlappedPump,
                         ::testing::Values(PumpCase{"NoFailure", 0, 0},
                                           PumpCase{"FirstReadFails", 1, 0},
                                           PumpCase{"ThirdReadFails", 3, 0},
                                           PumpCase{"FirstWriteFails", 0, 1},
                                           PumpCase{"SecondWriteFails", 0, 2},
                                           PumpCase{"ReadFailsAfterWriteFails", 4, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OverlappedPump, DecoderThatIsDoneIgnoresTheBlockReadAhead) {
  // Base64 is done at the first "=": the block read ahead after it fails,
  // and that failure does not count.
  const std::string text = "QUJD=" + std::string(200, 'Q');
  for (const bool overlapped : {false, true}) {
    Base64StreamDecoder decoder;
    BlockReader reader(text, 8, overlapped, 2);
    BlockWriter writer(overlapped, 0);
    EXPECT_EQ(PumpStream(decoder, reader, writer), StreamStatus::Ok) << overlapped;
    EXPECT_EQ(writer.bytes(), "ABC") << overlapped;
  }
}

TEST(OverlappedPump, OnlyWhenReaderAndWriterAllowIt) {
  // A reader that may not be read ahead is read no further than it must be.
  const std::string text = "QUJD=" + std::string(200, 'Q');
  for (const bool writerAllows : {false, true}) {
    Base64StreamDecoder decoder;
    BlockReader reader(text, 8, false, 0);
    BlockWriter writer(writerAllows, 0);
    EXPECT_EQ(PumpStream(decoder, reader, writer), StreamStatus::Ok);
    EXPECT_EQ(reader.reads(), 1);
  }
}

}  // namespace
}  // namespace vortane
