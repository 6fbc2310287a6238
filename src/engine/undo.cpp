#include "engine/undo.h"

#include <exception>

#include "engine/journal_recorder.h"
#include "platform/text.h"

namespace engine {

namespace {

using plat::RegValue;

std::string RootText(plat::RegRoot root) {
  switch (root) {
    case plat::RegRoot::LocalMachine:
      return "HKLM\\";
    case plat::RegRoot::CurrentUser:
      return "HKCU\\";
    case plat::RegRoot::ClassesRoot:
      break;
  }
  return "HKCR\\";
}

// How the messages and the log name a change.
std::string Describe(const Change& change) {
  switch (change.kind) {
    case ChangeKind::Key:
      return RootText(change.root) + change.path;
    case ChangeKind::Value:
      return RootText(change.root) + change.path + " " +
             (change.name.empty() ? std::string("(domyślna)") : "\"" + change.name + "\"");
    case ChangeKind::Ini:
      return change.path + " [" + change.section + "] " + change.name;
    default:
      // A file that could not be put back is where the kept one says.
      return change.aside.empty() ? change.path
                                  : change.path + " (poprzednia wersja: " + change.aside + ")";
  }
}

int PhaseOf(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Shortcut:
      return 0;
    case ChangeKind::Key:
    case ChangeKind::Value:
      return 1;
    case ChangeKind::Ini:
      return 2;
    case ChangeKind::File:
      return 3;
    case ChangeKind::Folder:
      break;
  }
  return 4;
}

class Undoer {
 public:
  Undoer(plat::Platform& platform, const std::vector<Change>& changes,
         const std::vector<std::string>& untouched, sys::RunLog& log)
      : platform_(platform), files_(platform.Files()), log_(log) {
    for (const std::string& path : untouched) untouched_.push_back(plat::InvariantUpper(path));
    for (const Change& change : changes)
      if (change.kind == ChangeKind::Folder || change.kind == ChangeKind::File ||
          change.kind == ChangeKind::Shortcut)
        ours_.push_back(plat::InvariantUpper(Trimmed(change.path)));
  }

  void Undo(const Change& change) {
    bool done = true;
    try {
      switch (change.kind) {
        case ChangeKind::Folder:
          done = RemoveFolder(change.path);
          break;
        case ChangeKind::File:
        case ChangeKind::Shortcut:
          done = UndoFile(change);
          break;
        case ChangeKind::Key:
          UndoKey(change);
          break;
        case ChangeKind::Value:
          done = UndoValue(change);
          break;
        case ChangeKind::Ini:
          done = UndoIni(change);
          break;
      }
    } catch (const std::exception&) {
      done = false;
    }
    if (!done) {
      report.failed.push_back(Describe(change));
      report.left.insert(report.left.begin(), change);
    }
    log_.Note((done ? "Cofnięto: " : "Nie udało się cofnąć: ") + Describe(change), !done);
  }

  UndoReport report;

 private:
  static std::string Trimmed(const std::string& path) {
    return path.size() > 3 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
  }
  bool Exists(const std::string& path) {
    return files_.GetAttributes(path) != plat::kInvalidAttributes;
  }
  void ClearReadOnly(const std::string& path) {
    const uint32_t attributes = files_.GetAttributes(path);
    if (attributes != plat::kInvalidAttributes && (attributes & plat::kAttrReadOnly))
      files_.SetAttributes(path, attributes & ~plat::kAttrReadOnly);
  }

  bool UndoFile(const Change& change) {
    if (Among(untouched_, plat::InvariantUpper(change.path))) return true;
    if (!change.aside.empty() && Exists(change.aside)) {
      ClearReadOnly(change.path);
      return files_.Replace(change.aside, change.path);
    }
    if (!Exists(change.path)) return true;
    ClearReadOnly(change.path);
    return files_.Remove(change.path);
  }

  // A folder with what the user made in it stays, and what is left is named, except what is
  // ours (reported on its own) or left for later. Only an empty folder that stays has failed.
  bool RemoveFolder(const std::string& path) {
    if (!Exists(path) || files_.RemoveFolder(path)) return true;
    const std::string folder = Trimmed(path) + "\\";
    const std::vector<std::string> left = files_.List(folder);
    for (const std::string& name : left) {
      const std::string upper = plat::InvariantUpper(Trimmed(folder + name));
      if (!Among(untouched_, upper) && !Among(ours_, upper)) report.kept.push_back(folder + name);
    }
    return !left.empty();
  }

  std::unique_ptr<plat::RegistryAccessor> Open(const Change& change) {
    auto reg = platform_.Reg().NewAccessor();
    reg->SetRoot(change.root);
    if (!reg->OpenKey(change.path, false)) return nullptr;
    return reg;
  }

  void UndoKey(const Change& change) {
    // A key that still holds something is someone else's now.
    auto reg = platform_.Reg().NewAccessor();
    reg->SetRoot(change.root);
    reg->DeleteEmptyKey(change.path);
  }

  bool UndoValue(const Change& change) {
    auto reg = Open(change);
    if (!reg) return true;
    plat::OpenKeyScope open(*reg);
    if (!(reg->ReadValue(change.name) == change.after)) return true;
    if (change.root == plat::RegRoot::ClassesRoot) report.associations = true;
    switch (change.before.kind) {
      case RegValue::Kind::Missing:
        return reg->DeleteValue(change.name);
      case RegValue::Kind::String:
        reg->WriteString(change.name, change.before.text);
        return true;
      case RegValue::Kind::ExpandString:
        reg->WriteExpandString(change.name, change.before.text);
        return true;
      case RegValue::Kind::Number:
        break;
    }
    reg->WriteNumber(change.name, change.before.number);
    return true;
  }

  bool UndoIni(const Change& change) {
    if (!Exists(change.path)) return true;
    auto& ini = platform_.Ini();
    if (!(ReadIniValue(ini, change.path, change.section, change.name) == change.after)) return true;
    if (change.before.kind == RegValue::Kind::Missing)
      ini.Remove(change.path, change.section, change.name);
    else
      ini.Write(change.path, change.section, change.name, change.before.text);
    return true;
  }

  // Plain lists: a few hundred paths, looked up once each; a tree would only cost size.
  static bool Among(const std::vector<std::string>& paths, const std::string& upper) {
    for (const std::string& path : paths)
      if (path == upper) return true;
    return false;
  }

  plat::Platform& platform_;
  plat::FileSystem& files_;
  sys::RunLog& log_;
  std::vector<std::string> untouched_;
  std::vector<std::string> ours_;
};

}  // namespace

UndoReport Undo(plat::Platform& platform, const std::vector<Change>& changes, UndoOrder order,
                sys::RunLog& log, const std::vector<std::string>& untouched) {
  std::vector<const Change*> todo;
  // Removal goes phase by phase, each from the last change to the first; a rollback has one.
  for (int phase = 0; phase <= 4; ++phase)
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
      if (order == UndoOrder::Reverse ? phase == 0 : PhaseOf(it->kind) == phase)
        todo.push_back(&*it);
  Undoer undoer(platform, changes, untouched, log);
  for (const Change* change : todo) undoer.Undo(*change);
  if (undoer.report.associations) platform.ShellApi().AssociationsChanged();
  return undoer.report;
}

bool RollBack(plat::Platform& platform, Journal& journal, sys::Questions& asked) {
  UndoReport report = Undo(platform, journal.RunChanges(), UndoOrder::Reverse, asked);
  if (!journal.Retract(report.left)) report.failed.push_back(journal.Path());
  if (report.failed.empty()) return true;
  asked.UndoFailed(report.failed);
  return false;
}

}  // namespace engine
