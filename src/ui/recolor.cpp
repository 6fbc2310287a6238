#include "ui/recolor.h"

#include <cmath>

#include "platform/platform.h"

namespace ui {

using plat::gui::Bitmap;
using plat::gui::Color;

Color AdjustColor(Color color, int percent) {
  Color result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double c = (color >> shift) & 0xFF;
    double v = c;
    if (percent > 0) v = c + (255 - c) * percent / 100.0;
    if (percent < 0) v = c * (100 + percent) / 100.0;
    // nearbyint rounds half to even in the default rounding mode.
    result |= static_cast<Color>(std::nearbyint(v)) << shift;
  }
  return result;
}

void RecolorPatternToFace(Bitmap& bitmap) {
  if (bitmap.width < 1 || bitmap.height < 8) return;
  const Color background = bitmap.Pixel(0, 0);
  const Color face = plat::Current().Ui().SystemColor(plat::gui::clBtnFace);
  if (background == face) return;
  const Color shadeKey = bitmap.Pixel(0, 7);
  const Color lightKey = bitmap.Pixel(0, 4);
  const Color targets[3] = {AdjustColor(face, 0), AdjustColor(face, -15), AdjustColor(face, 40)};

  bitmap.bitsPerPixel = 8;
  bitmap.palette.assign(256, 0xC0C0C0);
  for (int i = 0; i < 3; ++i) bitmap.palette[i] = targets[i];

  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const Color c = bitmap.Pixel(x, y);
      if (c == background)
        bitmap.SetPixel(x, y, targets[0]);
      else if (c == shadeKey)
        bitmap.SetPixel(x, y, targets[1]);
      else if (c == lightKey)
        bitmap.SetPixel(x, y, targets[2]);
    }
  }
}

}  // namespace ui
