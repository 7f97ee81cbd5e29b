// Throughput of the Chinese code conversions and the UTF decodings over a few
// MB of generated Chinese mail text: Hanzi that both GB and Big5 hold, ASCII
// words, blanks and CR LF lines.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench_support.h"
#include "cjk/code_tables.h"
#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "converter/convert_stream.h"

namespace vortane {
namespace {

using bench::Measure;
using bench::Stream;

constexpr std::size_t kTextCharacters = 2 * 1024 * 1024;

// The text as Unicode code points: lines of 40 to 76 columns, seven words in
// ten Hanzi (GB level 1 codes that the GB-Big5 table holds), the rest
// lower-case ASCII words, blanks between words.
std::vector<std::uint32_t> MakeText() {
  std::vector<std::uint32_t> hanzi;
  for (const CodePair& row : GbUnicodeTable()) {
    const std::uint32_t gb = row.first + 0x8080;
    if (gb >= 0xB0A1 && gb < 0xD800 && LookupGbToBig5(gb)) {
      hanzi.push_back(row.second);
    }
  }
  std::mt19937 rng(20240601);
  std::vector<std::uint32_t> text;
  text.reserve(kTextCharacters + 100);
  while (text.size() < kTextCharacters) {
    const std::uint32_t limit = 40 + rng() % 37;
    std::uint32_t width = 0;
    while (width < limit) {
      if (width > 0) {
        text.push_back(' ');
        ++width;
      }
      if (rng() % 10 < 7 && !hanzi.empty()) {
        for (std::uint32_t k = 1 + rng() % 8; k > 0; --k, width += 2) {
          text.push_back(hanzi[rng() % hanzi.size()]);
        }
      } else {
        for (std::uint32_t k = 2 + rng() % 7; k > 0; --k, ++width) {
          text.push_back('a' + rng() % 26);
        }
      }
    }
    text.push_back('\r');
    text.push_back('\n');
  }
  return text;
}

std::string ToGb(const std::vector<std::uint32_t>& text) {
  std::string gb;
  for (const std::uint32_t cp : text) {
    if (const auto code = LookupUnicodeToGb(cp)) {
      gb += static_cast<char>(*code >> 8);
      gb += static_cast<char>(*code & 0xFF);
    } else {
      gb += static_cast<char>(cp);
    }
  }
  return gb;
}

std::string ToUtf8(const std::vector<std::uint32_t>& text) {
  std::string utf8;
  for (const std::uint32_t cp : text) {
    if (cp < 0x80) {
      utf8 += static_cast<char>(cp);
    } else {
      utf8 += static_cast<char>(0xE0 | cp >> 12);
      utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return utf8;
}

// ASCII directly, each stretch of Hanzi as a Base64 run closed by "-".
std::string ToUtf7(const std::vector<std::uint32_t>& text) {
  static constexpr std::string_view kBase64 =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string utf7;
  std::size_t k = 0;
  while (k < text.size()) {
    if (text[k] < 0x80) {
      utf7 += static_cast<char>(text[k++]);
      continue;
    }
    utf7 += '+';
    std::uint32_t bits = 0;
    int count = 0;
    for (; k < text.size() && text[k] >= 0x80; ++k) {
      bits = bits << 16 | text[k];
      count += 16;
      while (count >= 6) {
        count -= 6;
        utf7 += kBase64[(bits >> count) & 0x3F];
      }
    }
    if (count > 0) {
      utf7 += kBase64[(bits << (6 - count)) & 0x3F];
    }
    utf7 += '-';
  }
  return utf7;
}

const std::vector<std::uint32_t>& Text() {
  static const std::vector<std::uint32_t> text = MakeText();
  return text;
}

void BM_ConvertStreamGbToBig5(benchmark::State& state) {
  static const std::string input = ToGb(Text());
  const auto mode = static_cast<BlankMode>(state.range(0));
  Measure(state, input, [mode](const std::string& in) {
    return Stream(in, [mode](ByteReader& r, ByteWriter& w) {
      return ConvertStream(r, w, TextCode::Gb, TextCode::Big5, mode);
    });
  });
}
BENCHMARK(BM_ConvertStreamGbToBig5)
    ->Arg(static_cast<int>(BlankMode::KeepStill))
    ->Arg(static_cast<int>(BlankMode::AddBlank))
    ->Unit(benchmark::kMillisecond);

void BM_ConvertGbToBig5Text(benchmark::State& state) {
  static const std::string input = ToGb(Text());
  Measure(state, input, [](const std::string& in) { return ConvertGbToBig5Text(in).size(); });
}
BENCHMARK(BM_ConvertGbToBig5Text)->Unit(benchmark::kMillisecond);

void BM_DecodeUtf8TextToGb(benchmark::State& state) {
  static const std::string input = ToUtf8(Text());
  Measure(state, input,
          [](const std::string& in) { return DecodeUtf8Text(in, TextCode::Gb).size(); });
}
BENCHMARK(BM_DecodeUtf8TextToGb)->Unit(benchmark::kMillisecond);

void BM_DecodeUtf8TextStreamToGb(benchmark::State& state) {
  static const std::string input = ToUtf8(Text());
  Measure(state, input, [](const std::string& in) {
    return Stream(
        in, [](ByteReader& r, ByteWriter& w) { return DecodeUtf8TextStream(r, w, TextCode::Gb); });
  });
}
BENCHMARK(BM_DecodeUtf8TextStreamToGb)->Unit(benchmark::kMillisecond);

void BM_DecodeUtf8Stream(benchmark::State& state) {
  static const std::string input = ToUtf8(Text());
  Measure(state, input, [](const std::string& in) { return Stream(in, DecodeUtf8Stream); });
}
BENCHMARK(BM_DecodeUtf8Stream)->Unit(benchmark::kMillisecond);

void BM_DecodeUtf7Stream(benchmark::State& state) {
  static const std::string input = ToUtf7(Text());
  Measure(state, input, [](const std::string& in) { return Stream(in, DecodeUtf7Stream); });
}
BENCHMARK(BM_DecodeUtf7Stream)->Unit(benchmark::kMillisecond);

void BM_ConvertStreamUnicodeToGb(benchmark::State& state) {
  static const std::string input = [] {
    std::string units;
    for (const std::uint32_t cp : Text()) {
      units += static_cast<char>(cp >> 8);
      units += static_cast<char>(cp & 0xFF);
    }
    return units;
  }();
  Measure(state, input, [](const std::string& in) {
    return Stream(in, [](ByteReader& r, ByteWriter& w) {
      return ConvertStream(r, w, TextCode::Unicode, TextCode::Gb, BlankMode::KeepStill);
    });
  });
}
BENCHMARK(BM_ConvertStreamUnicodeToGb)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vortane
