#include "unattended/answers.h"

#include "unattended/logging_platform.h"

namespace unattended {

namespace {

using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

std::string TakeOverText(const sys::FileTypeHolder& holder) {
  std::string text =
      "Rejestrowane rozszerzenie (" + holder.ext + ") typu: \"" + holder.description + "\"\r";
  if (holder.sameType)
    text += "jest już skojarzone z programem: \"" + holder.program + "\".\r";
  else
    text += "jest już zarejestrowane w systemie jako: \"" + holder.otherType +
            "\"\roraz skojarzone z programem: \"" + holder.program + "\".\r";
  return text +
         "Zmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez "
         "aktualnie instalowany program ?";
}

plat::DialogRequest Failure(const std::string& text) {
  return plat::StandardRequest(text, DlgType::Error, {DlgButton::OK});
}

}  // namespace

sys::Overwrite DocumentedQuestions::OverwriteFile(const std::string& path) {
  const plat::DialogRequest message{
      "Plik \"" + path + "\" już istnieje.\rNadpisać ?",
      DlgType::Confirmation,
      {DlgButton::Yes, DlgButton::All, DlgButton::No, DlgButton::Abort},
      0,
      -1,
      0};
  switch (Ask(message, answers_.overwriteAll ? DlgButton::All : DlgButton::No, false)) {
    case ModalResult::Yes:
      return sys::Overwrite::Yes;
    case ModalResult::All:
      return sys::Overwrite::All;
    case ModalResult::No:
      return sys::Overwrite::No;
    default:
      // "&Przerwij", or the question closed by its close box.
      return sys::Overwrite::Abort;
  }
}

bool DocumentedQuestions::ConfirmAbort() {
  // Never asked of a run that never aborts: answering it would guess.
  return Ask({"Przerwać proces instalacji ?",
              DlgType::Warning,
              {DlgButton::Yes, DlgButton::No},
              1,
              1,
              0},
             std::nullopt, false) == ModalResult::Yes;
}

bool DocumentedQuestions::AnotherShortcut(const std::string& name) {
  // An existing shortcut stays as it is: no numbered copies beside it.
  return Ask(plat::StandardRequest("Skrót '" + name + "' juz istnieje.\rCzy utworzyć następny ?",
                                   DlgType::Confirmation, {DlgButton::Yes, DlgButton::No}),
             DlgButton::No, false) == ModalResult::Yes;
}

bool DocumentedQuestions::TakeOverFileType(const sys::FileTypeHolder& holder) {
  return Ask(plat::StandardRequest(TakeOverText(holder), DlgType::Warning,
                                   {DlgButton::Yes, DlgButton::No}),
             answers_.associate ? DlgButton::Yes : DlgButton::No, false) == ModalResult::Yes;
}

void DocumentedQuestions::FolderFailed(const std::string& folder) {
  Ask(Failure("Nie można utworzyć katalogu \"" + folder + "\""), DlgButton::OK, true);
}

void DocumentedQuestions::CopyFailed() {
  Ask(Failure("Wystąpił błąd podczas kopiowania plików."), DlgButton::OK, true);
}

void DocumentedQuestions::UndoFailed(const std::vector<std::string>& steps) {
  std::string text = "Nie udało się cofnąć wszystkich zmian instalacji:";
  for (const std::string& what : steps) text += "\r" + what;
  Ask(Failure(text), DlgButton::OK, true);
}

ModalResult SilentQuestions::Ask(const plat::DialogRequest& message,
                                 std::optional<DlgButton> documented, bool error) {
  if (!documented) return RefusingDialogs(log_).Show(message);
  const ModalResult result = plat::ResultOf(*documented);
  log_.Note(DescribeAnswer(message, result), error);
  return result;
}

ModalResult RefusingDialogs::Show(const plat::DialogRequest& request) {
  log_.Note("nieoczekiwany komunikat: \"" + request.text + "\"", true);
  throw EUnexpectedDialog("nieoczekiwany komunikat: " + request.text);
}

sys::Overwrite WizardQuestions::OverwriteFile(const std::string& path) {
  const sys::Overwrite answer = DocumentedQuestions::OverwriteFile(path);
  // The last answer counts: "Tak" to one file is as good as "Wszystkie" for a replay.
  if (answer != sys::Overwrite::Abort) answers_.overwriteAll = answer != sys::Overwrite::No;
  return answer;
}

bool WizardQuestions::TakeOverFileType(const sys::FileTypeHolder& holder) {
  return answers_.associate = DocumentedQuestions::TakeOverFileType(holder);
}

ModalResult WizardQuestions::Ask(const plat::DialogRequest& message,
                                 std::optional<DlgButton> documented, bool /*error*/) {
  if (!suppress_ || !documented) return dialogs_.Show(message);
  const ModalResult result = plat::ResultOf(*documented);
  log_.Note(DescribeAnswer(message, result));
  return result;
}

}  // namespace unattended
