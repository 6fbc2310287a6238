#pragma once
// Where the journal watches the run: each change is written into the journal before it is
// made, with what it replaces. A file about to be replaced is first kept aside, so that the run
// can be undone.
#include "engine/journal.h"
#include "engine/observed_platform.h"

namespace engine {

class JournalRecorder : public ChangeObserver {
 public:
  // `files` is the platform's below the one observed: keeping a file aside is no change of
  // the run's.
  JournalRecorder(plat::FileSystem& files, Journal& journal) : files_(files), journal_(journal) {}
  void Changing(Change& change) override;
  void Changed(const Change& change) override;

 private:
  plat::FileSystem& files_;
  Journal& journal_;
};

}  // namespace engine
