#include "startup/entry.h"

#include <memory>

#include "engine/run_state.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "startup/components.h"
#include "startup/inst_back.h"
#include "startup/res_meter.h"

namespace startup {

namespace {

class SystemChecks : public StartupChecks {
 public:
  bool CheckFreeResources(int minSystem, int minUser, int minGdi) override {
    return startup::CheckFreeResources(minSystem, minUser, minGdi);
  }
  std::string ResourceMeterText() override { return startup::ResourceMeterText(); }
  bool IsAnyComponentRunning() override { return startup::IsAnyComponentRunning(); }
};

void Refuse(const std::string& text) {
  plat::MessageDlg(text, plat::DlgType::Information, {plat::DlgButton::OK});
}

}  // namespace

int ProgramMain(const std::vector<std::string>& args) {
  SystemChecks checks;
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
  return engine::ExitCode;
}

}  // namespace startup
