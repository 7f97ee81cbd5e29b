#include "codec/hz.h"

#include <cstdint>
#include <cstring>

#include "codec/hz_kernels.h"

namespace vortane {
namespace {

// Adding 0x80 modulo 256 flips the top bit.
constexpr unsigned char kGbShift = 0x80;

unsigned char Shift(bool gbMode) { return gbMode ? kGbShift : 0; }

// The file rule for one byte; writes at most two bytes at dst.
char* StepByte(HzStreamDecoder& d, unsigned char c, char* dst) {
  const unsigned char shift = Shift(d.gbMode);
  if (!d.afterTilde) {
    if (c == '~') {
      d.afterTilde = true;
    } else {
      *dst++ = static_cast<char>(c ^ shift);
    }
    return dst;
  }
  if (c == '{' || c == '}') {
    d.gbMode = c == '{';
    d.afterTilde = false;
  } else if (c == '~' && d.gbMode) {
    // A GB character whose trail byte is "~" may stand right before "~}": the
    // second "~" must still be able to begin that escape.
    *dst++ = static_cast<char>('~' ^ shift);
  } else {
    *dst++ = static_cast<char>('~' ^ shift);
    *dst++ = static_cast<char>(c ^ shift);
    d.afterTilde = false;
  }
  return dst;
}

// Copies a run of bytes with `shift` applied to each, a word at a time.
char* CopyShifted(const unsigned char* p, std::size_t length, unsigned char shift, char* dst) {
  if (shift == 0) {
    std::memcpy(dst, p, length);
    return dst + length;
  }
  constexpr std::uint64_t kWordShift = 0x8080808080808080;
  std::size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    word ^= kWordShift;
    std::memcpy(dst + i, &word, 8);
  }
  for (; i < length; ++i) {
    dst[i] = static_cast<char>(p[i] ^ shift);
  }
  return dst + length;
}

// The vector path of the level, with no "~" pending: whole windows of bytes
// and escapes while a whole vector of input remains.
const unsigned char* DecodeRuns(SimdLevel level, const unsigned char* p, const unsigned char* end,
                                char*& dst, bool& gbMode) {
#if defined(__x86_64__)
  switch (level) {
    case SimdLevel::Avx2:
      return DecodeHzAvx2(p, end, dst, gbMode);
    case SimdLevel::Sse2:
      return DecodeHzSse2(p, end, dst, gbMode);
    case SimdLevel::Plain:
      break;
  }
#else
  (void)level;
  (void)end;
  (void)dst;
  (void)gbMode;
#endif
  return p;
}

}  // namespace

std::string DecodeHzText(std::string_view text) {
  const std::size_t n = text.size();
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::string out(n, '\0');
  char* dst = out.data();
  bool gbMode = false;
  std::size_t p = 0;
  while (p < n) {
    const unsigned char c = bytes[p];
    // A "~" in the last position meets the terminating 0 and stays a plain byte.
    const unsigned char next = p + 1 < n ? bytes[p + 1] : 0;
    if (c == '~' && (next == '{' || next == '}')) {
      gbMode = next == '{';
      p += 2;
    } else {
      *dst++ = static_cast<char>(c ^ Shift(gbMode));
      ++p;
    }
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

std::size_t HzStreamDecoder::MaxOutput(std::size_t n) const {
  // A "~" carried in from the previous block may add one byte to the output.
  return n + 1 + kSimdSlack;
}

void HzStreamDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

char* HzStreamDecoder::FeedInto(std::string_view block, char* dst) {
  const auto* p = reinterpret_cast<const unsigned char*>(block.data());
  const auto* const end = p + block.size();
  while (p < end) {
    if (!afterTilde) {
      p = DecodeRuns(simd, p, end, dst, gbMode);
      if (p == end) {
        break;
      }
      if (*p != '~') {
        // A run without "~" is copied whole, shifted in GB mode.
        const void* found = std::memchr(p, '~', static_cast<std::size_t>(end - p));
        const auto* const runEnd =
            found != nullptr ? static_cast<const unsigned char*>(found) : end;
        dst = CopyShifted(p, static_cast<std::size_t>(runEnd - p), Shift(gbMode), dst);
        p = runEnd;
        continue;
      }
      if (end - p >= 2) {
        // "~" and the byte after it inside the block, decided at once.
        const unsigned char next = p[1];
        if (next == '{' || next == '}') {
          gbMode = next == '{';
          p += 2;
        } else if (next == '~' && gbMode) {
          *dst++ = static_cast<char>('~' ^ kGbShift);
          p += 1;
        } else {
          const unsigned char shift = Shift(gbMode);
          *dst++ = static_cast<char>('~' ^ shift);
          *dst++ = static_cast<char>(next ^ shift);
          p += 2;
        }
        continue;
      }
    }
    dst = StepByte(*this, *p++, dst);
  }
  return dst;
}

void HzStreamDecoder::Finish(std::string& out) {
  // A "~" at the very end of the input is written alone.
  if (afterTilde) {
    out.push_back(static_cast<char>('~' ^ Shift(gbMode)));
    afterTilde = false;
  }
}

StreamStatus DecodeHzStream(ByteReader& in, ByteWriter& out) {
  HzStreamDecoder decoder;
  return PumpStream(decoder, in, out);
}

}  // namespace vortane
