#include "mail/transfer_decoding.h"

#include "codec/base64.h"
#include "codec/quoted_printable.h"

namespace vortane {
namespace {

bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

bool IsTrail(unsigned char b, DoubleByteFamily family) {
  if (b >= 0x40 && b <= 0x7E) {
    return true;
  }
  if (family == DoubleByteFamily::Gb) {
    return (b >= 0x80 && b <= 0xFE) || (b >= 0x30 && b <= 0x39);
  }
  return b >= 0xA1 && b <= 0xFE;
}

// The position after the line ends (CR LF or LF) that start at `pos`.
std::size_t SkipLineEnds(std::string_view bytes, std::size_t pos) {
  while (pos < bytes.size()) {
    if (bytes[pos] == '\n') {
      ++pos;
    } else if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
      pos += 2;
    } else {
      break;
    }
  }
  return pos;
}

}  // namespace

std::string DecodeTransferEncoding(std::string_view body, std::string_view encoding) {
  if (encoding == "base64") {
    std::string out;
    out.reserve(body.size() / 4 * 3 + 3);
    Base64StreamDecoder decoder;
    decoder.Feed(body, out);
    decoder.Finish(out);
    return out;
  }
  if (encoding == "quoted-printable") {
    return DecodeQuotedPrintableText(body, false);
  }
  return std::string(body);
}

std::string MendLineBreaksInsideCharacters(std::string_view bytes, DoubleByteFamily family) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (!IsLead(b)) {
      out.push_back(bytes[pos++]);
      continue;
    }
    if (pos + 1 < bytes.size() && IsTrail(static_cast<unsigned char>(bytes[pos + 1]), family)) {
      out.append(bytes, pos, 2);
      pos += 2;
      continue;
    }
    const std::size_t after = SkipLineEnds(bytes, pos + 1);
    if (after > pos + 1 && after < bytes.size() &&
        IsTrail(static_cast<unsigned char>(bytes[after]), family)) {
      out.append(bytes, pos + 1, after - pos - 1);
      out.push_back(bytes[pos]);
      out.push_back(bytes[after]);
      pos = after + 1;
      continue;
    }
    out.push_back(bytes[pos++]);
  }
  return out;
}

}  // namespace vortane
