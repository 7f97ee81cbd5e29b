#include "converter/convert_stream.h"

#include <algorithm>
#include <cstring>

#include "cjk/byte_scan.h"
#include "cjk/code_map.h"
#include "converter/convert_kernels.h"

namespace vortane {
namespace {

constexpr unsigned char kBlank = 0x20;

CodeRoute RouteOf(TextCode sourceCode, TextCode resultCode) {
  if (sourceCode == TextCode::Gb && resultCode == TextCode::Big5) return CodeRoute::GbToBig5;
  if (sourceCode == TextCode::Big5 && resultCode == TextCode::Gb) return CodeRoute::Big5ToGb;
  if (sourceCode == TextCode::Unicode && resultCode == TextCode::Gb) return CodeRoute::UnicodeToGb;
  if (sourceCode == TextCode::Unicode && resultCode == TextCode::Big5) {
    return CodeRoute::UnicodeToBig5;
  }
  return CodeRoute::Copy;
}

bool IsIdentity(TextCode sourceCode, TextCode resultCode, BlankMode blankMode) {
  return sourceCode == resultCode && sourceCode != TextCode::Unicode &&
         blankMode == BlankMode::KeepStill;
}

inline char* Put(char* o, unsigned byte) {
  *o = static_cast<char>(byte & 0xFF);
  return o + 1;
}

// The vector path of the level over GB or Big5 text from i (at a unit's
// start), with the space held back before it; returns where it stopped.
template <BlankMode kMode>
std::size_t ConvertVectorPairs(SimdLevel level, const unsigned char* s, std::size_t n,
                               std::size_t i, char*& o, const std::uint16_t* codes, bool& pending) {
#if defined(__x86_64__)
  const unsigned char* p = s + i;
  if constexpr (kMode == BlankMode::KeepStill) {
    if (level == SimdLevel::Avx2) {
      o = ConvertPairsAvx2(p, s + n, o, codes);
    } else if (level == SimdLevel::Sse2) {
      o = ConvertPairsSse2(p, s + n, o, codes);
    }
    (void)pending;
  } else if (level == SimdLevel::Avx2) {
    o = kMode == BlankMode::AddBlank ? ConvertPairsAddAvx2(p, s + n, o, codes, pending)
                                     : ConvertPairsRemoveAvx2(p, s + n, o, codes, pending);
  }
  return static_cast<std::size_t>(p - s);
#else
  (void)level;
  (void)s;
  (void)n;
  (void)o;
  (void)codes;
  (void)pending;
  return i;
#endif
}

// The vector path of the level over big-endian units from the start of the
// block; returns where it stopped (at a unit's start).
std::size_t ConvertVectorUnits(SimdLevel level, const unsigned char* s, std::size_t n, char*& o,
                               const std::uint16_t* codes) {
#if defined(__x86_64__)
  const unsigned char* p = s;
  switch (level) {
    case SimdLevel::Avx2:
      o = ConvertUnitsAvx2(p, s + n, o, codes);
      break;
    case SimdLevel::Sse2:
      o = ConvertUnitsSse2(p, s + n, o, codes);
      break;
    case SimdLevel::Plain:
      break;
  }
  return static_cast<std::size_t>(p - s);
#else
  (void)level;
  (void)s;
  (void)n;
  (void)o;
  (void)codes;
  return 0;
#endif
}

}  // namespace

ConvertDecoder::ConvertDecoder(TextCode sourceCode, TextCode resultCode, BlankMode blankMode)
    : unicodeSource_(sourceCode == TextCode::Unicode),
      identity_(IsIdentity(sourceCode, resultCode, blankMode)),
      blankMode_(blankMode),
      codes_(SharedCodeMap(identity_ ? CodeRoute::Copy : RouteOf(sourceCode, resultCode))) {}

char* ConvertDecoder::PutSingle(unsigned char value, char* o, bool& pending) {
  if (pending) {
    o = Put(o, kBlank);
  }
  pending = value == kBlank;
  return pending ? o : Put(o, value);
}

template <BlankMode kMode>
char* ConvertDecoder::PutDouble(std::uint32_t key, char* o, bool& pending) const {
  if (kMode == BlankMode::AddBlank || (kMode == BlankMode::KeepStill && pending)) {
    o = Put(o, kBlank);
  }
  pending = false;
  const std::uint32_t code = codes_[key];
  o = Put(o, code >> 8);
  return Put(o, code);
}

template <BlankMode kMode>
char* ConvertDecoder::FeedDoubleByteText(const unsigned char* s, std::size_t n, char* o) {
  // The state lives in locals inside the loop: stores through `o` could
  // otherwise alias the members and force them to be reloaded. Under
  // KeepStill every space held back is written just before the next unit, so
  // that mode copies spaces like any other byte and never holds one back.
  bool pending = pendingBlank_;
  std::size_t i = 0;
  while (i < n) {
    i = ConvertVectorPairs<kMode>(simd, s, n, i, o, codes_.data(), pending);
    while (i + 1 < n && s[i] >= 0x80) {
      o = PutDouble<kMode>(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1], o, pending);
      i += 2;
    }
    if (i >= n) {
      break;
    }
    if (s[i] >= 0x80) {  // a lead byte whose trail is in the next block
      hasFirstByte_ = true;
      firstByte_ = s[i];
      break;
    }
    // A run of single-byte units comes through as it is, except that the
    // space held back before it goes first and a space ending it is held back.
    if (kMode != BlankMode::KeepStill && pending) {
      o = Put(o, kBlank);
    }
    const std::size_t run = detail::CopyAsciiRun(s + i, n - i, o);
    o += run;
    i += run;
    if (kMode != BlankMode::KeepStill) {
      pending = s[i - 1] == kBlank;
      o -= pending ? 1 : 0;
    }
  }
  pendingBlank_ = pending;
  return o;
}

