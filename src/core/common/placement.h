// Window placement arithmetic.
#pragma once

namespace tvp {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct Point {
  int x = 0, y = 0;
};

// Top-left corner that centres a window of `size` over `over` (halves
// rounded toward zero). With `clamp`, a negative coordinate becomes 0 and a
// window that would pass the right or bottom screen edge ends on that edge.
Point CenterOver(const Rect& size, const Rect& over, int screenWidth, int screenHeight, bool clamp);

}  // namespace tvp
