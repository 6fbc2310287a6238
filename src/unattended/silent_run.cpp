#include "unattended/silent_run.h"

#include <exception>

#include "engine/catalogue.h"
#include "engine/exit_codes.h"
#include "engine/medium_kind.h"
#include "engine/proposals.h"
#include "engine/run_state.h"
#include "engine/target_dirs.h"
#include "platform/platform.h"
#include "system/paths.h"

namespace unattended {

using namespace plat::gui;

namespace {

// The run without any window: it shows nothing, so there is nothing to update.
class NoView : public engine::InstallView {
 public:
  void ShowInfo(const std::string&) override {}
  void ShowProgressPage() override {}
  void SetAnimation(bool) override {}
  void ShowFinishPage() override {}
  void CloseWizard() override {}
};

void LogChoices(const engine::InstallChoices& choices, SetupLog& log) {
  std::string products;
  for (int i = 0; i < engine::kProductCount; ++i)
    if (choices.products[i])
      products += (products.empty() ? "" : ", ") + std::string(ComponentName(i));
  log.Line("Produkty: " + products);
  engine::ComputeTargetDirs(choices.folders);
  log.Line("Katalog docelowy: " + engine::TargetDirs[0]);
  const char* const rowNames[] = {"Katalog emulatora", "Katalog klientów FTP",
                                  "Katalog serwera FTP"};
  for (int row = 0; row < 3; ++row)
    if (engine::RowInUse(row, choices.products))
      log.Line(std::string(rowNames[row]) + ": " + engine::TargetDirs[row + 1]);
  std::string tasks;
  for (const engine::OptionInfo& option : engine::Options)
    if (choices.*option.chosen) tasks += (tasks.empty() ? "" : ", ") + std::string(option.task);
  log.Line("Zadania: " + (tasks.empty() ? std::string("(brak)") : tasks));
}

const char* OutcomeText(int code) {
  switch (code) {
    case engine::kExitInstalled:
      return "zainstalowano";
    case engine::kExitFolderFailed:
      return "nie można utworzyć katalogu";
    case engine::kExitCopyFailed:
      return "nie można zainstalować pliku";
    case engine::kExitCancelled:
      return "przerwano";
    default:
      return "błąd po skopiowaniu plików";
  }
}

}  // namespace

Resolution ResolveChoices(const Switches& switches) {
  Resolution r;
  engine::InstallChoices& c = r.choices;
  c.products = switches.components ? *switches.components : engine::OfferedProducts();
  for (int i = 0; i < engine::kProductCount; ++i)
    if (c.products[i] && !engine::ProductOnMedium(i)) {
      r.error =
          "Produktu \"" + std::string(ComponentName(i)) + "\" nie ma na tym nośniku instalacyjnym.";
      return r;
    }
  bool any = false;
  for (bool chosen : c.products) any = any || chosen;
  if (!any) {
    r.error = "Na tym nośniku instalacyjnym nie ma żadnego produktu.";
    return r;
  }
  c.folders = engine::ProposedFolders();
  if (switches.mainFolder)
    engine::ApplyMainFolder(c.folders, sys::TrimSpaces(*switches.mainFolder), c.products);
  if (!engine::IsFullFolderPath(sys::AddBackslash(c.folders.mainFolder))) {
    r.error = "Katalog docelowy \"" + c.folders.mainFolder + "\" nie jest pełną ścieżką.";
    return r;
  }
  if (switches.emulator) c.folders.emulator = *switches.emulator;
  if (switches.ftpClients) c.folders.ftpClients = *switches.ftpClients;
  if (switches.ftpServer) c.folders.ftpServer = *switches.ftpServer;
  if (!switches.tasks) {
    engine::ApplyDefaultOptions(c);
    return r;
  }
  for (const engine::OptionInfo& option : engine::Options) c.*option.chosen = false;
  for (int task : *switches.tasks) {
    const engine::OptionInfo& option = engine::Options[task];
    // As on the options page: an option of a product not installed is not offered.
    if (c.products[option.product])
      c.*option.chosen = true;
    else
      r.notes.push_back("Pominięto zadanie " + std::string(option.task) + ": produkt " +
                        ComponentName(option.product) + " nie jest instalowany.");
  }
  return r;
}

ProgressWindow::ProgressWindow() : Form(nullptr, "ProgressWindow") {
  SetCaption("Instalacja pakietu Vortel PRO");
  SetClientSize(361, 110);
  Font font;
  font.name = "MS Sans Serif";
  font.height = -11;
  font.charset = kEastEuropeCharset;
  SetFont(font);
  SetParentFont(false);
  borderStyle = BorderStyle::Single;
  centered = true;
  iconResource = "MAINICON";
  Animate1 = Make<Animate>(this, "Animate1");
  Animate1->SetParent(this);
  Animate1->SetBounds(44, 8, 272, 60);
  Animate1->stopFrame = 34;
  Info = Make<Label>(this, "Info");
  Info->SetParent(this);
  Info->SetAutoSize(false);
  Info->SetBounds(8, 80, 345, 13);
  Info->SetAlignment(Alignment::Center);
  Info->SetCaption("Kopiowanie....");
  // Nothing to press: the run decides when the window goes.
  OnCloseQuery = [] { return false; };
}

int RunUnattended(const Switches& switches, SetupLog& log, const AnsweringDialogs& answers) {
  auto& platform = plat::Current();
  const std::string self = platform.Files().ModulePath();
  const std::string sourceDir = sys::AddBackslash(self.substr(0, self.rfind('\\') + 1));
  log.Line("Nośnik instalacyjny: " + sourceDir);
  engine::ReadMediumKind(sourceDir);
  Resolution resolved = ResolveChoices(switches);
  if (!resolved.error.empty()) {
    log.Error(resolved.error);
    return engine::kExitBadCommandLine;
  }
  for (const std::string& note : resolved.notes) log.Line(note);
  LogChoices(resolved.choices, log);
  log.Line(std::string("Istniejące pliki: ") +
           (switches.overwriteAll ? "nadpisywane" : "pozostawiane bez zmian"));
  log.Line(std::string("Skojarzenia innych programów: ") +
           (switches.associate ? "przejmowane" : "pozostawiane"));

  engine::StopRequested = false;
  int code = engine::kExitRegistrationFailed;
  try {
    if (switches.mode == Mode::Silent) {
      ProgressWindow window;
      platform.Ui().ShowForm(window);
      code = engine::ExitCodeOf(engine::RunInstallation(resolved.choices, window, sourceDir));
      platform.Ui().HideForm(window);
    } else {
      NoView view;
      code = engine::ExitCodeOf(engine::RunInstallation(resolved.choices, view, sourceDir));
    }
  } catch (const std::exception& e) {
    // Whatever escaped the run's own guard (an unanswerable message among them) ends it here:
    // nobody could see a message box.
    log.Error(e.what());
  }
  // A working folder that could not be made is reported only by its message.
  if (code == engine::kExitInstalled && answers.FolderFailures() > 0)
    code = engine::kExitFolderFailed;
  log.Line("Wynik: " + std::to_string(code) + " (" + OutcomeText(code) + ")");
  return code;
}

}  // namespace unattended
