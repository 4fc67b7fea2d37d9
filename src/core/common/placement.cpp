#include "core/common/placement.h"

namespace tvp {

Point CenterOver(const Rect& size, const Rect& over, int screenWidth, int screenHeight, bool clamp) {
  Point p{over.left + (over.Width() - size.Width()) / 2, over.top + (over.Height() - size.Height()) / 2};
  if (!clamp) return p;
  if (p.x < 0) p.x = 0;
  if (p.x + size.Width() > screenWidth) p.x = screenWidth - size.Width();
  if (p.y < 0) p.y = 0;
  if (p.y + size.Height() > screenHeight) p.y = screenHeight - size.Height();
  return p;
}

}  // namespace tvp
