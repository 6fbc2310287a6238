#include "ui/aligner.h"

#include <exception>

#include "platform/dialogs.h"
#include "platform/platform.h"

namespace ui {

using namespace plat::gui;

int TAligner::MaxEditHeight = -1;

TAligner::TAligner(Component* owner, std::string name) : CustomLabel(owner, std::move(name)) {
  SetCaption("ALIGNER");
  SetVisible(false);
  Font font = GetFont();
  font.style = fsBold;
  SetFont(font);  // also: does not use the parent's font
}

TAligner::~TAligner() {
  if (chained_) {
    if (auto* form = dynamic_cast<Form*>(Owner())) form->OnShow = keptShow_;
  }
}

void TAligner::Loaded() {
  auto* form = dynamic_cast<Form*>(Owner());
  if (!form || chained_) return;
  keptShow_ = form->OnShow;
  form->OnShow = [this] { AlignerShow(); };
  chained_ = true;
}

namespace {

void FontRule(Control& control, int designSize, int formSize) {
  if (control.ParentFont() || control.GetFont().Size() != designSize) return;
  Font font = control.GetFont();
  font.SetSize(formSize);
  control.SetFont(font);
}

bool IsFolderButton(const Component* c) {
  auto* button = dynamic_cast<const SpeedButton*>(c);
  return button && dynamic_cast<const Panel*>(button->Parent()) && button->Caption().empty();
}

// The first matching kind wins; kinds are told apart by class lineage, so a memo is no edit
// and a check-list box no list.
void AdjustOwned(const Component& owner, int designSize, int formSize, bool& found) {
  for (Component* c : owner.Components()) {
    if (auto* label = dynamic_cast<Label*>(c)) {
      FontRule(*label, designSize, formSize);
    } else if (auto* box = dynamic_cast<CheckBox*>(c)) {
      FontRule(*box, designSize, formSize);
    } else if (auto* button = dynamic_cast<Button*>(c)) {
      FontRule(*button, designSize, formSize);
    } else if (auto* edit = dynamic_cast<Edit*>(c)) {
      FontRule(*edit, designSize, formSize);
      if (edit->Height() - 4 > TAligner::MaxEditHeight)
        TAligner::MaxEditHeight = edit->Height() - 4;
    } else if (dynamic_cast<SpeedButton*>(c)) {
      if (IsFolderButton(c)) found = true;
    } else if (auto* panel = dynamic_cast<Panel*>(c)) {
      FontRule(*panel, designSize, formSize);
    } else {
      AdjustOwned(*c, designSize, formSize, found);
    }
  }
}

void SquareFolderButtons(const Component& owner) {
  for (Component* c : owner.Components()) {
    if (auto* button = dynamic_cast<SpeedButton*>(c)) {
      if (IsFolderButton(c)) {
        button->SetHeight(TAligner::MaxEditHeight);
        button->SetWidth(button->Height());
      }
    } else {
      SquareFolderButtons(*c);
    }
  }
}

}  // namespace

void TAligner::AlignerShow() {
  try {
    if (auto* form = dynamic_cast<Form*>(Owner())) {
      const int designSize = GetFont().Size();
      const int formSize = form->GetFont().Size();
      FontRule(*this, designSize, formSize);
      SetHeight(plat::Current().Ui().TextHeight(GetFont()));
      bool found = false;
      AdjustOwned(*form, designSize, formSize, found);
      if (found && MaxEditHeight != -1) SquareFolderButtons(*form);
    }
  } catch (const std::exception& e) {
    // A failed adjustment must not keep the form from showing.
    plat::MessageDlg(e.what(), plat::DlgType::Error, {plat::DlgButton::OK});
  }
  if (keptShow_) keptShow_();
}

}  // namespace ui
