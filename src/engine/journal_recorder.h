#pragma once
// Where the journal watches the run: a step applier that carries out each step on a platform
// which writes every change into the journal before making it, with what it replaces. A file
// about to be replaced is first copied aside, so that the run can be undone.
#include "engine/install_plan.h"
#include "engine/journal.h"

namespace engine {

// An INI value as the journal keeps it: a String, or Missing when the key is not there.
plat::RegValue ReadIniValue(plat::IniFiles& ini, const std::string& file,
                            const std::string& section, const std::string& key);

class JournaledSteps : public StepApplier {
 public:
  JournaledSteps(StepApplier& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  bool Apply(const RunStep& step) override;

 private:
  StepApplier& inner_;
  Journal& journal_;
};

}  // namespace engine
