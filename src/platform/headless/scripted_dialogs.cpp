#include "platform/headless/scripted_dialogs.h"

namespace plat::headless {

ModalResult ScriptedDialogs::Show(const DialogSpec& spec) {
  shown.push_back(spec);
  if (script_.empty()) throw UnexpectedDialog("unexpected dialog: \"" + spec.text + "\"");
  const Step step = script_.front();
  script_.pop_front();
  if (step.prefixOnly ? spec.text.rfind(step.text, 0) != 0 : step.text != spec.text)
    throw UnexpectedDialog("dialog \"" + spec.text + "\" shown where \"" + step.text +
                           "\" was expected");
  return step.answer;
}

}  // namespace plat::headless
