// What the Windows benchmark programs share: the best wall time of a few
// runs, and writing a file whole.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace tvp::bench {

// Best of `runs` timings of `f` in seconds; `prepare` runs untimed before each.
inline double BestSeconds(const std::function<void()>& f, int runs = 3,
                          const std::function<void()>& prepare = [] {}) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    prepare();
    LARGE_INTEGER freq, a, b;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    best = std::min(best, double(b.QuadPart - a.QuadPart) / double(freq.QuadPart));
  }
  return best;
}

inline void WriteText(const std::string& path, const std::string& text) {
  if (FILE* f = fopen(path.c_str(), "wb")) {
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
  }
}

}  // namespace tvp::bench
