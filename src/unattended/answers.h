#pragma once
// The run's questions answered. Both answerers put each question and failure as its documented
// message (built here and only here), with the answer it has when nobody is there to give one:
// the switches' for the overwrite and file-type questions, "&Nie" to an existing shortcut, "OK"
// to the failures. The wizard's shows the message, or with /SUPPRESSMSGBOXES takes that answer
// without a box; the silent run's takes that answer and logs it, and fails on a question that
// has none.
#include <optional>

#include "engine/choices.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "system/questions.h"

namespace unattended {

// A message the unattended run does not know how to answer.
class EUnexpectedDialog : public plat::Error {
 public:
  using plat::Error::Error;
};

class DocumentedQuestions : public sys::Questions {
 public:
  DocumentedQuestions(sys::RunLog& log, const engine::Answers& answers)
      : log_(log), answers_(answers) {}

  void FileSkipped(const std::string& path) override { log_.FileSkipped(path); }
  void FileFailed(const std::string& path, const std::string& reason) override {
    log_.FileFailed(path, reason);
  }
  void Note(const std::string& text, bool error = false) override { log_.Note(text, error); }

  sys::Overwrite OverwriteFile(const std::string& path) override;
  bool ConfirmAbort() override;
  bool AnotherShortcut(const std::string& name) override;
  bool TakeOverFileType(const sys::FileTypeHolder& holder) override;
  void FolderFailed(const std::string& folder) override;
  void CopyFailed() override;
  void UndoFailed(const std::vector<std::string>& steps) override;

 protected:
  // The answer to the message; `documented` is the one it has without anybody there, `error`
  // marks a failure's message.
  virtual plat::ModalResult Ask(const plat::DialogRequest& message,
                                std::optional<plat::DlgButton> documented, bool error) = 0;

  sys::RunLog& log_;
  engine::Answers answers_;
};

// The silent run's: nothing is ever shown.
class SilentQuestions : public DocumentedQuestions {
 public:
  using DocumentedQuestions::DocumentedQuestions;

 protected:
  // Logs the message and its answer; logs and raises EUnexpectedDialog for one without.
  plat::ModalResult Ask(const plat::DialogRequest& message,
                        std::optional<plat::DlgButton> documented, bool error) override;
};

// The silent run's message boxes: there are none to show, so any that is asked for fails the run.
class RefusingDialogs : public plat::Dialogs {
 public:
  explicit RefusingDialogs(sys::RunLog& log) : log_(log) {}
  plat::ModalResult Show(const plat::DialogRequest& request) override;

 private:
  sys::RunLog& log_;
};

// The wizard's: shows each message on `dialogs`; with `suppress` (/SUPPRESSMSGBOXES) one that
// has a documented answer takes it without a box, logged as if shown. The user's own answers
// to the overwrite and file-type questions are kept for /SAVEINF.
class WizardQuestions : public DocumentedQuestions {
 public:
  WizardQuestions(plat::Dialogs& dialogs, sys::RunLog& log, const engine::Answers& answers,
                  bool suppress)
      : DocumentedQuestions(log, answers), dialogs_(dialogs), suppress_(suppress) {}

  sys::Overwrite OverwriteFile(const std::string& path) override;
  bool TakeOverFileType(const sys::FileTypeHolder& holder) override;
  // The switches' answers, replaced by the last one the user gave to each question.
  const engine::Answers& Given() const { return answers_; }

 protected:
  plat::ModalResult Ask(const plat::DialogRequest& message,
                        std::optional<plat::DlgButton> documented, bool error) override;

 private:
  plat::Dialogs& dialogs_;
  bool suppress_;
};

}  // namespace unattended
