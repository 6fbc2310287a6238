#include "platform/headless/scripted_dialogs.h"

namespace plat::headless {

namespace {
[[noreturn]] void Mismatch(const std::string& what) {
  if (ScriptedDialogs::reportMismatch) ScriptedDialogs::reportMismatch(what);
  throw UnexpectedDialog(what);
}
}  // namespace

ModalResult ScriptedDialogs::Show(const DialogRequest& request) {
  shown.push_back(request);
  if (script_.empty()) Mismatch("unexpected dialog: \"" + request.text + "\"");
  const Step step = script_.front();
  script_.pop_front();
  if (step.prefixOnly ? request.text.rfind(step.text, 0) != 0 : step.text != request.text)
    Mismatch("dialog \"" + request.text + "\" shown where \"" + step.text + "\" was expected");
  return step.answer;
}

}  // namespace plat::headless
