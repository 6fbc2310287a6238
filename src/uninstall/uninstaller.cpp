#include "uninstall/uninstaller.h"

#include "engine/journal.h"
#include "engine/undo.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "system/registry_entries.h"
#include "uninstall/journal_check.h"

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
constexpr char kNothingChanged[] =
    "\rPakiet Vortel PRO nie może zostać usunięty; niczego nie zmieniono.";

// The switch's value after "=", without the quotation marks the command line may have kept.
bool ValueOf(const std::string& word, const std::string& name, std::string& value) {
  const std::string upper = plat::InvariantUpper(word);
  if (upper.compare(0, name.size() + 1, name + "=") != 0) return false;
  value = word.substr(name.size() + 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return true;
}

std::string Listed(const std::string& intro, const std::vector<std::string>& items) {
  std::string text = intro;
  for (const std::string& item : items) text += "\r" + item;
  return text;
}

// The journal, read only when no one but administrators and the system can have written it
// or the folder it lies in, and obeyed only when every line stays within the package. Empty
// when it may be used; otherwise why not.
std::string ReadJournal(const std::string& folder, engine::JournalContents& contents) {
  auto& files = plat::Current().Files();
  const std::string path = folder + engine::kJournalName;
  const std::string cannotRead = "Nie można odczytać dziennika instalacji \"" + path + "\".";
  if (files.GetAttributes(path) == plat::kInvalidAttributes) return cannotRead;
  if (!files.Trusted(folder) || !files.Trusted(path))
    return "Dziennik instalacji \"" + path +
           "\" mógł zmienić użytkownik bez uprawnień administratora.";
  try {
    if (!engine::ParseJournal(engine::ReadWholeFile(files, path), contents)) return cannotRead;
  } catch (const plat::EFileError&) {
    return cannotRead;
  }
  const std::string foreign = ForeignChange(contents, folder);
  if (foreign.empty()) return std::string();
  return "Dziennik instalacji \"" + path + "\" zawiera zmianę spoza pakietu Vortel PRO:\r" +
         foreign;
}

// The running program's file cannot go now. It is renamed out of the way first, so that an
// installation before the restart puts its own uninstaller in its place, which the restart
// must not take; then it, and the folders of ours still there (holding it, or what the user
// made), go when Windows next starts: a folder that holds something by then stays.
void LeaveAtRestart(const std::string& self, const engine::JournalContents& contents,
                    const std::string& uninstallFolder, sys::RunLog& log) {
  auto& files = plat::Current().Files();
  const std::string here = self.substr(0, self.rfind('\\') + 1);
  std::string leaving = self;
  for (int n = 0; n < 1000 && leaving == self; ++n) {
    const std::string name = here + "~vu" + std::to_string(n) + ".tmp";
    if (files.GetAttributes(name) == plat::kInvalidAttributes && files.Rename(self, name))
      leaving = name;
  }
  std::vector<std::string> later{leaving};
  for (auto it = contents.changes.rbegin(); it != contents.changes.rend(); ++it)
    if (it->kind == engine::ChangeKind::Folder) later.push_back(it->path);
  later.push_back(uninstallFolder);
  for (const std::string& path : later)
    if (files.GetAttributes(path) != plat::kInvalidAttributes && files.RemoveAtRestart(path))
      log.Note("Do usunięcia po ponownym uruchomieniu systemu: " + path);
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
    } else if (switches.error.empty()) {
      switches.error = "Nieznany parametr: " + word;
    }
  }
  return switches;
}

int ExitCodeOf(Outcome outcome) {
  switch (outcome) {
    case Outcome::Removed:
      return 0;
    case Outcome::BadCommandLine:
      return 1;
    case Outcome::Refused:
      return 2;
    case Outcome::Cancelled:
      return 5;
    case Outcome::NotAllRemoved:
      break;
  }
  return 6;
}

Outcome Remove(const Switches& switches, Checks& checks, sys::RunLog& log) {
  const bool quiet = switches.mode != Mode::Normal;
  auto tell = [&](const std::string& text, plat::DlgType type, bool error) {
    log.Note(text, error);
    if (!quiet) plat::MessageDlg(text, type, {plat::DlgButton::OK});
  };
  if (!switches.error.empty()) {
    tell(switches.error, plat::DlgType::Error, true);
    return Outcome::BadCommandLine;
  }
  if (checks.IsAnyComponentRunning()) {
    tell(kRunning, plat::DlgType::Information, true);
    return Outcome::Refused;
  }
  auto& platform = plat::Current();
  auto& files = platform.Files();
  const std::string folder = sys::UninstallFolder(platform.Reg());
  const std::string journal = folder + engine::kJournalName;
  engine::JournalContents contents;
  const std::string refusal = ReadJournal(folder, contents);
  if (!refusal.empty()) {
    tell(refusal + kNothingChanged, plat::DlgType::Error, true);
    return Outcome::NotAllRemoved;
  }
  if (!quiet &&
      plat::MessageDlg(kQuestion, plat::DlgType::Confirmation,
                       {plat::DlgButton::Yes, plat::DlgButton::No}) != plat::ModalResult::Yes) {
    log.Note("Usuwanie anulowane.");
    return Outcome::Cancelled;
  }
  // This program's own file cannot go while it runs, nor the journal before the end.
  const std::string self = files.ModulePath();
  const engine::UndoReport report =
      engine::Undo(platform, contents.changes, engine::UndoOrder::Removal, log, {self, journal});
  for (const std::string& what : report.failed) log.Note("Nie usunięto: " + what, true);
  for (const std::string& what : report.kept) log.Note("Pozostawiono: " + what);
  // The journal stays while anything it names stays, so that removal can be tried again.
  if (report.failed.empty() && files.Remove(journal)) LeaveAtRestart(self, contents, folder, log);
  std::string text = report.failed.empty() ? kRemovedText : Listed(kNotRemoved, report.failed);
  if (!report.kept.empty()) text += "\r\r" + Listed(kKept, report.kept);
  tell(text, report.failed.empty() ? plat::DlgType::Information : plat::DlgType::Error,
       !report.failed.empty());
  return report.failed.empty() ? Outcome::Removed : Outcome::NotAllRemoved;
}

}  // namespace uninstall
