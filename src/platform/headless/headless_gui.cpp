#include "platform/headless/headless_gui.h"

namespace plat::headless {

void HeadlessGui::DeliverPosted() {
  while (!posted_.empty() && !terminated_) {
    Posted p = posted_.front();
    posted_.pop_front();
    if (p.form->OnMessage) p.form->OnMessage(p.message);
  }
}

void HeadlessGui::ShowForm(gui::Form& form) {
  shownForms.push_back(form.Name());
  form.Reopen();
  if (form.OnShow) form.OnShow();
  form.SetVisible(true);
}

void HeadlessGui::ShowModal(gui::Form& form) {
  ShowForm(form);
  if (!form.Closed() && !terminated_ && whileModal) whileModal(form);
  form.SetVisible(false);
}

void HeadlessGui::Focus(gui::Control& control) {
  if (gui::Form* form = control.ParentForm()) form->focused = &control;
}

gui::Color HeadlessGui::SystemColor(gui::Color color) {
  if (!(color & gui::kSystemColor)) return color;
  switch (color) {
    case gui::clBtnFace:
      return buttonFace;
    case gui::clWindow:
      return gui::clWhite;
    default:
      return gui::clBlack;
  }
}

bool HeadlessGui::LoadBitmapResource(const std::string& name, gui::Bitmap& out) {
  auto it = bitmaps.find(name);
  if (it == bitmaps.end()) return false;
  out = it->second;
  return true;
}

}  // namespace plat::headless
