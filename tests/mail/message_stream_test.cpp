#include "mail/message_stream.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/stream_check.h"

namespace vortane {
namespace {

struct StreamCase {
  const char* name;
  std::string input;
  bool mbox;
  std::vector<std::string> messages;
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> ReadAll(std::string_view input, std::size_t chunk, bool& mbox) {
  StringReader reader(input, chunk);
  MessageStreamReader messages(reader);
  std::vector<std::string> out;
  std::string message;
  while (messages.Next(message)) {
    out.push_back(message);
  }
  EXPECT_FALSE(messages.ReadFailed());
  mbox = messages.IsMbox();
  return out;
}

class MessageStreamCases : public ::testing::TestWithParam<StreamCase> {};

TEST_P(MessageStreamCases, SameMessagesAtEveryBlockSize) {
  const StreamCase& c = GetParam();
  for (const std::size_t chunk : testing::kCheckedBlockSizes) {
    bool mbox = false;
    EXPECT_EQ(ReadAll(c.input, chunk, mbox), c.messages) << "block size " << chunk;
    EXPECT_EQ(mbox, c.mbox);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageStreamCases,
    ::testing::Values(
        StreamCase{"SingleMessage", "Subject: a\n\nbody\n", false, {"Subject: a\n\nbody\n"}},
        StreamCase{"EmptyInput", "", false, {}},
        StreamCase{
            "FromLaterIsNotMbox", "Subject: a\n\nFrom me\n", false, {"Subject: a\n\nFrom me\n"}},
        StreamCase{"TwoMessages",
                   "From a Mon\nS: 1\n\nx\n\nFrom b Tue\nS: 2\n\ny\n",
                   true,
                   {"S: 1\n\nx\n", "S: 2\n\ny\n"}},
        StreamCase{"CrLfMbox",
                   "From a\r\nS: 1\r\n\r\nx\r\n\r\nFrom b\r\nS: 2\r\n\r\ny\r\n\r\n",
                   true,
                   {"S: 1\r\n\r\nx\r\n", "S: 2\r\n\r\ny\r\n"}},
        StreamCase{"FromWithoutEmptyLineBeforeStays",
                   "From a\nS: 1\n\nline\nFrom here on\n",
                   true,
                   {"S: 1\n\nline\nFrom here on\n"}},
        StreamCase{"QuotedFromStays",
                   "From a\nS: 1\n\n>From x\n\n>From y\n",
                   true,
                   {"S: 1\n\n>From x\n\n>From y\n"}},
        StreamCase{"EmptyMessage", "From a\n\nFrom b\nS: 2\n\ny\n", true, {"", "S: 2\n\ny\n"}},
        StreamCase{"OnlyFromLine", "From a", true, {""}},
        StreamCase{"LastWithoutFinalEmptyLine",
                   "From a\nS: 1\n\nx\n\nFrom b\nS: 2\n\ny",
                   true,
                   {"S: 1\n\nx\n", "S: 2\n\ny"}},
        StreamCase{"ThreeMessages",
                   "From a\n\n1\n\nFrom b\n\n2\n\nFrom c\n\n3\n",
                   true,
                   {"\n1\n", "\n2\n", "\n3\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageStream, ManyMessagesAcrossBlockEdges) {
  std::string input;
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string message =
        "Subject: " + std::to_string(i) + "\n\n" + std::string(i % 97, 'x') + "\n";
    input += "From sender " + std::to_string(i) + "\n" + message + "\n";
    expected.push_back(message);
  }
  bool mbox = false;
  EXPECT_EQ(ReadAll(input, 65536, mbox), expected);
  EXPECT_EQ(ReadAll(input, 4093, mbox), expected);
}

class FailingReader final : public ByteReader {
 public:
  ReadResult Read(std::span<char>) override { return {0, true}; }
};

TEST(MessageStream, ReadErrorEndsWithoutAMessage) {
  FailingReader reader;
  MessageStreamReader messages(reader);
  std::string message;
  EXPECT_FALSE(messages.Next(message));
  EXPECT_TRUE(messages.ReadFailed());
}

}  // namespace
}  // namespace vortane
