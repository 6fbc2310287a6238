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
};

}  // namespace engine
