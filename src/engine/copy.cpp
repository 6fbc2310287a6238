#include "engine/copy.h"

#include <algorithm>
#include <exception>

#include "engine/medium_kind.h"
#include "platform/platform.h"
#include "system/paths.h"

namespace engine {

Copier::Copier(plat::Platform& platform, const StopRequest& stop, RunView& view,
               sys::Questions& asked, std::string sourceDir)
    : platform_(platform),
      stop_(stop),
      view_(view),
      asked_(asked),
      sourceDir_(std::move(sourceDir)),
      medium_(platform.Files(), sourceDir_, platform.Files().ModulePath()),
      codec_(platform) {
  codec_.onRead = [this](size_t bytes) { Progress(done_ + bytes); };
}

void Copier::CheckMedium() {
  if (!medium_.Catalogued())
    asked_.Note("Nośnik bez katalogu sum kontrolnych (starsza wersja): pliki nie są sprawdzane.");
  if (!medium_.Catalogued() || !medium_.Has(kMarkerName)) return;
  try {
    auto in = medium_.Open(kMarkerName);
    char buffer[64];
    while (in->Read(buffer, sizeof buffer) > 0) {
    }
  } catch (const std::exception& e) {
    asked_.FileFailed(sourceDir_ + kMarkerName, e.what());
    throw;
  }
}

uint64_t Copier::MediumSize(const std::string& entry) const {
  const EntryKind kind = KindOf(entry);
  if (entry.empty() || kind == EntryKind::Installer) return 0;
  return medium_.Size(kind == EntryKind::Stored ? StoredName(entry) : entry);
}

void Copier::StartProgress(const RunPlan& plan) {
  total_ = 0;
  for (const RunStep& step : plan.steps) {
    const bool script = step.kind == StepKind::Configure && step.product == kFtpBatch;
    if (step.kind == StepKind::Files || script)
      for (const std::string& entry : script ? FtpBatchScripts : *step.files)
        total_ += MediumSize(entry);
  }
  counting_ = true;
  shown_ = -1;
  Progress(0);
}

void Copier::Progress(uint64_t done) {
  done_ = done;
  if (!counting_) return;
  const int percent =
      total_ == 0 ? 100 : static_cast<int>(std::min<uint64_t>(done, total_) * 100 / total_);
  if (percent == shown_) return;
  shown_ = percent;
  view_.ShowProgress(percent);
}

Copier::Decision Copier::DecideOverwrite(const std::string& dst) {
  if (OverwriteAll) return Decision::Copy;
  auto& files = platform_.Files();
  for (;;) {
    if (files.GetAttributes(dst) == plat::kInvalidAttributes) return Decision::Copy;
    switch (asked_.OverwriteFile(dst)) {
      case sys::Overwrite::Yes:
        return Decision::Copy;
      case sys::Overwrite::All:
        OverwriteAll = true;
        return Decision::Copy;
      case sys::Overwrite::No:
        return Decision::Skip;
      case sys::Overwrite::Abort:
        break;
    }
    // Confirmed before giving up; on second thoughts this file is asked about again.
    if (asked_.ConfirmAbort()) {
      InstallAborted = true;
      return Decision::Abort;
    }
  }
}

bool Copier::CopyOneFile(const std::string& name, const std::string& dst, bool plainCopy,
                         bool readOnly) {
  // The user closed the wizard during the run: stop here, between two whole files.
  if (stop_.Requested()) {
    InstallAborted = true;
    return false;
  }
  const auto cut = dst.find_last_of("\\:");
  view_.ShowInfo("Kopiowanie pliku \"" + (cut == std::string::npos ? dst : dst.substr(cut + 1)) +
                 "\".");
  // Whatever the codec reported on the way, the file ends at its whole size.
  const uint64_t after = done_ + medium_.Size(name);
  switch (DecideOverwrite(dst)) {
    case Decision::Skip:
      asked_.FileSkipped(dst);
      Progress(after);
      return true;
    case Decision::Abort:
      return false;
    case Decision::Copy:
      break;
  }
  // A read-only dst needs no clearing first: the replace takes care of it, on the file itself
  // and not on the target of a link planted in its place.
  try {
    auto in = medium_.Open(name);
    if (plainCopy)
      codec_.CopyFrom(*in, dst);
    else
      codec_.ExpandFrom(*in, sourceDir_ + name, dst);
  } catch (const std::exception& e) {
    asked_.FileFailed(dst, e.what());
    throw;
  }
  SetReadOnly(platform_.Files(), dst, readOnly);
  Progress(after);
  return true;
}

bool Copier::CopyFileList(const FileList& list, int last, const std::string& folder) {
  // The uninstall folder's uninstaller is the installer's own, never a file of the user's to
  // keep: it is replaced without a question.
  const bool own = &list == &UninstallerFiles, overwriteAll = OverwriteAll;
  if (own) OverwriteAll = true;
  bool result = false;
  for (int i = 0; i <= last; ++i) {
    // An index past the list's end reads as an empty entry rather than past the array.
    const std::string entry = i < static_cast<int>(list.size()) ? list[i] : std::string();
    if (entry.empty()) {
      if (i == last) result = true;
      continue;
    }
    switch (KindOf(entry)) {
      case EntryKind::Installer:
        result = true;
        break;
      case EntryKind::Stored:
        result = CopyOneFile(StoredName(entry), folder + entry, false, false);
        break;
      case EntryKind::Plain:
        result = CopyOneFile(entry, folder + entry, true, false);
        break;
    }
    if (!result) break;
  }
  if (own) OverwriteAll = overwriteAll;
  return result;
}

bool EnsureFolder(plat::FileSystem& files, const std::string& folder, sys::Questions& asked) {
  if (sys::DirectoryExists(files, folder) || sys::CreateDirectoryPath(files, folder)) return true;
  asked.FolderFailed(folder);
  return false;
}

void SetReadOnly(plat::FileSystem& files, const std::string& path, bool on) {
  const uint32_t attributes = files.GetAttributes(path);
  if (attributes == plat::kInvalidAttributes) return;
  const bool isOn = (attributes & plat::kAttrReadOnly) != 0;
  if (on != isOn) files.SetAttributes(path, attributes ^ plat::kAttrReadOnly);
}

}  // namespace engine
