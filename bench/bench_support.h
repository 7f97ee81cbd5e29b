// What the benchmarks share: a writer that only counts, and the loop that
// times one run over an input and reports its throughput.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"

namespace vortane::bench {

// Counts the bytes written and keeps nothing, so only the work is measured.
class CountingWriter final : public ByteWriter {
 public:
  [[nodiscard]] bool Write(std::string_view bytes) override {
    count += bytes.size();
    return true;
  }
  std::size_t count = 0;
};

// Times `run(input)`, which returns the size of its output, and reports the
// input bytes processed and the output size.
template <class Run>
void Measure(benchmark::State& state, const std::string& input, Run run) {
  std::size_t written = 0;
  for (auto _ : state) {
    written = run(input);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["output_bytes"] = static_cast<double>(written);
}

// Runs the stream function `decode` over `input` and returns the bytes it wrote.
template <class Decode>
std::size_t Stream(const std::string& input, Decode decode) {
  StringReader reader(input);
  CountingWriter writer;
  benchmark::DoNotOptimize(decode(reader, writer));
  return writer.count;
}

}  // namespace vortane::bench
