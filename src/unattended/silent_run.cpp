#include "unattended/silent_run.h"

#include <exception>

#include "engine/catalogue.h"
#include "engine/choices.h"
#include "engine/exit_codes.h"
#include "engine/medium_kind.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "unattended/answers.h"

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
};

void LogChoices(const engine::InstallChoices& choices, SetupLog& log) {
  std::string products;
  for (int i = 0; i < engine::kProductCount; ++i)
    if (choices.products[i])
      products += (products.empty() ? "" : ", ") + std::string(ComponentName(i));
  log.Line("Produkty: " + products);
  const engine::Folders dirs = engine::TargetDirsOf(choices.folders);
  log.Line("Katalog docelowy: " + dirs[0]);
  const char* const slotNames[] = {"", "Katalog emulatora", "Katalog klientów FTP",
                                   "Katalog serwera FTP"};
  for (int slot = 1; slot < static_cast<int>(dirs.size()); ++slot)
    if (engine::SlotInUse(slot, choices.products))
      log.Line(std::string(slotNames[slot]) + ": " + dirs[slot]);
  std::string tasks;
  for (int i = 0; i < engine::kOptionCount; ++i)
    if (choices.options[i])
      tasks += (tasks.empty() ? "" : ", ") + std::string(engine::Options[i].task);
  log.Line("Zadania: " + (tasks.empty() ? std::string("(brak)") : tasks));
  if (!choices.programGroup) log.Line("Grupa programów w menu Start: pominięta");
}

const char* OutcomeText(engine::RunOutcome outcome) {
  switch (outcome) {
    case engine::RunOutcome::Installed:
      return "zainstalowano";
    case engine::RunOutcome::FolderFailed:
      return "nie można utworzyć katalogu";
    case engine::RunOutcome::CopyFailed:
      return "nie można zainstalować pliku";
    case engine::RunOutcome::Aborted:
      return "przerwano";
    default:
      return "błąd po skopiowaniu plików";
  }
}

}  // namespace

Resolution ResolveChoices(plat::Platform& platform, const engine::MediumKind& medium,
                          const Switches& switches) {
  Resolution r;
  engine::InstallChoices& c = r.choices;
  const engine::ProductChoice offered = engine::OfferedProducts(medium);
  c.products = switches.components ? *switches.components : offered;
  for (int i = 0; i < engine::kProductCount; ++i)
    if (c.products[i] && !offered[i]) {
      r.error =
          "Produktu \"" + std::string(ComponentName(i)) + "\" nie ma na tym nośniku instalacyjnym.";
      return r;
    }
  if (!engine::AnyProduct(c.products)) {
    r.error = "Na tym nośniku instalacyjnym nie ma żadnego produktu.";
    return r;
  }
  c.folders = engine::ProposedFolders(platform);
  if (switches.mainFolder)
    engine::ApplyMainFolder(platform, c.folders, engine::TrimmedMainFolder(*switches.mainFolder),
                            c.products);
  const std::optional<std::string>* rows[] = {nullptr, &switches.emulator, &switches.ftpClients,
                                              &switches.ftpServer};
  for (int slot = 1; slot <= 3; ++slot)
    if (*rows[slot]) c.folders.*engine::SlotTexts[slot] = **rows[slot];
  if (const auto refused = engine::RefusedFolder(platform.Files(), c.folders, c.products)) {
    r.error = engine::RefusedFolderText(*refused);
    return r;
  }
  c.answers = switches.answers;
  c.programGroup = !switches.noIcons;
  c.unattended = true;
  if (!switches.tasks) {
    engine::ApplyDefaultOptions(c);
    return r;
  }
  c.options = {};
  for (int task : *switches.tasks) {
    // As on the options page: an option of a product not installed is not offered.
    if (engine::OptionOffered(task, c.products))
      c.options[task] = true;
    else
      r.notes.push_back("Pominięto zadanie " + std::string(engine::Options[task].task) +
                        ": produkt " + ComponentName(engine::Options[task].product) +
                        " nie jest instalowany.");
  }
  return r;
}

ProgressWindow::ProgressWindow() : Form(nullptr, "ProgressWindow") {
  SetCaption("Instalacja pakietu Vortel PRO");
  SetClientSize(361, 130);
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
  ProgressBar1 = Make<ProgressBar>(this, "ProgressBar1");
  ProgressBar1->SetParent(this);
  ProgressBar1->SetBounds(8, 104, 345, 16);
  // Nothing to press: the run decides when the window goes.
  OnCloseQuery = [] { return false; };
}

engine::RunOutcome RunUnattended(plat::Platform& platform, const Switches& switches, SetupLog& log,
                                 std::optional<engine::InstallChoices>& ranWith) {
  const std::string self = platform.Files().ModulePath();
  const std::string sourceDir = sys::AddBackslash(self.substr(0, self.rfind('\\') + 1));
  log.Line("Nośnik instalacyjny: " + sourceDir);
  const engine::MediumKind medium = engine::ReadMediumKind(platform.Files(), sourceDir);
  Resolution resolved = ResolveChoices(platform, medium, switches);
  if (!resolved.error.empty()) {
    log.Error(resolved.error);
    return engine::RunOutcome::BadCommandLine;
  }
  for (const std::string& note : resolved.notes) log.Line(note);
  ranWith = resolved.choices;
  LogChoices(resolved.choices, log);
  const engine::Answers& given = resolved.choices.answers;
  log.Line(std::string("Istniejące pliki: ") +
           (given.overwriteAll ? "nadpisywane" : "pozostawiane bez zmian"));
  log.Line(std::string("Skojarzenia innych programów: ") +
           (given.associate ? "przejmowane" : "pozostawiane"));

  SilentQuestions asked(log, given);
  const engine::StopRequest nobodyStops;
  engine::RunContext run{platform, sourceDir, medium, nobodyStops, asked};
  auto outcome = engine::RunOutcome::RegistrationFailed;
  try {
    if (switches.mode == Mode::Silent) {
      ProgressWindow window;
      platform.Ui().ShowForm(window);
      outcome = engine::RunInstallation(run, resolved.choices, window);
      platform.Ui().HideForm(window);
    } else {
      NoView view;
      outcome = engine::RunInstallation(run, resolved.choices, view);
    }
  } catch (const std::exception& e) {
    // Whatever escaped the run's own guard (an unanswerable message among them) ends it here:
    // nobody could see a message box.
    log.Error(e.what());
  }
  log.Line("Wynik: " + std::to_string(engine::ExitCodeOf(outcome)) + " (" + OutcomeText(outcome) +
           ")");
  return outcome;
}

}  // namespace unattended
