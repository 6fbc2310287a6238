#include "platform/headless/scripted_dialogs.h"

namespace plat::headless {

namespace {
[[noreturn]] void Mismatch(const std::string& what) {
  if (ScriptedDialogs::reportMismatch) ScriptedDialogs::reportMismatch(what);
  throw UnexpectedDialog(what);
}
}  // namespace

ModalResult ScriptedDialogs::Show(const DialogSpec& spec) {
  shown.push_back(spec);
  if (script_.empty()) Mismatch("unexpected dialog: \"" + spec.text + "\"");
  const Step step = script_.front();
  script_.pop_front();
  if (step.prefixOnly ? spec.text.rfind(step.text, 0) != 0 : step.text != spec.text)
    Mismatch("dialog \"" + spec.text + "\" shown where \"" + step.text + "\" was expected");
  return step.answer;
}

}  // namespace plat::headless
