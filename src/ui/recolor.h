#pragma once
// The wizard's background tile is drawn in three key colours; these adapt it to the user's
// colour scheme, so the background is a darker and lighter texture of the button face.
#include "platform/gui.h"

namespace ui {

// Each channel moved `percent` towards white (> 0) or black (< 0), rounded half to even.
plat::gui::Color AdjustColor(plat::gui::Color color, int percent);
void RecolorPatternToFace(plat::gui::Bitmap& bitmap);

}  // namespace ui
