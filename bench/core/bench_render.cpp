// Rendering a Namazu 2 result of 10,000 hits (with summaries, the way
// namazu writes it with --all) against the least any reader of that file
// has to do: read it and split it into lines. The ratio of the two is the
// cost of the rendering itself.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>

#include "core/common/sjis.h"
#include "core/results/render.h"
#include "large_result.h"

using namespace tvp;

namespace {

const int kHits = 10000;

// The result file on disk, written once.
const std::string& ResultFile() {
  static const std::string path = [] {
    std::string p = "/tmp/tvp_bench_result_" + std::to_string(kHits) + ".txt";
    std::ofstream(p, std::ios::binary) << test::LargeNamazuResult(kHits);
    return p;
  }();
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string s(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0).read(&s[0], static_cast<std::streamsize>(s.size()));
  return s;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
  const std::string& path = ResultFile();
  for (auto _ : state) {
    std::vector<std::string> lines = SplitLines(ReadWhole(path));
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ReadWhole(path).size()));
}
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);

void BM_ReadAndRender(benchmark::State& state) {
  const std::string& path = ResultFile();
  TTVPSettings settings;
  settings.NamazuVersion = "2.0";
  settings.RenameToFolderName = "1";
  std::vector<TFolderInfo> folders(2);
  folders[0].Title = "郵便受け";
  folders[1].Title = "表計算";
  TTVPSearchInfo request;
  request.FolderCount = 2;
  request.FolderIndexes = {0, 1};
  size_t hits = 0;
  for (auto _ : state) {
    TRenderedResult r = RenderResultText(ReadWhole(path), settings, request, folders, "C:\\Mail\\");
    hits = r.Hits.size();
    benchmark::DoNotOptimize(r.LinkMap.data());
  }
  if (hits != kHits) state.SkipWithError("wrong number of hits");
  state.counters["hits"] = static_cast<double>(hits);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ReadWhole(path).size()));
}
BENCHMARK(BM_ReadAndRender)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
