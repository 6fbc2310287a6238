#include "uninstall/uninstaller.h"

#include <cstdlib>

#include "engine/journal.h"
#include "engine/run_log.h"
#include "engine/undo.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace uninstall {

namespace {

constexpr char kQuestion[] =
    "Czy usunąć pakiet Vortel PRO i wszystkie jego składniki z komputera ?";
constexpr char kRunning[] =
    "Wykryto, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\r"
    "Przed usunięciem pakietu należy je zakończyć.";
constexpr char kRemovedText[] = "Pakiet Vortel PRO został usunięty z komputera.";
constexpr char kKept[] = "Pozostawiono pliki i katalogi utworzone przez użytkownika:";
constexpr char kNotRemoved[] = "Nie udało się usunąć wszystkich składników pakietu Vortel PRO:";

// The switch's value after "=", without the quotation marks the command line may have kept.
bool ValueOf(const std::string& word, const std::string& name, std::string& value) {
  const std::string upper = plat::InvariantUpper(word);
  if (upper.compare(0, name.size() + 1, name + "=") != 0) return false;
  value = word.substr(name.size() + 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return true;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind('\\') + 1);
}

std::string Listed(const std::string& intro, const std::vector<std::string>& items) {
  std::string text = intro;
  for (const std::string& item : items) text += "\r" + item;
  return text;
}

// The journal of `folder`; false when it is missing or damaged (then nothing may be touched).
bool ReadJournal(const std::string& folder, std::vector<engine::Change>& changes) {
  try {
    return engine::ParseJournal(
        engine::ReadWholeFile(plat::Current().Files(), folder + engine::kJournalName), changes);
  } catch (const plat::EFileError&) {
    return false;
  }
}

}  // namespace

Switches ParseSwitches(const std::vector<std::string>& args) {
  Switches switches;
  for (const std::string& word : args) {
    const std::string upper = plat::InvariantUpper(word);
    std::string value;
    if (upper == "/UNINSTALL") {
      continue;
    } else if (upper == "/SILENT") {
      switches.mode = Mode::Silent;
    } else if (upper == "/VERYSILENT") {
      switches.mode = Mode::VerySilent;
    } else if (upper == "/LOG") {
      switches.log = true;
      switches.logFile.clear();
    } else if (ValueOf(word, "/LOG", value)) {
      switches.log = true;
      switches.logFile = value;
    } else if (ValueOf(word, "/CLEANUP", value)) {
      switches.cleanup = value;
    } else if (ValueOf(word, "/WAIT", value)) {
      switches.waitFor = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
    } else if (switches.error.empty()) {
      switches.error = "Nieznany parametr: " + word;
    }
  }
  return switches;
}

int Remove(const Switches& switches, Checks& checks, plat::TemporaryCopy& copy) {
  auto& log = engine::Log();
  const bool quiet = switches.mode != Mode::Normal;
  auto tell = [&](const std::string& text, plat::DlgType type, bool error) {
    log.Note(text, error);
    if (!quiet) plat::MessageDlg(text, type, {plat::DlgButton::OK});
  };
  if (!switches.error.empty()) {
    tell(switches.error, plat::DlgType::Error, true);
    return kBadCommandLine;
  }
  if (checks.IsAnyComponentRunning()) {
    tell(kRunning, plat::DlgType::Information, true);
    return kRefused;
  }
  auto& platform = plat::Current();
  const std::string self = platform.Files().ModulePath();
  const std::string folder = FolderOf(self);
  std::vector<engine::Change> changes;
  if (!ReadJournal(folder, changes)) {
    tell("Nie można odczytać dziennika instalacji \"" + folder + engine::kJournalName +
             "\".\rPakiet Vortel PRO nie może zostać usunięty; niczego nie zmieniono.",
         plat::DlgType::Error, true);
    return kNotAllRemoved;
  }
  if (!quiet &&
      plat::MessageDlg(kQuestion, plat::DlgType::Confirmation,
                       {plat::DlgButton::Yes, plat::DlgButton::No}) != plat::ModalResult::Yes) {
    log.Note("Usuwanie anulowane.");
    return kCancelled;
  }
  // This program's own file and the journal wait for the copy that finishes the work.
  const engine::UndoReport report =
      engine::Undo(changes, engine::UndoOrder::Removal, {self, folder + engine::kJournalName});
  for (const std::string& what : report.failed) log.Note("Nie usunięto: " + what, true);
  for (const std::string& what : report.kept) log.Note("Pozostawiono: " + what);
  if (!copy.Start("/CLEANUP=\"" + folder + "\" /WAIT=" + std::to_string(copy.CurrentId())))
    log.Note("Nie można uruchomić kopii deinstalatora; pozostaje katalog " + folder, true);
  std::string text = report.failed.empty() ? kRemovedText : Listed(kNotRemoved, report.failed);
  if (!report.kept.empty()) text += "\r\r" + Listed(kKept, report.kept);
  tell(text, report.failed.empty() ? plat::DlgType::Information : plat::DlgType::Error,
       !report.failed.empty());
  return report.failed.empty() ? kRemoved : kNotAllRemoved;
}

int FinishRemoval(const Switches& switches, plat::TemporaryCopy& copy) {
  auto& platform = plat::Current();
  copy.WaitForEnd(switches.waitFor, 60000);
  std::string folder = switches.cleanup;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::vector<engine::Change> changes;
  if (!ReadJournal(folder, changes)) return kNotAllRemoved;
  // Undoing once more is harmless for what is undone already and finishes what waited. The
  // journal goes last, so that a copy stopped half-way leaves it for another attempt.
  const std::string journal = folder + engine::kJournalName;
  const engine::UndoReport report = engine::Undo(changes, engine::UndoOrder::Removal, {journal});
  platform.Files().Remove(journal);
  for (auto it = changes.rbegin(); it != changes.rend(); ++it)
    if (it->kind == engine::ChangeKind::Folder) platform.Files().RemoveFolder(it->path);
  return report.failed.empty() ? kRemoved : kNotAllRemoved;
}

}  // namespace uninstall
