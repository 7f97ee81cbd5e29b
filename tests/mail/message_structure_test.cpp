#include "mail/message_structure.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vortane {
namespace {

// What a test expects of a leaf part: type, transfer encoding, body.
struct Leaf {
  std::string type;
  std::string encoding;
  std::string body;
  bool operator==(const Leaf&) const = default;
};

void PrintTo(const Leaf& l, std::ostream* os) {
  *os << l.type << " / " << l.encoding << " [" << l.body << "]";
}

std::vector<Leaf> Leaves(const MessageStructure& s) {
  std::vector<Leaf> leaves;
  for (const MessagePart& p : s.parts) {
    leaves.push_back({p.contentType.value, p.transferEncoding, std::string(p.body)});
  }
  return leaves;
}

struct StructureCase {
  const char* name;
  std::string message;
  std::vector<Leaf> leaves;
};

void PrintTo(const StructureCase& c, std::ostream* os) { *os << c.name; }

class MessageStructureCases : public ::testing::TestWithParam<StructureCase> {};

TEST_P(MessageStructureCases, LeafParts) {
  const MessageStructure s = ReadMessageStructure(GetParam().message);
  EXPECT_EQ(Leaves(s), GetParam().leaves);
  EXPECT_TRUE(s.problems.empty());
  for (std::size_t i = 0; i < s.parts.size(); ++i) {
    EXPECT_EQ(s.parts[i].index, i + 1);
  }
}

const std::string kTwoParts =
    "Content-Type: multipart/alternative; boundary=\"b1\"\n"
    "\n"
    "preamble\n"
    "--b1\n"
    "Content-Type: text/plain; charset=gb2312\n"
    "Content-Transfer-Encoding: Base64\n"
    "\n"
    "1tDOxA==\n"
    "--b1\n"
    "Content-Type: text/html\n"
    "\n"
    "<p>x</p>\n"
    "--b1--\n"
    "epilogue\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageStructureCases,
    ::testing::Values(
        StructureCase{"SinglePart",
                      "Subject: a\nContent-Type: TEXT/Plain\n\nbody\n",
                      {{"text/plain", "", "body\n"}}},
        StructureCase{
            "NoContentTypeIsTextPlain", "Subject: a\n\nbody", {{"text/plain", "", "body"}}},
        StructureCase{
            "TypeWithoutSubtypeIsTextPlain", "Content-Type: text\n\nx", {{"text/plain", "", "x"}}},
        StructureCase{"MboxFromLineSkipped",
                      "From a@b Mon Jan 1\nSubject: a\n\nx",
                      {{"text/plain", "", "x"}}},
        StructureCase{"TwoParts",
                      kTwoParts,
                      {{"text/plain", "base64", "1tDOxA=="}, {"text/html", "", "<p>x</p>"}}},
        StructureCase{
            "CrLfBeforeDelimiterBelongsToIt",
            "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nline\r\n\r\n--b--\r\n",
            {{"text/plain", "", "line\r\n"}}},
        StructureCase{"BlanksAfterDelimiter",
                      "Content-Type: multipart/mixed; boundary=b\n\n--b  \n\nx\n--b-- \t\n",
                      {{"text/plain", "", "x"}}},
        StructureCase{"MissingCloseDelimiter",
                      "Content-Type: multipart/mixed; boundary=b\n\n--b\n\nx\n--b\n\ny\n",
                      {{"text/plain", "", "x"}, {"text/plain", "", "y"}}},
        // The end of the message takes the last line end once, however deep.
        StructureCase{"NestedPartsLeftOpenAtTheEnd",
                      "Content-Type: multipart/mixed; boundary=o\n\n"
                      "--o\nContent-Type: multipart/alternative; boundary=i\n\n"
                      "--i\n\nlast\n\n",
                      {{"text/plain", "", "last\n"}}},
        StructureCase{"DelimiterNotAtLineStartIgnored",
                      "Content-Type: multipart/mixed; boundary=b\n\n--b\n\nx --b\n--b--\n",
                      {{"text/plain", "", "x --b"}}},
        // The inner boundary begins with the outer one: only whole lines match.
        StructureCase{
            "InnerBoundaryExtendsOuter",
            "Content-Type: multipart/mixed; boundary=b\n\n"
            "--b\nContent-Type: multipart/alternative; boundary=b_1\n\n"
            "--b_1\n\nin1\n--b_1\n\nin2\n--b_1--\n"
            "--b\n\nout\n--b--\n",
            {{"text/plain", "", "in1"}, {"text/plain", "", "in2"}, {"text/plain", "", "out"}}},
        // The inner multipart never closes; the outer delimiter ends it.
        StructureCase{"InnerCloseMissing",
                      "Content-Type: multipart/mixed; boundary=o\n\n"
                      "--o\nContent-Type: multipart/alternative; boundary=i\n\n"
                      "--i\n\nin\n"
                      "--o\n\nout\n--o--\n",
                      {{"text/plain", "", "in"}, {"text/plain", "", "out"}}},
        // Only junk follows the boundary on every line: lines that begin with it count.
        StructureCase{"SloppyDelimiterLines",
                      "Content-Type: multipart/mixed; boundary=b\n\n--b junk\n\nx\n--b--junk\n",
                      {{"text/plain", "", "x"}}},
        StructureCase{"NoBoundaryParameterIsOneTextLeaf",
                      "Content-Type: multipart/mixed\n\n--b\n\nx\n",
                      {{"text/plain", "", "--b\n\nx\n"}}},
        StructureCase{"BoundaryNeverOccursIsOneTextLeaf",
                      "Content-Type: multipart/mixed; boundary=zz\n\nhello\n",
                      {{"text/plain", "", "hello\n"}}},
        StructureCase{
            "DigestPartsDefaultToMessages",
            "Content-Type: multipart/digest; boundary=d\n\n--d\n\nSubject: x\n\nhi\n--d--\n",
            {{"message/rfc822", "", "Subject: x\n\nhi"}}},
        StructureCase{"AttachedMessageIsOneLeaf",
                      "Content-Type: multipart/mixed; boundary=b\n\n"
                      "--b\nContent-Type: message/rfc822\n\n"
                      "Content-Type: multipart/mixed; boundary=c\n\n--c\n\ninner\n--c--\n"
                      "--b--\n",
                      {{"message/rfc822", "",
                        "Content-Type: multipart/mixed; boundary=c\n\n--c\n\ninner\n--c--"}}},
        StructureCase{"PartWithoutHeaders",
                      "Content-Type: multipart/mixed; boundary=b\n\n--b\nplain line\n--b--\n",
                      {{"text/plain", "", "plain line"}}},
        StructureCase{"EncodingTokenOnly",
                      "Content-Transfer-Encoding:  Quoted-Printable (qp)\n\nx",
                      {{"text/plain", "quoted-printable", "x"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageStructureHeaders, TopLevelFieldsInOrderAndPartFields) {
  const MessageStructure s = ReadMessageStructure(kTwoParts);
  ASSERT_EQ(s.headers.size(), 1u);
  EXPECT_EQ(s.headers[0].name, "Content-Type");
  ASSERT_EQ(s.parts.size(), 2u);
  const MimeParameter* charset = FindMimeParameter(s.parts[0].contentType, "charset");
  ASSERT_NE(charset, nullptr);
  EXPECT_EQ(charset->value, "gb2312");
  EXPECT_EQ(s.parts[0].headers.size(), 2u);
}

TEST(MessageStructureHeaders, DispositionAndFileName) {
  const MessageStructure s = ReadMessageStructure(
      "Content-Type: application/pdf; name=a.pdf\n"
      "Content-Disposition: Attachment;\n filename=\"b.pdf\"\n\nx");
  ASSERT_EQ(s.parts.size(), 1u);
  EXPECT_EQ(s.parts[0].contentDisposition.value, "attachment");
  const MimeParameter* name = FindMimeParameter(s.parts[0].contentDisposition, "filename");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->value, "b.pdf");
}

std::string Nested(int depth) {
  std::string message;
  for (int i = 0; i < depth; ++i) {
    message += "Content-Type: multipart/mixed; boundary=b" + std::to_string(i) + "\n\n--b" +
               std::to_string(i) + "\n";
  }
  return message + "\ninnermost\n";
}

TEST(MessageStructureBounds, NestingBeyondTheBoundIsOneLeaf) {
  MailLimits limits;
  limits.maxNestingDepth = 3;
  const MessageStructure within = ReadMessageStructure(Nested(3), limits);
  ASSERT_EQ(within.parts.size(), 1u);
  EXPECT_EQ(within.parts[0].contentType.value, "text/plain");
  EXPECT_TRUE(within.problems.empty());

  const MessageStructure beyond = ReadMessageStructure(Nested(4), limits);
  ASSERT_EQ(beyond.parts.size(), 1u);
  EXPECT_EQ(beyond.parts[0].contentType.value, "multipart/mixed");
  EXPECT_EQ(beyond.problems, std::vector<MailProblem>{MailProblem::NestingTooDeep});
}

TEST(MessageStructureBounds, DeepNestingDoesNotExhaustTheStack) {
  const MessageStructure s = ReadMessageStructure(Nested(100000));
  EXPECT_EQ(s.parts.size(), 1u);
  EXPECT_EQ(s.problems, std::vector<MailProblem>{MailProblem::NestingTooDeep});
}

TEST(MessageStructureBounds, PartsBeyondTheBoundAreDropped) {
  std::string message = "Content-Type: multipart/mixed; boundary=b\n\n";
  for (int i = 0; i < 10; ++i) {
    message += "--b\n\npart" + std::to_string(i) + "\n";
  }
  MailLimits limits;
  limits.maxParts = 4;
  const MessageStructure s = ReadMessageStructure(message, limits);
  ASSERT_EQ(s.parts.size(), 4u);
  EXPECT_EQ(s.parts[3].body, "part3");
  EXPECT_EQ(s.problems, std::vector<MailProblem>{MailProblem::TooManyParts});
}

TEST(MessageStructureBounds, HugeHeaderIsCutAndNamed) {
  std::string message;
  for (int i = 0; i < 1000; ++i) {
    message += "X-Filler: " + std::string(100, 'x') + "\n";
  }
  message += "Subject: late\n\nbody";
  MailLimits limits;
  limits.maxHeaderBytes = 4096;
  const MessageStructure s = ReadMessageStructure(message, limits);
  EXPECT_LT(s.headers.size(), 50u);
  ASSERT_EQ(s.parts.size(), 1u);
  EXPECT_EQ(s.parts[0].body, "body");
  EXPECT_EQ(s.problems, std::vector<MailProblem>{MailProblem::HeaderTooLarge});
  EXPECT_NE(DescribeMailProblem(MailProblem::HeaderTooLarge, limits).find("4096"),
            std::string::npos);
}

}  // namespace
}  // namespace vortane
