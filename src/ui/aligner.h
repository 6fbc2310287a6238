#pragma once
// An invisible label that adapts its form's controls to the font size the form really has when
// it is shown (after scaling for another resolution or system font): controls designed at the
// aligner's own size follow the form's size, and the caption-less folder buttons on panels
// become square and as tall as the edit fields.
#include <functional>

#include "platform/gui.h"

namespace ui {

class TAligner : public plat::gui::CustomLabel {
 public:
  TAligner(plat::gui::Component* owner, std::string name);
  ~TAligner() override;
  // Called once the owner has built its components: chains the aligner in front of the
  // owner form's show handler.
  void Loaded();

  // The tallest single-line edit seen so far, less 4; -1 until one is seen. Process-wide and
  // never reset, so a second form inherits what the first one measured.
  static int MaxEditHeight;

 private:
  void AlignerShow();
  std::function<void()> keptShow_;
  bool chained_ = false;
};

}  // namespace ui
