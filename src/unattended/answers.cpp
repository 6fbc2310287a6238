#include "unattended/answers.h"

#include <algorithm>

#include "engine/undo.h"
#include "unattended/logging_platform.h"

namespace unattended {

namespace {

using plat::DlgButton;
using plat::ModalResult;

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Offers(const plat::DialogRequest& request, DlgButton button) {
  return std::find(request.buttons.begin(), request.buttons.end(), button) != request.buttons.end();
}

bool AsksOverwrite(const std::string& text) {
  return StartsWith(text, "Plik \"") && EndsWith(text, "\" już istnieje.\rNadpisać ?");
}

bool AsksAssociation(const std::string& text) {
  return StartsWith(text, "Rejestrowane rozszerzenie (") &&
         EndsWith(text, "domyślnie uruchamiane przez aktualnie instalowany program ?");
}

}  // namespace

DocumentedAnswer AnswerOf(const plat::DialogRequest& request, const engine::Answers& answers) {
  const std::string& text = request.text;
  DocumentedAnswer a;
  if (AsksOverwrite(text)) {
    a.button = answers.overwriteAll ? DlgButton::All : DlgButton::No;
  } else if (StartsWith(text, "Skrót '") &&
             EndsWith(text, "' juz istnieje.\rCzy utworzyć następny ?")) {
    // An existing shortcut stays as it is: no numbered copies beside it.
    a.button = DlgButton::No;
  } else if (AsksAssociation(text)) {
    a.button = answers.associate ? DlgButton::Yes : DlgButton::No;
  } else if (StartsWith(text, "Nie można utworzyć katalogu \"")) {
    a.button = DlgButton::OK;
    a.error = a.folderFailure = true;
  } else if (text == "Wystąpił błąd podczas kopiowania plików." ||
             StartsWith(text, engine::kUndoFailedText)) {
    a.button = DlgButton::OK;
    a.error = true;
  } else {
    return a;
  }
  a.known = Offers(request, a.button);
  return a;
}

ModalResult AnsweringDialogs::Show(const plat::DialogRequest& request) {
  const DocumentedAnswer answer = AnswerOf(request, answers_);
  if (!answer.known) {
    log_.Error("nieoczekiwany komunikat: \"" + request.text + "\"");
    throw EUnexpectedDialog("nieoczekiwany komunikat: " + request.text);
  }
  if (answer.folderFailure) ++folderFailures_;
  const ModalResult result = plat::ResultOf(answer.button);
  const std::string line = DescribeAnswer(request, result);
  if (answer.error)
    log_.Error(line);
  else
    log_.Line(line);
  return result;
}

ModalResult WizardDialogs::Show(const plat::DialogRequest& request) {
  const DocumentedAnswer answer = AnswerOf(request, given_);
  if (suppress_ && answer.known) return plat::ResultOf(answer.button);
  const ModalResult result = inner_.Show(request);
  // The last answer counts: "Tak" to one file is as good as "Wszystkie" for a replay.
  if (AsksOverwrite(request.text) && result != ModalResult::Abort)
    given_.overwriteAll = result != ModalResult::No;
  if (AsksAssociation(request.text)) given_.associate = result == ModalResult::Yes;
  return result;
}

}  // namespace unattended
