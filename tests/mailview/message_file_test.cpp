#include "mailview/message_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vortane {
namespace {

TEST(LooksLikeMessage, ByNameOrByTheStartOfAHeaderBlock) {
  const struct {
    std::string_view path;
    std::string_view head;
    bool message;
  } kCases[] = {
      {"/m/a.eml", "", true},
      {"/m/A.EML", "anything", true},
      {"box.Mbox", "", true},
      {"notes.txt", "From someone@example.cn Wed Dec  9 05:00:00 2026\n", true},
      {"x", "Received: from a\r\n\tby b\r\nFrom: a@b\r\nSubject: hi\r\n\r\nbody", true},
      {"x", "Return-Path: <a@b>\nX-Other: 1\n", true},
      {"x", "MIME-Version: 1.0\nContent-Type: text/plain\n\n", true},
      // A header block cut where the sniffed bytes end.
      {"x", "From: a@b\nTo: c@d\nSubj", true},
      // Text that only begins like a field.
      {"x", "Note: call home\nand buy milk\n", false},
      {"x", "Subject: one field only\n\nbody", false},
      {"x", "X-A: 1\nX-B: 2\n\n", false},  // no field every message carries
      {"x", " From: folded first\nDate: x\n", false},
      {"x", "Subject : blank before the colon\nDate: x\n", false},
      {"x", "", false},
      {"x.eml.txt", "plain text", false},
      {"x", "\xD6\xD0: gb name\nDate: x\n", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LooksLikeMessage(c.path, c.head), c.message) << c.path << " | " << c.head;
  }
}

}  // namespace
}  // namespace vortane
