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

// The answer a question of the run has without anybody there (the switches' answers, "&Nie"
// to an existing shortcut, "OK" to the known error messages); `known` is false for any other.
struct DocumentedAnswer {
  bool known = false;
  plat::DlgButton button = plat::DlgButton::OK;
  bool error = false;          // an error message, logged as such
  bool folderFailure = false;  // a folder that could not be made
};
DocumentedAnswer AnswerOf(const plat::DialogRequest& request, const engine::Answers& answers);

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

// The wizard's dialogs on a command line with switches: with /SUPPRESSMSGBOXES a question that
// has a documented answer takes it without a box, every other one is shown; the user's own
// answers to the overwrite and association questions are kept for /SAVEINF.
class WizardDialogs : public plat::Dialogs {
 public:
  WizardDialogs(plat::Dialogs& inner, const engine::Answers& answers, bool suppress)
      : inner_(inner), given_(answers), suppress_(suppress) {}
  plat::ModalResult Show(const plat::DialogRequest& request) override;
  // The switches' answers, replaced by the last one the user gave to each question.
  const engine::Answers& Given() const { return given_; }

 private:
  plat::Dialogs& inner_;
  engine::Answers given_;
  bool suppress_;
};

}  // namespace unattended
