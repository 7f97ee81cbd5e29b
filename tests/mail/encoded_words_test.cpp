#include "mail/encoded_words.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vortane {
namespace {

struct Piece {
  bool encoded;
  std::string label;
  std::string bytes;
  bool operator==(const Piece&) const = default;
};

void PrintTo(const Piece& p, std::ostream* os) {
  *os << (p.encoded ? "encoded " + p.label + " [" : "plain [") << p.bytes << "]";
}

struct SplitCase {
  const char* name;
  std::string value;
  std::vector<Piece> pieces;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class EncodedWordSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(EncodedWordSplit, Pieces) {
  std::vector<Piece> got;
  for (const HeaderPiece& p : SplitEncodedWords(GetParam().value)) {
    got.push_back({p.encoded, p.charsetLabel, p.bytes});
  }
  EXPECT_EQ(got, GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodedWordSplit,
    ::testing::Values(
        SplitCase{"PlainOnly", "hello world", {{false, "", "hello world"}}},
        SplitCase{"OneBWord", "=?gb2312?B?1tDOxA==?=", {{true, "gb2312", "\xD6\xD0\xCE\xC4"}}},
        SplitCase{"OneQWord", "=?utf-8?Q?a_b=3Dc?=", {{true, "utf-8", "a b=c"}}},
        // Outlook cuts a character between two words: the bytes must join first.
        SplitCase{"CharacterSplitAcrossWords",
                  "=?utf-8?B?5Lg=?= =?utf-8?B?rQ==?=",
                  {{true, "utf-8", "\xE4\xB8\xAD"}}},
        SplitCase{"LabelsJoinIgnoringCase",
                  "=?GB2312?Q?=D6?= =?gb2312?Q?=D0?=",
                  {{true, "GB2312", "\xD6\xD0"}}},
        SplitCase{
            "FoldedBlanksBetweenWordsDropped", "=?x?Q?a?=\t \t=?x?Q?b?=", {{true, "x", "ab"}}},
        SplitCase{"DifferentCharsetsStayApartGapDropped",
                  "=?a?Q?1?= =?b?Q?2?=",
                  {{true, "a", "1"}, {true, "b", "2"}}},
        SplitCase{"SpaceBeforeAndAfterPlainTextKept",
                  "Re: =?x?Q?a?= (b)",
                  {{false, "", "Re: "}, {true, "x", "a"}, {false, "", " (b)"}}},
        SplitCase{"TextBetweenWordsKept",
                  "=?x?Q?a?= and =?x?Q?b?=",
                  {{true, "x", "a"}, {false, "", " and "}, {true, "x", "b"}}},
        SplitCase{"WordsTouchingJoin", "=?x?Q?a?==?x?Q?b?=", {{true, "x", "ab"}}},
        SplitCase{"InsideQuotes",
                  "\"=?x?Q?Li?=\" <li@example.com>",
                  {{false, "", "\""}, {true, "x", "Li"}, {false, "", "\" <li@example.com>"}}},
        SplitCase{"NextToText",
                  "ab=?x?Q?c?=de",
                  {{false, "", "ab"}, {true, "x", "c"}, {false, "", "de"}}},
        SplitCase{"LanguageSuffixDropped", "=?utf-8*zh-cn?Q?a?=", {{true, "utf-8", "a"}}},
        SplitCase{"LowerCaseEncoding", "=?x?b?YQ==?=", {{true, "x", "a"}}},
        SplitCase{"UnknownEncodingIsText", "=?x?X?a?=", {{false, "", "=?x?X?a?="}}},
        SplitCase{"SpaceInsideIsText", "=?x?Q?a b?=", {{false, "", "=?x?Q?a b?="}}},
        SplitCase{"UnclosedIsText", "=?x?Q?abc", {{false, "", "=?x?Q?abc"}}},
        SplitCase{"EmptyLabelIsText",
                  "=?"
                  "?Q?a?=",
                  {{false, "",
                    "=?"
                    "?Q?a?="}}},
        SplitCase{"EmptyText",
                  "=?x?B?"
                  "?=",
                  {{true, "x", ""}}},
        SplitCase{"FalseStartThenWord", "=?=?x?Q?a?=", {{false, "", "=?"}, {true, "x", "a"}}},
        SplitCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WordTextCase {
  const char* name;
  char encoding;
  std::string text;
  std::string bytes;
};

void PrintTo(const WordTextCase& c, std::ostream* os) { *os << c.name; }

class EncodedWordText : public ::testing::TestWithParam<WordTextCase> {};

TEST_P(EncodedWordText, Bytes) {
  EXPECT_EQ(DecodeEncodedWordText(GetParam().encoding, GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodedWordText,
                         ::testing::Values(WordTextCase{"BPadded", 'B', "YWI=", "ab"},
                                           WordTextCase{"BUnpaddedPartialGroup", 'B', "YWI", "ab"},
                                           WordTextCase{"BStopsAtPadding", 'B', "YQ==YWI=", "a"},
                                           WordTextCase{"QUnderscore", 'Q', "a_b", "a b"},
                                           WordTextCase{"QLowerHex", 'Q', "=d6=d0", "\xD6\xD0"},
                                           WordTextCase{"QBadEscapeKept", 'Q', "=G1=", "=G1="},
                                           WordTextCase{"QEscapedUnderscore", 'Q', "=5F", "_"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
