#pragma once
// What one installation run works with, handed to it by whoever starts it (the wizard, the
// silent run) rather than found in the program's globals: the platform it changes, the medium
// it installs from, the folders it fills, the user's request to stop and where its questions go.
#include <string>

#include "engine/medium_kind.h"
#include "engine/target_dirs.h"
#include "platform/platform.h"
#include "system/questions.h"

namespace engine {

// Set by the window whose closing the user confirmed while files were being copied; the run
// stops at the next file boundary, as after a confirmed abort.
class StopRequest {
 public:
  void Request() { requested_ = true; }
  void Clear() { requested_ = false; }
  bool Requested() const { return requested_; }

 private:
  bool requested_ = false;
};

struct RunContext {
  plat::Platform& platform;
  std::string sourceDir;  // the medium folder, ending in "\"
  MediumKind medium;
  const StopRequest& stop;
  sys::Questions& asked;
  // The installation's folders (as TargetDirs), filled at the start of the run.
  Folders folders{};
};

}  // namespace engine
