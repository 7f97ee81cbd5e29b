// Throughput of the file decodings over a few MB of generated mail text.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"

namespace vortane {
namespace {

using bench::Measure;
using bench::Stream;

constexpr std::size_t kInputSize = 4 * 1024 * 1024;

// GB text: mostly double-byte characters (lead A1-F7, trail A1-FE) with some
// ASCII words between them.
std::string MakeGbText(std::mt19937& rng, std::size_t size) {
  std::string text;
  text.reserve(size + 16);
  while (text.size() < size) {
    if (rng() % 8 == 0) {
      text += " mail ";
    } else {
      text += static_cast<char>(0xA1 + rng() % (0xF7 - 0xA1 + 1));
      text += static_cast<char>(0xA1 + rng() % 94);
    }
  }
  return text;
}

std::string MakeBase64Input() {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::mt19937 rng(1);
  std::string text;
  text.reserve(kInputSize + 80);
  while (text.size() < kInputSize) {
    // 76 characters of random bytes, then CR LF.
    for (int i = 0; i < 76; ++i) {
      text += kAlphabet[rng() % 64];
    }
    text += "\r\n";
  }
  return text + "=";
}

std::string MakeQuotedPrintableInput() {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::mt19937 rng(2);
  const std::string gb = MakeGbText(rng, kInputSize / 3);
  std::string text;
  text.reserve(kInputSize + 80);
  std::size_t column = 0;
  for (unsigned char b : gb) {
    if (column >= 72) {
      text += "=\r\n";
      column = 0;
    }
    if (b >= 0x80 || b == '=') {
      text += '=';
      text += kDigits[b >> 4];
      text += kDigits[b & 0x0F];
      column += 3;
    } else {
      text += static_cast<char>(b);
      ++column;
    }
  }
  return text;
}

std::string MakeHzInput() {
  std::mt19937 rng(3);
  std::string text;
  text.reserve(kInputSize + 200);
  while (text.size() < kInputSize) {
    // A line of GB characters written 7-bit between "~{" and "~}", with the
    // ASCII words outside them, then CR LF.
    bool gbMode = false;
    for (const unsigned char b : MakeGbText(rng, 60)) {
      if ((b >= 0x80) != gbMode) {
        gbMode = !gbMode;
        text += gbMode ? "~{" : "~}";
      }
      text += static_cast<char>(b & 0x7F);
    }
    text += gbMode ? "~}\r\n" : "\r\n";
  }
  return text;
}

void BM_DecodeBase64Stream(benchmark::State& state) {
  static const std::string input = MakeBase64Input();
  Measure(state, input, [](const std::string& in) { return Stream(in, DecodeBase64Stream); });
}
BENCHMARK(BM_DecodeBase64Stream)->Unit(benchmark::kMillisecond);

void BM_DecodeQuotedPrintableStream(benchmark::State& state) {
  static const std::string input = MakeQuotedPrintableInput();
  Measure(state, input,
          [](const std::string& in) { return Stream(in, DecodeQuotedPrintableStream); });
}
BENCHMARK(BM_DecodeQuotedPrintableStream)->Unit(benchmark::kMillisecond);

void BM_DecodeHzStream(benchmark::State& state) {
  static const std::string input = MakeHzInput();
  Measure(state, input, [](const std::string& in) { return Stream(in, DecodeHzStream); });
}
BENCHMARK(BM_DecodeHzStream)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vortane
