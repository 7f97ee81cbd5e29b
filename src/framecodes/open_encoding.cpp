#include "framecodes/open_encoding.h"

#include <algorithm>

#include "charsets/charset_stream.h"

namespace vortane {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF"sv;
constexpr std::string_view kUtf16LeMark = "\xFF\xFE"sv;
constexpr std::string_view kUtf16BeMark = "\xFE\xFF"sv;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"sv;

// Most UTF-8 bytes one input byte gives in any of the encodings (a broken
// byte becomes U+FFFD, three bytes), with room for what a decoder holds.
constexpr std::size_t kMaxUtf8PerByte = 4;
constexpr std::size_t kHeldMargin = 16;

Charset CharsetOf(OpenEncoding encoding) {
  switch (encoding) {
    case OpenEncoding::Utf16Le:
      return Charset::Utf16Le;
    case OpenEncoding::Utf16Be:
      return Charset::Utf16Be;
    case OpenEncoding::Gb18030:
      return Charset::Gb18030;
    case OpenEncoding::Big5Hkscs:
      return Charset::Big5Hkscs;
    case OpenEncoding::Bytes:
    case OpenEncoding::Utf8:
      break;
  }
  return Charset::Utf8;
}

std::string_view MarkOf(OpenEncoding encoding) {
  switch (encoding) {
    case OpenEncoding::Utf8:
      return kUtf8Mark;
    case OpenEncoding::Utf16Le:
      return kUtf16LeMark;
    case OpenEncoding::Utf16Be:
      return kUtf16BeMark;
    default:
      return {};
  }
}

std::size_t CountReplacements(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t at = utf8.find(kReplacement); at != std::string_view::npos;
       at = utf8.find(kReplacement, at + kReplacement.size())) {
    ++count;
  }
  return count;
}

// The length of `utf8` cut to at most `limit` bytes at a character's end.
std::size_t CutAtCharacter(std::string_view utf8, std::size_t limit) {
  if (utf8.size() <= limit) {
    return utf8.size();
  }
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
    --end;
  }
  return end;
}

OpenedText BytesAsTheyAre(std::string_view head) {
  OpenedText text;
  const std::string_view kept = head.substr(0, std::min(head.size(), kOpenTextLimit));
  const std::size_t nul = kept.find('\0');
  text.bytes.assign(kept.substr(0, nul));
  text.cut = head.size() > kOpenTextLimit || nul != std::string_view::npos;
  return text;
}

}  // namespace

std::optional<OpenEncoding> MarkedOpenEncoding(std::string_view head) {
  if (head.starts_with(kUtf8Mark)) {
    return OpenEncoding::Utf8;
  }
  if (head.starts_with(kUtf16LeMark)) {
    return OpenEncoding::Utf16Le;
  }
  if (head.starts_with(kUtf16BeMark)) {
    return OpenEncoding::Utf16Be;
  }
  return std::nullopt;
}

OpenedText MakeOpenedText(std::string_view head, OpenEncoding encoding) {
  if (encoding == OpenEncoding::Bytes) {
    return BytesAsTheyAre(head);
  }
  const bool wholeFile = head.size() < kOpenReadLimit;
  std::string_view body = head;
  if (const std::string_view mark = MarkOf(encoding); body.starts_with(mark)) {
    body.remove_prefix(mark.size());
  }
  CharsetDecoder decoder(CharsetOf(encoding));
  std::string utf8;
  std::size_t unreadable = 0;
  // Large pieces while they cannot reach the limit, then byte by byte, so that
  // only the sequences of the kept text are counted.
  auto feedUntilCut = [&](std::string_view piece, bool finish) {
    const std::size_t sizeBefore = utf8.size();
    const std::size_t unreadableBefore = decoder.Unreadable();
    if (finish) {
      decoder.Finish(utf8);
    } else {
      decoder.Feed(piece, utf8);
    }
    const std::size_t nul = utf8.find('\0', sizeBefore);
    if (nul == std::string::npos && utf8.size() <= kOpenTextLimit) {
      unreadable = decoder.Unreadable();
      return false;
    }
    const std::size_t end = CutAtCharacter(std::string_view(utf8).substr(0, nul), kOpenTextLimit);
    const std::size_t added = end > sizeBefore ? end - sizeBefore : 0;
    unreadable = unreadableBefore +
                 std::min(CountReplacements(std::string_view(utf8).substr(sizeBefore, added)),
                          decoder.Unreadable() - unreadableBefore);
    utf8.resize(end);
    return true;
  };
  OpenedText text;
  text.displayCode = DisplayCode::Utf8;
  bool stopped = false;
  while (!body.empty() && !stopped) {
    const std::size_t room = kOpenTextLimit - std::min(utf8.size(), kOpenTextLimit);
    const std::size_t piece = std::clamp<std::size_t>(
        room > kHeldMargin ? (room - kHeldMargin) / kMaxUtf8PerByte : 1, 1, body.size());
    stopped = feedUntilCut(body.substr(0, piece), false);
    body.remove_prefix(piece);
  }
  if (!stopped && wholeFile) {
    stopped = feedUntilCut({}, true);
  }
  text.cut = stopped || !wholeFile;
  text.bytes = std::move(utf8);
  text.unreadable = unreadable;
  return text;
}

}  // namespace vortane
