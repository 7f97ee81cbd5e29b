// Throughput of conversion by phrases over about 1 MB of generated Chinese
// mail text, beside the character rule over the same text. Loading OpenCC's
// dictionaries is timed on its own.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "charsets/charset_text.h"
#include "cjk/code_tables.h"
#include "cjk/gb_big5.h"
#include "phrases/phrase_codes.h"
#include "phrases/phrase_converter.h"

namespace vortane {
namespace {

using bench::Measure;

constexpr std::size_t kTextBytes = 1000 * 1000;  // UTF-8 bytes

// Words with one-to-many characters and everyday words, mixed with single
// GB level 1 Hanzi and punctuation.
constexpr std::array<std::string_view, 40> kWords = {
    "头发", "干杯", "皇后", "公里", "台风", "复杂", "时钟", "关系", "一只猫", "放松",
    "面条", "范围", "日历", "历史", "冲突", "制造", "手表", "尽管", "词汇",   "收获",
    "我们", "今天", "邮件", "附件", "谢谢", "请问", "会议", "时间", "地址",   "电话",
    "公司", "软件", "网络", "问题", "发展", "以后", "系统", "联系", "当然",   "旅游"};

std::string MakeUtf8Text() {
  std::vector<std::uint32_t> hanzi;
  for (const CodePair& row : GbUnicodeTable()) {
    const std::uint32_t gb = row.first + 0x8080;
    if (gb >= 0xB0A1 && gb < 0xD800) {
      hanzi.push_back(row.second);
    }
  }
  std::mt19937 rng(20240601);
  std::string text;
  std::size_t column = 0;
  while (text.size() < kTextBytes) {
    const std::uint32_t pick = rng() % 10;
    if (pick < 5) {
      text += kWords[rng() % kWords.size()];
      column += 2;
    } else if (pick < 9) {
      const std::uint32_t p = hanzi[rng() % hanzi.size()];
      text += {static_cast<char>(0xE0 | (p >> 12)), static_cast<char>(0x80 | ((p >> 6) & 0x3F)),
               static_cast<char>(0x80 | (p & 0x3F))};
      ++column;
    } else {
      text += rng() % 2 == 0 ? "，" : "。";
      ++column;
    }
    if (column > 30 + rng() % 10) {
      text += "\r\n";
      column = 0;
    }
  }
  return text;
}

const std::string& Utf8Text() {
  static const std::string text = MakeUtf8Text();
  return text;
}

const std::string& GbText() {
  static const std::string text = EncodeFromUtf8(Charset::Gb18030, Utf8Text()).bytes;
  return text;
}

const PhraseConverter& Converter(PhraseConfig config) {
  static std::array<std::unique_ptr<const PhraseConverter>, 7> loaded;
  auto& slot = loaded.at(static_cast<std::size_t>(config));
  if (!slot) {
    slot = PhraseConverter::Load(config).converter;
  }
  return *slot;
}

void BM_LoadS2twp(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(PhraseConverter::Load(PhraseConfig::S2twp));
  }
}
BENCHMARK(BM_LoadS2twp)->Unit(benchmark::kMillisecond);

void BM_GbToBig5ByPhrases(benchmark::State& state) {
  const PhraseConverter& converter = Converter(static_cast<PhraseConfig>(state.range(0)));
  state.SetLabel(std::string(PhraseConfigName(converter.config())));
  Measure(state, GbText(), [&](const std::string& input) {
    return ConvertCodesByPhrases(input, TextCode::Gb, TextCode::Big5, converter).bytes.size();
  });
}
BENCHMARK(BM_GbToBig5ByPhrases)
    ->Arg(static_cast<int>(PhraseConfig::S2tw))
    ->Arg(static_cast<int>(PhraseConfig::S2twp))
    ->Arg(static_cast<int>(PhraseConfig::S2hk))
    ->Unit(benchmark::kMillisecond);

void BM_Utf8ToUtf8ByPhrases(benchmark::State& state) {
  const PhraseConverter& converter = Converter(PhraseConfig::S2tw);
  Measure(state, Utf8Text(),
          [&](const std::string& input) { return converter.ConvertUtf8(input).size(); });
}
BENCHMARK(BM_Utf8ToUtf8ByPhrases)->Unit(benchmark::kMillisecond);

void BM_GbToBig5ByCharacters(benchmark::State& state) {
  Measure(state, GbText(),
          [](const std::string& input) { return ConvertGbToBig5Text(input).size(); });
}
BENCHMARK(BM_GbToBig5ByCharacters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vortane
