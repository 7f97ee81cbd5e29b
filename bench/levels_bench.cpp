// Throughput of every stream decoder at each vector level this processor runs
// (plain, SSE2, AVX2), over the first 16 MB of the inputs bench/floor.sh makes
// (run it once first; $FLOOR_DATA_DIR names another folder). The output goes
// nowhere, so only the decoding is timed, in the 256 KiB blocks of a file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "bench_support.h"
#include "charsets/recode_stream.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "codec/simd_level.h"
#include "converter/convert_stream.h"

namespace vortane {
namespace {

constexpr std::size_t kInputBytes = 16 * 1000 * 1000;
constexpr std::size_t kFileBlock = 256 * 1024;

// Reads memory in the blocks a file is read in.
class FileLikeReader final : public ByteReader {
 public:
  explicit FileLikeReader(std::string_view data) : data_(data) {}
  ReadResult Read(std::span<char> buffer) override {
    const std::size_t n = std::min(buffer.size(), data_.size());
    std::copy_n(data_.data(), n, buffer.data());
    data_.remove_prefix(n);
    return {n, false};
  }
  [[nodiscard]] std::size_t BlockSize() const override { return kFileBlock; }

 private:
  std::string_view data_;
};

// The start of a floor input, read once; empty when it is missing.
const std::string& Input(const std::string& name) {
  static std::map<std::string, std::string> inputs;
  auto it = inputs.find(name);
  if (it == inputs.end()) {
    const char* dir = std::getenv("FLOOR_DATA_DIR");
    std::ifstream file(
        (dir != nullptr ? std::string(dir) : VORTANE_SOURCE_DIR "/bench/data/floor") + "/" + name,
        std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    bytes.resize(std::min(bytes.size(), kInputBytes));
    it = inputs.emplace(name, std::move(bytes)).first;
  }
  return it->second;
}

template <class Decoder>
void Run(benchmark::State& state, const std::string& input, Decoder decoder) {
  if (input.empty()) {
    state.SkipWithError("input missing: run bench/floor.sh first");
    return;
  }
  const auto level = static_cast<SimdLevel>(state.range(0));
  state.SetLabel(SimdLevelName(level));
  bench::Measure(state, input, [&](const std::string& in) {
    Decoder d = decoder;
    d.simd = level;
    FileLikeReader reader(in);
    bench::CountingWriter writer;
    benchmark::DoNotOptimize(PumpStream(d, reader, writer));
    return writer.count;
  });
}

// The same for a decoder that cannot be copied: a fresh one from `make` each run.
template <class Make>
void RunMade(benchmark::State& state, const std::string& input, Make make) {
  if (input.empty()) {
    state.SkipWithError("input missing: run bench/floor.sh first");
    return;
  }
  const auto level = static_cast<SimdLevel>(state.range(0));
  state.SetLabel(SimdLevelName(level));
  bench::Measure(state, input, [&](const std::string& in) {
    auto d = make();
    d.simd = level;
    FileLikeReader reader(in);
    bench::CountingWriter writer;
    benchmark::DoNotOptimize(PumpStream(d, reader, writer));
    return writer.count;
  });
}

void Recode(benchmark::State& state, const char* input, Charset from, Charset to) {
  RunMade(state, Input(input), [from, to] { return RecodeDecoder(from, to); });
}

void Levels(benchmark::internal::Benchmark* b) {
  for (const SimdLevel level : SupportedSimdLevels()) {
    b->Arg(static_cast<int>(level));
  }
  b->Unit(benchmark::kMillisecond);
}

void BM_Base64(benchmark::State& s) { Run(s, Input("random.b64"), Base64StreamDecoder{}); }
void BM_QuotedPrintable(benchmark::State& s) {
  Run(s, Input("gb.qp"), QuotedPrintableStreamDecoder{});
}
void BM_Hz(benchmark::State& s) { Run(s, Input("gb.hz"), HzStreamDecoder{}); }
void BM_Utf7(benchmark::State& s) { Run(s, Input("zh.utf7"), Utf7Decoder{}); }
void BM_Utf8(benchmark::State& s) { Run(s, Input("zh.utf8"), Utf8StreamDecoder{}); }
void BM_Utf8TextGb(benchmark::State& s) { Run(s, Input("zh.utf8"), Utf8TextDecoder(TextCode::Gb)); }
void BM_ConvertGbBig5(benchmark::State& s) {
  Run(s, Input("gb.txt"), ConvertDecoder(TextCode::Gb, TextCode::Big5, BlankMode::KeepStill));
}
void BM_ConvertUnicodeGb(benchmark::State& s) {
  Run(s, Input("zh.utf16"), ConvertDecoder(TextCode::Unicode, TextCode::Gb, BlankMode::KeepStill));
}
void BM_ConvertGbBig5Add(benchmark::State& s) {
  Run(s, Input("gb.txt"), ConvertDecoder(TextCode::Gb, TextCode::Big5, BlankMode::AddBlank));
}

BENCHMARK(BM_Base64)->Apply(Levels);
BENCHMARK(BM_QuotedPrintable)->Apply(Levels);
BENCHMARK(BM_Hz)->Apply(Levels);
BENCHMARK(BM_Utf7)->Apply(Levels);
BENCHMARK(BM_Utf8)->Apply(Levels);
BENCHMARK(BM_Utf8TextGb)->Apply(Levels);
BENCHMARK(BM_ConvertGbBig5)->Apply(Levels);
BENCHMARK(BM_ConvertUnicodeGb)->Apply(Levels);
void BM_ConvertBig5GbRemove(benchmark::State& s) {
  Run(s, Input("big5.txt"), ConvertDecoder(TextCode::Big5, TextCode::Gb, BlankMode::RemoveBlank));
}

BENCHMARK(BM_ConvertGbBig5Add)->Apply(Levels);
BENCHMARK(BM_ConvertBig5GbRemove)->Apply(Levels);

void BM_RecodeGb18030Utf8(benchmark::State& s) {
  Recode(s, "gb.txt", Charset::Gb18030, Charset::Utf8);
}
void BM_RecodeUtf8Gb18030(benchmark::State& s) {
  Recode(s, "zh.utf8", Charset::Utf8, Charset::Gb18030);
}
void BM_RecodeBig5HkscsUtf8(benchmark::State& s) {
  Recode(s, "big5.txt", Charset::Big5Hkscs, Charset::Utf8);
}
void BM_RecodeUtf8Big5Hkscs(benchmark::State& s) {
  Recode(s, "zh.utf8", Charset::Utf8, Charset::Big5Hkscs);
}
void BM_RecodeUtf16LeUtf8(benchmark::State& s) {
  Recode(s, "zh.utf16le", Charset::Utf16Le, Charset::Utf8);
}
void BM_RecodeUtf8Utf16(benchmark::State& s) {
  Recode(s, "zh.utf8", Charset::Utf8, Charset::Utf16);
}

BENCHMARK(BM_RecodeGb18030Utf8)->Apply(Levels);
BENCHMARK(BM_RecodeUtf8Gb18030)->Apply(Levels);
BENCHMARK(BM_RecodeBig5HkscsUtf8)->Apply(Levels);
BENCHMARK(BM_RecodeUtf8Big5Hkscs)->Apply(Levels);
BENCHMARK(BM_RecodeUtf16LeUtf8)->Apply(Levels);
BENCHMARK(BM_RecodeUtf8Utf16)->Apply(Levels);

}  // namespace
}  // namespace vortane
