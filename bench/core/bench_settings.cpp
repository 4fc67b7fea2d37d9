// Loading and saving a settings file whose search history holds N entries
// (FormulaHistoryCount = N, History1..N): both must grow linearly with N.
#include <benchmark/benchmark.h>

#include "core/settings/settings.h"

using namespace tvp;

namespace {

std::string FileWithHistory(int n) {
  IniFile ini;
  WriteDefaultSettings(ini);
  TTVPSettings s;
  LoadSettings(ini, s);
  s.FormulaHistoryCount = std::to_string(n);
  s.History.clear();
  for (int i = 1; i <= n; ++i) s.History.push_back("検索式 " + std::to_string(i) + " and メール");
  SaveSettings(ini, s);
  return ini.Text();
}

void BM_LoadSettingsHistory(benchmark::State& state) {
  const IniFile ini(FileWithHistory(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    TTVPSettings s;
    LoadSettings(ini, s);
    benchmark::DoNotOptimize(s.History.data());
  }
  state.SetComplexityN(state.range(0));
}

// SaveSettings of `s` into a fresh copy of `text`, timed without the copy.
void TimeSave(benchmark::State& state, const std::string& text, const TTVPSettings& s) {
  for (auto _ : state) {
    state.PauseTiming();
    IniFile ini(text);
    state.ResumeTiming();
    SaveSettings(ini, s);
    benchmark::DoNotOptimize(ini);
  }
  state.SetComplexityN(state.range(0));
}

void BM_SaveSettingsHistory(benchmark::State& state) {
  const std::string text = FileWithHistory(static_cast<int>(state.range(0)));
  TTVPSettings s;
  LoadSettings(IniFile(text), s);
  for (auto& h : s.History) h += " 新";  // every entry changes
  TimeSave(state, text, s);
}

// Into an existing file that has no history yet: every key is new.
void BM_SaveSettingsHistoryIntoDefaults(benchmark::State& state) {
  const std::string text = FileWithHistory(0);
  TTVPSettings s;
  LoadSettings(IniFile(text), s);
  s.FormulaHistoryCount = std::to_string(state.range(0));
  s.History.assign(static_cast<size_t>(state.range(0)), "検索式");
  TimeSave(state, text, s);
}

}  // namespace

BENCHMARK(BM_LoadSettingsHistory)->RangeMultiplier(4)->Range(1000, 64000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SaveSettingsHistory)->RangeMultiplier(4)->Range(1000, 64000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SaveSettingsHistoryIntoDefaults)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_MAIN();
