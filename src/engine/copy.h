#pragma once
// Installing single files from the medium: the overwrite question, expansion or plain copy,
// and the read-only bit.
#include <cstdint>
#include <string>

#include "engine/catalogue.h"
#include "engine/install_plan.h"
#include "engine/medium.h"
#include "engine/run_context.h"
#include "engine/run_view.h"
#include "engine/stored_file.h"
#include "system/questions.h"

namespace engine {

// One installation run's copying: the medium folder, the buffers, where its questions go and
// the answers that hold for the rest of the run.
class Copier {
 public:
  // `sourceDir` is the medium folder, ending in "\"; the files go through `platform`, what the
  // copying asks goes to `asked`, and it stops between two files once `stop` is requested. The
  // running program's catalogue vouches for the medium's files.
  Copier(plat::Platform& platform, const StopRequest& stop, RunView& view, sys::Questions& asked,
         std::string sourceDir);

  sys::Questions& Asked() const { return asked_; }

  const std::string& SourceDir() const { return sourceDir_; }
  plat::Platform& Platform() const { return platform_; }
  bool StopRequested() const { return stop_.Requested(); }
  // "&Wszystkie" was answered: no later file of the run asks before overwriting.
  bool OverwriteAll = false;
  // The user confirmed aborting at an overwrite question.
  bool InstallAborted = false;

  // Installs the medium file `name` (relative to SourceDir) as `dst`. False means the run
  // must stop after a confirmed abort; a file that cannot be read, expanded or written raises.
  bool CopyOneFile(const std::string& name, const std::string& dst, bool plainCopy, bool readOnly);
  // Installs entries 0..last of `list` into `folder` (ending in "\"), stopping at the first
  // file that fails. False for a failure, an abort, or a negative `last`.
  bool CopyFileList(const FileList& list, int last, const std::string& folder);
  // Raises EDamagedFile when the medium holds a file the run reads that its catalogue does not
  // vouch for, before anything is installed: the medium's kind, read before the run.
  void CheckMedium();
  // From here on the view hears how much of the stored bytes of the plan's files (the sample
  // script included) has been processed; a skipped file counts as processed.
  void StartProgress(const RunPlan& plan);

 private:
  enum class Decision { Copy, Skip, Abort };
  Decision DecideOverwrite(const std::string& dst);
  uint64_t MediumSize(const std::string& entry) const;
  void Progress(uint64_t done);

  plat::Platform& platform_;
  const StopRequest& stop_;
  RunView& view_;
  sys::Questions& asked_;
  std::string sourceDir_;
  Medium medium_;
  StoredFileCodec codec_;
  uint64_t total_ = 0, done_ = 0;
  int shown_ = -1;
  bool counting_ = false;
};

// True when `folder` exists or could be created with all its parents; otherwise tells `asked`
// and returns false.
bool EnsureFolder(plat::FileSystem& files, const std::string& folder, sys::Questions& asked);
// Sets or clears the read-only bit, leaving the other attributes; failures are ignored.
void SetReadOnly(plat::FileSystem& files, const std::string& path, bool on);

}  // namespace engine
