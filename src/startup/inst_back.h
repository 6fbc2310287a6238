#pragma once
// The installer's main window: borderless and maximised over the screen, a blue gradient with
// the package name, its version and the maker. Once on screen it opens the wizard modally in
// front of itself and closes itself when the wizard ends, which ends the program.
#include <memory>
#include <string>
#include <vector>

#include "platform/gui.h"
#include "wizard/instalator_form.h"

namespace startup {

// The private message the window posts itself once shown (the first user message number + 1).
constexpr uint32_t kStartMessage = 0x0400 + 1;

class TInstForm : public plat::gui::Form {
 public:
  // `masteringArgs` as for the wizard form.
  TInstForm(plat::gui::Component* owner, std::string name, std::vector<std::string> masteringArgs);

  plat::gui::Label *Label1, *Label2;
  // Handed to the wizard when it is made.
  bool ProgramGroup = true;
  sys::Questions* Asked = nullptr;
  // The wizard while it exists.
  std::unique_ptr<wizard::TInstalatorForm> InstalatorForm;

  // The colour of band i of 100 (0 at the top) and its top edge for a client height.
  static plat::gui::Color BandColor(int i);
  static int BandTop(int clientHeight, int i);

 private:
  void FormCreate();
  void FormPaint(plat::gui::Canvas& canvas);
  void StartMessage();

  std::vector<std::string> masteringArgs_;
};

}  // namespace startup
