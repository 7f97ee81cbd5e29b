// Time for a frame to show a large decoded text that has no line break: the
// bytes set into a shown frame and the frame painted once (Qt offscreen
// unless QT_QPA_PLATFORM says otherwise). Built with the desktop program as
// vortane_frame_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstddef>
#include <cstdint>
#include <string>

#include "gui/byte_frame.h"

namespace vortane {
namespace {

constexpr std::size_t kInputBytes = 4 * 1024 * 1024;

// An HTML part without line breaks: tags, words and entities, ASCII only.
std::string OneLineHtml() {
  const std::string piece =
      "<tr><td class=\"item\">Order 1042 &amp; shipping</td><td align=right>12.50</td></tr>";
  std::string html;
  while (html.size() + piece.size() <= kInputBytes) {
    html += piece;
  }
  return html;
}

// GB text without line breaks: Hanzi with some ASCII words and an occasional
// byte that shows as a stand-in.
std::string OneLineGb() {
  const std::string piece = "\xD6\xD0\xCE\xC4\xD3\xCA\xBC\xFE mail \xB2\xE2\xCA\xD4 \x81\x01 ";
  std::string gb;
  while (gb.size() + piece.size() <= kInputBytes) {
    gb += piece;
  }
  return gb;
}

void ShowOnce(benchmark::State& state, const std::string& bytes) {
  ByteFrame frame;
  frame.resize(800, 600);
  frame.show();
  QApplication::processEvents();
  for (auto _ : state) {
    frame.SetBytes(bytes);
    QApplication::processEvents();
    benchmark::DoNotOptimize(frame.grab());
    state.PauseTiming();
    frame.SetBytes({});
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ShowOneLineHtml(benchmark::State& state) { ShowOnce(state, OneLineHtml()); }
void BM_ShowOneLineGb(benchmark::State& state) { ShowOnce(state, OneLineGb()); }

BENCHMARK(BM_ShowOneLineHtml)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ShowOneLineGb)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace vortane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
