#pragma once
// The dialogs of an unattended run: nobody is there to answer, so the switches answer the
// questions the run is known to ask, the known error messages go to the log, and anything
// else is a failure of the run. No window is ever shown.

#include "engine/choices.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "unattended/setup_log.h"

namespace unattended {

// A message the unattended run does not know how to answer.
class EUnexpectedDialog : public plat::Error {
 public:
  using plat::Error::Error;
};

class AnsweringDialogs : public plat::Dialogs {
 public:
  AnsweringDialogs(SetupLog& log, const engine::Answers& answers) : log_(log), answers_(answers) {}

  // Answers and logs a known dialog; logs and raises EUnexpectedDialog for any other.
  plat::ModalResult Show(const plat::DialogRequest& request) override;
  // Folders the run could not create (reported by a message, not by the run's result).
  int FolderFailures() const { return folderFailures_; }

 private:
  SetupLog& log_;
  engine::Answers answers_;
  int folderFailures_ = 0;
};

}  // namespace unattended
