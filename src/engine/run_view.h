#pragma once
// What the installation shows while it works, as the engine sees it. The wizard implements it
// on its progress page; tests record it. Window messages are not part of it: they go through
// the platform's message pump.
#include <string>

namespace engine {

class RunView {
 public:
  virtual ~RunView() = default;
  // The progress text under the animation (the caption of the label "Info").
  virtual void ShowInfo(const std::string& text) = 0;
  // How far the copying has got, 0 to 100: the share of the files' stored bytes processed.
  // Called whenever the share changes; a view without a progress display ignores it.
  virtual void ShowProgress(int /*percent*/) {}
};

}  // namespace engine
