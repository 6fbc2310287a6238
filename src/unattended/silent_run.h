#pragma once
// The installation without the wizard: the choices the wizard would have proposed, changed
// where a switch says so, handed to the same installation run.
#include <optional>
#include <string>
#include <vector>

#include "engine/installation.h"
#include "platform/gui.h"
#include "unattended/command_line.h"
#include "unattended/setup_log.h"

namespace unattended {

// What the run is asked to do on `platform` from a medium of kind `medium`, or why it cannot be
// done.
struct Resolution {
  engine::InstallChoices choices;
  std::string error;               // a fault of the command line against this medium
  std::vector<std::string> notes;  // switches that had no effect, and why
};
Resolution ResolveChoices(plat::Platform& platform, const engine::MediumKind& medium,
                          const Switches& switches);

// /SILENT's only window: the copy animation, the progress text and bar, nothing to press.
class ProgressWindow : public plat::gui::Form, public engine::InstallView {
 public:
  ProgressWindow();
  plat::gui::Animate* Animate1;
  plat::gui::Label* Info;
  plat::gui::ProgressBar* ProgressBar1;

  void ShowInfo(const std::string& text) override { Info->SetCaption(text); }
  void ShowProgressPage() override {}
  void SetAnimation(bool running) override { Animate1->SetActive(running); }
  void ShowProgress(int percent) override { ProgressBar1->SetPosition(percent); }
  void ShowFinishPage() override {}
};

// Installs from the medium beside the program on `platform`, answering from the switches.
// Everything worth knowing goes to `log`; the choices the run was started with go to `ranWith`.
engine::RunOutcome RunUnattended(plat::Platform& platform, const Switches& switches, SetupLog& log,
                                 std::optional<engine::InstallChoices>& ranWith);

}  // namespace unattended
