#include "engine/journal_recorder.h"

#include "platform/errors.h"

namespace engine {

namespace {

bool Exists(plat::FileSystem& files, const std::string& path) {
  return files.GetAttributes(path) != plat::kInvalidAttributes;
}

}  // namespace

// A file or link about to be written is new, or replaces one that is first renamed aside under
// a free name in its folder, so that it keeps its rights, owner and identity. The line goes
// first: a run killed at the rename still finds the file where the line says. Raises why when
// the earlier file cannot be kept (a program holds it): it must not be lost.
void JournalRecorder::Changing(Change& change) {
  if (change.kind == ChangeKind::Folder) return;
  if (change.kind != ChangeKind::File && change.kind != ChangeKind::Shortcut) {
    Change recorded = change;  // a key as the journal names every key: without a final "\\"
    if (recorded.path.size() > 1 && recorded.path.back() == '\\') recorded.path.pop_back();
    journal_.Record(recorded);
    return;
  }
  const std::string& path = change.path;
  if (Exists(files_, path)) {
    const std::string folder = path.substr(0, path.find_last_of("\\:") + 1);
    for (int n = 0; n < 1000 && change.aside.empty(); ++n) {
      const std::string name = folder + "~vp" + std::to_string(n) + ".old";
      if (!Exists(files_, name)) change.aside = name;
    }
    if (change.aside.empty())
      throw plat::EFileError(path, "nie można zachować poprzedniej wersji pliku");
  }
  journal_.Record(change);
  if (change.aside.empty() || files_.Rename(path, change.aside)) return;
  const plat::EFileError why = files_.LastError(path);  // before the journal's own calls
  journal_.Withdraw();
  throw why;
}

// A folder is recorded once made: one that could not be made is no change.
void JournalRecorder::Changed(const Change& change) {
  if (change.kind == ChangeKind::Folder) journal_.Record(change);
}

}  // namespace engine
