#include "converter/convert_stream.h"

#include <algorithm>

#include "cjk/byte_scan.h"
#include "cjk/code_tables.h"

namespace vortane {
namespace {

constexpr unsigned char kBlank = 0x20;

using Lookup = std::optional<std::uint16_t> (*)(std::uint32_t);

Lookup RouteLookup(TextCode sourceCode, TextCode resultCode) {
  if (sourceCode == TextCode::Gb && resultCode == TextCode::Big5) return LookupGbToBig5;
  if (sourceCode == TextCode::Big5 && resultCode == TextCode::Gb) return LookupBig5ToGb;
  if (sourceCode == TextCode::Unicode && resultCode == TextCode::Gb) return LookupUnicodeToGb;
  if (sourceCode == TextCode::Unicode && resultCode == TextCode::Big5) return LookupUnicodeToBig5;
  return nullptr;
}

inline char* Put(char* o, unsigned byte) {
  *o = static_cast<char>(byte & 0xFF);
  return o + 1;
}

}  // namespace

ConvertDecoder::ConvertDecoder(TextCode sourceCode, TextCode resultCode, BlankMode blankMode)
    : unicodeSource_(sourceCode == TextCode::Unicode),
      identity_(sourceCode == resultCode && sourceCode != TextCode::Unicode &&
                blankMode == BlankMode::KeepStill),
      blankMode_(blankMode),
      lookup_(RouteLookup(sourceCode, resultCode)) {}

char* ConvertDecoder::PutSingle(unsigned char value, char* o) {
  if (pendingBlank_) {
    o = Put(o, kBlank);
  }
  pendingBlank_ = value == kBlank;
  return pendingBlank_ ? o : Put(o, value);
}

char* ConvertDecoder::PutDouble(std::uint32_t key, char* o) {
  if (blankMode_ == BlankMode::AddBlank || (blankMode_ == BlankMode::KeepStill && pendingBlank_)) {
    o = Put(o, kBlank);
  }
  pendingBlank_ = false;
  if (lookup_ != nullptr) {
    if (const auto code = lookup_(key)) {
      o = Put(o, *code >> 8);
      return Put(o, *code);
    }
  }
  o = Put(o, key >> 8);
  return Put(o, key);
}

char* ConvertDecoder::FeedDoubleByteText(const unsigned char* s, std::size_t n, char* o) {
  std::size_t i = 0;
  while (i < n) {
    if (s[i] >= 0x80) {
      if (i + 1 == n) {
        hasFirstByte_ = true;
        firstByte_ = s[i];
        break;
      }
      o = PutDouble(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1], o);
      i += 2;
      continue;
    }
    // A run of single-byte units comes through as it is, except that the
    // space held back before it goes first and a space ending it is held back.
    const std::size_t run = detail::AsciiRunLength(s + i, n - i);
    if (pendingBlank_) {
      o = Put(o, kBlank);
    }
    o = std::copy_n(s + i, run, o);
    i += run;
    pendingBlank_ = s[i - 1] == kBlank;
    if (pendingBlank_) {
      --o;
    }
  }
  return o;
}

char* ConvertDecoder::FeedUnits(const unsigned char* s, std::size_t n, char* o) {
  std::size_t i = 0;
  for (; i + 2 <= n; i += 2) {
    if (s[i] == 0) {
      o = PutSingle(s[i + 1], o);
    } else {
      o = PutDouble(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1], o);
    }
  }
  if (i < n) {
    hasFirstByte_ = true;
    firstByte_ = s[i];
  }
  return o;
}

void ConvertDecoder::Feed(std::string_view block, std::string& out) {
  if (identity_) {
    out.append(block);
    return;
  }
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  if (n == 0) {
    return;
  }
  const std::size_t base = out.size();
  // A double-byte unit gives at most three bytes (with the blank in front of
  // it), a single-byte unit at most two (with the space held back).
  out.resize(base + 2 * n + 4);
  char* o = out.data() + base;
  std::size_t i = 0;
  if (hasFirstByte_) {
    // Complete the unit split by the block edge.
    hasFirstByte_ = false;
    if (unicodeSource_ && firstByte_ == 0) {
      o = PutSingle(s[0], o);
    } else {
      o = PutDouble(static_cast<std::uint32_t>(firstByte_) << 8 | s[0], o);
    }
    i = 1;
  }
  o = unicodeSource_ ? FeedUnits(s + i, n - i, o) : FeedDoubleByteText(s + i, n - i, o);
  out.resize(static_cast<std::size_t>(o - out.data()));
}

void ConvertDecoder::Finish(std::string& out) {
  if (hasFirstByte_) {
    // An incomplete last unit is no character: it passes unchanged, like a
    // single-byte unit, after the space held back before it.
    if (pendingBlank_) {
      out.push_back(static_cast<char>(kBlank));
      pendingBlank_ = false;
    }
    out.push_back(static_cast<char>(firstByte_));
    hasFirstByte_ = false;
  }
  if (pendingBlank_) {
    out.push_back(static_cast<char>(kBlank));
    pendingBlank_ = false;
  }
}

StreamStatus ConvertStream(ByteReader& source, ByteWriter& result, TextCode sourceCode,
                           TextCode resultCode, BlankMode blankMode) {
  ConvertDecoder decoder(sourceCode, resultCode, blankMode);
  return PumpStream(decoder, source, result);
}

}  // namespace vortane
