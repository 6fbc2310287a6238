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

}  // namespace

ModalResult AnsweringDialogs::Show(const plat::DialogRequest& request) {
  const std::string& text = request.text;
  DlgButton answer = DlgButton::Help;  // none yet
  bool error = false;
  if (StartsWith(text, "Plik \"") && EndsWith(text, "\" już istnieje.\rNadpisać ?")) {
    answer = answers_.overwriteAll ? DlgButton::All : DlgButton::No;
  } else if (StartsWith(text, "Skrót '") &&
             EndsWith(text, "' juz istnieje.\rCzy utworzyć następny ?")) {
    // An existing shortcut stays as it is: no numbered copies beside it.
    answer = DlgButton::No;
  } else if (StartsWith(text, "Rejestrowane rozszerzenie (") &&
             EndsWith(text, "domyślnie uruchamiane przez aktualnie instalowany program ?")) {
    answer = answers_.associate ? DlgButton::Yes : DlgButton::No;
  } else if (StartsWith(text, "Nie można utworzyć katalogu \"")) {
    ++folderFailures_;
    answer = DlgButton::OK;
    error = true;
  } else if (text == "Wystąpił błąd podczas kopiowania plików." ||
             StartsWith(text, engine::kUndoFailedText)) {
    answer = DlgButton::OK;
    error = true;
  }
  if (answer == DlgButton::Help || !Offers(request, answer)) {
    log_.Error("nieoczekiwany komunikat: \"" + text + "\"");
    throw EUnexpectedDialog("nieoczekiwany komunikat: " + text);
  }
  const ModalResult result = plat::ResultOf(answer);
  const std::string line = DescribeAnswer(request, result);
  if (error)
    log_.Error(line);
  else
    log_.Line(line);
  return result;
}

}  // namespace unattended
