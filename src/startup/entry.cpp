#include "startup/entry.h"

#include <memory>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "startup/inst_back.h"

namespace startup {

namespace {

// Not yet built: the free-resources meter and the running-component detection. Until they
// come, the start-up checks find enough resources and nothing of the package running.
class StandInChecks : public StartupChecks {
 public:
  bool CheckFreeResources(int, int, int) override { return true; }
  std::string ResourceMeterText() override { return std::string(); }
  bool IsAnyComponentRunning() override { return false; }
};

void Refuse(const std::string& text) {
  plat::MessageDlg(text, plat::DlgType::Information, {plat::DlgButton::OK});
}

}  // namespace

int ProgramMain(const std::vector<std::string>& args) {
  StandInChecks checks;
  return ProgramMain(args, checks);
}

int ProgramMain(const std::vector<std::string>& args, StartupChecks& checks) {
  if (!checks.CheckFreeResources(6, 6, 4)) {
    Refuse("Instalator pakietu Vortel PRO\rBrak wystarczających zasobów systemowych do "
           "uruchomienia programu.\rProszę zamknąć część aplikacji i spróbować uruchomić "
           "program ponownie.\r\r" +
           checks.ResourceMeterText());
    return 0;
  }
  auto& gui = plat::Current().Ui();
  gui.SetTitle("Instalator pakietu Vor - tel PRO");
  const bool mastering = !args.empty() && args[0] == "DISC";
  if (!mastering && checks.IsAnyComponentRunning()) {
    Refuse("Instalator wykrył, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\r"
           "Przed instalacją obecnej wersji należy je zakończyć.");
    return 0;
  }
  TInstForm instForm(nullptr, "InstForm", args);
  gui.ShowForm(instForm);
  gui.RunMessageLoop();
  return 0;
}

}  // namespace startup
