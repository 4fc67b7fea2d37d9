// The rich text (RTF) of a rendered 10,000-hit result, against copying the
// same text byte by byte into a new string: the ratio is the cost of
// escaping and styling per byte.
#include <benchmark/benchmark.h>

#include "core/results/render.h"
#include "core/results/rich_text.h"
#include "win/large_result.h"

using namespace tvp;

namespace {

const TRenderedResult& Rendered() {
  static const TRenderedResult result = [] {
    TTVPSettings settings;
    settings.NamazuVersion = "2.0";
    return RenderResultText(test::LargeNamazuResult(10000), settings, {}, {}, "C:\\Mail\\");
  }();
  return result;
}

void BM_CopyText(benchmark::State& state) {
  const std::string& text = Rendered().Text;
  for (auto _ : state) {
    std::string copy;
    for (char c : text) copy += c;
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond);

void BM_RichText(benchmark::State& state) {
  const TRenderedResult& r = Rendered();
  for (auto _ : state) benchmark::DoNotOptimize(RichText(r.Text, r.Styles).data());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(r.Text.size()));
}
BENCHMARK(BM_RichText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
