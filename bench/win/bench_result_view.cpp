// Putting a 10,000-hit result into the result view with its styles, under
// Wine or Windows. Prints the milliseconds of each part, best of the runs:
// the rendering (core), the view's Show with the first page painted, the
// same text as plain text without styles, clearing, and bringing the last
// hit into view and painting it.
//   bench_result_view [hits [runs]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/results/render.h"
#include "plugin/forms/form.h"
#include "plugin/results/result_view.h"
#include "large_result.h"

using namespace tvp;

namespace {

// The shortest time of `action` over `runs` runs, each after `prepare`.
double Best(int runs, const std::function<void()>& action, const std::function<void()>& prepare = [] {}) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    prepare();
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    best = std::min(best, (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int hits = argc > 1 ? atoi(argv[1]) : 10000;
  int runs = argc > 2 ? atoi(argv[2]) : 3;
  std::string raw = test::LargeNamazuResult(hits);
  TTVPSettings settings;
  settings.NamazuVersion = "2.0";
  settings.RenameToFolderName = "1";

  TRenderedResult result;
  double render = Best(runs, [&] { result = RenderResultText(raw, settings, {}, {}, "C:\\Mail\\"); });

  HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  HFONT font = CreateUiFont("ＭＳ Ｐゴシック", 12);
  ResultView view;
  view.Create(window, 1, {0, 0, 620, 440}, font);
  // Each step ends with the view painted.
  auto painted = [&](const std::function<void()>& step) {
    return [&view, step] {
      step();
      UpdateWindow(view.Handle());
    };
  };
  double show = Best(runs, painted([&] { view.Show(result, true); }));
  double plain = Best(runs, painted([&] { view.SetText(result.Text); }));
  double clear = Best(runs, painted([&] { view.Clear(); }), [&] { view.Show(result, true); });
  double last = Best(runs, painted([&] {
                       view.SetCaret(result.Hits.back().PathStart);
                       view.ScrollCaretIntoView();
                     }),
                     [&] { view.Show(result, true); });

  printf("hits %d, text %zu bytes, %zu styles; best of %d runs, ms:\n", hits, result.Text.size(),
         result.Styles.size(), runs);
  printf("  render (core)             %8.1f\n", render);
  printf("  Show, with styles         %8.1f\n", show);
  printf("  plain text, no styles     %8.1f\n", plain);
  printf("  Clear after Show          %8.1f\n", clear);
  printf("  last hit into view        %8.1f\n", last);
  DestroyWindow(window);
  DeleteObject(font);
  return 0;
}