template <BlankMode kMode>
char* ConvertDecoder::FeedUnits(const unsigned char* s, std::size_t n, char* o) {
  bool pending = pendingBlank_;
  const std::size_t high = littleEndian_ ? 1 : 0;
  const std::size_t low = 1 - high;
  std::size_t i = 0;
  if constexpr (kMode == BlankMode::KeepStill) {
    // Under KeepStill a space held back is written before whatever comes next.
    if (pending) {
      o = Put(o, kBlank);
      pending = false;
    }
    // The vector path reads big-endian units only.
    if (!littleEndian_) {
      i = ConvertVectorUnits(simd, s, n, o, codes_.data());
    }
  }
  if constexpr (kMode == BlankMode::AddBlank) {
    if (simd != SimdLevel::Plain) {
      return FeedUnitsAddingBlanks(s, n, o);
    }
  }
  for (; i + 2 <= n; i += 2) {
    if (s[i + high] == 0) {
      o = PutSingle(s[i + low], o, pending);
    } else {
      o = PutDouble<kMode>(static_cast<std::uint32_t>(s[i + high]) << 8 | s[i + low], o, pending);
    }
  }
  if (i < n) {
    hasFirstByte_ = true;
    firstByte_ = s[i];
  }
  pendingBlank_ = pending;
  return o;
}

