#include "codec/base64.h"

#include <array>

#include "codec/base64_kernels.h"

namespace vortane {
namespace {

// Per-byte class and value: 0..63 for Alphabet, or one of the two markers.
constexpr std::uint8_t kSkipMark = 0x40;
constexpr std::uint8_t kStopMark = 0x80;

constexpr std::array<std::uint8_t, 256> MakeCharTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& entry : table) {
    entry = kStopMark;
  }
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
  }
  table['\r'] = kSkipMark;
  table['\n'] = kSkipMark;
  table[' '] = kSkipMark;
  return table;
}

constexpr std::array<std::uint8_t, 256> kCharTable = MakeCharTable();

// For the whole-group loop: the value of a byte already shifted to its place in
// the 24-bit group, and a bit above the 24 for every byte that is not Alphabet,
// so four lookups ORed together tell at once whether the group is clean.
constexpr std::uint32_t kNotAlphabet = 0x01000000;

constexpr std::array<std::uint32_t, 256> MakePlaceTable(int shift) {
  std::array<std::uint32_t, 256> table{};
  for (std::size_t c = 0; c < 256; ++c) {
    table[c] =
        kCharTable[c] < 64 ? static_cast<std::uint32_t>(kCharTable[c]) << shift : kNotAlphabet;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kPlace0 = MakePlaceTable(18);
constexpr std::array<std::uint32_t, 256> kPlace1 = MakePlaceTable(12);
constexpr std::array<std::uint32_t, 256> kPlace2 = MakePlaceTable(6);
constexpr std::array<std::uint32_t, 256> kPlace3 = MakePlaceTable(0);

// Bytes of a group that a Stop byte ended after `taken` values (packed in the
// low bits of `group`): b0 after two values, b0 and b1 after three, else none.
char* WritePartialGroup(std::uint32_t group, int taken, char* dst) {
  if (taken == 2) {
    *dst++ = static_cast<char>((group >> 4) & 0xFF);
  } else if (taken == 3) {
    *dst++ = static_cast<char>((group >> 10) & 0xFF);
    *dst++ = static_cast<char>((group >> 2) & 0xFF);
  }
  return dst;
}

char* WriteGroup(std::uint32_t group, char* dst) {
  dst[0] = static_cast<char>((group >> 16) & 0xFF);
  dst[1] = static_cast<char>((group >> 8) & 0xFF);
  dst[2] = static_cast<char>(group & 0xFF);
  return dst + 3;
}

// The vector paths for the level: whole groups of Alphabet bytes, and the
// line ends between groups, while a whole vector of input remains; they stop
// where the exact rule must decide (a Stop byte, a group split by a line end).
const unsigned char* DecodeWholeGroups(SimdLevel level, const unsigned char* p,
                                       const unsigned char* end, char*& dst) {
#if defined(__x86_64__)
  switch (level) {
    case SimdLevel::Avx2:
      return DecodeBase64GroupsAvx2(p, end, dst);
    case SimdLevel::Sse2:
      return DecodeBase64GroupsSse2(p, end, dst);
    case SimdLevel::Plain:
      break;
  }
#else
  (void)level;
  (void)end;
  (void)dst;
#endif
  return p;
}

}  // namespace

Base64CharKind ClassifyBase64Char(unsigned char byte) {
  const std::uint8_t entry = kCharTable[byte];
  if (entry < 64) {
    return Base64CharKind::Alphabet;
  }
  return entry == kSkipMark ? Base64CharKind::Skip : Base64CharKind::Stop;
}

int Base64CharValue(unsigned char byte) {
  const std::uint8_t entry = kCharTable[byte];
  return entry < 64 ? entry : -1;
}

std::string DecodeBase64Text(std::string_view text) {
  const std::size_t n = text.size();
  // Position n holds the text's terminating 0, a Stop byte; nothing past it is read.
  const auto at = [&](std::size_t i) -> unsigned char {
    return i < n ? static_cast<unsigned char>(text[i]) : 0;
  };
  std::string out(n / 4 * 3 + 3, '\0');
  char* const begin = out.data();
  char* dst = begin;
  std::size_t p = 0;
  // A group is begun only while at least four bytes remain from p.
  while (p + 4 <= n) {
    std::uint32_t group = 0;
    for (int k = 0; k < 4; ++k) {
      std::uint8_t entry = kCharTable[at(p)];
      while (entry == kSkipMark) {
        entry = kCharTable[at(++p)];
      }
      if (entry == kStopMark) {
        dst = WritePartialGroup(group, k, dst);
        out.resize(static_cast<std::size_t>(dst - begin));
        return out;
      }
      group = (group << 6) | entry;
      ++p;
    }
    dst = WriteGroup(group, dst);
  }
  out.resize(static_cast<std::size_t>(dst - begin));
  return out;
}

std::size_t Base64StreamDecoder::MaxOutput(std::size_t n) const {
  // A carried group gives at most three bytes, every four bytes of the block three more.
  return n / 4 * 3 + 3 + kSimdSlack;
}

void Base64StreamDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

char* Base64StreamDecoder::FeedInto(std::string_view block, char* dst) {
  if (stopped) {
    return dst;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(block.data());
  const auto* const end = p + block.size();
  while (p < end) {
    if (taken == 0) {
      // Whole groups of four Alphabet bytes: the common case of a long line.
      p = DecodeWholeGroups(simd, p, end, dst);
      while (end - p >= 4) {
        const std::uint32_t v = kPlace0[p[0]] | kPlace1[p[1]] | kPlace2[p[2]] | kPlace3[p[3]];
        if ((v & kNotAlphabet) != 0) {
          break;
        }
        dst = WriteGroup(v, dst);
        p += 4;
      }
      if (p == end) {
        break;
      }
    }
    // One byte by the exact rule: line ends, Stop bytes, groups across block edges.
    const std::uint8_t entry = kCharTable[*p++];
    if (entry == kSkipMark) {
      continue;
    }
    if (entry == kStopMark) {
      dst = WritePartialGroup(group, taken, dst);
      stopped = true;
      break;
    }
    group = (group << 6) | entry;
    if (++taken == 4) {
      dst = WriteGroup(group, dst);
      group = 0;
      taken = 0;
    }
  }
  return dst;
}

void Base64StreamDecoder::Finish(std::string& out) {
  if (stopped) {
    return;
  }
  // The end of the input is a Stop byte.
  char bytes[2];
  const char* const end = WritePartialGroup(group, taken, bytes);
  out.append(bytes, static_cast<std::size_t>(end - bytes));
  stopped = true;
}

StreamStatus DecodeBase64Stream(ByteReader& in, ByteWriter& out) {
  Base64StreamDecoder decoder;
  return PumpStream(decoder, in, out);
}

}  // namespace vortane
