#include "unattended/answers.h"

#include <algorithm>

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

bool Offers(const plat::DialogSpec& spec, DlgButton button) {
  return std::find(spec.buttons.begin(), spec.buttons.end(), button) != spec.buttons.end();
}

bool AsksOverwrite(const std::string& text) {
  return StartsWith(text, "Plik \"") && EndsWith(text, "\" już istnieje.\rNadpisać ?");
}

bool AsksAssociation(const std::string& text) {
  return StartsWith(text, "Rejestrowane rozszerzenie (") &&
         EndsWith(text, "domyślnie uruchamiane przez aktualnie instalowany program ?");
}

}  // namespace

DocumentedAnswer AnswerOf(const plat::DialogSpec& spec, const engine::Answers& answers) {
  const std::string& text = spec.text;
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
  } else if (text == "Wystąpił błąd podczas kopiowania plików.") {
    a.button = DlgButton::OK;
    a.error = true;
  } else {
    return a;
  }
  a.known = Offers(spec, a.button);
  return a;
}

ModalResult AnsweringDialogs::Show(const plat::DialogSpec& spec) {
  const DocumentedAnswer answer = AnswerOf(spec, answers_);
  if (!answer.known) {
    log_.Error("nieoczekiwany komunikat: \"" + spec.text + "\"");
    throw EUnexpectedDialog("nieoczekiwany komunikat: " + spec.text);
  }
  if (answer.folderFailure) ++folderFailures_;
  const ModalResult result = plat::ResultOf(answer.button);
  const std::string line = DescribeAnswer(spec, result);
  if (answer.error)
    log_.Error(line);
  else
    log_.Line(line);
  return result;
}

ModalResult WizardDialogs::Show(const plat::DialogSpec& spec) {
  const DocumentedAnswer answer = AnswerOf(spec, given_);
  if (suppress_ && answer.known) return plat::ResultOf(answer.button);
  const ModalResult result = inner_.Show(spec);
  // The last answer counts: "Tak" to one file is as good as "Wszystkie" for a replay.
  if (AsksOverwrite(spec.text) && result != ModalResult::Abort)
    given_.overwriteAll = result != ModalResult::No;
  if (AsksAssociation(spec.text)) given_.associate = result == ModalResult::Yes;
  return result;
}

}  // namespace unattended