char* ConvertDecoder::FeedUnitsAddingBlanks(const unsigned char* s, std::size_t n, char* o) {
  // Every single-byte unit is written at once, a space too; a double-byte
  // unit takes back the space just before it (its own blank stands for it),
  // and so does the end of the block (the space is held for the next one).
  // One four-byte store and no jump per unit, whatever the text mixes.
  const std::size_t high = littleEndian_ ? 1 : 0;
  const std::size_t low = 1 - high;
  std::uint32_t pending = pendingBlank_ ? 1 : 0;
  if (pending != 0) {
    *o++ = static_cast<char>(kBlank);
  }
  std::size_t i = 0;
#if defined(__x86_64__)
  if (simd == SimdLevel::Avx2) {
    const unsigned char* p = s;
    bool spaceBefore = pending != 0;
    o = ConvertUnitsAddAvx2(p, s + n, o, codes_.data(), littleEndian_, spaceBefore);
    i = static_cast<std::size_t>(p - s);
    pending = spaceBefore ? 1 : 0;
  }
#endif
  for (; i + 2 <= n; i += 2) {
    const std::uint32_t lead = s[i + high];
    const std::uint32_t value = s[i + low];
    const std::uint32_t isDouble = (lead + 0xFF) >> 8;  // 1 when the high byte is not 0
    const std::uint32_t wide = 0u - isDouble;
    const std::uint32_t code = codes_[lead << 8 | value];
    o -= pending & isDouble;
    const std::uint32_t bytes =
        ((kBlank | (code >> 8 & 0xFF) << 8 | (code & 0xFF) << 16) & wide) | (value & ~wide);
    std::memcpy(o, &bytes, 4);
    o += 1 + 2 * isDouble;
    pending = (1 - isDouble) & static_cast<std::uint32_t>(value == kBlank);
  }
  o -= pending;
  if (i < n) {
    hasFirstByte_ = true;
    firstByte_ = s[i];
  }
  pendingBlank_ = pending != 0;
  return o;
}

std::size_t ConvertDecoder::MaxOutput(std::size_t n) const {
  // A double-byte unit gives at most three bytes (with the blank in front of
  // it), a single-byte unit at most two (with the space held back); the run
  // copy may write as far ahead as the input has bytes left.
  return 2 * n + 4 + kSimdSlack;
}

void ConvertDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

char* ConvertDecoder::FeedInto(std::string_view block, char* o) {
  if (identity_) {
    std::memcpy(o, block.data(), block.size());
    return o + block.size();
  }
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  if (n == 0) {
    return o;
  }
  if (unicodeSource_ && atStart_) {
    // The little-endian mark decides the byte order of the whole source.
    if (!hasFirstByte_ && n < 2) {
      hasFirstByte_ = true;
      firstByte_ = s[0];
      return o;
    }
    atStart_ = false;
    const unsigned char first = hasFirstByte_ ? firstByte_ : s[0];
    const unsigned char second = hasFirstByte_ ? s[0] : s[1];
    if (first == 0xFF && second == 0xFE) {
      littleEndian_ = true;
      const std::size_t markBytes = hasFirstByte_ ? 1 : 2;
      hasFirstByte_ = false;
      return FeedInto(block.substr(markBytes), o);
    }
  }
  std::size_t i = 0;
  if (hasFirstByte_) {
    // Complete the unit split by the block edge.
    hasFirstByte_ = false;
    const unsigned char high = littleEndian_ ? s[0] : firstByte_;
    const unsigned char low = littleEndian_ ? firstByte_ : s[0];
    const std::uint32_t key = static_cast<std::uint32_t>(high) << 8 | low;
    bool pending = pendingBlank_;
    if (unicodeSource_ && high == 0) {
      o = PutSingle(low, o, pending);
    } else if (blankMode_ == BlankMode::AddBlank) {
      o = PutDouble<BlankMode::AddBlank>(key, o, pending);
    } else if (blankMode_ == BlankMode::RemoveBlank) {
      o = PutDouble<BlankMode::RemoveBlank>(key, o, pending);
    } else {
      o = PutDouble<BlankMode::KeepStill>(key, o, pending);
    }
    pendingBlank_ = pending;
    i = 1;
  }
  s += i;
  const std::size_t rest = n - i;
  switch (blankMode_) {
    case BlankMode::AddBlank:
      o = unicodeSource_ ? FeedUnits<BlankMode::AddBlank>(s, rest, o)
                         : FeedDoubleByteText<BlankMode::AddBlank>(s, rest, o);
      break;
    case BlankMode::RemoveBlank:
      o = unicodeSource_ ? FeedUnits<BlankMode::RemoveBlank>(s, rest, o)
                         : FeedDoubleByteText<BlankMode::RemoveBlank>(s, rest, o);
      break;
    case BlankMode::KeepStill:
    default:
      o = unicodeSource_ ? FeedUnits<BlankMode::KeepStill>(s, rest, o)
                         : FeedDoubleByteText<BlankMode::KeepStill>(s, rest, o);
      break;
  }
  return o;
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
