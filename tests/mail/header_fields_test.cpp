#include "mail/header_fields.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vortane {
namespace {

struct SplitCase {
  const char* name;
  std::string entity;
  std::vector<std::pair<std::string, std::string>> fields;  // name, raw value
  std::string body;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class HeaderSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(HeaderSplit, FieldsAndBody) {
  const SplitCase& c = GetParam();
  const HeaderBlock block = SplitHeaderBlock(c.entity, 1 << 20);
  std::vector<std::pair<std::string, std::string>> got;
  for (const HeaderField& f : block.fields) {
    got.emplace_back(std::string(f.name), std::string(f.rawValue));
  }
  EXPECT_EQ(got, c.fields);
  EXPECT_EQ(c.entity.substr(block.bodyStart), c.body);
  EXPECT_FALSE(block.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderSplit,
    ::testing::Values(
        SplitCase{"LfLineEnds", "A: 1\nB: 2\n\nbody\n", {{"A", "1"}, {"B", "2"}}, "body\n"},
        SplitCase{"CrLfLineEnds", "A: 1\r\nB: 2\r\n\r\nbody", {{"A", "1"}, {"B", "2"}}, "body"},
        SplitCase{
            "FoldingKept", "Subject: a\r\n\tb\r\n c\r\n\r\n", {{"Subject", "a\r\n\tb\r\n c"}}, ""},
        SplitCase{
            "ValueOnNextLine", "Subject:\n\t=?x?B?YQ==?=\n\n", {{"Subject", "=?x?B?YQ==?="}}, ""},
        SplitCase{"BlankBeforeColon", "Subject : hi\n\n", {{"Subject", "hi"}}, ""},
        SplitCase{"EmptyValue", "A:\nB: 2\n\n", {{"A", ""}, {"B", "2"}}, ""},
        SplitCase{"NoEmptyLineBodyStartsAtNonField",
                  "A: 1\nthis is text\nmore\n",
                  {{"A", "1"}},
                  "this is text\nmore\n"},
        SplitCase{
            "NameWithBlankIsNotAField", "A: 1\nnot a: field\n", {{"A", "1"}}, "not a: field\n"},
        SplitCase{"ContinuationBeforeAnyFieldDropped", " stray\nA: 1\n\nb", {{"A", "1"}}, "b"},
        SplitCase{"NoBodyAtAll", "A: 1\nB: 2", {{"A", "1"}, {"B", "2"}}, ""},
        SplitCase{"EmptyHeader", "\nbody", {}, "body"},
        SplitCase{"ColonInValueKept", "Date: 12:30:00\n\n", {{"Date", "12:30:00"}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderSplit, FieldsPastTheBoundAreDroppedAndTheBodyStillFound) {
  const std::string entity = "A: 1\nB: " + std::string(100, 'x') + "\n\tmore\nC: 3\n\nbody";
  const HeaderBlock block = SplitHeaderBlock(entity, 10);
  ASSERT_EQ(block.fields.size(), 2u);  // A and B begin within the bound
  EXPECT_EQ(block.fields[1].name, "B");
  EXPECT_TRUE(block.truncated);
  EXPECT_EQ(entity.substr(block.bodyStart), "body");
}

struct UnfoldCase {
  const char* name;
  std::string raw;
  std::string unfolded;
};

void PrintTo(const UnfoldCase& c, std::ostream* os) { *os << c.name; }

class HeaderUnfold : public ::testing::TestWithParam<UnfoldCase> {};

TEST_P(HeaderUnfold, LineEndsBeforeBlanksGo) {
  EXPECT_EQ(UnfoldHeaderValue(GetParam().raw), GetParam().unfolded);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderUnfold,
                         ::testing::Values(UnfoldCase{"CrLfTab", "a\r\n\tb", "a\tb"},
                                           UnfoldCase{"LfBlank", "a\n b", "a b"},
                                           UnfoldCase{"SeveralBlanksKept", "a\n   b", "a   b"},
                                           UnfoldCase{"FinalLineEnd", "a\r\n", "a"},
                                           UnfoldCase{"BareCrKept", "a\rb", "a\rb"},
                                           UnfoldCase{"Plain", "abc", "abc"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderFind, FirstFieldOfTheNameInAnyCase) {
  const std::string entity = "content-type: a\nContent-Type: b\n\n";
  const HeaderBlock block = SplitHeaderBlock(entity, 1 << 20);
  const HeaderField* field = FindHeaderField(block.fields, "Content-TYPE");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->rawValue, "a");
  EXPECT_EQ(FindHeaderField(block.fields, "Subject"), nullptr);
}

}  // namespace
}  // namespace vortane
